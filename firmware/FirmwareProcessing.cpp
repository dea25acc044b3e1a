#include "firmware/FirmwareProcessing.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "app/TempFileList.h"
#include "firmware/Ed25519Key.h"
#include "firmware/FirmwareFileLocator.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "firmware/IIndexFile.h"
#include "firmware/IndexFile.h"
#include "web/IWebDownloader.h"
#include "web/WebDownloaderFactory.h"

#include <QFile>
#include <QFileInfo>

namespace OrvoCommon {

namespace {
constexpr unsigned int IndexFileMinimumSize = 35;
constexpr std::int16_t RetriesPerFile = 2;

QString ProgramFolderPath(const QString& fileName)
{
    return ProgramDirectory() + QLatin1Char('/') + fileName;
}
} // namespace

FirmwareProcessing::FirmwareProcessing(QObject* parent) : IFirmwareProcessing(parent), m_logger(RequireLogger())
{
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();
    qRegisterMetaType<IIndexFile*>("IIndexFile*");
    qRegisterMetaType<IIndexFile*>("OrvoCommon::IIndexFile*");
}

FirmwareProcessing::~FirmwareProcessing() = default;

ExceptionPtr FirmwareProcessing::Raise(const char* errorCode, const QString& message)
{
    const ExceptionPtr exception = MakeExceptionPtr(QLatin1String(errorCode), message);
    m_logger->LogException(*exception);
    return exception;
}

IWebDownloader* FirmwareProcessing::Downloader()
{
    if (!m_downloader) {
        m_downloader = WebDownloaderFactory::Instance()->CreateWebDownloader();
        if (!m_downloader) {
            m_logger->LogError(QStringLiteral("Unable to create web downloader"));
            return nullptr;
        }
        connect(m_downloader.get(), &IWebDownloader::DownloadProgress, this, &FirmwareProcessing::OnDownloadProgress);
        connect(m_downloader.get(), &IWebDownloader::DownloadFileComplete, this,
                &FirmwareProcessing::OnDownloadFileComplete);
    }
    return m_downloader.get();
}

IIndexFile* FirmwareProcessing::LoadIndexFile(const QString& signaturePath, ExceptionPtr* exception)
{
    if (m_indexFolder.isEmpty()) {
        *exception = Raise(ErrorCodes::NoIndexFile,
                           QStringLiteral("The index file ") + m_indexFileName + QStringLiteral(" doesn't exist"));
        return nullptr;
    }
    const QString path = m_indexFolder + QLatin1Char('/') + m_indexFileName;
    try {
        m_indexFiles.push_back(m_trustedKeys.IsEmpty() ? IndexFile::Create(path)
                                                       : IndexFile::Create(path, signaturePath, m_trustedKeys));
        return m_indexFiles.back().get();
    } catch (const OrvoException& error) {
        *exception = MakeExceptionPtr(error);
        return nullptr;
    }
}

void FirmwareProcessing::CompleteIndexFile(IIndexFile* indexFile, const ExceptionPtr& exception)
{
    emit AcquireIndexFileComplete(exception ? nullptr : indexFile, exception);
}

void FirmwareProcessing::FailIndexFile(const ExceptionPtr& exception)
{
    // A refused file is not left for the next run to find locally.
    if (m_indexDownloaded)
        QFile::remove(ProgramFolderPath(m_indexFileName));
    if (m_signatureDownloaded)
        QFile::remove(ProgramFolderPath(SignatureName()));
    CompleteIndexFile(nullptr, exception);
}

void FirmwareProcessing::AcquireIndexFile(const QString& fileName, const QString& host, const QString& urlPath)
{
    m_indexFileName = fileName;
    m_host = host;
    m_urlPath = urlPath;
    m_indexDownloaded = m_signatureDownloaded = false;
    QString folder;
    try {
        // Read for every index file, so that a key added to Config.xml counts from the next one.
        m_trustedKeys = TrustedKeys::FromConfiguration();
        folder = FirmwareFileLocator::Instance()->FindFolder(fileName);
    } catch (const OrvoException& error) {
        CompleteIndexFile(nullptr, MakeExceptionPtr(error));
        return;
    }
    if (!folder.isEmpty()) {
        OnIndexFileAt(folder);
        return;
    }
    if (!m_downloadsEnabled) {
        CompleteIndexFile(
            nullptr, Raise(ErrorCodes::DownloadError, QStringLiteral("Missing index file and downloads are disabled")));
        return;
    }
    if (!Downloader()) {
        CompleteIndexFile(nullptr,
                          Raise(ErrorCodes::InternalError, QStringLiteral("Unable to acquire web downloader")));
        return;
    }
    m_completedBytes = m_baseBytes = m_totalBytes = 0;
    m_basePercent = m_currentPercent = 0;
    m_retries = RetriesPerFile;
    StartIndexDownload();
}

void FirmwareProcessing::OnIndexFileAt(const QString& folder)
{
    m_indexFolder = folder;
    if (m_trustedKeys.IsEmpty())
        FinishIndexFile(QString());
    else
        AcquireSignature();
}

void FirmwareProcessing::AcquireSignature()
{
    // The signature comes the way its index file came: from beside a local one, else from the index
    // file's server. A downloaded index file is never paired with a signature that happens to lie
    // in a folder, which could only be an older one.
    const QString name = SignatureName();
    const QString besideIndex = m_indexFolder + QLatin1Char('/') + name;
    if (!m_indexDownloaded && QFileInfo::exists(besideIndex)) {
        FinishIndexFile(besideIndex);
        return;
    }
    if (!m_downloadsEnabled) {
        FailIndexFile(Raise(ErrorCodes::IndexCorrupted, QStringLiteral("The index file signature ") + name +
                                                            QStringLiteral(" is missing and downloads are disabled")));
        return;
    }
    if (!Downloader()) {
        FailIndexFile(Raise(ErrorCodes::InternalError, QStringLiteral("Unable to acquire web downloader")));
        return;
    }
    m_retries = RetriesPerFile;
    StartSignatureDownload();
}

void FirmwareProcessing::FinishIndexFile(const QString& signaturePath)
{
    ExceptionPtr exception;
    IIndexFile* indexFile = LoadIndexFile(signaturePath, &exception);
    if (indexFile)
        CompleteIndexFile(indexFile, nullptr);
    else
        FailIndexFile(exception);
}

void FirmwareProcessing::StartIndexDownload()
{
    m_acquiringIndex = true;
    RegisterTempFile(ProgramFolderPath(m_indexFileName));
    // A refusal completes inside Download, so nothing may follow this call. Nothing larger than the
    // loader takes is worth fetching.
    m_downloader->Download(m_indexFileName, m_host, m_urlPath, IndexFileMinimumSize, IndexFile::MaximumFileSize,
                           m_indexFileName);
}

void FirmwareProcessing::StartSignatureDownload()
{
    m_acquiringSignature = true;
    const QString name = SignatureName();
    RegisterTempFile(ProgramFolderPath(name));
    // A signature of any other length is refused when the index file is loaded, with its length in
    // the message; a longer body is not fetched past the one length that can verify.
    m_downloader->Download(name, m_host, m_urlPath, 0, Ed25519Key::SignatureSize, name);
}

void FirmwareProcessing::AcquireImageFiles(const FirmwareImageDescriptorList& descriptors)
{
    ClearImages();
    for (const IFirmwareImageDescriptor* descriptor : descriptors) {
        if (!descriptor) {
            FailImages(Raise(ErrorCodes::InternalError, QStringLiteral("Firmware image descriptor pointer is null")));
            return;
        }
        try {
            if (FirmwareFileLocator::Instance()->FindFolder(descriptor->GetFileName()).isEmpty())
                m_pending.append(descriptor);
            else
                m_imageFiles.push_back(FirmwareImageFile::Create(descriptor));
        } catch (const OrvoException& error) {
            FailImages(MakeExceptionPtr(error));
            return;
        }
    }

    if (m_pending.isEmpty()) {
        emit AcquireFirmwareImageFilesComplete(ImageList(), nullptr);
        return;
    }
    if (!m_downloadsEnabled) {
        FailImages(Raise(ErrorCodes::DownloadError, QStringLiteral("Image files missing and downloads are disabled")));
        return;
    }
    if (!Downloader()) {
        FailImages(Raise(ErrorCodes::InternalError, QStringLiteral("Unable to acquire web downloader")));
        return;
    }
    m_totalBytes = 0;
    for (const IFirmwareImageDescriptor* descriptor : qAsConst(m_pending)) {
        if (descriptor->GetHttpHost().isEmpty() || descriptor->GetUrlPath().isEmpty()) {
            FailImages(Raise(ErrorCodes::IndexCorrupted, QStringLiteral("Index file missing HTTP host or URL paths")));
            return;
        }
        m_totalBytes += descriptor->GetLength();
    }
    m_completedBytes = m_baseBytes = 0;
    m_basePercent = m_currentPercent = 0;
    m_retries = RetriesPerFile;
    StartImageDownload();
}

void FirmwareProcessing::StartImageDownload()
{
    const IFirmwareImageDescriptor* descriptor = m_pending.first();
    RegisterTempFile(ProgramFolderPath(descriptor->GetFileName()));
    // A refusal completes inside Download, so nothing may follow this call. An image is exactly its
    // length long: a body that runs past it is corrupt and is not fetched further.
    m_downloader->Download(descriptor->GetFileName(), descriptor->GetHttpHost(), descriptor->GetUrlPath(),
                           descriptor->GetLength(), descriptor->GetLength(), descriptor->GetFileName());
}

bool FirmwareProcessing::TakeRetry(const QString& fileName)
{
    if (m_downloader->LastFailureWouldRepeat()) {
        m_logger->LogError(QStringLiteral("Download of ") + fileName +
                           QStringLiteral(" failed - not retried, it would fail the same way"));
        return false;
    }
    if (m_retries <= 0) {
        m_logger->LogError(QStringLiteral("Download of ") + fileName + QStringLiteral(" failed - no retries remain"));
        return false;
    }
    --m_retries;
    m_logger->LogWarning(QStringLiteral("Download of ") + fileName + QStringLiteral(" failed - retrying"));
    // The retry spreads what is left of the percentage over the bytes still to fetch, so the
    // overall progress never moves backwards.
    m_baseBytes = m_completedBytes;
    m_basePercent = m_currentPercent;
    return true;
}

void FirmwareProcessing::OnDownloadFileComplete(QString fileName, ExceptionPtr exception)
{
    if (m_acquiringIndex) {
        m_acquiringIndex = false;
        if (exception) {
            if (TakeRetry(fileName))
                StartIndexDownload();
            else
                CompleteIndexFile(nullptr, exception);
            return;
        }
        m_indexDownloaded = true;
        OnIndexFileAt(ProgramDirectory());
        return;
    }
    if (m_acquiringSignature) {
        m_acquiringSignature = false;
        if (!exception) {
            m_signatureDownloaded = true;
            FinishIndexFile(ProgramFolderPath(SignatureName()));
        } else if (TakeRetry(fileName)) {
            StartSignatureDownload();
        } else {
            FailIndexFile(Raise(ErrorCodes::IndexCorrupted, QStringLiteral("The index file signature ") + fileName +
                                                                QStringLiteral(" could not be downloaded: ") +
                                                                exception->GetMessage()));
        }
        return;
    }
    if (!m_pending.isEmpty())
        OnImageDownloaded(exception);
}

void FirmwareProcessing::OnImageDownloaded(const ExceptionPtr& exception)
{
    const IFirmwareImageDescriptor* descriptor = m_pending.first();
    const QString fileName = descriptor->GetFileName();
    if (exception) {
        if (TakeRetry(fileName))
            StartImageDownload();
        else
            FailImages(exception);
        return;
    }
    try {
        m_imageFiles.push_back(FirmwareImageFile::Create(descriptor));
    } catch (const OrvoException& error) {
        // A file that fails its check is not worth another try: the server holds the same bytes.
        QFile::remove(ProgramFolderPath(fileName));
        FailImages(MakeExceptionPtr(error));
        return;
    }
    m_completedBytes += descriptor->GetLength();
    m_pending.removeFirst();
    if (!m_pending.isEmpty()) {
        m_retries = RetriesPerFile;
        StartImageDownload();
        return;
    }
    m_logger->LogInformation(QStringLiteral("Acquire image files complete"));
    emit AcquireFirmwareImageFilesComplete(ImageList(), nullptr);
}

void FirmwareProcessing::OnDownloadProgress(QString, short progress)
{
    // The signature's 64 bytes would only restart the index file's percentage from 0.
    if (m_acquiringSignature)
        return;
    if (m_acquiringIndex) {
        emit DownloadProgress(progress);
        return;
    }
    if (m_pending.isEmpty())
        return;
    const std::uint64_t fileBytes =
        std::uint64_t{m_pending.first()->GetLength()} * static_cast<std::uint64_t>(progress) / 100;
    if (m_totalBytes > m_baseBytes) {
        const std::uint64_t done = m_completedBytes - m_baseBytes + fileBytes;
        m_currentPercent = static_cast<std::int16_t>(
            m_basePercent + done * static_cast<std::uint64_t>(100 - m_basePercent) / (m_totalBytes - m_baseBytes));
    } else {
        m_currentPercent = 100;
    }
    emit DownloadProgress(m_currentPercent);
}

void FirmwareProcessing::FailImages(const ExceptionPtr& exception)
{
    ClearImages();
    emit AcquireFirmwareImageFilesComplete(FirmwareImageList(), exception);
}

void FirmwareProcessing::ClearImages()
{
    m_imageFiles.clear();
    m_pending.clear();
}

FirmwareImageList FirmwareProcessing::ImageList() const
{
    FirmwareImageList list;
    for (const auto& imageFile : m_imageFiles)
        list.append(imageFile.get());
    return list;
}

} // namespace OrvoCommon
