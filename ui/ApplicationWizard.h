#pragma once

#include "app/OrvoException.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/ProductIdentity.h"
#include "ui/WizardEvent.h"
#include "usb/ICsrUsbInterface.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWizard>

#include <memory>
#include <vector>

class QMenu;

namespace OrvoCommon {
class IConfiguration;
class IFirmwareProcessing;
class IIndexFile;
class ILogger;
class IUsbDriverInstaller;
} // namespace OrvoCommon

namespace UpdatePelarin {

class CommStatusPage;
class IPelarin;
class IWebUploader;
class InstallDriverPage;
class PrepareDevicePage;
class WelcomePage;

// The main window of an interactive update. A numbered state machine decides everything: the
// user's Next, a device becoming ready, files acquired, programming and the version report finished
// are each turned into a trigger for the handler of the current state, which may change the state
// and move the wizard to the state's page. Clicking Next never moves the wizard by itself.
class ApplicationWizard : public QWizard
{
    Q_OBJECT

public:
    enum State
    {
        Welcome = 0,
        InstallDriver = 1,
        Connect = 2,
        PrepareDevice = 3,
        PrepareDeviceComplete = 4,
        SelectVersionState = 5,
        DownloadFirmwareFiles = 6,
        Programming = 7,
        ProgrammingCompleteState = 8,
        VersionInfoUploadComplete = 9,
        AlreadyUpToDate = 10,
        Success = 11,
    };

    enum Trigger
    {
        Entry = 0,
        NextClicked = 1,
        DeviceReadyTrigger = 2,
        FilesAcquired = 3,
        ProgrammingSucceeded = 4,
        VersionUploadFinished = 5,
        RetryAfterError = 7,
    };

    enum PageId
    {
        WelcomePageId = 1000,
        InstallDriverPageId = 2000,
        ConnectDevicePageId = 3000,
        PrepareDevicePageId = 4000,
        CommStatusPageId = 5000,
        AlreadyUpToDatePageId = 7000,
        SuccessPageId = 8000,
    };

    // The index file is not owned and must outlive the wizard. Throws OrvoException when the device
    // facade cannot be had.
    explicit ApplicationWizard(OrvoCommon::IIndexFile* indexFile, QWidget* parent = nullptr);
    ~ApplicationWizard() override;

    int nextId() const override;
    int CurrentState() const { return m_state; }
    bool IsSelectionMode() const { return m_selectionMode; }

signals:
    void IsOnWelcomePage(bool isOnPage);

private slots:
    void ActivateDowngrade();
    void OnAcquiredFirmwareFiles(OrvoCommon::FirmwareImageList imageFiles, OrvoCommon::ExceptionPtr ex);
    void OnDeviceDisconnected();
    void OnDeviceError(OrvoCommon::ExceptionPtr exception);
    void OnDeviceReady();
    void OnDownloadProgress(short progress);
    void OnDriverInstallComplete(const QString& error);
    void OnFailedInstall(OrvoCommon::ICsrUsbInterface::FailedInstallReason reason);
    void OnVersionUploadComplete(OrvoCommon::ExceptionPtr ex);
    void OnInstallDriverRequested();
    void OnNextClicked();
    void OnProgrammingComplete(OrvoCommon::ExceptionPtr ex);
    void OnProgramProgress(short progress, bool verifying);
    void OnShowContactInfo();
    void OnShowLicenseAgreement();
    void OnShowSystemInfo();

protected:
    void initializePage(int id) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpWindow();
    void SetUpButtons();
    void Next();
    void ExecuteCurrentState(int trigger);
    void RunStateHandler(int trigger);
    void ReturnToState(int state);
    // The page of a state, 0 for the state without a page.
    int PageOfState(int state) const;

    void HandleWelcome(int trigger);
    void HandleInstallDriver(int trigger);
    void HandleConnect(int trigger);
    void HandlePrepareDevice(int trigger);
    void HandlePrepareDeviceComplete(int trigger);
    void HandleSelectVersion(int trigger);
    void HandleDownloadFirmwareFiles(int trigger);
    void HandleProgramming(int trigger);
    void HandleProgrammingComplete(int trigger);
    void HandleVersionInfoUploadComplete(int trigger);
    void HandleAlreadyUpToDate(int trigger);
    void HandleSuccess(int trigger);
    // Takes in the ready device and answers where it leads: programming or already up to date.
    int NextStateForReadyDevice();
    // Enters state and moves to its page; the programming and up-to-date states start their work.
    void GoToState(int state);

    bool IsDriverInstalled();
    bool IsInAdminRole();
    void HandleReadyEvent();
    bool ShouldProgram();
    // False when the user ended the program instead of choosing.
    bool SelectVersion();
    void AcquireFirmwareFiles();
    bool StartProgramming();
    void StartVersionInfoUpload();
    void HandleMultipleDevices();
    // Whether a is newer than b by the index file; a pair it cannot compare is logged and gets the
    // answer given.
    bool IsNewer(const QString& a, const QString& b, bool whenIncomparable);

    void ProcessEvent(const WizardEvent& event);
    void ProcessDisconnected();
    void ProcessAcquired(const WizardEvent& event);
    void ProcessProgrammingComplete(const WizardEvent& event);
    void PostWizardEvent(WizardEvent::Kind kind, OrvoCommon::ExceptionPtr exception = nullptr);
    void BlockEvents();
    void UnblockEvents();
    bool DisplayError(int index);

    void SetCommStatus(int status);
    void ShowProgrammingProgress(short progress, bool verifying);
    void SetInstallDriverPageState(int state);
    void SetCancelEnabled(bool enabled);
    QString ReadEula();

    void InitializeWelcomePage(WelcomePage* page);
    // Registers the next page of the kind of id under a fresh id, so that coming back to the state
    // later shows a new page.
    void RegisterFreshPage(int kind);
    template <class Page>
    Page* PageAs(int id);

    OrvoCommon::IIndexFile* m_indexFile;
    OrvoCommon::IFirmwareProcessing* m_firmware;
    OrvoCommon::ILogger* m_logger;
    IPelarin* m_device;
    std::unique_ptr<OrvoCommon::IUsbDriverInstaller> m_installer;
    OrvoCommon::IConfiguration* m_configuration;
    std::unique_ptr<IWebUploader> m_versionUploader;

    OrvoCommon::ProductIdentity m_productIdentity;
    QString m_deviceName;
    QString m_releaseVersion;
    QString m_targetVersion;
    OrvoCommon::FirmwareImageList m_imageFiles;
    QString m_bluetoothDeviceName;
    int m_state = Welcome;
    bool m_selectionMode = false;
    bool m_allDisconnected = true;
    short m_downloadShare = 0;
    short m_programmingShare = 0;
    bool m_driverReinstallPending = false;
    bool m_eventsBlocked = false;
    std::vector<std::unique_ptr<WizardEvent>> m_heldEvents; // in arrival order

    int m_installDriverPageCounter = InstallDriverPageId;
    int m_connectDevicePageCounter = ConnectDevicePageId;
    int m_prepareDevicePageCounter = PrepareDevicePageId;
    int m_commStatusPageCounter = CommStatusPageId;
    QPointer<InstallDriverPage> m_installDriverPage;
    QPointer<PrepareDevicePage> m_prepareDevicePage;
    QPointer<CommStatusPage> m_commStatusPage;
    QMenu* m_helpMenu = nullptr;

    // Set by Next() and consumed by the next nextId(), which QWizard also asks whenever it updates
    // its buttons; only a move the state machine asked for gets past the current page.
    mutable bool m_readyForNextPage = false;
    bool m_executing = false;
};

} // namespace UpdatePelarin
