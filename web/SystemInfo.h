#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace OrvoCommon {

// What the system information reader collects about the computer, copied by value. A new record
// has empty texts and lists and -1 for both memory figures, the values that mean "unknown".
struct SystemInfo
{
    struct PciDevice
    {
        QString name;
        std::uint16_t vendorId = 0;
        std::uint16_t deviceId = 0;
    };

    // A USB host controller, hub or device with what is plugged in below it.
    struct UsbNode
    {
        enum Speed : int
        {
            SpeedHigh = 0,
            SpeedFull = 1,
            SpeedLow = 2,
            SpeedUnknown = 3,
        };

        std::uint16_t deviceClass = 0;
        QString name;
        int speed = SpeedUnknown;
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        QString version;  // bcdUSB as "2.00"
        QString revision; // bcdDevice in the same form
        std::vector<UsbNode> children;
    };

    struct UsbDriver
    {
        QString driverPath;
        QString version;
        QDate date; // invalid when the driver file has none
    };

    QString osName;
    QString servicePack;
    QList<PciDevice> pciDevices;
    QList<UsbNode> usbControllers;
    QList<UsbDriver> usbDrivers;
    std::int32_t totalMemoryMb = -1;
    std::int32_t freeMemoryMb = -1;
    QString processorName;
    QString processorCaption;
};

} // namespace OrvoCommon
