#include "tests/support/WindowTrace.h"

#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace TestSupport {

QStringList WindowTrace::Lines() const
{
    return QString::fromUtf8(ReadFile(QDir(m_folder).filePath(QStringLiteral("trace.txt"))))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList WindowTrace::Events() const
{
    QStringList events;
    for (const QString& line : Lines())
        events.append(line.section(QLatin1Char(' '), 1));
    return events;
}

qint64 WindowTrace::TimeOf(const QString& event, const QString& name) const
{
    const QString wanted = event + QLatin1Char(' ') + name;
    for (const QString& line : Lines()) {
        if (line.section(QLatin1Char(' '), 1) == wanted)
            return line.section(QLatin1Char(' '), 0, 0).toLongLong();
    }
    return -1;
}

bool WindowTrace::WaitFor(const QString& event, const QString& name, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return TimeOf(event, name) >= 0; }, timeoutMs);
}

bool WindowTrace::CentreOf(const QString& window, const QString& widget, int* x, int* y) const
{
    const QStringList records =
        QDir(m_folder).entryList({QStringLiteral("*-") + window + QStringLiteral(".txt")}, QDir::Files, QDir::Name);
    if (records.isEmpty())
        return false;
    const QStringList places =
        QString::fromUtf8(ReadFile(QDir(m_folder).filePath(records.last()))).split(QLatin1Char('\n'));
    for (const QString& place : places) {
        const QStringList fields = place.split(QLatin1Char(' '));
        if (fields.size() == 5 && fields.at(0) == widget) {
            *x = fields.at(1).toInt() + fields.at(3).toInt() / 2;
            *y = fields.at(2).toInt() + fields.at(4).toInt() / 2;
            return true;
        }
    }
    return false;
}

int EndWhenShown(QProcess* process, const WindowTrace& trace, const QString& window, int timeoutMs)
{
    const bool shown = QTest::qWaitFor(
        [&] { return process->state() == QProcess::NotRunning || trace.TimeOf(QStringLiteral("shown"), window) >= 0; },
        timeoutMs);
    if (shown && process->state() != QProcess::NotRunning)
        process->terminate();
    if (process->state() != QProcess::NotRunning && !process->waitForFinished(timeoutMs))
        return -1;
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
}

} // namespace TestSupport
