#include "app/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace OrvoCommon {

QString ProgramDirectory()
{
    const QString overridden = qEnvironmentVariable("TESSARY_APP_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(QDir(overridden).absolutePath());
    return QCoreApplication::applicationDirPath();
}

QString TempDirectoryWithSlash()
{
    QString path = QDir::tempPath();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace OrvoCommon
