#include "app/StaleFolderCleanup.h"

#include "app/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace OrvoCommon {

void RemoveStaleExtractionFolders(const QString& tempDirectory, const QString& programDirectory,
                                  const QString& programFileName)
{
    const QString ownFolderName = QFileInfo(programDirectory).fileName();
    const QString ownFolderPath = QFileInfo(programDirectory).canonicalFilePath();
    const QDir temp(tempDirectory);
    const QStringList candidates =
        temp.entryList({QStringLiteral("7zS*.tmp")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : candidates) {
        const QString path = temp.filePath(name);
        if (name == ownFolderName || QFileInfo(path).canonicalFilePath() == ownFolderPath)
            continue;
        const QStringList files = QDir(path).entryList(QDir::Files | QDir::Hidden);
        if (files.contains(programFileName) && files.contains(QStringLiteral("Config.xml")) &&
            files.contains(QStringLiteral("eula_en.htm")))
            QDir(path).removeRecursively();
    }
}

void RemoveStaleExtractionFoldersOfThisProgram()
{
    RemoveStaleExtractionFolders(QDir::tempPath(), ProgramDirectory(),
                                 QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

} // namespace OrvoCommon
