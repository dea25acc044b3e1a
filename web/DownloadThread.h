#pragma once

#include "app/OrvoException.h"
#include "web/CurlEasy.h"

#include <QFile>
#include <QString>
#include <QThread>

#include <atomic>

namespace OrvoCommon {

class ILogger;

// Runs one HTTP transfer into a file. The owner sets the fields while the thread is idle; run()
// only reads them. Reused for every download of its WebDownloader.
class DownloadThread : public QThread
{
    Q_OBJECT

public:
    explicit DownloadThread(QObject* parent = nullptr);
    ~DownloadThread() override;

    void Reset();
    void SetLocalName(const QString& localName) { m_localName = localName; }
    void SetUrl(const QString& url) { m_url = url; }
    void SetMinimumSize(unsigned int minimumSize) { m_minimumSize = minimumSize; }
    void Cancel() { m_canceled = true; }

    // Where a local name lands: inside the program's folder, or empty when the name would leave it.
    static QString OutputPath(const QString& localName);

signals:
    void DownloadProgress(QString fileName, short progress);
    void DownloadFileComplete(QString fileName, OrvoCommon::ExceptionPtr exception);
    void Heartbeat();

protected:
    void run() override;

private:
    static size_t WriteData(char* data, size_t size, size_t count, void* self);
    static int Progress(void* self, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t, curl_off_t);
    ExceptionPtr Transfer();

    ILogger* m_logger;
    CurlEasy m_curl;
    QString m_url;
    QString m_localName;
    unsigned int m_minimumSize = 0;
    QFile m_file;
    std::atomic<bool> m_canceled{false};
    short m_lastProgress = 0;
};

} // namespace OrvoCommon
