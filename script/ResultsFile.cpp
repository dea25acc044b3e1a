#include "script/ResultsFile.h"

#include "app/FixedDateFormat.h"

#include <QDateTime>

namespace UpdatePelarin {

namespace {

constexpr int IndentSpaces = 4;
const QString RootElement = QStringLiteral("entries");
const QChar Replacement(QChar::ReplacementCharacter);

QString BoolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// The writer passes control characters and broken surrogate pairs through, which would leave a
// document no parser accepts; scripts may log anything, so those become U+FFFD.
QString XmlSafe(const QString& text)
{
    QString safe = text;
    for (int i = 0; i < safe.size(); ++i) {
        const QChar c = safe.at(i);
        if (c.isHighSurrogate() && i + 1 < safe.size() && safe.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const ushort u = c.unicode();
        const bool allowed =
            (u >= 0x20 || u == 0x09 || u == 0x0A || u == 0x0D) && !c.isSurrogate() && u != 0xFFFE && u != 0xFFFF;
        if (!allowed)
            safe[i] = Replacement;
    }
    return safe;
}

} // namespace

ResultsFile::~ResultsFile()
{
    Close();
}

bool ResultsFile::Open(const QString& path)
{
    Close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    m_writer.setDevice(&m_file);
    m_writer.setCodec("UTF-8");
    m_writer.setAutoFormatting(true);
    m_writer.setAutoFormattingIndent(IndentSpaces);
    m_writer.writeStartDocument();
    m_writer.writeStartElement(RootElement);
    m_file.flush();
    return true;
}

void ResultsFile::Close()
{
    if (!m_file.isOpen())
        return;
    m_writer.writeEndDocument();
    m_writer.setDevice(nullptr);
    m_file.close();
}

void ResultsFile::WriteCommand(const QString& name, const QMap<QString, QString>& parameters)
{
    if (!BeginEntry(QStringLiteral("command")))
        return;
    WriteText(QStringLiteral("name"), name);
    m_writer.writeStartElement(QStringLiteral("parameters"));
    // QMap iterates in ascending order of name, the order readers expect.
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it) {
        m_writer.writeEmptyElement(QStringLiteral("parameter"));
        m_writer.writeAttribute(QStringLiteral("name"), XmlSafe(it.key()));
        m_writer.writeAttribute(QStringLiteral("value"), XmlSafe(it.value()));
    }
    m_writer.writeEndElement();
    EndEntry();
}

void ResultsFile::WriteAssert(const QString& name, bool check, bool pass)
{
    if (!BeginEntry(QStringLiteral("assert")))
        return;
    WriteText(QStringLiteral("name"), name);
    WriteText(QStringLiteral("check"), BoolText(check));
    WriteText(QStringLiteral("pass"), BoolText(pass));
    EndEntry();
}

void ResultsFile::WriteWait(const QString& name, uint timeoutMs)
{
    if (!BeginEntry(QStringLiteral("wait")))
        return;
    WriteText(QStringLiteral("name"), name);
    WriteText(QStringLiteral("time"), QString::number(timeoutMs));
    EndEntry();
}

void ResultsFile::WriteInformation(const QString& message)
{
    if (!BeginEntry(QStringLiteral("information")))
        return;
    WriteText(QStringLiteral("message"), message);
    EndEntry();
}

void ResultsFile::WriteFault(const QString& name, bool on)
{
    if (!BeginEntry(QStringLiteral("fault")))
        return;
    WriteText(QStringLiteral("name"), name);
    WriteText(QStringLiteral("value"), BoolText(on));
    EndEntry();
}

bool ResultsFile::BeginEntry(const QString& kind)
{
    if (!m_file.isOpen())
        return false;
    m_writer.writeStartElement(kind);
    // ASCII digits in every locale: readers parse these stamps.
    m_writer.writeAttribute(
        QStringLiteral("timestamp"),
        OrvoCommon::FixedDateTimeText(QDateTime::currentDateTime(), QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")));
    return true;
}

void ResultsFile::EndEntry()
{
    m_writer.writeEndElement();
    m_file.flush();
}

void ResultsFile::WriteText(const QString& element, const QString& text)
{
    m_writer.writeTextElement(element, XmlSafe(text));
}

} // namespace UpdatePelarin
