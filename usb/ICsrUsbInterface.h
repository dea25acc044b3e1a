#pragma once

#include "usb/ICsrDevice.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <cstdint>

namespace OrvoCommon {

// The USB boundary of the update engine: finds the headset's CSR devices, follows arrivals and
// removals and reports devices whose driver installation failed. One per process, handed out by
// CsrUsbInterfaceFactory, which owns it; it owns every device object it announces.
class ICsrUsbInterface : public QObject
{
    Q_OBJECT

public:
    enum FailedInstallReason
    {
        WrongDriver = 0,   // another driver has claimed the device
        InstallFailed = 1, // the install failed or the user stopped it
    };
    Q_ENUM(FailedInstallReason)

    using QObject::QObject;

    // Registers the ids, announces every connected device and follows arrivals and removals.
    virtual void StartDeviceDetection(std::uint16_t vendorId, const QList<unsigned short>& productIds) = 0;
    virtual void StartFailedInstallMonitoring() = 0;
    virtual void StopFailedInstallMonitoring() = 0;
    virtual bool UninstallDevice(const QString& instance) = 0;

signals:
    void DeviceConnected(OrvoCommon::ICsrDevice* device);
    void DeviceDisconnected(OrvoCommon::ICsrDevice* device);
    void FailedInstall(QString instance, OrvoCommon::ICsrUsbInterface::FailedInstallReason reason);
};

} // namespace OrvoCommon

Q_DECLARE_METATYPE(OrvoCommon::ICsrDevice*)
