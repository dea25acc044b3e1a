#pragma once

#include "usb/CsrDevice.h"
#include "usb/ICsrUsbInterface.h"
#include "usb/IUsbTransport.h"

#include <QMutex>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

namespace OrvoCommon {

class IFailedInstallMonitor;
class ILogger;

// The platform-neutral USB interface over one transport: the registered ids, the list of connected
// devices under its own mutex (signals are emitted after it is released), arrivals and removals.
// Lives in the GUI thread. Devices that leave are closed but kept until the interface goes.
class CsrUsbInterface : public ICsrUsbInterface
{
    Q_OBJECT

public:
    // Failed-install detection and device removal belong to the platform layer, which registers them.
    struct PlatformServices
    {
        std::function<IFailedInstallMonitor*()> createMonitor;
        std::function<bool(const QString& instance)> uninstallDevice;
        std::function<void(std::uint16_t vendorId, const QList<unsigned short>& productIds)> registerIds;
    };
    static void SetPlatformServices(const PlatformServices& services);

    // Throws OrvoException ("internal-error") when there is no logger.
    explicit CsrUsbInterface(std::unique_ptr<IUsbTransport> transport);
    ~CsrUsbInterface() override;

    void StartDeviceDetection(std::uint16_t vendorId, const QList<unsigned short>& productIds) override;
    void StartFailedInstallMonitoring() override;
    void StopFailedInstallMonitoring() override;
    bool UninstallDevice(const QString& instance) override;

    IUsbTransport* Transport() const { return m_transport.get(); }
    QList<ICsrDevice*> Devices() const;
    // Closes every device object, connected or gone, without waiting: blocked reads end at once and
    // later requests fail. For the end of the program, before the threads that use them are joined.
    void InterruptDevices();

private slots:
    void OnDeviceArrived(const QString& path);
    void OnDeviceRemoved(const QString& path);

private:
    ICsrDevice* AddDeviceLocked(const QString& path);
    bool IsRegisteredLocked(std::uint16_t vendorId, std::uint16_t productId) const;

    std::unique_ptr<IUsbTransport> m_transport;
    std::vector<std::unique_ptr<CsrDevice>> m_owned;
    QList<CsrDevice*> m_devices;
    std::uint16_t m_vendorId = 0;
    QList<unsigned short> m_productIds;
    mutable QMutex m_mutex;
    ILogger* m_logger = nullptr;
    QPointer<IFailedInstallMonitor> m_monitor;
    QList<QPointer<IFailedInstallMonitor>> m_stoppedMonitors;
    bool m_watching = false;
};

} // namespace OrvoCommon
