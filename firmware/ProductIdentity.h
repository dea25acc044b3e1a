#pragma once

#include <QString>

#include <cstdint>

namespace OrvoCommon {

// The key with which the connected device is looked up in the index file. Filled by the device
// facade; copied by value.
struct ProductIdentity
{
    std::uint16_t productId = 0;
    QString hardwareRevision;
    // Compared only with images that have a personality.
    std::int16_t personality = 0;
    // -1 means the device has no variant.
    std::int16_t variant = -1;
};

} // namespace OrvoCommon
