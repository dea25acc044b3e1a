#include "usb/CsrUsbInterface.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "usb/IFailedInstallMonitor.h"

#include <QMutexLocker>

namespace OrvoCommon {

namespace {

CsrUsbInterface::PlatformServices& Services()
{
    static CsrUsbInterface::PlatformServices services;
    return services;
}

void RegisterUsbMetaTypes()
{
    qRegisterMetaType<OrvoCommon::ICsrDevice*>("ICsrDevice*");
    qRegisterMetaType<OrvoCommon::ICsrDevice*>("OrvoCommon::ICsrDevice*");
    qRegisterMetaType<OrvoCommon::ICsrUsbInterface::FailedInstallReason>("ICsrUsbInterface::FailedInstallReason");
    qRegisterMetaType<OrvoCommon::ICsrUsbInterface::FailedInstallReason>(
        "OrvoCommon::ICsrUsbInterface::FailedInstallReason");
}

} // namespace

void CsrUsbInterface::SetPlatformServices(const PlatformServices& services)
{
    Services() = services;
}

CsrUsbInterface::CsrUsbInterface(std::unique_ptr<IUsbTransport> transport) : m_transport(std::move(transport))
{
    m_logger = RequireLogger();
    RegisterUsbMetaTypes();
}

CsrUsbInterface::~CsrUsbInterface()
{
    StopFailedInstallMonitoring();
    // Without an event loop a stopped monitor could not delete itself: it goes with the interface.
    for (const QPointer<IFailedInstallMonitor>& monitor : qAsConst(m_stoppedMonitors)) {
        if (monitor) {
            monitor->wait();
            delete monitor.data();
        }
    }
    // Device handles go before the transport they were opened on.
    m_devices.clear();
    m_owned.clear();
}

void CsrUsbInterface::InterruptDevices()
{
    QMutexLocker lock(&m_mutex);
    for (const std::unique_ptr<CsrDevice>& device : m_owned)
        device->Interrupt();
}

QList<ICsrDevice*> CsrUsbInterface::Devices() const
{
    QMutexLocker lock(&m_mutex);
    QList<ICsrDevice*> result;
    for (CsrDevice* device : m_devices)
        result.append(device);
    return result;
}

bool CsrUsbInterface::IsRegisteredLocked(std::uint16_t vendorId, std::uint16_t productId) const
{
    if (vendorId == m_vendorId && m_productIds.contains(productId))
        return true;
    // Another product of the maker's (what the CSR driver would have shown us) is worth a line;
    // anybody else's device, such as the computer's own Bluetooth adapter, is not our business.
    if (vendorId == m_vendorId)
        m_logger->LogError(QStringLiteral("Device 0x%1/0x%2 does not have a registered VID/PID")
                               .arg(vendorId, 4, 16, QLatin1Char('0'))
                               .arg(productId, 4, 16, QLatin1Char('0')));
    return false;
}

ICsrDevice* CsrUsbInterface::AddDeviceLocked(const QString& path)
{
    for (CsrDevice* device : qAsConst(m_devices)) {
        if (device->GetPath().compare(path, Qt::CaseInsensitive) == 0)
            return nullptr;
    }
    // Decided before opening: opening claims the device and takes it from the driver it has.
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    if (!m_transport->PeekIds(path, &vendorId, &productId) || !IsRegisteredLocked(vendorId, productId))
        return nullptr;
    auto device = std::make_unique<CsrDevice>(path, m_transport.get());
    if (!device->IsOpen())
        return nullptr;
    // The node may have been taken over by another device since the look.
    if (!IsRegisteredLocked(device->GetVendorId(), device->GetProductId())) {
        device->Close();
        return nullptr;
    }
    m_devices.append(device.get());
    m_owned.push_back(std::move(device));
    return m_devices.last();
}

void CsrUsbInterface::StartDeviceDetection(std::uint16_t vendorId, const QList<unsigned short>& productIds)
{
    {
        QMutexLocker lock(&m_mutex);
        m_vendorId = vendorId;
        m_productIds = productIds;
    }
    if (Services().registerIds)
        Services().registerIds(vendorId, productIds);
    const QStringList existing = m_transport->PresentDevicePaths();
    for (const QString& path : existing)
        m_logger->LogInformation(QStringLiteral("Existing device: %1").arg(path));
    if (!m_watching) {
        m_watching = true;
        connect(m_transport.get(), &IUsbTransport::DeviceArrived, this, &CsrUsbInterface::OnDeviceArrived);
        connect(m_transport.get(), &IUsbTransport::DeviceRemoved, this, &CsrUsbInterface::OnDeviceRemoved);
    }
    QList<CsrDevice*> announce;
    {
        QMutexLocker lock(&m_mutex);
        const QStringList present = m_transport->PresentDevicePaths();
        for (const QString& path : present)
            AddDeviceLocked(path);
        announce = m_devices;
    }
    for (CsrDevice* device : qAsConst(announce))
        emit DeviceConnected(device);
}

void CsrUsbInterface::OnDeviceArrived(const QString& path)
{
    ICsrDevice* added = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        added = AddDeviceLocked(path);
    }
    if (added)
        emit DeviceConnected(added);
}

void CsrUsbInterface::OnDeviceRemoved(const QString& path)
{
    CsrDevice* removed = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        for (int i = 0; i < m_devices.size(); ++i) {
            if (m_devices.at(i)->GetPath().compare(path, Qt::CaseInsensitive) == 0) {
                removed = m_devices.takeAt(i);
                removed->Close();
                break;
            }
        }
    }
    if (removed)
        emit DeviceDisconnected(removed);
}

void CsrUsbInterface::StartFailedInstallMonitoring()
{
    if (m_monitor || !Services().createMonitor)
        return;
    IFailedInstallMonitor* monitor = Services().createMonitor();
    if (!monitor)
        return;
    m_monitor = monitor;
    connect(monitor, &IFailedInstallMonitor::FailedInstall, this, &ICsrUsbInterface::FailedInstall);
    monitor->start();
}

void CsrUsbInterface::StopFailedInstallMonitoring()
{
    if (!m_monitor)
        return;
    m_monitor->RequestStop();
    m_stoppedMonitors.removeAll(QPointer<IFailedInstallMonitor>());
    m_stoppedMonitors.append(m_monitor);
    m_monitor = nullptr;
}

bool CsrUsbInterface::UninstallDevice(const QString& instance)
{
    if (!Services().uninstallDevice) {
        m_logger->LogError(QStringLiteral("Couldn't find device to uninstall %1").arg(instance));
        return false;
    }
    return Services().uninstallDevice(instance);
}

} // namespace OrvoCommon
