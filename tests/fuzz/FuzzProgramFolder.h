#pragma once

#include "app/ILogger.h"
#include "app/LoggerFactory.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// A program folder of the fuzz target's own in /dev/shm (TESSARY_APP_DIR points at it), where each
// input is written as the file the program would read. Logging is off: millions of rejected inputs
// would otherwise fill the error log.
namespace FuzzProgramFolder {

// The path of a file in the folder, which the first call makes; aborts when it cannot.
inline QString FilePath(const QString& name)
{
    static QTemporaryDir folder(QStringLiteral("/dev/shm/tessary-fuzz-XXXXXX"));
    if (!folder.isValid())
        std::abort();
    qputenv("TESSARY_APP_DIR", QFile::encodeName(folder.path()));
    OrvoCommon::GetLogger()->SetLoggingLevel(0);
    return folder.filePath(name);
}

inline void Write(const QString& path, const char* data, std::size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(data, static_cast<qint64>(size));
}

} // namespace FuzzProgramFolder
