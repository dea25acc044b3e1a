#pragma once

#include <QString>
#include <QStringList>

namespace TestSupport {

// Points the process logger at a fresh file of its own, at full level, and reads back what was
// logged since the capture began (or since the last Mark).
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    void Mark();
    QStringList Lines() const;
    QStringList LinesContaining(const QString& text) const;
    bool Contains(const QString& text) const { return !LinesContaining(text).isEmpty(); }
    // An error line carrying the text.
    bool HasError(const QString& text) const;
    QString Path() const { return m_path; }

private:
    QString m_name;
    QString m_path;
    qint64 m_offset = 0;
};

} // namespace TestSupport
