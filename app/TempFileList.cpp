#include "app/TempFileList.h"

#include "app/ProgramDirectory.h"

#include <QFile>
#include <QMutexLocker>

namespace OrvoCommon {

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
    QMutexLocker lock(&m_mutex);
    if (m_listPath.isEmpty())
        return;
    QFile list(m_listPath);
    if (!list.open(QIODevice::Append | QIODevice::Text))
        return;
    list.write(path.toLocal8Bit() + '\n');
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
        if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path))
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
