#include "firmware/Crc32.h"

#include <zlib.h>

namespace OrvoCommon {

void Crc32::Update(const char* data, std::size_t size)
{
    m_zlibCrc = crc32_z(m_zlibCrc, reinterpret_cast<const Bytef*>(data), size);
}

std::uint32_t Crc32::Value(std::uint32_t finalXor) const
{
    // zlib has already applied the standard inversion; undo it and apply the caller's.
    return static_cast<std::uint32_t>(m_zlibCrc) ^ StandardFinalXor ^ finalXor;
}

std::uint32_t Crc32::Of(const QByteArray& data, std::uint32_t finalXor)
{
    Crc32 crc;
    crc.Update(data);
    return crc.Value(finalXor);
}

} // namespace OrvoCommon
