#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <initializer_list>

// Little-endian words and byte lists as the chip's messages and descriptors are written.
namespace Sim {

inline std::uint16_t Word(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + offset);
}

inline void PutWord(QByteArray* bytes, int offset, std::uint16_t value)
{
    (*bytes)[offset] = static_cast<char>(value & 0xFF);
    (*bytes)[offset + 1] = static_cast<char>(value >> 8);
}

inline void AppendWord(QByteArray* bytes, std::uint16_t value)
{
    bytes->append(static_cast<char>(value & 0xFF));
    bytes->append(static_cast<char>(value >> 8));
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

} // namespace Sim
