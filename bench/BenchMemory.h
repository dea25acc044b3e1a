#pragma once

#include <QByteArray>
#include <QFile>

// Memory figures of this process from /proc, for the benchmarks' peak-RSS reports.
namespace BenchMemory {

// Kilobytes of a /proc/self/status field such as "VmHWM:"; -1 when it cannot be read.
inline qint64 StatusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Lets VmHWM measure from now on (Linux resets the peak on "5").
inline void ResetPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace BenchMemory
