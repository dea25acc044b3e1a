#include "usb/linux/LinuxPlatformServices.h"

#include "usb/CsrUsbInterface.h"
#include "usb/linux/CsrDeviceInfo.h"
#include "usb/linux/LinuxUsbDriverInstaller.h"
#include "usb/linux/MonitorFailedCsrInstallThread.h"

#include <QDesktopServices>
#include <QUrl>

namespace OrvoCommon {

void LinuxPlatformSupport::OpenUrl(const QString& url)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

IUsbDriverInstaller* LinuxUsbDriverInstallerFactory::CreateUsbDriverInstaller()
{
    return new LinuxUsbDriverInstaller;
}

IPlatformSupport* LinuxPlatformSupportFactory::CreatePlatformSupport()
{
    if (!m_instance)
        m_instance = std::make_unique<LinuxPlatformSupport>();
    return m_instance.get();
}

namespace {
LinuxUsbDriverInstallerFactory g_usbDriverInstallerFactory;
LinuxPlatformSupportFactory g_platformSupportFactory;
} // namespace

void LinkLinuxUsbPlatformServices()
{
    (void)&g_usbDriverInstallerFactory;
    (void)&g_platformSupportFactory;
    CsrUsbInterface::PlatformServices services;
    services.createMonitor = [] { return new MonitorFailedCsrInstallThread; };
    services.uninstallDevice = [](const QString& instance) { return CsrDeviceInfo().UninstallDevice(instance); };
    services.registerIds = &CsrDeviceInfo::SetRegisteredIds;
    CsrUsbInterface::SetPlatformServices(services);
}

} // namespace OrvoCommon
