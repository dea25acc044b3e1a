#pragma once

#include "app/LazyInstance.h"
#include "usb/IPlatformSupport.h"
#include "usb/IUsbDriverInstaller.h"

#include <memory>

namespace OrvoCommon {

class LinuxPlatformSupport : public IPlatformSupport
{
public:
    void OpenUrl(const QString& url) override;
};

class LinuxUsbDriverInstallerFactory : public UsbDriverInstallerFactory
{
public:
    LinuxUsbDriverInstallerFactory() { Register(this); }
    // A new installer for every caller, who owns it.
    std::unique_ptr<IUsbDriverInstaller> CreateUsbDriverInstaller() override;
};

class LinuxPlatformSupportFactory : public PlatformSupportFactory
{
public:
    LinuxPlatformSupportFactory() { Register(this); }
    IPlatformSupport* CreatePlatformSupport() override;

private:
    LazyInstance<LinuxPlatformSupport> m_instance;
};

// Registers the Linux installer, platform support, failed-install detection and the libusb transport;
// call once from main.
void LinkLinuxUsbPlatformServices();

} // namespace OrvoCommon
