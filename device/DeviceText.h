#pragma once

#include "usb/ICsrDevice.h"

#include <QString>

#include <cstdint>

namespace OrvoCommon {

// Four lower-case hexadecimal digits, as ids, statuses and versions appear in the log.
inline QString Hex4(std::uint16_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// The hardware revision a device's bcdDevice stands for: "01.00.00" from 0x0100 (high byte, low
// byte, each two lower-case hexadecimal digits), as the index file lists hardware.
inline QString HardwareRevisionText(std::uint16_t bcdDevice)
{
    return QStringLiteral("%1.%2.00")
        .arg(bcdDevice >> 8, 2, 16, QLatin1Char('0'))
        .arg(bcdDevice & 0xFF, 2, 16, QLatin1Char('0'));
}

// How the log names a device: "0x0a12/0x1f20".
inline QString DeviceIdsText(ICsrDevice* device)
{
    return QStringLiteral("0x%1/0x%2").arg(Hex4(device->GetVendorId()), Hex4(device->GetProductId()));
}

} // namespace OrvoCommon
