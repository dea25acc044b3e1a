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

// How the log names a device: "0x0a12/0x1f20".
inline QString DeviceIdsText(ICsrDevice* device)
{
    return QStringLiteral("0x%1/0x%2").arg(Hex4(device->GetVendorId()), Hex4(device->GetProductId()));
}

} // namespace OrvoCommon
