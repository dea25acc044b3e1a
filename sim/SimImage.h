#pragma once

#include "sim/SimImageFormat.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace Sim {

// A DFU file's suffix fields (USB DFU 1.1, table B-1).
struct DfuSuffix
{
    std::uint16_t bcdDevice = 0xFFFF;
    std::uint16_t idProduct = 0xFFFF;
    std::uint16_t idVendor = 0xFFFF;
    std::uint16_t bcdDfu = 0x0100;
    std::uint8_t length = 16;
    std::uint32_t crc = 0;
};

// What the simulated headset needs to know about an image.
struct SimImageInfo
{
    std::uint16_t subId = 0;
    QString version; // as in the index file, 8 characters
    QByteArray payload;
};

// The DFU suffix CRC: CRC-32 without the final inversion, over everything before dwCRC.
std::uint32_t DfuSuffixCrc(const QByteArray& data);

// Header + payload + DFU suffix with a correct dwCRC.
QByteArray BuildSimImage(const SimImageInfo& info, const DfuSuffix& suffix);

// Header + payload only: what a host downloads to the device (the suffix stays on the host).
QByteArray BuildSimImageBody(const SimImageInfo& info);

enum class SimImageCheck
{
    Ok,
    TooShort,
    BadMagic,
    BadFormatVersion,
    BadHeaderCrc,
    BadLength,
    BadPayloadCrc,
};

// Checks a downloaded body (header and payload, no suffix) the way the device does at
// manifestation. Fills info on success.
SimImageCheck ParseSimImageBody(const QByteArray& body, SimImageInfo* info);

// Splits a whole DFU file into body and suffix; false when it has no valid 16-byte suffix.
bool SplitDfuFile(const QByteArray& file, QByteArray* body, DfuSuffix* suffix);

} // namespace Sim
