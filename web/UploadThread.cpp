#include "web/UploadThread.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"

namespace OrvoCommon {

namespace {
constexpr long UploadTimeoutSeconds = 240;
} // namespace

UploadThread::UploadThread(QObject* parent)
    : QThread(parent), m_logger(RequireLogger()), m_timeoutSeconds(UploadTimeoutSeconds)
{
}

UploadThread::~UploadThread()
{
    m_canceled = true;
    wait();
}

void UploadThread::Reset()
{
    m_url.clear();
    m_postData.clear();
    m_canceled = false;
}

void UploadThread::run()
{
    const CurlEasy::ThreadStateRelease releaseAtEnd;
    CURL* curl = m_curl.Handle();
    curl_easy_reset(curl);
    // The body is the user's system data: a redirect may move it to another HTTPS address only.
    m_curl.ApplyCommonOptions("https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &UploadThread::DiscardResponse);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &UploadThread::Progress);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_301 | CURL_REDIR_POST_302));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, m_timeoutSeconds);

    const QByteArray url = m_url.toLatin1();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(m_postData.size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, m_postData.constData());
    emit UploadProgress(0);
    const CURLcode result = curl_easy_perform(curl);

    ExceptionPtr exception;
    if (result != CURLE_OK) {
        if (m_canceled)
            exception =
                MakeExceptionPtr(QLatin1String(ErrorCodes::UploadCanceled), QStringLiteral("Upload canceled by user"));
        else
            exception = MakeExceptionPtr(QLatin1String(ErrorCodes::UploadError),
                                         QStringLiteral("A status code of ") + QString::number(result) +
                                             QStringLiteral(" was received from upload"));
    }
    emit UploadComplete(exception);
}

size_t UploadThread::DiscardResponse(char*, size_t size, size_t count, void*)
{
    // The service's answer carries nothing we use; libcurl would otherwise print it on stdout.
    return size * count;
}

int UploadThread::Progress(void* self, curl_off_t, curl_off_t, curl_off_t uploadTotal, curl_off_t uploaded)
{
    auto* thread = static_cast<UploadThread*>(self);
    if (thread->m_canceled)
        return 1;
    const auto percent = static_cast<short>(uploadTotal > 0 ? uploaded * 100 / uploadTotal : 0);
    thread->m_logger->LogInformation(QStringLiteral("Upload progress: %1").arg(percent));
    emit thread->UploadProgress(percent);
    return 0;
}

} // namespace OrvoCommon
