#include "sysinfo/linux/SysfsFiles.h"

#include <QFile>
#include <QFileInfo>

namespace OrvoCommon {

QByteArray ReadFileBytes(const QString& path, qint64 limit)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    QByteArray data;
    while (data.size() < limit) {
        const QByteArray chunk = file.read(limit - data.size());
        if (chunk.isEmpty())
            break;
        data += chunk;
    }
    return data;
}

QString ReadSysfsAttribute(const QString& path)
{
    return QString::fromUtf8(ReadFileBytes(path, SmallFileLimit)).trimmed();
}

} // namespace OrvoCommon
