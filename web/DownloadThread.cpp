#include "web/DownloadThread.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "web/WebInterfaceTest.h"

#include <QDir>

namespace OrvoCommon {

namespace {
constexpr qint64 ReceiveBufferSize = 512 * 1024;
constexpr qint64 SmallestReceiveBuffer = 16 * 1024;
} // namespace

DownloadThread::DownloadThread(QObject* parent) : QThread(parent), m_logger(RequireLogger()) {}

DownloadThread::~DownloadThread()
{
    Cancel();
    wait();
}

void DownloadThread::Reset()
{
    m_url.clear();
    m_localName.clear();
    m_minimumSize = 0;
    m_limits = TransferLimits();
    m_written = 0;
    m_errorText[0] = '\0';
    m_cancelReason = NotCanceled;
    m_tooLarge = false;
    m_endedByFailSafe = false;
    m_lastProgress = 0;
}

void DownloadThread::SetCancelReason(CancelReason reason)
{
    int expected = NotCanceled;
    m_cancelReason.compare_exchange_strong(expected, reason);
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
    const CurlEasy::ThreadStateRelease releaseAtEnd;
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
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorText);
    // Large chunks keep write calls and heartbeats few on fast links; a buffer larger than the file
    // may be would only take in more of a body that is refused anyway.
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE,
                     static_cast<long>(qBound(SmallestReceiveBuffer, m_limits.maximumSize, ReceiveBufferSize)));
    // A body announced larger than the file may be is refused before it is read; one that streams
    // past it is stopped by the write function.
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maximumSize));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, m_limits.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, m_limits.lowSpeedBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_limits.lowSpeedSeconds);

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
        return TransferFailure(result);
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

ExceptionPtr DownloadThread::TransferFailure(CURLcode result)
{
    const QLatin1String code(ErrorCodes::DownloadError);
    if (m_tooLarge || result == CURLE_FILESIZE_EXCEEDED) {
        m_tooLarge = true;
        return MakeExceptionPtr(code, QStringLiteral("The download of %1 was stopped: it is larger than %2 bytes")
                                          .arg(m_localName)
                                          .arg(m_limits.maximumSize));
    }
    if (m_cancelReason == CanceledByFailSafe) {
        m_endedByFailSafe = true;
        return MakeExceptionPtr(code, QStringLiteral("A failsafe timeout occurred during download"));
    }
    if (m_cancelReason == CanceledByUser)
        return MakeExceptionPtr(QLatin1String(ErrorCodes::DownloadCanceled),
                                QStringLiteral("Download canceled by user"));
    QString message =
        QStringLiteral("A status code of ") + QString::number(result) + QStringLiteral(" was received from download");
    if (result == CURLE_OPERATION_TIMEDOUT) {
        const QString reason =
            m_errorText[0] ? QString::fromLocal8Bit(m_errorText) : QString::fromLatin1(curl_easy_strerror(result));
        message += QStringLiteral(" (timed out: ") + reason + QLatin1Char(')');
    }
    return MakeExceptionPtr(code, message);
}

size_t DownloadThread::WriteData(char* data, size_t size, size_t count, void* self)
{
    auto* thread = static_cast<DownloadThread*>(self);
    const auto length = static_cast<qint64>(size * count);
    if (thread->m_written + length > thread->m_limits.maximumSize) {
        // Returning short fails the transfer before a byte past the bound reaches the disk.
        thread->m_tooLarge = true;
        return 0;
    }
    const qint64 written = thread->m_file.write(data, length);
    if (written > 0)
        thread->m_written += written;
    emit thread->Heartbeat();
    return written < 0 ? 0 : static_cast<size_t>(written);
}

int DownloadThread::Progress(void* self, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t, curl_off_t)
{
    auto* thread = static_cast<DownloadThread*>(self);
    if (thread->m_cancelReason != NotCanceled)
        return 1;
    const auto progress = static_cast<short>(downloadTotal > 0 ? downloaded * 100 / downloadTotal : 0);
    if (progress != thread->m_lastProgress) {
        thread->m_lastProgress = progress;
        emit thread->DownloadProgress(thread->m_localName, progress);
    }
    return 0;
}

} // namespace OrvoCommon
