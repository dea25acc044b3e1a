#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace UpdatePelarin {

// What the system shows and uploads about the connected headset; filled by the device facade.
struct WebPelarinInfo
{
    QString serialNumber;
    QString firmwareVersion;
    QString hardwareVersion;
    QString deviceName;
    QString bluetoothAddress;
    QStringList bluetoothPairingList;
    std::uint16_t deviceId = 0;
};

} // namespace UpdatePelarin
