#include "web/WebUploader.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "web/UploadQuery.h"
#include "web/UploadThread.h"
#include "web/WebInterfaceTest.h"
#include "web/WebSystemInfo.h"
#include "web/WebVersionInfo.h"

#include <QMutex>
#include <QUrl>

using namespace OrvoCommon;

namespace UpdatePelarin {

namespace {
constexpr int HttpsPort = 443;
constexpr int ThreadEndWaitMs = 5000;
constexpr char SystemInfoPath[] = "/web/diagnostic";
constexpr char VersionInfoPath[] = "/web/lss";

QMutex g_makerHostMutex;
QString g_makerHostForTests;

QString MakerHost()
{
    QMutexLocker lock(&g_makerHostMutex);
    return g_makerHostForTests.isEmpty() ? QString::fromLatin1(MakerUploadHost) : g_makerHostForTests;
}
} // namespace

WebUploader::WebUploader(QObject* parent) : IWebUploader(parent), m_logger(RequireLogger())
{
    RegisterCommonMetaTypes();
    m_thread = std::make_unique<UploadThread>();
    connect(m_thread.get(), &UploadThread::UploadProgress, this, &IWebUploader::UploadProgress);
    connect(m_thread.get(), &UploadThread::UploadComplete, this, &WebUploader::OnUploadComplete, Qt::QueuedConnection);
}

WebUploader::~WebUploader()
{
    m_thread->Cancel();
    m_thread->wait();
}

void WebUploader::SetMakerHostForTests(const QString& host)
{
    QMutexLocker lock(&g_makerHostMutex);
    g_makerHostForTests = host;
}

void WebUploader::SetTimeoutForTests(long seconds)
{
    m_thread->SetTimeoutForTests(seconds);
}

bool WebUploader::MayStart(Kind kind)
{
    ExceptionPtr refusal;
    if (m_thread->isRunning())
        refusal = MakeExceptionPtr(QLatin1String(ErrorCodes::UploadInProgress),
                                   QStringLiteral("An upload is already in progress"));
    else if (WebInterfaceTestFactory::CreateWebInterfaceTest()->IsWebServerCommFault())
        refusal = MakeExceptionPtr(QLatin1String(ErrorCodes::UploadError),
                                   QStringLiteral("Web server comm fault is enabled"));
    if (!refusal)
        return true;
    m_logger->LogException(*refusal);
    if (kind == Kind::SystemInfo)
        emit UploadSystemInfoComplete(refusal);
    else
        emit UploadVersionInfoComplete(refusal);
    return false;
}

void WebUploader::UploadSystemInfo(const WebSystemInfo& info, const QStringList& errorLines)
{
    if (!MayStart(Kind::SystemInfo))
        return;
    emit UploadProgress(0);
    m_logger->LogInformation(QStringLiteral("Uploading system info to web server"));
    const QByteArray query = UploadQuery::SystemInfo(info, errorLines);
    m_logger->LogInformation(QStringLiteral("Query string is: ") + QString::fromLatin1(query));
    m_logger->LogInformation(QStringLiteral("Query string length is: ") + QString::number(query.size()));
    const QString hostText = WebInterfaceTestFactory::CreateWebInterfaceTest()->GetHostText();
    Start(hostText.isEmpty() ? MakerHost() : hostText, QLatin1String(SystemInfoPath), query);
}

void WebUploader::UploadVersionInfo(const WebVersionInfo& info)
{
    if (!MayStart(Kind::VersionInfo))
        return;
    emit UploadProgress(0);
    m_logger->LogInformation(QStringLiteral("Uploading version update info to web server"));
    const QByteArray query = UploadQuery::VersionInfo(info);
    m_logger->LogInformation(QStringLiteral("Version Query string is: ") + QString::fromLatin1(query));
    m_logger->LogInformation(QStringLiteral("Version Query string length is: ") + QString::number(query.size()));
    Start(MakerHost(), QLatin1String(VersionInfoPath), query);
}

void WebUploader::Start(const QString& host, const QString& path, const QByteArray& postData)
{
    // Always HTTPS: an overridden port must not send the user's data in clear text.
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(host);
    url.setPort(WebInterfaceTestFactory::CreateWebInterfaceTest()->GetUploadPort().value_or(HttpsPort));
    url.setPath(path);

    m_thread->Reset();
    m_thread->SetUrl(QString::fromLatin1(url.toEncoded()));
    m_thread->SetPostData(postData);
    m_thread->start(QThread::InheritPriority);
}

void WebUploader::CancelUpload()
{
    m_thread->Cancel();
}

void WebUploader::OnUploadComplete(ExceptionPtr exception)
{
    // The thread is done once it has emitted; let it end so that the next upload is not refused.
    m_thread->wait(ThreadEndWaitMs);
    emit UploadSystemInfoComplete(exception);
    emit UploadVersionInfoComplete(exception);
}

} // namespace UpdatePelarin
