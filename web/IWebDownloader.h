#pragma once

#include "app/OrvoException.h"

#include <QObject>
#include <QString>

namespace OrvoCommon {

// Fetches one file at a time over HTTP into the program's folder without blocking the caller.
// Every request, refused or not, ends with exactly one DownloadFileComplete on the owner's thread.
class IWebDownloader : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IWebDownloader() override = default;

    // host is "name" or "name:port"; urlPath starts and ends with "/". A file shorter than
    // minimumSize bytes counts as a failed transfer. localName is relative to the program's folder.
    virtual void Download(const QString& fileName, const QString& host, const QString& urlPath,
                          unsigned int minimumSize, const QString& localName) = 0;
    virtual void Download(const QString& fileName, const QString& host, const QString& urlPath,
                          unsigned int minimumSize) = 0;
    virtual void Cancel() = 0;

signals:
    void DownloadProgress(QString fileName, short progress);
    // exception is null on success.
    void DownloadFileComplete(QString fileName, OrvoCommon::ExceptionPtr exception);
};

} // namespace OrvoCommon
