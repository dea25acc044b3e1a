#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>

namespace OrvoCommon {

// Little-endian 16-bit words: the unit of BCCMD messages and PS values, and the byte order of USB
// descriptors and control requests.
inline void AppendWord(QByteArray* bytes, std::uint16_t word)
{
    bytes->append(static_cast<char>(word & 0xFF));
    bytes->append(static_cast<char>(word >> 8));
}

// The caller makes sure that offset + 2 bytes exist.
inline std::uint16_t WordAt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + offset);
}

} // namespace OrvoCommon
