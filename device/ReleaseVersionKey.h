#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace OrvoCommon {

// Which PS key holds a device's release version: the alternative key for the product ids that
// Config.xml's AltPskeyPids names, the default key for every other product. Shared by the version
// query and the programming thread, so both read and write the same key.
class ReleaseVersionKey
{
public:
    // Reads AltPskeyPids on the first call of the process (may throw "config-file-error").
    static std::uint16_t ForProduct(std::uint16_t productId);
    // Every whole-word "0x" followed by exactly four hexadecimal digits, over the full 16-bit range.
    static QList<std::uint16_t> ParseAltPskeyPids(const QString& text);
    // Forgets the list read, so the next call reads Config.xml again. For tests.
    static void ReloadForTest();
};

} // namespace OrvoCommon
