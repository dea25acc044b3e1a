#include "ui/UsbDriverLocation.h"

#include "app/ConfigKeys.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/ProgramDirectory.h"
#include "usb/IUsbDriverInstaller.h"

using namespace OrvoCommon;

namespace UpdatePelarin {

UsbDriverLocation FindUsbDriver(IUsbDriverInstaller* installer, IConfiguration* configuration, ILogger* logger)
{
    const int is64Bit = installer->IsOs64Bit();
    if (is64Bit == -1)
        logger->LogError(QStringLiteral("UpdatePelarinApp: IsOs64Bit() returned an error when called.  OS size "
                                        "cannot be determined."));
    const bool alternate = is64Bit == 1 && configuration->UseAlternateUsb64BitDriverLocation();

    UsbDriverLocation location;
    location.directory = ProgramDirectory() + QLatin1Char('/') +
                         configuration->GetString(QLatin1String(ConfigKeys::UsbDriverSubdirectory),
                                                  QLatin1String(ConfigKeys::UsbDriverSubdirectoryDefault));
    if (alternate) {
        location.directory +=
            QLatin1Char('/') + configuration->GetString(QLatin1String(ConfigKeys::Usb64BitDriverSubdirectory),
                                                        QLatin1String(ConfigKeys::Usb64BitDriverSubdirectoryDefault));
        location.packagePath = location.directory + QLatin1Char('/') +
                               configuration->GetString(QLatin1String(ConfigKeys::Usb64BitDriverInfFilename),
                                                        QLatin1String(ConfigKeys::Usb64BitDriverInfFilenameDefault));
    } else {
        location.packagePath = location.directory + QLatin1Char('/') +
                               configuration->GetString(QLatin1String(ConfigKeys::UsbDriverInfFilename),
                                                        QLatin1String(ConfigKeys::UsbDriverInfFilenameDefault));
    }
    return location;
}

} // namespace UpdatePelarin
