#include "firmware/IndexNumber.h"

namespace OrvoCommon {

namespace {

int DigitValue(QChar c, int base)
{
    const ushort u = c.unicode();
    int digit = base;
    if (u >= '0' && u <= '9')
        digit = u - '0';
    else if (u >= 'a' && u <= 'f')
        digit = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        digit = u - 'A' + 10;
    return digit < base ? digit : -1;
}

} // namespace

IndexNumberResult ParseIndexNumber(const QString& text, std::uint32_t maximum, std::uint32_t* value)
{
    const QStringRef trimmed = QStringRef(&text).trimmed();
    int base = 10;
    int start = 0;
    if (trimmed.size() > 1 && trimmed.at(0) == QLatin1Char('0') &&
        (trimmed.at(1) == QLatin1Char('x') || trimmed.at(1) == QLatin1Char('X'))) {
        base = 16;
        start = 2;
    } else if (trimmed.size() > 1 && trimmed.at(0) == QLatin1Char('0')) {
        base = 8;
        start = 1;
    }
    if (start >= trimmed.size())
        return IndexNumberResult::NotNumeric;

    // Every character is checked before the size, so "99999999999z" is not numeric rather than too big.
    std::uint64_t result = 0;
    bool tooBig = false;
    for (int i = start; i < trimmed.size(); ++i) {
        const int digit = DigitValue(trimmed.at(i), base);
        if (digit < 0)
            return IndexNumberResult::NotNumeric;
        if (!tooBig) {
            result = result * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
            tooBig = result > maximum;
        }
    }
    if (tooBig)
        return IndexNumberResult::OutOfRange;
    if (value)
        *value = static_cast<std::uint32_t>(result);
    return IndexNumberResult::Ok;
}

} // namespace OrvoCommon
