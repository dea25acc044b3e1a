#pragma once

#include <QMutex>
#include <QString>

namespace OrvoCommon {

// The list, kept in a text file in the temporary directory, of files to delete at the next
// clean-up. It survives the process so that files a crashed or locked run left behind are still
// removed later. Process-wide; every read and write of the list file is serialised by one mutex.
class TempFileList
{
public:
    static TempFileList* Instance();

    // Re-points the list at another file name in the temporary directory.
    void SetListFileName(const QString& name);
    QString GetListFilePath() const;

    // Stores the path made absolute, one per line; a path holding a control character is not
    // stored (a line break would make it two entries).
    void RegisterTempFile(const QString& path);
    // Deletes every listed file that exists; the list file itself goes only when all of them went,
    // so that the next run tries the rest again. Only absolute paths directly inside the program's
    // folder or anywhere inside the temporary directory are deleted, the places the program writes
    // to; other lines are dropped, since the list lives in a folder other people can write to.
    void DeleteTempFiles();

private:
    TempFileList();

    mutable QMutex m_mutex;
    QString m_listPath;
};

void RegisterTempFile(const QString& path);
void DeleteTempFiles();

} // namespace OrvoCommon
