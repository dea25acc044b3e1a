#pragma once

#include <QString>
#include <QStringList>

class QProcess;

namespace TestSupport {

// What a program run with TESSARY_UI_RECORD=folder recorded: trace.txt lines of the form
// "milliseconds event name", one picture and one list of widget places per window or page shown.
class WindowTrace
{
public:
    explicit WindowTrace(const QString& folder) : m_folder(folder) {}

    QString Folder() const { return m_folder; }
    // "event name" per line, without the times, in order.
    QStringList Events() const;
    // Milliseconds since the epoch of the first line "event name"; -1 when there is none.
    qint64 TimeOf(const QString& event, const QString& name) const;
    // Waits (processing events) until a line "event name" has been written.
    bool WaitFor(const QString& event, const QString& name, int timeoutMs) const;
    bool WaitForShown(const QString& name, int timeoutMs) const
    {
        return WaitFor(QStringLiteral("shown"), name, timeoutMs);
    }
    // The centre of the named widget on the screen as the newest record of window shows it; false
    // when that record does not list it.
    bool CentreOf(const QString& window, const QString& widget, int* x, int* y) const;

private:
    QStringList Lines() const;

    QString m_folder;
};

// Waits until the process has ended by itself or has shown the window, which ends it the way a
// session does (SIGTERM). Returns the exit code, -1 for a crash or a hang.
int EndWhenShown(QProcess* process, const WindowTrace& trace, const QString& window, int timeoutMs);

} // namespace TestSupport
