#pragma once

#include "app/OrvoException.h"
#include "web/CurlEasy.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>

namespace OrvoCommon {

class ILogger;

// Posts one form-encoded body over HTTPS. The owner sets URL and body while the thread is idle.
class UploadThread : public QThread
{
    Q_OBJECT

public:
    explicit UploadThread(QObject* parent = nullptr);
    ~UploadThread() override;

    void Reset();
    void SetUrl(const QString& url) { m_url = url; }
    void SetPostData(const QByteArray& postData) { m_postData = postData; }
    void Cancel() { m_canceled = true; }
    // Tests shorten the four-minute transfer limit.
    void SetTimeoutForTests(long seconds) { m_timeoutSeconds = seconds; }

signals:
    void UploadProgress(short progress);
    void UploadComplete(OrvoCommon::ExceptionPtr exception);

protected:
    void run() override;

private:
    static size_t DiscardResponse(char* data, size_t size, size_t count, void* self);
    static int Progress(void* self, curl_off_t, curl_off_t, curl_off_t uploadTotal, curl_off_t uploaded);

    ILogger* m_logger;
    CurlEasy m_curl;
    QString m_url;
    QByteArray m_postData;
    std::atomic<bool> m_canceled{false};
    long m_timeoutSeconds;
};

} // namespace OrvoCommon
