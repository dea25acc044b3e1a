#pragma once

#include <QByteArray>
#include <QString>

namespace UpdatePelarin {

// Assembles one light-script message from the bytes of a TCP connection as they arrive: a 16-bit
// big-endian size, then that many bytes holding the script as a Qt data stream string (version 9:
// a 32-bit byte count, 0xFFFFFFFF for a null string, then UTF-16 big-endian text). The string must
// fill the announced size exactly; anything else is a malformed message, never a guess.
class ScriptMessageDecoder
{
public:
    enum class Result
    {
        NeedMore,
        Complete,
        Malformed,
    };

    // Takes the next bytes of the connection. Once Complete or Malformed, further bytes are ignored.
    Result Append(const QByteArray& bytes);
    // The script of a complete message.
    QString Script() const { return m_script; }
    // True when bytes of an unfinished message are held (what a disconnect would drop).
    bool HasPartialMessage() const { return m_result == Result::NeedMore && !m_pending.isEmpty(); }
    // The announced size, 0 while it has not arrived.
    quint16 AnnouncedSize() const { return m_size; }
    void Reset();

    // A message as a sender writes it; empty when the script does not fit in one message.
    static QByteArray Encode(const QString& script);

private:
    Result Decode();

    QByteArray m_pending;
    quint16 m_size = 0;
    QString m_script;
    Result m_result = Result::NeedMore;
};

} // namespace UpdatePelarin
