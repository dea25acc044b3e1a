#pragma once

#include "web/IWebUploader.h"

#include <QString>

#include <memory>

namespace OrvoCommon {
class ILogger;
class UploadThread;
} // namespace OrvoCommon

namespace UpdatePelarin {

// The support service's own host; system-information uploads go elsewhere only when the host
// text test switch is set.
inline constexpr char MakerUploadHost[] = "support.orvo-audio.com";

class WebUploader : public IWebUploader
{
    Q_OBJECT

public:
    explicit WebUploader(QObject* parent = nullptr);
    ~WebUploader() override;

    void UploadSystemInfo(const UpdatePelarin::WebSystemInfo& info, const QStringList& errorLines) override;
    void CancelUpload() override;
    void UploadVersionInfo(const UpdatePelarin::WebVersionInfo& info) override;

    // Tests point the maker's host at a local server and shorten the transfer limit.
    static void SetMakerHostForTests(const QString& host);
    void SetTimeoutForTests(long seconds);

private slots:
    void OnUploadComplete(OrvoCommon::ExceptionPtr exception);

private:
    enum class Kind
    {
        SystemInfo,
        VersionInfo,
    };
    // False, with the kind's complete signal emitted, when the upload may not start.
    bool MayStart(Kind kind);
    void Start(const QString& host, const QString& path, const QByteArray& postData);

    OrvoCommon::ILogger* m_logger;
    std::unique_ptr<OrvoCommon::UploadThread> m_thread;
};

} // namespace UpdatePelarin
