#include "script/ScriptMessageDecoder.h"

#include <QDataStream>
#include <QIODevice>

#include <limits>

namespace UpdatePelarin {

namespace {

constexpr int SizeBytes = 2;
constexpr int CountBytes = 4;
constexpr quint32 NullStringCount = 0xFFFFFFFF;
// Stream version 9: what the senders of these messages write.
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_4_3;

quint16 BigEndian16(const QByteArray& bytes)
{
    return static_cast<quint16>((static_cast<quint8>(bytes.at(0)) << 8) | static_cast<quint8>(bytes.at(1)));
}

} // namespace

ScriptMessageDecoder::Result ScriptMessageDecoder::Append(const QByteArray& bytes)
{
    if (m_result != Result::NeedMore)
        return m_result;
    // Keep no more than the message needs, so a flood cannot grow the buffer.
    const int wanted = m_size == 0 ? SizeBytes - m_pending.size() : m_size - m_pending.size();
    m_pending.append(bytes.left(wanted));
    if (m_size == 0 && m_pending.size() == SizeBytes) {
        m_size = BigEndian16(m_pending);
        m_pending.clear();
        if (m_size < CountBytes)
            return m_result = Result::Malformed;
        // The rest of this chunk may already hold the body.
        m_pending.append(bytes.mid(wanted, m_size));
    }
    if (m_size == 0 || m_pending.size() < m_size)
        return Result::NeedMore;
    return m_result = Decode();
}

ScriptMessageDecoder::Result ScriptMessageDecoder::Decode()
{
    QDataStream stream(m_pending);
    stream.setVersion(StreamVersion);
    quint32 count = 0;
    stream >> count;
    const bool fits = count == NullStringCount ? m_size == CountBytes : count == quint32(m_size - CountBytes);
    if (!fits)
        return Result::Malformed;
    stream.device()->seek(0);
    stream >> m_script;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return Result::Malformed;
    return Result::Complete;
}

void ScriptMessageDecoder::Reset()
{
    m_pending.clear();
    m_size = 0;
    m_script.clear();
    m_result = Result::NeedMore;
}

QByteArray ScriptMessageDecoder::Encode(const QString& script)
{
    QByteArray body;
    QDataStream stream(&body, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << script;
    if (body.size() > std::numeric_limits<quint16>::max())
        return QByteArray();
    QByteArray message;
    message.append(static_cast<char>(body.size() >> 8));
    message.append(static_cast<char>(body.size() & 0xFF));
    return message + body;
}

} // namespace UpdatePelarin
