#include "app/TempFileList.h"

#include "app/ControlCharacters.h"
#include "app/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

namespace OrvoCommon {

namespace {

// A listed path the program may have written: a file directly in its folder (downloads) or one
// inside the temporary directory (logs, and the folders older runs were unpacked to).
bool IsDeletable(const QString& path)
{
    if (!QDir::isAbsolutePath(path) || QDir::cleanPath(path) != path)
        return false;
    return QFileInfo(path).path() == QDir::cleanPath(ProgramDirectory()) || path.startsWith(TempDirectoryWithSlash());
}

} // namespace

TempFileList* TempFileList::Instance()
{
    static TempFileList list;
    return &list;
}

TempFileList::TempFileList() : m_listPath(TempDirectoryWithSlash() + QStringLiteral("OrvoTempFiles.txt")) {}

void TempFileList::SetListFileName(const QString& name)
{
    QMutexLocker lock(&m_mutex);
    m_listPath = TempDirectoryWithSlash() + name;
}

QString TempFileList::GetListFilePath() const
{
    QMutexLocker lock(&m_mutex);
    return m_listPath;
}

void TempFileList::RegisterTempFile(const QString& path)
{
    if (path.isEmpty() || ContainsControlCharacters(path))
        return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QMutexLocker lock(&m_mutex);
    if (m_listPath.isEmpty())
        return;
    QFile list(m_listPath);
    if (!list.open(QIODevice::Append | QIODevice::Text))
        return;
    list.write(absolute.toLocal8Bit() + '\n');
}

void TempFileList::DeleteTempFiles()
{
    QMutexLocker lock(&m_mutex);
    if (m_listPath.isEmpty())
        return;
    QFile list(m_listPath);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    bool allDeleted = true;
    while (!list.atEnd()) {
        QByteArray line = list.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        const QString path = QString::fromLocal8Bit(line);
        if (IsDeletable(path) && QFile::exists(path) && !QFile::remove(path))
            allDeleted = false;
    }
    list.close();
    if (allDeleted)
        list.remove();
}

void RegisterTempFile(const QString& path)
{
    TempFileList::Instance()->RegisterTempFile(path);
}

void DeleteTempFiles()
{
    TempFileList::Instance()->DeleteTempFiles();
}

} // namespace OrvoCommon
