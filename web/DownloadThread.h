#pragma once

#include "app/OrvoException.h"
#include "web/CurlEasy.h"

#include <QFile>
#include <QString>
#include <QThread>

#include <atomic>

namespace OrvoCommon {

class ILogger;

// What one transfer may take: bytes on disk, and how long a server may keep it waiting.
struct TransferLimits
{
    qint64 maximumSize = 0;
    long connectTimeoutMs = 0;
    long lowSpeedBytesPerSecond = 0; // 0 switches the low-speed check off
    long lowSpeedSeconds = 0;
};

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
    void SetLimits(const TransferLimits& limits) { m_limits = limits; }
    // Ends the transfer at its next progress call; the first reason given is the one reported.
    void Cancel() { SetCancelReason(CanceledByUser); }
    void CancelForFailSafe() { SetCancelReason(CanceledByFailSafe); }

    // After the completion: the body ran past the maximum size, so another try would too.
    bool WasTooLarge() const { return m_tooLarge; }
    // After the completion: the fail-safe ended the transfer and the report already says so.
    bool EndedByFailSafe() const { return m_endedByFailSafe; }

    // Where a local name lands: inside the program's folder, or empty when the name would leave it.
    static QString OutputPath(const QString& localName);

signals:
    void DownloadProgress(QString fileName, short progress);
    void DownloadFileComplete(QString fileName, OrvoCommon::ExceptionPtr exception);
    void Heartbeat();

protected:
    void run() override;

private:
    enum CancelReason
    {
        NotCanceled,
        CanceledByUser,
        CanceledByFailSafe,
    };

    void SetCancelReason(CancelReason reason);
    static size_t WriteData(char* data, size_t size, size_t count, void* self);
    static int Progress(void* self, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t, curl_off_t);
    ExceptionPtr Transfer();
    ExceptionPtr TransferFailure(CURLcode result);

    ILogger* m_logger;
    CurlEasy m_curl;
    QString m_url;
    QString m_localName;
    unsigned int m_minimumSize = 0;
    TransferLimits m_limits;
    QFile m_file;
    qint64 m_written = 0;
    char m_errorText[CURL_ERROR_SIZE] = {};
    std::atomic<int> m_cancelReason{NotCanceled};
    std::atomic<bool> m_tooLarge{false};
    std::atomic<bool> m_endedByFailSafe{false};
    short m_lastProgress = 0;
};

} // namespace OrvoCommon
