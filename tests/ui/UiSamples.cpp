#include "tests/ui/UiSamples.h"

#include "app/EventWatch.h"
#include "app/ProgramDirectory.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "ui/AdminCredentialsNeededDialog.h"
#include "ui/AlreadyUpToDatePage.h"
#include "ui/CommStatusPage.h"
#include "ui/ConfirmationBox.h"
#include "ui/ConnectDevicePage.h"
#include "ui/ErrorBox.h"
#include "ui/ErrorTable.h"
#include "ui/EulaDialog.h"
#include "ui/IndexFileWaitDialog.h"
#include "ui/InstallDriverPage.h"
#include "ui/PrepareDevicePage.h"
#include "ui/RedoConnectionStepsDialog.h"
#include "ui/SelectFirmwareDialog.h"
#include "ui/SelectLanguageDialog.h"
#include "ui/SplashScreen.h"
#include "ui/SuccessPage.h"
#include "ui/SystemInfoDialog.h"
#include "ui/SystemInfoHtml.h"
#include "ui/UiCommon.h"
#include "ui/UploadFailureDialog.h"
#include "ui/WelcomePage.h"
#include "web/WebSystemInfo.h"

#include <QApplication>
#include <QFile>
#include <QWizard>

namespace TestSupport {

using namespace UpdatePelarin;

namespace {

constexpr QSize WizardSize(640, 480);

// A wizard dressed like the program's (ApplicationWizard needs the whole engine), holding one page; a page that is not
// final gets a blank successor so that the wizard offers Next, as the program's does.
std::unique_ptr<QWidget> WizardWith(QWizardPage* page, bool final = false)
{
    auto wizard = std::make_unique<QWizard>();
    wizard->setWizardStyle(QWizard::ClassicStyle);
    wizard->setOption(QWizard::HaveHelpButton);
    wizard->setButtonLayout(
        {QWizard::HelpButton, QWizard::Stretch, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton});
    QWizard* window = wizard.get();
    OrvoCommon::KeepTranslated(window, [window] {
        const auto text = [](const char* source) {
            return QCoreApplication::translate("UpdatePelarin::ApplicationWizard", source);
        };
        window->setWindowTitle(ProgramTitle());
        window->setButtonText(QWizard::HelpButton, text("Help"));
        window->setButtonText(QWizard::NextButton, text("Next"));
        window->setButtonText(QWizard::FinishButton, text("Finish"));
        window->setButtonText(QWizard::CancelButton, text("Cancel"));
    });
    wizard->setMinimumSize(WizardSize);
    wizard->resize(WizardSize);
    wizard->setPage(1, page);
    if (!final)
        wizard->setPage(2, new QWizardPage);
    wizard->restart();
    return wizard;
}

QString LicenseText()
{
    QFile file(OrvoCommon::ProgramDirectory() + QStringLiteral("/eula_en.htm"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString::fromUtf8(file.readAll());
    return QStringLiteral("<h3>End User License Agreement</h3><p>The licence text is shipped beside the program.</p>");
}

const QString& SampleSystemInfoHtml()
{
    static const QString html = [] {
        WebSystemInfo info;
        OrvoCommon::LinuxSystemInfoReader reader;
        info.systemInfo = reader.GetSystemInfo();
        info.applicationVersion = QStringLiteral("1.0.5924");
        info.targetFirmwareVersion = QStringLiteral("02.01.00");
        info.deviceInfo.deviceName = QStringLiteral("Orvo ZR3h");
        info.deviceInfo.serialNumber = QStringLiteral("ZR3H-0042-7713");
        info.deviceInfo.hardwareVersion = QStringLiteral("01.00.00");
        info.deviceInfo.firmwareVersion = QStringLiteral("02.00.00");
        info.deviceInfo.bluetoothAddress = QStringLiteral("00:02:5b:00:a5:a5");
        info.deviceInfo.bluetoothPairingList = QStringList{QStringLiteral("00:11:22:33:44:55")};
        info.deviceInfo.deviceId = 0x1f20;
        return SystemInfoHtml(info, {QStringLiteral("Error, No devices are connected")});
    }();
    return html;
}

template <class Page>
std::unique_ptr<QWidget> ResultPageSample(bool supported = true)
{
    auto* page = new Page;
    page->SetDeviceName(QStringLiteral("Orvo ZR3h"));
    page->SetVersion(QStringLiteral("02.01.00"));
    if constexpr (std::is_same_v<Page, AlreadyUpToDatePage>)
        page->SetUpdateSupported(supported);
    return WizardWith(page, true);
}

std::unique_ptr<QWidget> SystemInfoSample(const std::function<void(SystemInfoDialog&)>& state)
{
    auto dialog = std::make_unique<SystemInfoDialog>();
    dialog->SetHtml(SampleSystemInfoHtml());
    state(*dialog);
    return dialog;
}

std::vector<UiSample> BuildSamples()
{
    std::vector<UiSample> samples;
    const auto add = [&samples](const QString& name, std::function<std::unique_ptr<QWidget>()> make) {
        samples.push_back({name, std::move(make)});
    };

    add(QStringLiteral("page_welcome"), [] {
        auto* page = new WelcomePage;
        page->SetLicenseText(LicenseText());
        return WizardWith(page);
    });
    for (int state = InstallDriverPage::Initial; state <= InstallDriverPage::Failed; ++state) {
        add(QStringLiteral("page_install_driver_%1").arg(state), [state] {
            auto* page = new InstallDriverPage;
            page->SetState(state);
            return WizardWith(page);
        });
    }
    add(QStringLiteral("page_connect_device"), [] { return WizardWith(new ConnectDevicePage); });
    add(QStringLiteral("page_prepare_device"), [] { return WizardWith(new PrepareDevicePage); });
    const short progress[] = {0, 0, 5, 55, 100};
    for (int status = CommStatusPage::Reset; status <= CommStatusPage::Confirming; ++status) {
        const short percent = progress[status];
        add(QStringLiteral("page_comm_status_%1").arg(status), [status, percent] {
            auto* page = new CommStatusPage;
            page->SetDeviceName(QStringLiteral("Orvo ZR3h"));
            page->SetStatus(status);
            page->SetProgress(percent);
            return WizardWith(page);
        });
    }
    add(QStringLiteral("page_success"), [] { return ResultPageSample<SuccessPage>(); });
    add(QStringLiteral("page_already_up_to_date"), [] { return ResultPageSample<AlreadyUpToDatePage>(); });
    add(QStringLiteral("page_update_not_supported"), [] { return ResultPageSample<AlreadyUpToDatePage>(false); });

    add(QStringLiteral("splash_screen"), [] {
        auto splash = std::make_unique<SplashScreen>();
        // As the application object does for a right-to-left language.
        if (QApplication::layoutDirection() == Qt::RightToLeft)
            splash->SetRightToLeft();
        return splash;
    });
    add(QStringLiteral("dialog_index_file_wait"), [] { return std::make_unique<IndexFileWaitDialog>(); });
    add(QStringLiteral("dialog_eula"), [] {
        auto dialog = std::make_unique<EulaDialog>();
        dialog->SetLicenseHtml(LicenseText());
        return dialog;
    });
    for (int kind = 0; kind < ConfirmationBox::KindCount; ++kind) {
        add(QStringLiteral("confirmation_%1").arg(kind), [kind] {
            auto box = std::make_unique<ConfirmationBox>();
            box->SetKind(kind);
            return box;
        });
    }
    add(QStringLiteral("dialog_select_language"), [] {
        auto dialog = std::make_unique<SelectLanguageDialog>();
        dialog->Fill({{QStringLiteral("en"), QStringLiteral("English"), 0x0009, false},
                      {QStringLiteral("de"), QStringLiteral("Deutsch"), 0x0007, false},
                      {QStringLiteral("fr"), QStringLiteral("Français"), 0x000c, false},
                      {QStringLiteral("ar"), QStringLiteral("العربية"), 0x0001, true}});
        dialog->SelectAbbreviation(QStringLiteral("de"));
        return dialog;
    });
    add(QStringLiteral("dialog_select_firmware"), [] {
        auto dialog = std::make_unique<SelectFirmwareDialog>();
        dialog->SetVersions({QStringLiteral("01.02.00"), QStringLiteral("01.00.00")});
        dialog->SetCurrentVersion(QStringLiteral("01.00.00"));
        dialog->SetDeviceName(QStringLiteral("Orvo ZR3h"));
        return dialog;
    });
    add(QStringLiteral("dialog_upload_failure"), [] { return std::make_unique<UploadFailureDialog>(); });
    add(QStringLiteral("dialog_redo_connection_steps"), [] { return std::make_unique<RedoConnectionStepsDialog>(); });
    add(QStringLiteral("dialog_admin_credentials_needed"),
        [] { return std::make_unique<AdminCredentialsNeededDialog>(); });
    for (int index = 0; index < ErrorIndexCount; ++index) {
        add(QStringLiteral("error_%1").arg(index, 2, 10, QLatin1Char('0')), [index] {
            auto box = std::make_unique<ErrorBox>();
            box->ShowEntry(ErrorEntryAt(index));
            return box;
        });
    }
    add(QStringLiteral("error_06_support_mode"), [] {
        auto box = std::make_unique<ErrorBox>();
        box->ShowEntry(ErrorEntryAt(err_device_disconnected));
        box->EnableSupport(true);
        return box;
    });
    add(QStringLiteral("dialog_system_info_plain"), [] { return SystemInfoSample([](SystemInfoDialog&) {}); });
    add(QStringLiteral("dialog_system_info_support"),
        [] { return SystemInfoSample([](SystemInfoDialog& dialog) { dialog.EnableSupport(true); }); });
    add(QStringLiteral("dialog_system_info_uploading"), [] {
        return SystemInfoSample([](SystemInfoDialog& dialog) {
            dialog.EnableSupport(true);
            dialog.SetUploading(true);
            dialog.SetUploadProgress(50);
        });
    });
    add(QStringLiteral("dialog_system_info_uploaded"), [] {
        return SystemInfoSample([](SystemInfoDialog& dialog) {
            dialog.EnableSupport(true);
            dialog.SetUploading(true);
            dialog.SetUploadCompleted();
        });
    });
    return samples;
}

} // namespace

const std::vector<UiSample>& UiSamples()
{
    static const std::vector<UiSample> samples = BuildSamples();
    return samples;
}

} // namespace TestSupport
