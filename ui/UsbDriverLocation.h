#pragma once

#include <QString>

namespace OrvoCommon {
class IConfiguration;
class ILogger;
class IUsbDriverInstaller;
} // namespace OrvoCommon

namespace UpdatePelarin {

// Where the driver package lies beside the program. The 64-bit subfolder is used only when
// Config.xml asks for it ("UseAlternateUsb64BitDriverLocation") on a 64-bit system, so the folder
// the driver is installed from and the package checked afterwards are always the same one. An
// undeterminable system size is logged and counts as 32-bit.
struct UsbDriverLocation
{
    QString directory;   // what the installer is given
    QString packagePath; // what IsDriverInstalled compares
};

UsbDriverLocation FindUsbDriver(OrvoCommon::IUsbDriverInstaller* installer, OrvoCommon::IConfiguration* configuration,
                                OrvoCommon::ILogger* logger);

} // namespace UpdatePelarin
