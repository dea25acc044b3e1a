#pragma once

#include "app/IConfiguration.h"
#include "app/IUpdatePelarinApp.h"
#include "app/OrvoException.h"

#include <QEventLoopLocker>
#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

namespace OrvoCommon {
class IFirmwareProcessing;
class IIndexFile;
class ILanguageSupport;
class ILogger;
class IUsbDriverInstaller;
class SingleApplication;
} // namespace OrvoCommon

namespace UpdatePelarin {

class ApplicationWizard;
class IndexFileWaitDialog;
class SplashScreen;

// The interactive start: splash screen, language, the administrator check, the index file (with a
// wait dialog when it takes long, and Retry when it fails), then the wizard, which it owns. Whatever
// window is current is the one a second start of the program brings forward. Also the test aids
// that switch the language and show any dialog by name.
class UpdatePelarinApp : public QObject, public OrvoCommon::IUpdatePelarinApp, public OrvoCommon::IUpdatePelarinAppTest
{
    Q_OBJECT

public:
    UpdatePelarinApp();
    ~UpdatePelarinApp() override;

    void Start() override;
    void DisplayErrorDialog(const QString& name) override;
    void SetLanguage(const QString& languageCode, bool keepLayout) override;

    // The wizard once the index file has arrived, else null.
    ApplicationWizard* Wizard() const { return m_wizard.get(); }

public slots:
    void IndexFileDone(OrvoCommon::IIndexFile* indexFile, OrvoCommon::ExceptionPtr exception);
    void OnSplashTimer();
    void WaitComplete();
    void OnShowContactInfo();

private:
    const QList<OrvoCommon::LanguageInfo>& Languages();
    bool IsRightToLeft(const QString& languageCode);
    bool AdminRightsNeeded();
    // Starts the index file's acquisition, and again for as long as a failure to start it is
    // answered with Retry; false when the user gave up.
    bool AcquireIndexFileWithRetry();
    void StartIndexFileAcquisition();
    void ShowWizard(OrvoCommon::IIndexFile* indexFile);
    void CloseWaitDialog();
    void SetActivationWindow(QWidget* window);
    OrvoCommon::IUsbDriverInstaller* Installer();
    OrvoCommon::ILanguageSupport* LanguageSupport();

    OrvoCommon::ILogger* m_logger;
    OrvoCommon::IConfiguration* m_configuration;
    OrvoCommon::IFirmwareProcessing* m_firmware = nullptr;
    std::unique_ptr<OrvoCommon::IUsbDriverInstaller> m_installer;
    OrvoCommon::ILanguageSupport* m_languageSupport = nullptr;
    QList<OrvoCommon::LanguageInfo> m_languages;
    bool m_languagesBuilt = false;
    std::unique_ptr<SplashScreen> m_splash;
    bool m_indexFileDone = false;
    QPointer<IndexFileWaitDialog> m_waitDialog;
    OrvoCommon::SingleApplication* m_application;
    std::unique_ptr<ApplicationWizard> m_wizard;
    // Between the windows of the start (splash, dialogs, wizard) none is visible for a moment; the
    // program must not take that for its last window closing.
    std::unique_ptr<QEventLoopLocker> m_keepRunning;
};

// Installs the application object's creators in UpdatePelarinAppFactory; the program calls it once.
void RegisterUpdatePelarinApp();

} // namespace UpdatePelarin
