#pragma once

#include "usb/ICsrUsbInterface.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace OrvoCommon {

class ILogger;

// Finds headset device nodes that are on the bus but unusable: the process may not open their
// device file (the udev rule is missing: InstallFailed), or a kernel driver we do not expect holds
// their Bluetooth or DFU interface (WrongDriver). Instance ids are sysfs device names ("1-1.2").
class CsrDeviceInfo
{
public:
    using Reasons = QList<ICsrUsbInterface::FailedInstallReason>;

    // The sysfs tree and the device-file folder; tests hand in fabricated ones.
    explicit CsrDeviceInfo(const QString& sysfsRoot = QStringLiteral("/sys"),
                           const QString& devRoot = QStringLiteral("/dev"));

    // Throws "internal-error" for a null list or when no product ids are registered. sysfs lists
    // only present devices, so presentOnly changes nothing here.
    void GetFailedInstalls(bool presentOnly, QStringList* instances, Reasons* reasons);

    // Makes the kernel enumerate the node afresh by de-authorising and re-authorising it.
    bool UninstallDevice(const QString& instanceId);

    // Written by the USB interface when detection starts, read by every walk.
    static void SetRegisteredIds(std::uint16_t vendorId, const QList<unsigned short>& productIds);

private:
    QString DevicesFolder() const;

    QString m_sysfsRoot;
    QString m_devRoot;
    ILogger* m_logger;
};

} // namespace OrvoCommon
