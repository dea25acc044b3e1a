#include "usb/linux/LinuxPlatformServices.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/IConfiguration.h"
#include "app/OrvoException.h"
#include "app/ProgramDirectory.h"
#include "usb/CsrUsbInterface.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/linux/CsrDeviceInfo.h"
#include "usb/linux/LibusbTransport.h"
#include "usb/linux/LinuxUsbDriverInstaller.h"
#include "usb/linux/MonitorFailedCsrInstallThread.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <unistd.h>

namespace OrvoCommon {

void LinuxPlatformSupport::OpenUrl(const QString& url)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

namespace {

// The rules folder Config.xml names, relative to the program folder (a bundle may keep its own, the
// demo does); empty when it names none.
QString ConfiguredRulesDirectory()
{
    QString directory;
    try {
        directory = GetConfiguration()->GetString(QLatin1String(ConfigKeys::UdevRulesDirectory), QString());
    } catch (const OrvoException&) {
        // The configuration has logged it; the system's folders are the ones to use.
        return QString();
    }
    if (directory.isEmpty())
        return directory;
    return QDir::isRelativePath(directory) ? QDir(ProgramDirectory()).filePath(directory) : directory;
}

// Whether the folder, or the nearest folder above it that exists, takes the user's files.
bool IsWritableByUser(const QString& directory)
{
    QFileInfo folder(directory);
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace

std::unique_ptr<IUsbDriverInstaller> LinuxUsbDriverInstallerFactory::CreateUsbDriverInstaller()
{
    auto installer = std::make_unique<LinuxUsbDriverInstaller>();
    const QString rulesDirectory = ConfiguredRulesDirectory();
    if (rulesDirectory.isEmpty())
        return installer;
    // A bundle with a rules folder of its own is answered from that folder alone.
    installer->SetRulesDirectory(rulesDirectory);
    installer->SetPackagedRulesDirectory(QString());
    // Root rights only where they are needed: a bundle's own rules folder is the user's.
    if (::geteuid() != 0)
        installer->SetUsePkexec(!IsWritableByUser(rulesDirectory));
    return installer;
}

IPlatformSupport* LinuxPlatformSupportFactory::CreatePlatformSupport()
{
    return m_instance.Get();
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
    CsrUsbInterfaceFactory::Instance()->RegisterTransport(QLatin1String(ConfigKeys::UsbBackendLibusb), [] {
        auto transport = std::make_unique<LibusbTransport>();
        return transport->IsAvailable() ? std::unique_ptr<IUsbTransport>(std::move(transport)) : nullptr;
    });
}

} // namespace OrvoCommon
