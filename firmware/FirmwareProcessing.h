#pragma once

#include "firmware/IFirmwareProcessing.h"
#include "firmware/TrustedKeys.h"

#include <QList>

#include <cstdint>
#include <memory>
#include <vector>

namespace OrvoCommon {

class IFirmwareImageFile;
class ILogger;
class IWebDownloader;

class FirmwareProcessing : public IFirmwareProcessing
{
    Q_OBJECT

public:
    explicit FirmwareProcessing(QObject* parent = nullptr);
    ~FirmwareProcessing() override;

    void AcquireIndexFile(const QString& fileName, const QString& host, const QString& urlPath) override;
    void AcquireImageFiles(const OrvoCommon::FirmwareImageDescriptorList& descriptors) override;
    void SetDownloadsEnabled(bool enabled) override { m_downloadsEnabled = enabled; }

private slots:
    void OnDownloadProgress(QString fileName, short progress);
    void OnDownloadFileComplete(QString fileName, OrvoCommon::ExceptionPtr exception);

private:
    // The downloader, created on first need and kept; null when it cannot be built.
    IWebDownloader* Downloader();
    // The index file lies in folder: it is loaded now, or once its signature is at hand.
    void OnIndexFileAt(const QString& folder);
    // From beside a local index file, else downloaded from where the index file is downloaded.
    void AcquireSignature();
    // Loads the index file, checked against the signature when keys are trusted, and completes.
    void FinishIndexFile(const QString& signaturePath);
    // Loads the index file in m_indexFolder; on failure returns null and sets *exception.
    IIndexFile* LoadIndexFile(const QString& signaturePath, ExceptionPtr* exception);
    // Completes with the exception, after deleting what this request downloaded.
    void FailIndexFile(const ExceptionPtr& exception);
    void CompleteIndexFile(IIndexFile* indexFile, const ExceptionPtr& exception);
    void StartIndexDownload();
    void StartSignatureDownload();
    QString SignatureName() const { return m_indexFileName + QStringLiteral(".sig"); }
    void StartImageDownload();
    void OnImageDownloaded(const ExceptionPtr& exception);
    // After a failed attempt: true, with one retry taken, when the file may be fetched again.
    bool TakeRetry(const QString& fileName);
    void FailImages(const ExceptionPtr& exception);
    void ClearImages();
    // Creates, logs and returns an exception.
    ExceptionPtr Raise(const char* errorCode, const QString& message);
    FirmwareImageList ImageList() const;

    ILogger* m_logger;
    std::unique_ptr<IWebDownloader> m_downloader;
    std::vector<std::unique_ptr<IIndexFile>> m_indexFiles;
    bool m_acquiringIndex = false;
    bool m_acquiringSignature = false;
    // Where the index file of the running request lies, and which of its files were downloaded.
    QString m_indexFolder;
    bool m_indexDownloaded = false;
    bool m_signatureDownloaded = false;
    // Read from Config.xml for every index file; empty when index files need no signature.
    TrustedKeys m_trustedKeys;
    std::vector<std::unique_ptr<IFirmwareImageFile>> m_imageFiles;
    FirmwareImageDescriptorList m_pending;
    std::uint32_t m_completedBytes = 0;
    std::uint32_t m_baseBytes = 0;
    std::int16_t m_basePercent = 0;
    std::int16_t m_currentPercent = 0;
    std::uint32_t m_totalBytes = 0;
    std::int16_t m_retries = 0;
    bool m_downloadsEnabled = true;
    QString m_indexFileName;
    QString m_host;
    QString m_urlPath;
};

} // namespace OrvoCommon
