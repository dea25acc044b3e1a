#pragma once

#include "web/IWebDownloader.h"

#include <QTimer>

#include <memory>

namespace OrvoCommon {

class DownloadThread;
class ILogger;

// Downloads over HTTP on its own DownloadThread, guarded by a fail-safe that ends a transfer when
// no data has arrived for a minute, and by the connect time-out and low-speed limit of Config.xml.
class WebDownloader : public IWebDownloader
{
    Q_OBJECT

public:
    explicit WebDownloader(QObject* parent = nullptr);
    ~WebDownloader() override;

    void Download(const QString& fileName, const QString& host, const QString& urlPath, unsigned int minimumSize,
                  qint64 maximumSize, const QString& localName) override;
    void Download(const QString& fileName, const QString& host, const QString& urlPath, unsigned int minimumSize,
                  const QString& localName) override;
    void Download(const QString& fileName, const QString& host, const QString& urlPath,
                  unsigned int minimumSize) override;
    void Cancel() override;
    bool LastFailureWouldRepeat() const override { return m_failureWouldRepeat; }

    // Tests shorten the fail-safe instead of waiting a minute.
    void SetFailSafeIntervalForTests(int milliseconds) { m_failSafeTimer.setInterval(milliseconds); }

private slots:
    void OnFailSafeTimeout();
    void OnHeartbeat();
    void OnDownloadFileComplete(QString fileName, OrvoCommon::ExceptionPtr exception);

private:
    void Refuse(const QString& localName, const char* errorCode, const QString& message);

    ILogger* m_logger;
    std::unique_ptr<DownloadThread> m_thread;
    QTimer m_failSafeTimer;
    bool m_failSafeFired = false;
    bool m_failureWouldRepeat = false;
};

} // namespace OrvoCommon
