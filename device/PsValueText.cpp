#include "device/PsValueText.h"

#include <cstdint>

namespace OrvoCommon {

namespace {

std::uint8_t Byte(const QByteArray& value, int index)
{
    return index < value.size() ? static_cast<std::uint8_t>(value.at(index)) : 0;
}

QString HexByte(const QByteArray& value, int index)
{
    return QStringLiteral("%1").arg(Byte(value, index), 2, 16, QLatin1Char('0'));
}

QChar Character(const QByteArray& value, int index)
{
    return QChar(Byte(value, index));
}

} // namespace

QString PsValueText::Address(const QByteArray& value)
{
    if (value.size() < 8)
        return QString();
    return QStringLiteral("%1:%2:%3:%4:%5:%6")
        .arg(HexByte(value, 7), HexByte(value, 6), HexByte(value, 4), HexByte(value, 0), HexByte(value, 3),
             HexByte(value, 2))
        .toUpper();
}

QString PsValueText::NumericVersion(const QByteArray& value)
{
    const bool hasBuild = value.size() > 2;
    const QChar build1 = hasBuild ? Character(value, 3) : QLatin1Char('0');
    const QChar build2 = hasBuild ? Character(value, 2) : QLatin1Char('0');
    return QStringLiteral("%1.%2.%3%4").arg(HexByte(value, 1), HexByte(value, 0), build1, build2).toUpper();
}

QString PsValueText::CharacterVersion(const QByteArray& value)
{
    if (value.size() <= 4)
        return QStringLiteral("00.00.00");
    QString text;
    for (const int index : {1, 0, -1, 3, 2, -1, 5, 4}) {
        if (index < 0)
            text.append(QLatin1Char('.'));
        else
            text.append(Character(value, index));
    }
    return text.toUpper();
}

QString PsValueText::SerialNumber(const QByteArray& value)
{
    QString text;
    for (int i = 0; i < value.size(); i += 2)
        text.append(QChar(static_cast<char16_t>(Byte(value, i) | (Byte(value, i + 1) << 8))));
    return text;
}

QString PsValueText::DeviceName(const QByteArray& value)
{
    const int end = value.indexOf('\0');
    return QString::fromLatin1(end < 0 ? value : value.left(end));
}

} // namespace OrvoCommon
