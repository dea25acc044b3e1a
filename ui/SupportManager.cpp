#include "ui/SupportManager.h"

#include "ui/ConfirmationBox.h"
#include "ui/ErrorBox.h"
#include "ui/ErrorTable.h"
#include "ui/SystemInfoDialog.h"
#include "ui/SystemInfoHtml.h"
#include "ui/UiCommon.h"
#include "ui/UploadFailureDialog.h"

#include "app/ApplicationVersion.h"
#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/LazyInstance.h"
#include "app/LoggerFactory.h"
#include "sysinfo/ISystemInfoReader.h"
#include "ui/SingleApplication.h"
#include "usb/IPlatformSupport.h"
#include "web/IWebUploader.h"
#include "web/WebUploaderFactory.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

using namespace OrvoCommon;

namespace UpdatePelarin {

namespace {

constexpr char SupportPagePath[] = "/SupportPage/page.html";

LazyInstance<SupportManager>& InstanceHolder()
{
    static LazyInstance<SupportManager> holder;
    return holder;
}

// The manager holds widgets' pointers and an uploader thread: it must go while the application
// object still stands, not among the static destructors after it.
void DestroyInstance()
{
    InstanceHolder().Reset();
}

ISystemInfoReader* SystemInfoReader()
{
    SystemInfoReaderFactory* factory = SystemInfoReaderFactory::Registered();
    return factory ? factory->CreateSystemInfoReader() : nullptr;
}

QString LocalSupportPage()
{
    ISystemInfoReader* reader = SystemInfoReader();
    const QString bundlePath = reader ? reader->GetBundlePath() : QString();
    if (bundlePath.isEmpty())
        return QString();
    const QString page = bundlePath + QLatin1String(SupportPagePath);
    return QFileInfo::exists(page) ? QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded) : QString();
}

QString ConfiguredSupportUrl()
{
    try {
        return GetConfiguration()->GetString(QLatin1String(ConfigKeys::SupportUrl), QString());
    } catch (const OrvoException&) {
        // The configuration has logged it; there is simply no address to open.
        return QString();
    }
}

} // namespace

SupportManager* SupportManager::Instance()
{
    return InstanceHolder().Get([] {
        std::unique_ptr<SupportManager> manager(new SupportManager);
        qAddPostRoutine(DestroyInstance);
        return manager;
    });
}

SupportManager::SupportManager() : m_logger(GetLogger()) {}

SupportManager::~SupportManager() = default;

bool SupportManager::DisplayError(int index, QWidget* parent)
{
    m_logger->LogError(QStringLiteral("Displaying error %1").arg(index));
    auto* box = new ErrorBox(parent);
    RegisterHost(box, box);
    box->ShowEntry(ErrorEntryAt(index));
    box->EnableSupport(m_supportActivated);
    connect(box, &ErrorBox::ContactRequested, this, &SupportManager::ShowContactInfo);
    connect(box, &ErrorBox::SystemInfoRequested, this, qOverload<>(&SupportManager::ShowSystemInfo));
    connect(box, &ErrorBox::PtsKeySequenceEntered, this, &SupportManager::ActivateSupport);

    // Before the wizard exists, a second start of the program brings the error box forward.
    auto* application = qobject_cast<SingleApplication*>(QCoreApplication::instance());
    const bool activationWindow = application && !m_hostWindow;
    if (activationWindow)
        application->SetActivationWindow(box);
    if (parent)
        QApplication::alert(parent, 0);

    const int result = ExecAndDelete(box);
    if (activationWindow)
        application->SetActivationWindow(nullptr);
    if (result == QDialog::Rejected)
        QCoreApplication::exit(0);
    UnregisterHost(box);
    return result == QDialog::Accepted;
}

void SupportManager::SetHostWindow(QWidget* window)
{
    m_hostWindow = window;
}

void SupportManager::SetDeviceInfo(const WebPelarinInfo& info)
{
    m_systemInfo.deviceInfo = info;
}

void SupportManager::SetTargetFirmwareVersion(const QString& version)
{
    m_systemInfo.targetFirmwareVersion = version;
}

void SupportManager::ShowContactInfo()
{
    QString url = LocalSupportPage();
    if (url.isEmpty())
        url = ConfiguredSupportUrl();
    if (url.isEmpty())
        return;
    PlatformSupportFactory* factory = PlatformSupportFactory::Registered();
    if (IPlatformSupport* platform = factory ? factory->CreatePlatformSupport() : nullptr)
        platform->OpenUrl(url);
}

void SupportManager::ShowSystemInfo()
{
    ShowSystemInfo(m_hostWindow);
}

void SupportManager::ShowSystemInfo(QWidget* /*parent*/)
{
    // One at a time: a second request only brings the open one forward.
    if (m_systemInfoDialog) {
        m_systemInfoDialog->raise();
        m_systemInfoDialog->activateWindow();
        return;
    }
    auto* dialog = new SystemInfoDialog;
    m_systemInfoDialog = dialog;
    RegisterHost(dialog, dialog);
    connect(dialog, &SystemInfoDialog::PtsKeySequenceEntered, this, &SupportManager::ActivateSupport);
    connect(dialog, &SystemInfoDialog::UploadRequested, this, &SupportManager::PerformUpload);
    connect(dialog, &SystemInfoDialog::CancelUploadRequested, this, &SupportManager::CancelUpload);

    if (ISystemInfoReader* reader = SystemInfoReader())
        m_systemInfo.systemInfo = reader->GetSystemInfo();
    m_systemInfo.applicationVersion = QLatin1String(ApplicationVersion);
    dialog->SetHtml(SystemInfoHtml(m_systemInfo, m_logger->GetErrorLines()));
    dialog->EnableSupport(m_supportActivated);

    ExecAndDelete(dialog);
    UnregisterHost(dialog);
    m_systemInfoDialog = nullptr;
}

void SupportManager::ActivateSupport()
{
    m_supportActivated = true;
    // A host may open another dialog while it changes; walk a copy.
    const QList<Host> hosts = m_hosts;
    for (const Host& host : hosts) {
        if (host.object)
            host.host->EnableSupport(true);
    }
}

void SupportManager::PerformUpload()
{
    if (!m_systemInfoDialog)
        return;
    m_systemInfoDialog->SetUploading(true);
    IWebUploader* uploader = Uploader();
    if (!uploader) {
        UploadComplete(MakeExceptionPtr(QLatin1String(ErrorCodes::InternalError),
                                        QStringLiteral("Unable to create the web uploader")));
        return;
    }
    uploader->UploadSystemInfo(m_systemInfo, m_logger->GetErrorLines());
}

void SupportManager::UploadProgress(short progress)
{
    if (m_systemInfoDialog)
        m_systemInfoDialog->SetUploadProgress(progress);
}

void SupportManager::UploadComplete(ExceptionPtr exception)
{
    if (!m_systemInfoDialog)
        return;
    if (!exception) {
        m_systemInfoDialog->SetUploadCompleted();
    } else if (exception->GetErrorCode() == QLatin1String(ErrorCodes::UploadCanceled)) {
        m_systemInfoDialog->SetUploadCanceled();
    } else {
        ExecAndDelete(new UploadFailureDialog(m_systemInfoDialog));
        if (m_systemInfoDialog)
            m_systemInfoDialog->SetUploading(false);
    }
}

void SupportManager::CancelUpload()
{
    if (ConfirmationBox::Confirm(ConfirmationBox::CancelUpload, m_systemInfoDialog) && m_uploader)
        m_uploader->CancelUpload();
}

void SupportManager::RegisterHost(QObject* object, ISupportHost* host)
{
    m_hosts.prepend({object, host});
}

void SupportManager::UnregisterHost(ISupportHost* host)
{
    for (auto it = m_hosts.begin(); it != m_hosts.end(); ++it) {
        if (it->host == host) {
            m_hosts.erase(it);
            return;
        }
    }
}

IWebUploader* SupportManager::Uploader()
{
    if (!m_uploader) {
        m_uploader = WebUploaderFactory::Instance()->CreateWebUploader();
        if (m_uploader) {
            connect(m_uploader.get(), &IWebUploader::UploadProgress, this, &SupportManager::UploadProgress);
            connect(m_uploader.get(), &IWebUploader::UploadSystemInfoComplete, this, &SupportManager::UploadComplete);
        }
    }
    return m_uploader.get();
}

} // namespace UpdatePelarin
