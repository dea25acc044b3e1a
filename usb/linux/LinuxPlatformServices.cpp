#include "usb/linux/LinuxPlatformServices.h"

#include "usb/linux/LinuxUsbDriverInstaller.h"

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
}

} // namespace OrvoCommon
