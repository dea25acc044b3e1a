#include "tests/support/RawPackets.h"

#include <QtEndian>

namespace TestSupport::Raw {

QByteArray Le16(int value)
{
    QByteArray bytes(2, '\0');
    PutLe16(&bytes, 0, value);
    return bytes;
}

void PutLe16(QByteArray* bytes, int offset, int value)
{
    (*bytes)[offset] = static_cast<char>(value & 0xFF);
    (*bytes)[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

QByteArray Words(std::initializer_list<int> words)
{
    QByteArray bytes;
    for (int w : words)
        bytes += Le16(w);
    return bytes;
}

QByteArray HciVendorCommand(const QByteArray& payload, int descriptor)
{
    QByteArray command = Le16(0xFC00);
    command.append(static_cast<char>(payload.size() + 1));
    command.append(static_cast<char>(descriptor));
    return command + payload;
}

QByteArray BcCmd(int type, int seq, int varid, const QByteArray& payload)
{
    QByteArray padded = payload;
    if (padded.size() < 8)
        padded.append(QByteArray(8 - padded.size(), '\0'));
    return Words({type, (10 + padded.size()) / 2, seq, varid, 0}) + padded;
}

QByteArray VendorEvent(const QByteArray& message, int descriptor)
{
    QByteArray event;
    event.append(static_cast<char>(0xFF));
    event.append(static_cast<char>(message.size() + 1));
    event.append(static_cast<char>(descriptor));
    return event + message;
}

QString NumericVersion(const QByteArray& value)
{
    if (value.size() < 2)
        return QString();
    const auto b = [&](int i) { return static_cast<quint8>(value.at(i)); };
    QString text = QStringLiteral("%1.%2.").arg(b(1), 2, 16, QLatin1Char('0')).arg(b(0), 2, 16, QLatin1Char('0'));
    if (value.size() > 3)
        text += QString(QChar(b(3))) + QChar(b(2));
    else
        text += QStringLiteral("00");
    return text.toUpper();
}

} // namespace TestSupport::Raw
