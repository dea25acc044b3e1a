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

    // The bound of a download whose caller names none; no file this program fetches comes near it.
    static constexpr qint64 DefaultMaximumSize = 64 * 1024 * 1024;

    // host is "name", "name:port" or "[IPv6]:port" (see ParseHttpHost); urlPath starts and ends with
    // "/". A file shorter than minimumSize bytes counts as a failed transfer, and so does one longer
    // than maximumSize, which is stopped as soon as that shows (before its body when the server
    // announces the length). localName is relative to the program's folder.
    virtual void Download(const QString& fileName, const QString& host, const QString& urlPath,
                          unsigned int minimumSize, qint64 maximumSize, const QString& localName) = 0;
    virtual void Download(const QString& fileName, const QString& host, const QString& urlPath,
                          unsigned int minimumSize, const QString& localName) = 0;
    virtual void Download(const QString& fileName, const QString& host, const QString& urlPath,
                          unsigned int minimumSize) = 0;
    virtual void Cancel() = 0;
    // Read while handling a failed DownloadFileComplete: true when trying the same request again
    // would fail the same way (a file larger than its bound, a host text that cannot be read).
    virtual bool LastFailureWouldRepeat() const = 0;

signals:
    void DownloadProgress(QString fileName, short progress);
    // exception is null on success.
    void DownloadFileComplete(QString fileName, OrvoCommon::ExceptionPtr exception);
};

} // namespace OrvoCommon
