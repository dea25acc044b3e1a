#pragma once

#include <QString>

#include <cstdint>

namespace OrvoCommon {

enum class IndexNumberResult
{
    Ok,
    NotNumeric,
    OutOfRange,
};

// An unsigned number of the index file with C-style base prefixes: "0x"/"0X" hexadecimal, a
// leading 0 octal, decimal otherwise; white space around it is allowed, signs are not. A value
// above maximum (at most 0xFFFFFFFF) is out of range rather than wrapped.
IndexNumberResult ParseIndexNumber(const QString& text, std::uint32_t maximum, std::uint32_t* value);

} // namespace OrvoCommon
