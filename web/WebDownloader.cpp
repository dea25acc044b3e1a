#include "web/WebDownloader.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ControlCharacters.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "web/DownloadThread.h"
#include "web/HttpHost.h"
#include "web/WebInterfaceTest.h"

#include <QUrl>

#include <algorithm>
#include <climits>

namespace OrvoCommon {

namespace {
constexpr int FailSafeIntervalMs = 60000;
constexpr int ThreadEndWaitMs = 5000;
constexpr int DefaultHttpPort = 80;

// The time-outs of Config.xml, for a download of at most maximumSize bytes.
TransferLimits ConfiguredLimits(qint64 maximumSize)
{
    unsigned connectMs = ConfigKeys::DownloadConnectTimeoutDefault;
    unsigned lowSpeedLimit = ConfigKeys::DownloadLowSpeedLimitDefault;
    unsigned lowSpeedMs = ConfigKeys::DownloadLowSpeedTimeDefault;
    try {
        IConfiguration* configuration = GetConfiguration();
        connectMs = configuration->GetNumber(QLatin1String(ConfigKeys::DownloadConnectTimeout), connectMs);
        lowSpeedLimit = configuration->GetNumber(QLatin1String(ConfigKeys::DownloadLowSpeedLimit), lowSpeedLimit);
        lowSpeedMs = configuration->GetNumber(QLatin1String(ConfigKeys::DownloadLowSpeedTime), lowSpeedMs);
    } catch (const OrvoException&) {
        // An unreadable Config.xml leaves the defaults; the configuration has logged why.
    }
    TransferLimits limits;
    limits.maximumSize = maximumSize;
    limits.connectTimeoutMs = static_cast<long>(std::min<unsigned>(connectMs, INT_MAX));
    limits.lowSpeedBytesPerSecond = static_cast<long>(std::min<unsigned>(lowSpeedLimit, INT_MAX));
    // libcurl measures the low-speed time in whole seconds.
    limits.lowSpeedSeconds =
        static_cast<long>(std::max<unsigned>(1, (std::min<unsigned>(lowSpeedMs, INT_MAX) + 999) / 1000));
    return limits;
}
} // namespace

WebDownloader::WebDownloader(QObject* parent) : IWebDownloader(parent), m_logger(RequireLogger())
{
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
    Download(fileName, host, urlPath, minimumSize, DefaultMaximumSize, fileName);
}

void WebDownloader::Download(const QString& fileName, const QString& host, const QString& urlPath,
                             unsigned int minimumSize, const QString& localName)
{
    Download(fileName, host, urlPath, minimumSize, DefaultMaximumSize, localName);
}

void WebDownloader::Download(const QString& fileName, const QString& host, const QString& urlPath,
                             unsigned int minimumSize, qint64 maximumSize, const QString& localName)
{
    m_failureWouldRepeat = false;
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
    const std::optional<HttpHost> parsedHost = ParseHttpHost(host);
    if (!parsedHost) {
        m_failureWouldRepeat = true;
        Refuse(localName, ErrorCodes::DownloadError,
               QStringLiteral("The HTTP host ") + EscapeControlCharacters(host) +
                   QStringLiteral(" is not of the form name[:port]"));
        return;
    }

    m_thread->Reset();
    m_thread->SetLocalName(localName);
    m_failSafeTimer.start();
    m_failSafeFired = false;
    m_logger->LogInformation(QStringLiteral("Downloading ") + fileName + QStringLiteral(" from web server"));

    int port = parsedHost->port != 0 ? parsedHost->port : DefaultHttpPort;
    if (const auto overridden = switches->GetDownloadPort())
        port = *overridden;

    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(parsedHost->name);
    url.setPort(port);
    url.setPath(urlPath + fileName);
    m_logger->LogInformation(QStringLiteral("Downloading from ") + url.toString());

    m_thread->SetUrl(QString::fromLatin1(url.toEncoded()));
    m_thread->SetMinimumSize(minimumSize);
    m_thread->SetLimits(ConfiguredLimits(maximumSize));
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
    m_thread->CancelForFailSafe();
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
    m_failureWouldRepeat = exception && m_thread->WasTooLarge();
    // The thread reports a transfer the fail-safe ended itself; one that ended some other way as
    // the fail-safe fired is reported as the fail-safe too.
    if (m_failSafeFired && !m_thread->EndedByFailSafe()) {
        exception = MakeExceptionPtr(QLatin1String(ErrorCodes::DownloadError),
                                     QStringLiteral("A failsafe timeout occurred during download"));
        m_logger->LogException(*exception);
    }
    emit DownloadFileComplete(fileName, exception);
}

} // namespace OrvoCommon
