#include "ui/UpdatePelarinApp.h"

#include "ui/AdminCredentialsNeededDialog.h"
#include "ui/ApplicationWizard.h"
#include "ui/ConfirmationBox.h"
#include "ui/ErrorTable.h"
#include "ui/EulaDialog.h"
#include "ui/IndexFileWaitDialog.h"
#include "ui/RedoConnectionStepsDialog.h"
#include "ui/SelectFirmwareDialog.h"
#include "ui/SelectLanguageDialog.h"
#include "ui/SplashScreen.h"
#include "ui/SupportManager.h"
#include "ui/SystemInfoDialog.h"
#include "ui/UiCommon.h"
#include "ui/UploadFailureDialog.h"
#include "ui/UsbDriverLocation.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "app/UpdatePelarinAppFactory.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessing.h"
#include "firmware/VersionNumbers.h"
#include "sysinfo/ILanguageSupport.h"
#include "ui/SingleApplication.h"
#include "usb/IUsbDriverInstaller.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <map>

using namespace OrvoCommon;

namespace UpdatePelarin {

namespace {

constexpr char DefaultLanguage[] = "en";
constexpr int DialogPreviewMs = 5000;
constexpr int PreviewUploadPercent = 50;

// The translators act on the whole application, so every application object (the run's and the
// one-off ones of the command line) shares them and the language they stand for.
struct SharedLanguage
{
    QList<QPointer<QTranslator>> translators;
    QString current = QLatin1String(DefaultLanguage);
};

SharedLanguage& Language()
{
    static SharedLanguage language;
    return language;
}

// Download failures reach the user as "the update information is unavailable".
QString UserErrorCode(const QString& code)
{
    if (code == QLatin1String(ErrorCodes::DownloadWriteFileError) || code == QLatin1String(ErrorCodes::DownloadError))
        return QLatin1String(ErrorCodes::IndexUnretrievable);
    return code;
}

// The dialogs DisplayErrorDialog shows by name, each built without a parent and run modally.
using DialogMaker = std::function<QDialog*()>;

QDialog* Confirmation(int kind)
{
    auto* box = new ConfirmationBox;
    box->SetKind(kind);
    return box;
}

QDialog* SystemInformation(const std::function<void(SystemInfoDialog*)>& state)
{
    auto* dialog = new SystemInfoDialog;
    state(dialog);
    return dialog;
}

} // namespace

UpdatePelarinApp::UpdatePelarinApp()
    : m_logger(GetLogger()), m_configuration(GetConfiguration()),
      m_application(qobject_cast<SingleApplication*>(QCoreApplication::instance()))
{
}

UpdatePelarinApp::~UpdatePelarinApp()
{
    // The wizard first: its dialogs may still name this object's windows as their parents.
    m_wizard.reset();
    delete m_waitDialog.data();
}

// --- Language ---------------------------------------------------------------------------------------

ILanguageSupport* UpdatePelarinApp::LanguageSupport()
{
    if (!m_languageSupport) {
        if (LanguageSupportFactory* factory = LanguageSupportFactory::Registered())
            m_languageSupport = factory->CreateLanguageSupport();
    }
    return m_languageSupport;
}

const QList<LanguageInfo>& UpdatePelarinApp::Languages()
{
    if (m_languagesBuilt)
        return m_languages;
    m_languagesBuilt = true;
    const QList<LanguageInfo> configured = m_configuration->GetLanguages();
    ILanguageSupport* support = LanguageSupport();
    if (support) {
        LanguageMap map;
        for (const LanguageInfo& language : configured)
            map.insert(language.locale, language.code);
        support->SetLanguageMap(map);
    }
    QStringList seen;
    for (const LanguageInfo& language : configured) {
        const bool repeated = seen.contains(language.code);
        seen.append(language.code);
        if (!repeated && support && support->IsLanguageInstalled(language.code))
            m_languages.append(language);
    }
    return m_languages;
}

bool UpdatePelarinApp::IsRightToLeft(const QString& languageCode)
{
    bool rightToLeft = false;
    for (const LanguageInfo& language : Languages()) {
        if (language.code == languageCode)
            rightToLeft = language.rtl;
    }
    return rightToLeft;
}

void UpdatePelarinApp::SetLanguage(const QString& languageCode, bool keepLayout)
{
    if (languageCode.isEmpty())
        return;
    SharedLanguage& shared = Language();
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    const QString fileName = QStringLiteral("ui_") + QString(languageCode).replace(QLatin1Char('-'), QLatin1Char('_'));
    if (translator->load(fileName, ProgramDirectory())) {
        QCoreApplication::installTranslator(translator.get());
        shared.translators.append(translator.release());
        if (!keepLayout)
            QGuiApplication::setLayoutDirection(IsRightToLeft(languageCode) ? Qt::RightToLeft : Qt::LeftToRight);
        shared.current = languageCode;
        return;
    }
    m_logger->LogWarning(QStringLiteral("Translation not loaded for ") + languageCode);
    for (const QPointer<QTranslator>& installed : qAsConst(shared.translators)) {
        QCoreApplication::removeTranslator(installed);
        delete installed.data();
    }
    shared.translators.clear();
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    shared.current = QLatin1String(DefaultLanguage);
    // English is a catalogue too: without it the few source texts written for Windows would show.
    if (languageCode != QLatin1String(DefaultLanguage)) {
        translator = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (translator->load(QStringLiteral("ui_") + QLatin1String(DefaultLanguage), ProgramDirectory())) {
            QCoreApplication::installTranslator(translator.get());
            shared.translators.append(translator.release());
        }
    }
}

// --- The start ---------------------------------------------------------------------------------------

void UpdatePelarinApp::Start()
{
    m_keepRunning = std::make_unique<QEventLoopLocker>();
    Languages();
    ILanguageSupport* support = LanguageSupport();
    const QString userLanguage = support ? support->GetUserLanguage() : QString();
    SetLanguage(userLanguage, true);
    m_splash = std::make_unique<SplashScreen>();
    if (IsRightToLeft(userLanguage))
        m_splash->SetRightToLeft();
    SetActivationWindow(m_splash.get());
    m_splash->show();
    SetLanguage(userLanguage, false);
    QTimer::singleShot(static_cast<int>(m_configuration->GetNumber(QLatin1String(ConfigKeys::SplashScreenTime),
                                                                   ConfigKeys::SplashScreenTimeDefault)),
                       this, &UpdatePelarinApp::OnSplashTimer);
}

void UpdatePelarinApp::OnSplashTimer()
{
    m_splash.reset();

    auto* languageDialog = new SelectLanguageDialog;
    languageDialog->Fill(Languages());
    languageDialog->SelectAbbreviation(Language().current);
    QString chosen;
    connect(languageDialog, &QDialog::accepted, this,
            [&chosen, languageDialog] { chosen = languageDialog->SelectedAbbreviation(); });
    SetActivationWindow(languageDialog);
    if (ExecAndDelete(languageDialog) != QDialog::Accepted) {
        QCoreApplication::exit(0);
        return;
    }
    SetActivationWindow(nullptr);
    SetLanguage(chosen, false);

    if (AdminRightsNeeded()) {
        auto* adminDialog = new AdminCredentialsNeededDialog;
        connect(adminDialog, &AdminCredentialsNeededDialog::ContactRequested, this,
                &UpdatePelarinApp::OnShowContactInfo);
        SetActivationWindow(adminDialog);
        ExecAndDelete(adminDialog);
        QCoreApplication::exit(0);
        return;
    }

    SetAsciiVersionFormat(m_configuration->HasAsciiVersionNumber());
    m_firmware = FirmwareProcessingFactory::CreateFirmwareProcessing();
    if (!m_firmware) {
        SupportManager::Instance()->DisplayError(err_generic_internal_error, nullptr);
        return;
    }
    connect(m_firmware, &IFirmwareProcessing::AcquireIndexFileComplete, this, &UpdatePelarinApp::IndexFileDone,
            Qt::QueuedConnection);
    AcquireIndexFileWithRetry();
}

bool UpdatePelarinApp::AcquireIndexFileWithRetry()
{
    for (;;) {
        try {
            StartIndexFileAcquisition();
            return true;
        } catch (const OrvoException& exception) {
            if (!SupportManager::Instance()->DisplayError(ErrorIndexFor(exception.GetErrorCode()), m_waitDialog))
                return false;
        }
    }
}

void UpdatePelarinApp::StartIndexFileAcquisition()
{
    m_indexFileDone = false;
    m_firmware->AcquireIndexFile(m_configuration->GetIndexFileName(), m_configuration->GetIndexFileHost(),
                                 m_configuration->GetIndexFilePath());
    QTimer::singleShot(static_cast<int>(m_configuration->GetNumber(QLatin1String(ConfigKeys::IndexFileWaitTime),
                                                                   ConfigKeys::IndexFileWaitTimeDefault)),
                       this, &UpdatePelarinApp::WaitComplete);
}

void UpdatePelarinApp::WaitComplete()
{
    if (m_indexFileDone || m_waitDialog)
        return;
    m_waitDialog = new IndexFileWaitDialog;
    SetActivationWindow(m_waitDialog);
    m_waitDialog->show();
}

void UpdatePelarinApp::IndexFileDone(IIndexFile* indexFile, ExceptionPtr exception)
{
    m_indexFileDone = true;
    if (exception) {
        const QString code = UserErrorCode(exception->GetErrorCode());
        if (!SupportManager::Instance()->DisplayError(ErrorIndexFor(code), m_waitDialog)) {
            CloseWaitDialog();
            SetActivationWindow(nullptr);
            return;
        }
        AcquireIndexFileWithRetry();
        return;
    }
    CloseWaitDialog();
    ShowWizard(indexFile);
}

void UpdatePelarinApp::ShowWizard(IIndexFile* indexFile)
{
    try {
        m_wizard = std::make_unique<ApplicationWizard>(indexFile);
    } catch (const OrvoException& exception) {
        // Without the device engine there is nothing to update; the box offers only Exit.
        m_logger->LogException(exception);
        SupportManager::Instance()->DisplayError(err_generic_internal_error, nullptr);
        return;
    }
    SetActivationWindow(m_wizard.get());
    m_wizard->show();
    // From here closing the wizard, the last window, ends the program.
    m_keepRunning.reset();
}

void UpdatePelarinApp::CloseWaitDialog()
{
    if (m_waitDialog) {
        m_waitDialog->close();
        delete m_waitDialog.data();
    }
}

bool UpdatePelarinApp::AdminRightsNeeded()
{
    IUsbDriverInstaller* installer = Installer();
    if (!installer)
        return false;
    const UsbDriverLocation location = FindUsbDriver(installer, m_configuration, m_logger);
    const int installed = installer->IsDriverInstalled(location.packagePath);
    if (installed == -1)
        m_logger->LogError(QStringLiteral("UpdatePelarinApp: IsDriverInstalled() returned an error when called on ") +
                           location.packagePath);
    const int admin = installer->IsInAdminRole();
    if (admin == -1)
        m_logger->LogError(QStringLiteral("UpdatePelarinApp: IsInAdminRole() returned an error."));
    return installed != 1 && admin != 1;
}

IUsbDriverInstaller* UpdatePelarinApp::Installer()
{
    if (!m_installer) {
        if (UsbDriverInstallerFactory* factory = UsbDriverInstallerFactory::Registered())
            m_installer = factory->CreateUsbDriverInstaller();
    }
    return m_installer.get();
}

void UpdatePelarinApp::SetActivationWindow(QWidget* window)
{
    if (m_application)
        m_application->SetActivationWindow(window);
}

void UpdatePelarinApp::OnShowContactInfo()
{
    SupportManager::Instance()->ShowContactInfo();
}

// --- Dialogs by name ---------------------------------------------------------------------------------

void UpdatePelarinApp::DisplayErrorDialog(const QString& name)
{
    if (name == QLatin1String("dlg_index_file_wait")) {
        // Modeless, as during the start; it shows its animation while events go on.
        IndexFileWaitDialog dialog;
        dialog.show();
        QEventLoop loop;
        QTimer::singleShot(DialogPreviewMs, &loop, &QEventLoop::quit);
        loop.exec();
        dialog.close();
        return;
    }
    const std::map<QString, DialogMaker> dialogs = {
        {QStringLiteral("dlg_admin_credentials_needed"), [] { return new AdminCredentialsNeededDialog; }},
        {QStringLiteral("dlg_redo_connection_steps"), [] { return new RedoConnectionStepsDialog; }},
        {QStringLiteral("dlg_upload_failure"), [] { return new UploadFailureDialog; }},
        {QStringLiteral("dlg_select_firmware"),
         [] {
             auto* dialog = new SelectFirmwareDialog;
             dialog->SetDeviceName(QString());
             dialog->SetVersions({QStringLiteral("01.00.00"), QStringLiteral("01.02.00")});
             dialog->SetCurrentVersion(QStringLiteral("01.00.00"));
             return dialog;
         }},
        {QStringLiteral("dlg_select_language"), [] { return new SelectLanguageDialog; }},
        {QStringLiteral("cnf_abort_app"), [] { return Confirmation(ConfirmationBox::AbortApplication); }},
        {QStringLiteral("cnf_cancel_upload"), [] { return Confirmation(ConfirmationBox::CancelUpload); }},
        {QStringLiteral("cnf_downgrade"), [] { return Confirmation(ConfirmationBox::EnableSelection); }},
        {QStringLiteral("cnf_error_exit"), [] { return Confirmation(ConfirmationBox::ErrorExit); }},
        {QStringLiteral("dlg_system_info"), [] { return SystemInformation([](SystemInfoDialog*) {}); }},
        {QStringLiteral("dlg_system_info_uploading"),
         [] {
             return SystemInformation([](SystemInfoDialog* dialog) {
                 dialog->SetUploading(true);
                 dialog->SetUploadProgress(PreviewUploadPercent);
                 QObject::connect(dialog, &SystemInfoDialog::CancelUploadRequested, dialog, &QDialog::reject);
             });
         }},
        {QStringLiteral("dlg_system_info_uploaded"),
         [] {
             return SystemInformation([](SystemInfoDialog* dialog) {
                 dialog->SetUploading(true);
                 dialog->SetUploadCompleted();
             });
         }},
        {QStringLiteral("dlg_eula"), [] { return new EulaDialog; }},
    };
    const auto dialog = dialogs.find(name);
    if (dialog == dialogs.end()) {
        SupportManager::Instance()->DisplayError(ErrorIndexFor(name), nullptr);
        return;
    }
    ExecAndDelete(dialog->second());
}

void RegisterUpdatePelarinApp()
{
    UpdatePelarinAppFactory::Instance()->SetCreators([] { return std::make_unique<UpdatePelarinApp>(); },
                                                     [] { return std::make_unique<UpdatePelarinApp>(); });
}

} // namespace UpdatePelarin
