#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace OrvoCommon {

// CRC-32 of ISO-HDLC (reflected polynomial 0x04C11DB7, initial value 0xFFFFFFFF) through zlib, fed in
// pieces so that large files need not sit in memory. The caller picks the final XOR: the index and
// image checks want the standard CRC-32, the DFU suffix wants it without the final inversion.
class Crc32
{
public:
    static constexpr std::uint32_t StandardFinalXor = 0xFFFFFFFF;
    static constexpr std::uint32_t NoFinalXor = 0;

    void Update(const char* data, std::size_t size);
    void Update(const QByteArray& data) { Update(data.constData(), static_cast<std::size_t>(data.size())); }
    std::uint32_t Value(std::uint32_t finalXor = StandardFinalXor) const;

    static std::uint32_t Of(const QByteArray& data, std::uint32_t finalXor = StandardFinalXor);

private:
    // zlib's running value is the standard CRC-32 of what was fed so far.
    unsigned long m_zlibCrc = 0;
};

} // namespace OrvoCommon
