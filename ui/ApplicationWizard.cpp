#include "ui/ApplicationWizard.h"

#include "ui/AlreadyUpToDatePage.h"
#include "ui/CommStatusPage.h"
#include "ui/ConfirmationBox.h"
#include "ui/ConnectDevicePage.h"
#include "ui/ErrorTable.h"
#include "ui/EulaDialog.h"
#include "ui/InstallDriverPage.h"
#include "ui/PrepareDevicePage.h"
#include "ui/RedoConnectionStepsDialog.h"
#include "ui/SelectFirmwareDialog.h"
#include "ui/SuccessPage.h"
#include "ui/SupportManager.h"
#include "ui/UiCommon.h"
#include "ui/UsbDriverLocation.h"
#include "ui/WelcomePage.h"

#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/EventWatch.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "app/TerminationSignals.h"
#include "device/IPelarin.h"
#include "device/PelarinFactory.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "usb/IUsbDriverInstaller.h"
#include "web/IWebUploader.h"
#include "web/WebUploaderFactory.h"
#include "web/WebVersionInfo.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSizeGrip>

using namespace OrvoCommon;

namespace UpdatePelarin {

namespace {

constexpr int PageKindDivisor = 1000;
constexpr QSize WizardSize(640, 480);
constexpr char EulaFileName[] = "eula_en.htm";
constexpr char DefaultBluetoothName[] = "Orvo BT";

QString OrvoDeviceName()
{
    return QCoreApplication::translate("UpdatePelarin", "Orvo Device");
}

QString Flag(bool value)
{
    return QString::number(value ? 1 : 0);
}

// The key release that ends the support key sequence, which the buttons must not see either.
bool IsPtsKeyRelease(const QEvent* event)
{
    if (event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Space && (key->modifiers() & Qt::ShiftModifier) &&
           (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

// Download failures reach the user as "the files are unavailable".
QString UserErrorCode(const ExceptionPtr& exception)
{
    const QString code = exception ? exception->GetErrorCode() : QString();
    if (code == QLatin1String(ErrorCodes::DownloadWriteFileError) || code == QLatin1String(ErrorCodes::DownloadError))
        return QLatin1String(ErrorCodes::FirmwareUnretrievable);
    return code;
}

} // namespace

ApplicationWizard::ApplicationWizard(IIndexFile* indexFile, QWidget* parent)
    : QWizard(parent), m_indexFile(indexFile), m_firmware(FirmwareProcessingFactory::CreateFirmwareProcessing()),
      m_logger(GetLogger()), m_device(PelarinFactory::CreatePelarin()), m_configuration(GetConfiguration()),
      m_deviceName(OrvoDeviceName())
{
    if (!m_firmware || !m_indexFile)
        throw OrvoException(QLatin1String(ErrorCodes::InternalError),
                            QStringLiteral("The wizard has no firmware acquisition or index file"));
    if (UsbDriverInstallerFactory* factory = UsbDriverInstallerFactory::Registered())
        m_installer = factory->CreateUsbDriverInstaller();
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();

    SetUpWindow();
    SetUpButtons();
    setPage(WelcomePageId, new WelcomePage);
    setPage(InstallDriverPageId, new InstallDriverPage);
    setPage(ConnectDevicePageId, new ConnectDevicePage);
    setPage(PrepareDevicePageId, new PrepareDevicePage);
    setPage(CommStatusPageId, new CommStatusPage);
    setPage(AlreadyUpToDatePageId, new AlreadyUpToDatePage);
    setPage(SuccessPageId, new SuccessPage);
    setStartId(WelcomePageId);

    if (m_installer)
        connect(m_installer.get(), &IUsbDriverInstaller::DriverInstallComplete, this,
                &ApplicationWizard::OnDriverInstallComplete);
    connect(m_device, &IPelarin::DeviceReady, this, &ApplicationWizard::OnDeviceReady);
    connect(m_device, &IPelarin::DeviceDisconnected, this, &ApplicationWizard::OnDeviceDisconnected);
    connect(m_device, &IPelarin::DeviceError, this, &ApplicationWizard::OnDeviceError);
    connect(m_device, &IPelarin::ProgramProgress, this, &ApplicationWizard::OnProgramProgress);
    connect(m_device, &IPelarin::ProgramFirmwareComplete, this, &ApplicationWizard::OnProgrammingComplete);
    connect(m_device, &IPelarin::FailedInstall, this, &ApplicationWizard::OnFailedInstall);
    connect(m_firmware, &IFirmwareProcessing::DownloadProgress, this, &ApplicationWizard::OnDownloadProgress);
    connect(m_firmware, &IFirmwareProcessing::AcquireFirmwareImageFilesComplete, this,
            &ApplicationWizard::OnAcquiredFirmwareFiles, Qt::QueuedConnection);

    SupportManager::Instance()->SetHostWindow(this);
    // A stop request from the session or a terminal obeys the rule of closing the window: not while
    // the headset is being written.
    SetTerminationGuard([this] { return button(CancelButton)->isEnabled() || button(FinishButton)->isEnabled(); });
    m_readyForNextPage = true;
}

ApplicationWizard::~ApplicationWizard()
{
    SetTerminationGuard({});
}

void ApplicationWizard::SetUpWindow()
{
    setObjectName(QStringLiteral("ApplicationWizardClass"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint |
                   Qt::WindowCloseButtonHint);
    setWizardStyle(ClassicStyle);
    resize(WizardSize);
    setMinimumSize(WizardSize);
    CenterOnDesktop(this);
    setWindowIcon(ProgramIcon());
    // A fixed-size window shows no grip, yet QDialog keeps one for its corner; make it vanish.
    setSizeGripEnabled(true);
    if (QSizeGrip* grip = findChild<QSizeGrip*>())
        grip->setFixedSize(0, 0);
}

void ApplicationWizard::SetUpButtons()
{
    m_helpMenu = new QMenu(this);
    QAction* license = m_helpMenu->addAction(QString(), this, &ApplicationWizard::OnShowLicenseAgreement);
    connect(this, &ApplicationWizard::IsOnWelcomePage, license, &QAction::setDisabled);
    QAction* systemInfo = m_helpMenu->addAction(QString(), this, &ApplicationWizard::OnShowSystemInfo);
    QAction* support = m_helpMenu->addAction(QString(), this, &ApplicationWizard::OnShowContactInfo);
    auto* help = new QPushButton(this);
    help->setObjectName(QStringLiteral("help"));
    help->setMenu(m_helpMenu);
    setButton(HelpButton, help);
    setOption(HaveHelpButton, true);
    KeepTranslated(this, [this, license, systemInfo, support] {
        setWindowTitle(ProgramTitle());
        license->setText(tr("License Agreement"));
        systemInfo->setText(tr("System Information"));
        support->setText(tr("Orvo Product Support"));
        setButtonText(HelpButton, tr("Help"));
        setButtonText(NextButton, tr("Next"));
        setButtonText(FinishButton, tr("Finish"));
        setButtonText(CancelButton, tr("Cancel"));
    });

    setButtonLayout({HelpButton, Stretch, NextButton, FinishButton, CancelButton});
    for (WizardButton which : {HelpButton, CancelButton, NextButton})
        button(which)->installEventFilter(this);
    button(NextButton)->setObjectName(QStringLiteral("next"));
    button(FinishButton)->setObjectName(QStringLiteral("finish"));
    button(CancelButton)->setObjectName(QStringLiteral("cancel"));

    // Cancel always goes through the close handling, which asks first.
    QAbstractButton* cancel = button(CancelButton);
    disconnect(cancel, &QAbstractButton::clicked, nullptr, nullptr);
    connect(cancel, &QAbstractButton::clicked, this, &QWidget::close);
    connect(button(NextButton), &QAbstractButton::clicked, this, &ApplicationWizard::OnNextClicked);
}

// --- Moving between pages -------------------------------------------------------------------------

void ApplicationWizard::Next()
{
    m_logger->LogInformation(QStringLiteral("UI: Next() called"));
    m_readyForNextPage = true;
    QWizard::next();
}

int ApplicationWizard::nextId() const
{
    const int current = currentId();
    const bool ready = m_readyForNextPage;
    int next = current;
    if (ready) {
        next = PageOfState(m_state);
        if (next == 0) {
            m_logger->LogError(QStringLiteral("UI: NextId(), unknown page ID - %1").arg(current));
            next = -1;
        }
    } else if (current == AlreadyUpToDatePageId || current == SuccessPageId) {
        next = -1; // Finish ends the wizard here
    }
    m_logger->LogInformation(
        QStringLiteral("UI: NextId() - currentPageId =%1, nextPageId = %2, ready for next page = %3")
            .arg(current)
            .arg(next)
            .arg(Flag(ready)));
    m_readyForNextPage = false;
    return next;
}

int ApplicationWizard::PageOfState(int state) const
{
    switch (state) {
    case Welcome:
        return WelcomePageId;
    case InstallDriver:
        return m_installDriverPageCounter;
    case Connect:
        return m_connectDevicePageCounter;
    case PrepareDevice:
    case PrepareDeviceComplete:
        return m_prepareDevicePageCounter;
    case SelectVersionState:
    case DownloadFirmwareFiles:
    case Programming:
    case ProgrammingCompleteState:
        return m_commStatusPageCounter;
    case AlreadyUpToDate:
        return AlreadyUpToDatePageId;
    case Success:
        return SuccessPageId;
    default:
        return 0;
    }
}

void ApplicationWizard::ReturnToState(int state)
{
    m_logger->LogInformation(QStringLiteral("UI: Returning to state - %1").arg(state));
    m_state = state;
    Next();
    if (state == SelectVersionState || state == DownloadFirmwareFiles)
        ExecuteCurrentState(RetryAfterError);
}

void ApplicationWizard::GoToState(int state)
{
    m_state = state;
    Next();
    if (state == SelectVersionState || state == AlreadyUpToDate)
        ExecuteCurrentState(Entry);
}

// --- The state machine -----------------------------------------------------------------------------

void ApplicationWizard::ExecuteCurrentState(int trigger)
{
    if (m_executing && trigger != Entry)
        m_logger->LogError(QStringLiteral("UI: Re-entered ExecuteCurrentState()"));
    const bool outerExecuting = m_executing;
    m_executing = true;
    try {
        RunStateHandler(trigger);
    } catch (const OrvoException& exception) {
        // Nothing the handlers call should throw; if it does, the user learns it and may leave.
        m_logger->LogException(exception);
        DisplayError(ErrorIndexFor(exception.GetErrorCode()));
    }
    m_executing = outerExecuting;
}

void ApplicationWizard::RunStateHandler(int trigger)
{
    switch (m_state) {
    case Welcome:
        return HandleWelcome(trigger);
    case InstallDriver:
        return HandleInstallDriver(trigger);
    case Connect:
        return HandleConnect(trigger);
    case PrepareDevice:
        return HandlePrepareDevice(trigger);
    case PrepareDeviceComplete:
        return HandlePrepareDeviceComplete(trigger);
    case SelectVersionState:
        return HandleSelectVersion(trigger);
    case DownloadFirmwareFiles:
        return HandleDownloadFirmwareFiles(trigger);
    case Programming:
        return HandleProgramming(trigger);
    case ProgrammingCompleteState:
        return HandleProgrammingComplete(trigger);
    case VersionInfoUploadComplete:
        return HandleVersionInfoUploadComplete(trigger);
    case AlreadyUpToDate:
        return HandleAlreadyUpToDate(trigger);
    case Success:
        return HandleSuccess(trigger);
    default:
        m_logger->LogError(QStringLiteral("UI: ExecuteCurrentState() - unknown current state - %1").arg(m_state));
    }
}

void ApplicationWizard::HandleWelcome(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: WELCOME State"));
    if (trigger != NextClicked)
        return;
    m_state = IsDriverInstalled() ? Connect : InstallDriver;
    Next();
    emit IsOnWelcomePage(false);
}

void ApplicationWizard::HandleInstallDriver(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: INSTALL DRIVER State"));
    const bool installed = IsDriverInstalled();
    if (trigger == NextClicked && installed) {
        m_state = Connect;
        Next();
    }
}

void ApplicationWizard::HandleConnect(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: CONNECT State"));
    int next = PrepareDevice;
    if (m_device->IsReady() > 0)
        next = NextStateForReadyDevice();
    if (trigger == NextClicked)
        GoToState(next);
}

void ApplicationWizard::HandlePrepareDevice(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: PREPARE DEVICE State"));
    if (trigger != DeviceReadyTrigger)
        return;
    m_state = PrepareDeviceComplete;
    if (m_device->IsReady() > 0)
        ExecuteCurrentState(Entry);
}

void ApplicationWizard::HandlePrepareDeviceComplete(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: PREPARE DEVICE COMPLETE State"));
    if (trigger != Entry && trigger != NextClicked)
        return;
    int next = PrepareDeviceComplete;
    if (m_device->IsReady() > 0)
        next = NextStateForReadyDevice();
    else
        m_logger->LogError(QStringLiteral("UI: Unexpected state returned by IsReady()"));
    if (m_device->IsReady() > 0)
        GoToState(next);
}

int ApplicationWizard::NextStateForReadyDevice()
{
    HandleReadyEvent();
    return ShouldProgram() ? SelectVersionState : AlreadyUpToDate;
}

void ApplicationWizard::HandleSelectVersion(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: COMM STATUS - SELECT VERSION State"));
    if (trigger != Entry && trigger != RetryAfterError)
        return;
    if (ShouldProgram() && m_selectionMode) {
        SetCommStatus(CommStatusPage::WaitingForVersionSelection);
        if (!SelectVersion())
            return;
    }
    m_state = DownloadFirmwareFiles;
    ExecuteCurrentState(Entry);
}

void ApplicationWizard::HandleDownloadFirmwareFiles(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: COMM STATUS - DOWNLOAND FIRMWARE FILES State"));
    if (trigger != Entry && trigger != RetryAfterError)
        return;
    BlockEvents();
    AcquireFirmwareFiles();
    m_state = Programming;
    UnblockEvents();
}

void ApplicationWizard::HandleProgramming(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: COMM STATUS - PROGRAMMING State, source=%1").arg(trigger));
    if (trigger != FilesAcquired && trigger != RetryAfterError)
        return;
    BlockEvents();
    if (StartProgramming())
        m_state = ProgrammingCompleteState;
    UnblockEvents();
}

void ApplicationWizard::HandleProgrammingComplete(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: COMM STATUS - PROGRAMMING COMPLETE State"));
    if (trigger != ProgrammingSucceeded)
        return;
    m_state = VersionInfoUploadComplete;
    ExecuteCurrentState(Entry);
    StartVersionInfoUpload();
}

void ApplicationWizard::HandleVersionInfoUploadComplete(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: COMM STATUS - VERSION INFO UPLOAD COMPLETE State"));
    if (trigger != VersionUploadFinished)
        return;
    m_state = Success;
    Next();
    ExecuteCurrentState(Entry);
}

void ApplicationWizard::HandleAlreadyUpToDate(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: ALREADY UP TO DATE State"));
    if (trigger != DeviceReadyTrigger)
        m_device->ResetDevice();
}

void ApplicationWizard::HandleSuccess(int trigger)
{
    m_logger->LogInformation(QStringLiteral("UI: SUCCESS State"));
    // The headset the reset sends away comes back ready; resetting it again then would restart it
    // for as long as the page is open.
    if (trigger != DeviceReadyTrigger)
        m_device->ResetDevice();
}

// --- The state actions -----------------------------------------------------------------------------

bool ApplicationWizard::IsDriverInstalled()
{
    bool installed = true;
    if (m_installer) {
        const UsbDriverLocation location = FindUsbDriver(m_installer.get(), m_configuration, m_logger);
        installed = m_installer->IsDriverInstalled(location.packagePath) == 1;
    }
    m_logger->LogInformation(QStringLiteral("UI: IsDriverInstalled() = %1").arg(Flag(installed)));
    return installed;
}

bool ApplicationWizard::IsInAdminRole()
{
    const int answer = m_installer ? m_installer->IsInAdminRole() : 0;
    if (answer == -1)
        m_logger->LogError(QStringLiteral("UI: IsInAdminRole() returned an error."));
    return answer == 1;
}

void ApplicationWizard::HandleReadyEvent()
{
    m_logger->LogInformation(QStringLiteral("UI: Processing ready device"));
    m_logger->LogInformation(QStringLiteral("UI: HandleReadyEvent() - lock in current device."));
    try {
        m_device->LockInCurrentDevice();
    } catch (const OrvoException&) {
        m_logger->LogError(QStringLiteral("UI: Exception occurred while trying to lock in the current device."));
    }
    try {
        m_productIdentity = m_device->GetOrvoProductId();
    } catch (const OrvoException&) {
        m_logger->LogError(QStringLiteral("UI: Exception occurred while trying to get product information."));
    }
    m_deviceName = m_indexFile->GetProductName(m_productIdentity.productId);
    if (m_deviceName.isEmpty())
        m_deviceName = OrvoDeviceName();
    try {
        m_releaseVersion = m_device->GetReleaseVersion();
    } catch (const OrvoException&) {
        m_logger->LogError(QStringLiteral("UI: Exception occurred while getting release version."));
    }
    m_targetVersion = m_indexFile->GetNewestVersion(m_productIdentity);
    SupportManager::Instance()->SetTargetFirmwareVersion(m_targetVersion);
    QString name;
    try {
        name = m_device->GetBluetoothDeviceName();
    } catch (const OrvoException&) {
        m_logger->LogError(QStringLiteral("UI: Exception occurred while getting Bluetooth device name."));
    }
    if (!name.isEmpty())
        m_bluetoothDeviceName = name;
    else if (m_bluetoothDeviceName.isEmpty())
        m_bluetoothDeviceName = QLatin1String(DefaultBluetoothName);
}

bool ApplicationWizard::IsNewer(const QString& a, const QString& b, bool whenIncomparable)
{
    try {
        return m_indexFile->CompareVersions(a, b) > 0;
    } catch (const OrvoException& exception) {
        m_logger->LogException(exception);
        return whenIncomparable;
    }
}

bool ApplicationWizard::ShouldProgram()
{
    // A release version the index file cannot read is treated like one the device did not give.
    const bool program = m_selectionMode || m_releaseVersion.isEmpty() ||
                         (!m_targetVersion.isEmpty() && IsNewer(m_targetVersion, m_releaseVersion, true));
    m_logger->LogInformation(QStringLiteral("UI: ShouldProgram() = %1").arg(Flag(program)));
    return program;
}

bool ApplicationWizard::SelectVersion()
{
    m_logger->LogInformation(QStringLiteral("UI: SelectVersion() called."));
    m_targetVersion = m_indexFile->GetNewestVersion(m_productIdentity);
    SupportManager::Instance()->SetTargetFirmwareVersion(m_targetVersion);
    if (!m_selectionMode) {
        if (m_targetVersion.isEmpty())
            m_logger->LogInformation(QStringLiteral(
                "UI: SelectVersion() - device speaks the device's protocol, but is not in the index file"));
        return true;
    }

    QStringList versions = m_indexFile->GetVersions(m_productIdentity);
    if (versions.isEmpty()) {
        m_logger->LogInformation(QStringLiteral("UI: SelectVersion() - no firmware available for device."));
        m_device->ResetDevice();
        // The entry offers only Exit.
        DisplayError(err_selection_mode_no_firmware);
        return false;
    }
    BlockEvents();
    // Newest first; equal versions keep their order.
    for (int position = 0; position < versions.size(); ++position) {
        int newest = position;
        for (int candidate = position + 1; candidate < versions.size(); ++candidate) {
            if (IsNewer(versions.at(candidate), versions.at(newest), false))
                newest = candidate;
        }
        versions.move(newest, position);
    }
    auto* dialog = new SelectFirmwareDialog(this);
    dialog->SetVersions(versions);
    dialog->SetCurrentVersion(m_releaseVersion);
    dialog->SetDeviceName(m_deviceName);
    QString chosen;
    connect(dialog, &QDialog::accepted, this, [&chosen, dialog] { chosen = dialog->SelectedVersion(); });
    const bool accepted = ExecAndDelete(dialog) == QDialog::Accepted;
    if (accepted) {
        m_targetVersion = chosen;
        SupportManager::Instance()->SetTargetFirmwareVersion(m_targetVersion);
    } else {
        m_logger->LogInformation(QStringLiteral("UI: SelectVersion() - cancel selected by user."));
        m_device->ResetDevice();
        QCoreApplication::exit(0);
    }
    UnblockEvents();
    return accepted;
}

void ApplicationWizard::AcquireFirmwareFiles()
{
    m_logger->LogInformation(QStringLiteral("UI: Update needed. Acquiring firmware files."));
    m_downloadShare = 0;
    m_firmware->AcquireImageFiles(m_indexFile->GetImageDescriptors(m_targetVersion, m_productIdentity));
}

bool ApplicationWizard::StartProgramming()
{
    if (m_device->IsReady() > 0) {
        SetCommStatus(CommStatusPage::Updating);
        SetCancelEnabled(false);
        m_logger->LogInformation(QStringLiteral("UI: Starting programming of device"));
        m_device->ProgramFirmwareAsync(m_imageFiles, m_selectionMode);
        return true;
    }
    m_logger->LogInformation(QStringLiteral("UI: Cannot program - device is no longer indicating ready"));
    m_device->ReleaseCurrentDevice();
    DisplayError(err_device_disconnected);
    ReturnToState(Connect);
    return false;
}

void ApplicationWizard::StartVersionInfoUpload()
{
    m_logger->LogInformation(QStringLiteral("UI: Starting Version Information Upload"));
    m_versionUploader = WebUploaderFactory::Instance()->CreateWebUploader();
    if (!m_versionUploader) {
        const ExceptionPtr failure =
            MakeExceptionPtr(QLatin1String(ErrorCodes::InternalError), QStringLiteral("Unable to create web uploader"));
        QMetaObject::invokeMethod(
            this, [this, failure] { OnVersionUploadComplete(failure); }, Qt::QueuedConnection);
        return;
    }
    // Queued: a refused upload answers at once, and the state machine is still in this handler.
    connect(m_versionUploader.get(), &IWebUploader::UploadVersionInfoComplete, this,
            &ApplicationWizard::OnVersionUploadComplete, Qt::QueuedConnection);
    m_versionUploader->UploadVersionInfo(m_device->GetWebVersionInfo(m_imageFiles));
}

void ApplicationWizard::HandleMultipleDevices()
{
    m_logger->LogInformation(QStringLiteral("UI: Handling multiple connected devices"));
    m_device->ReleaseCurrentDevice();
    while (m_device->ConnectedDeviceCount() > 1 && DisplayError(err_multiple_devices_detected)) {
    }
    HandleReadyEvent();
}

// --- Progress --------------------------------------------------------------------------------------

void ApplicationWizard::OnDownloadProgress(short progress)
{
    m_logger->LogInformation(QStringLiteral("UI: Received DownloadProgress signal - progress=%1%").arg(progress));
    SetCommStatus(CommStatusPage::Downloading);
    if (!m_commStatusPage)
        return;
    // The download fills the first tenth of the bar.
    m_downloadShare = static_cast<short>(progress / 10);
    m_logger->LogInformation(QStringLiteral("UI: Setting firmware download progress to %1").arg(m_downloadShare));
    m_commStatusPage->SetProgress(m_downloadShare);
}

void ApplicationWizard::OnProgramProgress(short progress, bool verifying)
{
    m_logger->LogInformation(QStringLiteral("UI: Received ProgramProgress signal (progress=%1, verifying=%2)")
                                 .arg(progress)
                                 .arg(Flag(verifying)));
    ShowProgrammingProgress(progress, verifying);
}

void ApplicationWizard::ShowProgrammingProgress(short progress, bool verifying)
{
    if (!m_commStatusPage)
        return;
    m_programmingShare = static_cast<short>(progress * (100 - m_downloadShare) / 100);
    m_logger->LogInformation(QStringLiteral("UI: Setting programming progress to %1").arg(m_programmingShare));
    int total = m_programmingShare + m_downloadShare;
    if (total > 100) {
        m_logger->LogError(QStringLiteral("UI: update progress > 100% - %1").arg(total));
        total = 100;
    }
    m_commStatusPage->SetProgress(static_cast<short>(total));
    if (verifying)
        SetCommStatus(CommStatusPage::Confirming);
}

void ApplicationWizard::SetCommStatus(int status)
{
    m_logger->LogInformation(QStringLiteral("UI: Setting comm state to %1").arg(status));
    if (m_commStatusPage)
        m_commStatusPage->SetStatus(status);
}

void ApplicationWizard::SetInstallDriverPageState(int state)
{
    m_logger->LogInformation(QStringLiteral("UI: Setting InstallDriverPage state to %1").arg(state));
    if (m_installDriverPage)
        m_installDriverPage->SetState(state);
}

void ApplicationWizard::SetCancelEnabled(bool enabled)
{
    button(CancelButton)->setEnabled(enabled);
}

// --- Events ----------------------------------------------------------------------------------------

void ApplicationWizard::OnDeviceReady()
{
    m_logger->LogInformation(QStringLiteral("UI: Received DeviceReady"));
    PostWizardEvent(WizardEvent::Ready);
}

void ApplicationWizard::OnDeviceDisconnected()
{
    m_logger->LogInformation(QStringLiteral("UI: Received DeviceDisconnected"));
    PostWizardEvent(WizardEvent::Disconnected);
}

void ApplicationWizard::OnAcquiredFirmwareFiles(FirmwareImageList imageFiles, ExceptionPtr ex)
{
    m_logger->LogInformation(QStringLiteral("UI: Received AcquiredFirmwareFiles signal"));
    m_imageFiles = imageFiles;
    PostWizardEvent(WizardEvent::FirmwareFilesAcquired, ex);
}

void ApplicationWizard::OnProgrammingComplete(ExceptionPtr ex)
{
    m_logger->LogInformation(QStringLiteral("UI: Received Programming Complete signal"));
    PostWizardEvent(WizardEvent::ProgrammingComplete, ex);
}

void ApplicationWizard::OnDeviceError(ExceptionPtr exception)
{
    m_logger->LogInformation(QStringLiteral("UI: Received DeviceError"));
    PostWizardEvent(WizardEvent::DeviceError, exception);
}

void ApplicationWizard::PostWizardEvent(WizardEvent::Kind kind, ExceptionPtr exception)
{
    QCoreApplication::postEvent(this, new WizardEvent(kind, std::move(exception)));
}

bool ApplicationWizard::event(QEvent* event)
{
    if (event->type() != WizardEvent::EventType)
        return QWizard::event(event);
    const auto* wizardEvent = static_cast<const WizardEvent*>(event);
    if (m_eventsBlocked) {
        m_heldEvents.push_back(std::make_unique<WizardEvent>(*wizardEvent));
        return true;
    }
    try {
        ProcessEvent(*wizardEvent);
    } catch (const OrvoException& exception) {
        m_logger->LogException(exception);
        DisplayError(ErrorIndexFor(exception.GetErrorCode()));
    }
    return true;
}

void ApplicationWizard::ProcessEvent(const WizardEvent& event)
{
    switch (event.GetKind()) {
    case WizardEvent::Ready:
        m_logger->LogInformation(QStringLiteral("UI: Processing Ready event"));
        m_allDisconnected = false;
        ExecuteCurrentState(DeviceReadyTrigger);
        break;
    case WizardEvent::Disconnected:
        ProcessDisconnected();
        break;
    case WizardEvent::FirmwareFilesAcquired:
        ProcessAcquired(event);
        break;
    case WizardEvent::ProgrammingComplete:
        ProcessProgrammingComplete(event);
        break;
    case WizardEvent::DeviceError:
        m_logger->LogInformation(QStringLiteral("UI: DeviceError event received"));
        break;
    }
}

void ApplicationWizard::ProcessDisconnected()
{
    m_logger->LogInformation(QStringLiteral("UI: Processing Disconnected event"));
    if (m_device->ConnectedDeviceCount() != 0 || m_allDisconnected)
        return;
    m_logger->LogInformation(QStringLiteral("UI: all connected devices have disconnected"));
    m_device->ReleaseCurrentDevice();
    m_allDisconnected = true;
    // Once programming has succeeded, the headset restarting into its new firmware is no loss.
    if (m_state == VersionInfoUploadComplete)
        return;
    const int kind = currentId() / PageKindDivisor;
    if (kind == PrepareDevicePageId / PageKindDivisor || kind == CommStatusPageId / PageKindDivisor) {
        DisplayError(err_device_disconnected);
        ReturnToState(Connect);
    }
}

void ApplicationWizard::ProcessAcquired(const WizardEvent& event)
{
    m_logger->LogInformation(QStringLiteral("UI: Processing Acquired event"));
    if (!event.GetException()) {
        ExecuteCurrentState(FilesAcquired);
        return;
    }
    if (DisplayError(ErrorIndexFor(UserErrorCode(event.GetException()))))
        ReturnToState(m_selectionMode ? SelectVersionState : DownloadFirmwareFiles);
}

void ApplicationWizard::ProcessProgrammingComplete(const WizardEvent& event)
{
    m_logger->LogInformation(QStringLiteral("UI: Received ProgrammingComplete event"));
    if (const ExceptionPtr& failure = event.GetException()) {
        m_logger->LogError(QStringLiteral("UI: error occurred during programming"));
        m_device->ReleaseCurrentDevice();
        DisplayError(ErrorIndexFor(failure->GetErrorCode()));
        ReturnToState(Connect);
        return;
    }
    m_logger->LogInformation(QStringLiteral("UI: programming completed successfuly"));
    ShowProgrammingProgress(100, false);
    ExecuteCurrentState(ProgrammingSucceeded);
}

void ApplicationWizard::BlockEvents()
{
    m_eventsBlocked = true;
    m_logger->LogInformation(QStringLiteral("UI: Block events."));
}

void ApplicationWizard::UnblockEvents()
{
    m_eventsBlocked = false;
    m_logger->LogInformation(QStringLiteral("UI: Unblocking events."));
    std::vector<std::unique_ptr<WizardEvent>> held;
    held.swap(m_heldEvents);
    for (std::unique_ptr<WizardEvent>& event : held)
        QCoreApplication::postEvent(this, event.release());
}

bool ApplicationWizard::DisplayError(int index)
{
    BlockEvents();
    m_logger->LogInformation(QStringLiteral("UI: DisplayError() called."));
    const bool retry = SupportManager::Instance()->DisplayError(index, this);
    UnblockEvents();
    return retry;
}

void ApplicationWizard::OnNextClicked()
{
    m_logger->LogInformation(QStringLiteral("UI: OnNextClicked() - currentPageId = %1").arg(currentId()));
    if ((m_state == Connect || m_state == PrepareDeviceComplete) && m_device->ConnectedDeviceCount() > 1) {
        HandleMultipleDevices();
        return;
    }
    ExecuteCurrentState(NextClicked);
}

// --- Driver installation ----------------------------------------------------------------------------

void ApplicationWizard::OnInstallDriverRequested()
{
    m_logger->LogInformation(QStringLiteral("UI: Install driver request received."));
    SetCancelEnabled(false);
    SetInstallDriverPageState(InstallDriverPage::Installing);
    if (!m_installer) {
        OnDriverInstallComplete(QLatin1String(ErrorCodes::UsbDriverInstallError));
        return;
    }
    m_installer->InstallDriver(FindUsbDriver(m_installer.get(), m_configuration, m_logger).directory);
}

void ApplicationWizard::OnDriverInstallComplete(const QString& error)
{
    SetCancelEnabled(true);
    if (error.isEmpty() && IsDriverInstalled()) {
        m_logger->LogInformation(QStringLiteral("UI: USB Driver software install completed successfully."));
        if (!m_driverReinstallPending) {
            SetInstallDriverPageState(InstallDriverPage::Installed);
            return;
        }
        m_driverReinstallPending = false;
        ExecAndDelete(new RedoConnectionStepsDialog(this));
        m_device->StartFailedInstallMonitoring();
        m_logger->LogInformation(QStringLiteral("UI: OnDriverInstallComplete() - lock in current device."));
        try {
            m_device->LockInCurrentDevice();
        } catch (const OrvoException&) {
            m_logger->LogInformation(QStringLiteral("UI: Device ."));
            ReturnToState(PrepareDevice);
        }
        return;
    }
    m_logger->LogError(QStringLiteral("UI: Error occurred during USB Driver software install."));
    if (m_driverReinstallPending) {
        ExecAndDelete(new RedoConnectionStepsDialog(this));
        m_device->ResetDevice();
        m_device->StartFailedInstallMonitoring();
        return;
    }
    SetInstallDriverPageState(InstallDriverPage::Failed);
    if (DisplayError(err_driver_installation_failed))
        ReturnToState(InstallDriver);
}

void ApplicationWizard::OnFailedInstall(ICsrUsbInterface::FailedInstallReason reason)
{
    m_device->StopFailedInstallMonitoring();
    m_device->ReleaseCurrentDevice();
    switch (reason) {
    case ICsrUsbInterface::WrongDriver:
        m_logger->LogError(QStringLiteral("UI: Wrong driver detected for device."));
        if (IsInAdminRole()) {
            m_driverReinstallPending = true;
            OnInstallDriverRequested();
        } else {
            m_logger->LogError(QStringLiteral("UI: Admin credentials needed."));
            DisplayError(err_windows_admin_credentials_unavailable);
        }
        break;
    case ICsrUsbInterface::InstallFailed:
        m_logger->LogError(QStringLiteral("UI: Device install failed/stopped by user."));
        if (IsInAdminRole()) {
            if (!m_device->UninstallFailedDevices())
                m_logger->LogError(QStringLiteral("UI: Uninstall of Failed Devices failed."));
            if (DisplayError(err_windows_driver_mapping_aborted)) {
                m_device->StartFailedInstallMonitoring();
                ReturnToState(Connect);
            }
        } else {
            m_logger->LogError(QStringLiteral("UI: Admin credentials required."));
            DisplayError(err_windows_admin_credentials_unavailable);
        }
        break;
    default:
        m_logger->LogError(QStringLiteral("UI: OnFailedInstall received invalid reason code."));
    }
}

void ApplicationWizard::OnVersionUploadComplete(ExceptionPtr ex)
{
    if (ex)
        m_logger->LogError(QStringLiteral("UI: Version information upload failed"));
    else
        m_logger->LogInformation(QStringLiteral("UI: Version information successfully uploaded"));
    // A report that did not arrive does not undo the update.
    ExecuteCurrentState(VersionUploadFinished);
}

// --- Pages -----------------------------------------------------------------------------------------

template <class Page>
Page* ApplicationWizard::PageAs(int id)
{
    auto* typed = qobject_cast<Page*>(page(id));
    if (!typed) {
        m_logger->LogError(QStringLiteral("UI: Null pointer encountered"));
        DisplayError(err_generic_internal_error);
    }
    return typed;
}

void ApplicationWizard::RegisterFreshPage(int kind)
{
    switch (kind) {
    case InstallDriverPageId / PageKindDivisor:
        setPage(++m_installDriverPageCounter, new InstallDriverPage);
        break;
    case ConnectDevicePageId / PageKindDivisor:
        setPage(++m_connectDevicePageCounter, new ConnectDevicePage);
        break;
    case PrepareDevicePageId / PageKindDivisor:
        setPage(++m_prepareDevicePageCounter, new PrepareDevicePage);
        break;
    case CommStatusPageId / PageKindDivisor:
        setPage(++m_commStatusPageCounter, new CommStatusPage);
        break;
    default:
        break;
    }
}

void ApplicationWizard::initializePage(int id)
{
    const int kind = id / PageKindDivisor;
    switch (kind) {
    case WelcomePageId / PageKindDivisor: {
        auto* welcome = PageAs<WelcomePage>(id);
        if (!welcome)
            return;
        InitializeWelcomePage(welcome);
        break;
    }
    case InstallDriverPageId / PageKindDivisor: {
        auto* install = PageAs<InstallDriverPage>(id);
        if (!install)
            return;
        RegisterFreshPage(kind);
        SetCancelEnabled(true);
        connect(install, &ContactPage::ContactRequested, this, &ApplicationWizard::OnShowContactInfo);
        connect(install, &InstallDriverPage::InstallDriverRequested, this,
                &ApplicationWizard::OnInstallDriverRequested);
        m_installDriverPage = install;
        SetInstallDriverPageState(InstallDriverPage::Initial);
        break;
    }
    case ConnectDevicePageId / PageKindDivisor: {
        auto* connectPage = PageAs<ConnectDevicePage>(id);
        if (!connectPage)
            return;
        RegisterFreshPage(kind);
        SetCancelEnabled(true);
        connect(connectPage, &ContactPage::ContactRequested, this, &ApplicationWizard::OnShowContactInfo);
        break;
    }
    case PrepareDevicePageId / PageKindDivisor: {
        auto* prepare = PageAs<PrepareDevicePage>(id);
        if (!prepare)
            return;
        RegisterFreshPage(kind);
        SetCancelEnabled(true);
        connect(prepare, &ContactPage::ContactRequested, this, &ApplicationWizard::OnShowContactInfo);
        m_prepareDevicePage = prepare;
        m_device->StartFailedInstallMonitoring();
        break;
    }
    case CommStatusPageId / PageKindDivisor: {
        auto* status = PageAs<CommStatusPage>(id);
        if (!status)
            return;
        m_downloadShare = 0;
        m_programmingShare = 0;
        RegisterFreshPage(kind);
        m_device->StopFailedInstallMonitoring();
        SetCancelEnabled(true);
        status->SetDeviceName(m_deviceName);
        m_commStatusPage = status;
        SetCommStatus(CommStatusPage::Reset);
        break;
    }
    case AlreadyUpToDatePageId / PageKindDivisor: {
        auto* upToDate = PageAs<AlreadyUpToDatePage>(id);
        if (!upToDate)
            return;
        upToDate->SetDeviceName(m_deviceName);
        upToDate->SetVersion(m_releaseVersion);
        upToDate->SetUpdateSupported(!m_targetVersion.isEmpty());
        SetCancelEnabled(false);
        upToDate->setFinalPage(true);
        connect(upToDate, &AlreadyUpToDatePage::ContactRequested, this, &ApplicationWizard::OnShowContactInfo);
        break;
    }
    case SuccessPageId / PageKindDivisor: {
        auto* success = PageAs<SuccessPage>(id);
        if (!success)
            return;
        success->SetDeviceName(m_deviceName);
        success->SetVersion(m_targetVersion);
        break;
    }
    default:
        break;
    }
    QWizard::initializePage(id);
    m_logger->LogInformation(QStringLiteral("UI: InitializePage() - pageId = %1").arg(id));
}

void ApplicationWizard::InitializeWelcomePage(WelcomePage* page)
{
    SetCancelEnabled(true);
    for (;;) {
        try {
            m_device->RegisterDeviceDetection(m_indexFile);
            break;
        } catch (const OrvoException& exception) {
            if (!DisplayError(ErrorIndexFor(exception.GetErrorCode())))
                break;
        }
    }
    page->SetLicenseText(ReadEula());
    connect(page, &WelcomePage::PtsKeySequenceEntered, this, &ApplicationWizard::ActivateDowngrade,
            Qt::UniqueConnection);
    emit IsOnWelcomePage(true);
}

QString ApplicationWizard::ReadEula()
{
    QFile file(ProgramDirectory() + QLatin1Char('/') + QLatin1String(EulaFileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_logger->LogError(QStringLiteral("UI: Unable to open EULA file (%1)").arg(QLatin1String(EulaFileName)));
        DisplayError(err_generic_internal_error);
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

// --- Menu, selection mode and closing ---------------------------------------------------------------

void ApplicationWizard::OnShowLicenseAgreement()
{
    m_logger->LogInformation(QStringLiteral("UI: Show License Agreement request received."));
    auto* dialog = new EulaDialog(this);
    dialog->SetLicenseHtml(ReadEula());
    ExecAndDelete(dialog);
}

void ApplicationWizard::OnShowSystemInfo()
{
    m_logger->LogInformation(QStringLiteral("UI: Show SystemInfo request received."));
    SupportManager::Instance()->SetDeviceInfo(m_device->GetDeviceInfo());
    SupportManager::Instance()->ShowSystemInfo(this);
}

void ApplicationWizard::OnShowContactInfo()
{
    m_logger->LogInformation(QStringLiteral("UI: Show ContactInfo request received."));
    SupportManager::Instance()->ShowContactInfo();
}

void ApplicationWizard::ActivateDowngrade()
{
    if (m_selectionMode)
        return;
    if (ConfirmationBox::Confirm(ConfirmationBox::EnableSelection, this)) {
        m_logger->LogInformation(QStringLiteral("UI: Selection mode activated"));
        m_selectionMode = true;
    }
}

bool ApplicationWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (IsPtsKeySequence(event)) {
        if (currentId() / PageKindDivisor == WelcomePageId / PageKindDivisor)
            ActivateDowngrade();
        return true;
    }
    if (IsPtsKeyRelease(event))
        return true;
    return QWizard::eventFilter(watched, event);
}

void ApplicationWizard::keyPressEvent(QKeyEvent* event)
{
    // Escape is a close request like any other, never a silent reject.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWizard::keyPressEvent(event);
}

void ApplicationWizard::closeEvent(QCloseEvent* event)
{
    m_logger->LogInformation(QStringLiteral("UI: Close event received."));
    if (button(CancelButton)->isEnabled()) {
        BlockEvents();
        if (ConfirmationBox::Confirm(ConfirmationBox::AbortApplication, this)) {
            // Events stay blocked: the wizard is going.
            m_logger->LogInformation(QStringLiteral("UI: Processing Close event."));
            event->accept();
            m_device->ResetDevice();
        } else {
            m_logger->LogInformation(QStringLiteral("UI: Ignoring Close event - user cancelled request."));
            UnblockEvents();
            event->ignore();
        }
    } else if (button(FinishButton)->isEnabled()) {
        event->accept();
    } else {
        m_logger->LogInformation(QStringLiteral("UI: Ignoring Close event - Cancel button not enabled."));
        event->ignore();
    }
}

} // namespace UpdatePelarin
