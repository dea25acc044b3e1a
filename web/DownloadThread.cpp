#include "web/DownloadThread.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "web/WebInterfaceTest.h"

#include <QDir>

namespace OrvoCommon {

namespace {
constexpr long ReceiveBufferSize = 512 * 1024;
} // namespace

DownloadThread::DownloadThread(QObject* parent) : QThread(parent), m_logger(GetLogger())
{
    if (!m_logger)
        throw OrvoException(QLatin1String(ErrorCodes::InternalError), QStringLiteral("Unable to get ILogger"));
}

DownloadThread::~DownloadThread()
{
    m_canceled = true;
    wait();
}

void DownloadThread::Reset()
{
    m_url.clear();
    m_localName.clear();
    m_minimumSize = 0;
    m_canceled = false;
    m_lastProgress = 0;
}

QString DownloadThread::OutputPath(const QString& localName)
{
    // A name from the network must not steer the write anywhere else, whatever it holds.
    const QString folder = QDir::cleanPath(ProgramDirectory());
    const QString path =
        QDir::cleanPath(localName.startsWith(QLatin1Char('/')) ? localName : folder + QLatin1Char('/') + localName);
    if (localName.isEmpty() || !path.startsWith(folder + QLatin1Char('/')))
        return QString();
    return path;
}

void DownloadThread::run()
{
    const ExceptionPtr exception = Transfer();
    if (exception)
        m_logger->LogException(*exception);
    emit DownloadFileComplete(m_localName, exception);
}

ExceptionPtr DownloadThread::Transfer()
{
    CURL* curl = m_curl.Handle();
    curl_easy_reset(curl);
    m_curl.ApplyCommonOptions("http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &DownloadThread::WriteData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &DownloadThread::Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    // Large chunks keep write calls and heartbeats few on fast links.
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, ReceiveBufferSize);

    const QString path = OutputPath(m_localName);
    m_file.setFileName(path);
    if (path.isEmpty() || !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        return MakeExceptionPtr(QLatin1String(ErrorCodes::DownloadWriteFileError),
                                QStringLiteral("The file ") + m_localName +
                                    QStringLiteral(" could not be opened for writing"));
    }

    const QByteArray url = m_url.toLocal8Bit();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    emit DownloadProgress(m_localName, 0);
    m_lastProgress = 0;
    const CURLcode result = curl_easy_perform(curl);

    if (result != CURLE_OK) {
        m_file.remove();
        if (m_canceled)
            return MakeExceptionPtr(QLatin1String(ErrorCodes::DownloadCanceled),
                                    QStringLiteral("Download canceled by user"));
        return MakeExceptionPtr(QLatin1String(ErrorCodes::DownloadError),
                                QStringLiteral("A status code of ") + QString::number(result) +
                                    QStringLiteral(" was received from download"));
    }

    m_logger->LogInformation(QStringLiteral("Downloaded ") + m_localName + QStringLiteral(" from web server"));
    const qint64 size = m_file.size();
    m_file.close();
    if (size < static_cast<qint64>(m_minimumSize)) {
        m_file.remove();
        return MakeExceptionPtr(
            QLatin1String(ErrorCodes::DownloadError),
            QStringLiteral("The downloaded file %1 has a size of %2 and needs to be at least %3 bytes")
                .arg(m_localName)
                .arg(size)
                .arg(m_minimumSize));
    }
    if (WebInterfaceTestFactory::CreateWebInterfaceTest()->IsWebDownloadCorruption())
        m_file.resize(size / 2);
    return nullptr;
}

size_t DownloadThread::WriteData(char* data, size_t size, size_t count, void* self)
{
    auto* thread = static_cast<DownloadThread*>(self);
    const qint64 written = thread->m_file.write(data, static_cast<qint64>(size * count));
    emit thread->Heartbeat();
    return written < 0 ? 0 : static_cast<size_t>(written);
}

int DownloadThread::Progress(void* self, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t, curl_off_t)
{
    auto* thread = static_cast<DownloadThread*>(self);
    if (thread->m_canceled)
        return 1;
    const auto progress = static_cast<short>(downloadTotal > 0 ? downloaded * 100 / downloadTotal : 0);
    if (progress != thread->m_lastProgress) {
        thread->m_lastProgress = progress;
        emit thread->DownloadProgress(thread->m_localName, progress);
    }
    return 0;
}

} // namespace OrvoCommon
