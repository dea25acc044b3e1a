#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QXmlStreamWriter>

namespace UpdatePelarin {

// The XML record of a full script: under the root "entries", one element per command, assertion,
// wait, information or fault switch, each stamped with the local time. Every entry reaches the disk
// as soon as it is written, so a reader can follow a running script; the document is ended when
// the file is replaced or this object goes.
class ResultsFile
{
public:
    ResultsFile() = default;
    ~ResultsFile();
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    // Ends the current file, then creates (truncates) this one; false when it cannot be opened.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }

    // Nothing is written while no file is open.
    void WriteCommand(const QString& name, const QMap<QString, QString>& parameters);
    void WriteAssert(const QString& name, bool check, bool pass);
    void WriteWait(const QString& name, uint timeoutMs);
    void WriteInformation(const QString& message);
    void WriteFault(const QString& name, bool on);

private:
    bool BeginEntry(const QString& kind);
    void EndEntry();
    void WriteText(const QString& element, const QString& text);

    QFile m_file;
    QXmlStreamWriter m_writer;
};

} // namespace UpdatePelarin
