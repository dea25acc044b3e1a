#pragma once

#include <QByteArray>
#include <QString>

namespace OrvoCommon {

// How the query threads turn PS and BCCMD values into the texts the rest of the program sees.
// Missing bytes count as 0 where a format reaches past the end of a short value.
class PsValueText
{
public:
    // "00:02:5B:00:A1:B2" from the four address words; empty when fewer than 8 bytes.
    static QString Address(const QByteArray& value);
    // "%1.%2.%3%4": b1 and b0 in hexadecimal, then b3 and b2 as characters ("0" "0" for 2 bytes or fewer).
    static QString NumericVersion(const QByteArray& value);
    // "%1%2.%3%4.%5%6": b1 b0, b3 b2, b5 b4 as characters; all "0" for 4 bytes or fewer.
    static QString CharacterVersion(const QByteArray& value);
    // One UTF-16 code unit per word, low byte first; every code unit kept.
    static QString SerialNumber(const QByteArray& value);
    // 8-bit characters up to the first zero byte.
    static QString DeviceName(const QByteArray& value);
};

} // namespace OrvoCommon
