#include "web/WebDownloader.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "web/DownloadThread.h"
#include "web/WebInterfaceTest.h"

#include <QUrl>

namespace OrvoCommon {

namespace {
constexpr int FailSafeIntervalMs = 60000;
constexpr int ThreadEndWaitMs = 5000;
constexpr int DefaultHttpPort = 80;
} // namespace

WebDownloader::WebDownloader(QObject* parent) : IWebDownloader(parent), m_logger(GetLogger())
{
    if (!m_logger)
        throw OrvoException(QLatin1String(ErrorCodes::InternalError), QStringLiteral("Unable to get ILogger"));
    RegisterCommonMetaTypes();
    m_thread = std::make_unique<DownloadThread>();
    m_failSafeTimer.setSingleShot(true);
    m_failSafeTimer.setInterval(FailSafeIntervalMs);

    connect(m_thread.get(), &DownloadThread::DownloadProgress, this, &IWebDownloader::DownloadProgress);
    connect(m_thread.get(), &DownloadThread::DownloadFileComplete, this, &WebDownloader::OnDownloadFileComplete,
            Qt::QueuedConnection);
    connect(m_thread.get(), &DownloadThread::Heartbeat, this, &WebDownloader::OnHeartbeat);
    connect(&m_failSafeTimer, &QTimer::timeout, this, &WebDownloader::OnFailSafeTimeout);
}

WebDownloader::~WebDownloader()
{
    m_thread->Cancel();
    m_thread->wait();
}

void WebDownloader::Download(const QString& fileName, const QString& host, const QString& urlPath,
                             unsigned int minimumSize)
{
    Download(fileName, host, urlPath, minimumSize, fileName);
}

void WebDownloader::Download(const QString& fileName, const QString& host, const QString& urlPath,
                             unsigned int minimumSize, const QString& localName)
{
    if (!urlPath.startsWith(QLatin1Char('/')) || !urlPath.endsWith(QLatin1Char('/'))) {
        Refuse(localName, ErrorCodes::InternalError, QStringLiteral("URL path must start and end with /"));
        return;
    }
    if (m_thread->isRunning()) {
        Refuse(localName, ErrorCodes::DownloadInProgress, QStringLiteral("A download is already in progress"));
        return;
    }
    WebInterfaceTest* switches = WebInterfaceTestFactory::CreateWebInterfaceTest();
    if (switches->IsWebServerCommFault()) {
        Refuse(localName, ErrorCodes::DownloadError, QStringLiteral("Web server comm fault is enabled"));
        return;
    }

    m_thread->Reset();
    m_thread->SetLocalName(localName);
    m_failSafeTimer.start();
    m_failSafeFired = false;
    m_logger->LogInformation(QStringLiteral("Downloading ") + fileName + QStringLiteral(" from web server"));

    const QStringList parts = host.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    QString hostName = host;
    int port = DefaultHttpPort;
    if (parts.size() >= 2) {
        hostName = parts.at(0);
        bool numeric = false;
        port = parts.at(1).toInt(&numeric, 10);
        if (!numeric)
            port = DefaultHttpPort;
    }
    if (const auto overridden = switches->GetDownloadPort())
        port = *overridden;

    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(hostName);
    url.setPort(port);
    url.setPath(urlPath + fileName);
    m_logger->LogInformation(QStringLiteral("Downloading from ") + url.toString());

    m_thread->SetUrl(QString::fromLatin1(url.toEncoded()));
    m_thread->SetMinimumSize(minimumSize);
    m_thread->start(QThread::InheritPriority);
}

void WebDownloader::Cancel()
{
    m_thread->Cancel();
}

void WebDownloader::Refuse(const QString& localName, const char* errorCode, const QString& message)
{
    const ExceptionPtr exception = MakeExceptionPtr(QLatin1String(errorCode), message);
    m_logger->LogException(*exception);
    emit DownloadFileComplete(localName, exception);
}

void WebDownloader::OnFailSafeTimeout()
{
    m_logger->LogError(QStringLiteral("Fail safe timeout during download"));
    m_failSafeFired = true;
    Cancel();
}

void WebDownloader::OnHeartbeat()
{
    if (m_failSafeTimer.isActive())
        m_failSafeTimer.start();
}

void WebDownloader::OnDownloadFileComplete(QString fileName, ExceptionPtr exception)
{
    m_failSafeTimer.stop();
    m_thread->wait(ThreadEndWaitMs);
    if (m_failSafeFired) {
        exception = MakeExceptionPtr(QLatin1String(ErrorCodes::DownloadError),
                                     QStringLiteral("A failsafe timeout occurred during download"));
        m_logger->LogException(*exception);
    }
    emit DownloadFileComplete(fileName, exception);
}

} // namespace OrvoCommon
