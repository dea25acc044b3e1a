// Renders every page (in each state) and every dialog of the interface to PNG files and checks that
// each picture has content and that no label or button is too small for its text.
//   tessary-gallery [--output FOLDER] [--language CODE]

#include "app/IConfiguration.h"
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
#include "ui/UiResources.h"
#include "ui/UploadFailureDialog.h"
#include "ui/WelcomePage.h"
#include "web/WebSystemInfo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextStream>
#include <QTranslator>
#include <QWizard>

#include <functional>
#include <memory>

using namespace UpdatePelarin;

namespace {

constexpr QSize WizardSize(640, 480);

class Gallery
{
public:
    explicit Gallery(const QString& folder) : m_folder(folder) {}

    // Shows the window, lets it lay itself out, checks it and writes it as name.png.
    void Shoot(QWidget* window, const QString& name)
    {
        window->show();
        QCoreApplication::processEvents();
        const QImage image = window->grab().toImage();
        ++m_count;
        if (!HasContent(image))
            Fail(name, QStringLiteral("the picture is empty"));
        for (const QString& problem : Clipped(window))
            Fail(name, problem);
        if (!image.save(QDir(m_folder).filePath(name + QStringLiteral(".png"))))
            Fail(name, QStringLiteral("cannot write the picture"));
        window->hide();
    }

    int Count() const { return m_count; }
    int Failures() const { return m_failures; }

private:
    static bool HasContent(const QImage& image)
    {
        if (image.isNull() || image.width() == 0 || image.height() == 0)
            return false;
        const QRgb first = image.pixel(0, 0);
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                if (image.pixel(x, y) != first)
                    return true;
            }
        }
        return false;
    }

    // Labels and buttons whose text needs more room than the layout gave them.
    static QStringList Clipped(QWidget* window)
    {
        QStringList problems;
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        for (const QLabel* label : labels) {
            if (!label->isVisibleTo(window) || label->text().trimmed().isEmpty())
                continue;
            const QSize hint = label->sizeHint();
            const bool clipped = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                                   : hint.width() > label->width() || hint.height() > label->height();
            if (clipped)
                problems << QStringLiteral("label \"%1\" is %2 x %3, its text needs %4 x %5")
                                .arg(label->objectName())
                                .arg(label->width())
                                .arg(label->height())
                                .arg(label->wordWrap() ? label->width() : hint.width())
                                .arg(label->wordWrap() ? label->heightForWidth(label->width()) : hint.height());
        }
        const QList<QAbstractButton*> buttons = window->findChildren<QAbstractButton*>();
        for (const QAbstractButton* button : buttons) {
            if (button->isVisibleTo(window) && !button->text().isEmpty() &&
                button->sizeHint().width() > button->width())
                problems << QStringLiteral("button \"%1\" is %2 wide, its text needs %3")
                                .arg(button->objectName())
                                .arg(button->width())
                                .arg(button->sizeHint().width());
        }
        return problems;
    }

    void Fail(const QString& name, const QString& problem)
    {
        ++m_failures;
        QTextStream(stderr) << name << ": " << problem << '\n';
    }

    QString m_folder;
    int m_count = 0;
    int m_failures = 0;
};

// A wizard dressed like the program's, holding one page; a page that is not final gets a blank
// successor so that the wizard offers Next, as the program's does.
std::unique_ptr<QWizard> WizardWith(QWizardPage* page, bool final = false)
{
    auto wizard = std::make_unique<QWizard>();
    wizard->setWizardStyle(QWizard::ClassicStyle);
    wizard->setWindowTitle(ProgramTitle());
    wizard->setOption(QWizard::HaveHelpButton);
    wizard->setButtonLayout(
        {QWizard::HelpButton, QWizard::Stretch, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton});
    wizard->setButtonText(QWizard::HelpButton, QStringLiteral("Help"));
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

WebSystemInfo SampleSystemInfo()
{
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
    return info;
}

void ShootPages(Gallery& gallery)
{
    {
        auto* page = new WelcomePage;
        page->SetLicenseText(LicenseText());
        auto wizard = WizardWith(page);
        gallery.Shoot(wizard.get(), QStringLiteral("page_welcome"));
    }
    {
        auto* page = new InstallDriverPage;
        auto wizard = WizardWith(page);
        for (int state = InstallDriverPage::Initial; state <= InstallDriverPage::Failed; ++state) {
            page->SetState(state);
            gallery.Shoot(wizard.get(), QStringLiteral("page_install_driver_%1").arg(state));
        }
    }
    {
        auto wizard = WizardWith(new ConnectDevicePage);
        gallery.Shoot(wizard.get(), QStringLiteral("page_connect_device"));
    }
    {
        auto wizard = WizardWith(new PrepareDevicePage);
        gallery.Shoot(wizard.get(), QStringLiteral("page_prepare_device"));
    }
    {
        auto* page = new CommStatusPage;
        page->SetDeviceName(QStringLiteral("Orvo ZR3h"));
        auto wizard = WizardWith(page);
        const short progress[] = {0, 0, 5, 55, 100};
        for (int status = CommStatusPage::Reset; status <= CommStatusPage::Confirming; ++status) {
            page->SetStatus(status);
            page->SetProgress(progress[status]);
            gallery.Shoot(wizard.get(), QStringLiteral("page_comm_status_%1").arg(status));
        }
    }
    {
        auto* page = new SuccessPage;
        page->SetDeviceName(QStringLiteral("Orvo ZR3h"));
        page->SetVersion(QStringLiteral("02.01.00"));
        auto wizard = WizardWith(page, true);
        gallery.Shoot(wizard.get(), QStringLiteral("page_success"));
    }
    for (bool supported : {true, false}) {
        auto* page = new AlreadyUpToDatePage;
        page->SetDeviceName(QStringLiteral("Orvo ZR3h"));
        page->SetVersion(QStringLiteral("02.01.00"));
        page->SetUpdateSupported(supported);
        auto wizard = WizardWith(page, true);
        gallery.Shoot(wizard.get(), supported ? QStringLiteral("page_already_up_to_date")
                                              : QStringLiteral("page_update_not_supported"));
    }
}

void ShootDialogs(Gallery& gallery)
{
    {
        SplashScreen splash;
        gallery.Shoot(&splash, QStringLiteral("splash_screen"));
    }
    {
        IndexFileWaitDialog dialog;
        gallery.Shoot(&dialog, QStringLiteral("dialog_index_file_wait"));
    }
    {
        EulaDialog dialog;
        dialog.SetLicenseHtml(LicenseText());
        gallery.Shoot(&dialog, QStringLiteral("dialog_eula"));
    }
    for (int kind = 0; kind < ConfirmationBox::KindCount; ++kind) {
        ConfirmationBox box;
        box.SetKind(kind);
        gallery.Shoot(&box, QStringLiteral("confirmation_%1").arg(kind));
    }
    {
        SelectLanguageDialog dialog;
        dialog.Fill({{QStringLiteral("en"), QStringLiteral("English"), 0x409, false},
                     {QStringLiteral("de"), QStringLiteral("Deutsch"), 0x407, false},
                     {QStringLiteral("fr"), QStringLiteral("Français"), 0x40c, false},
                     {QStringLiteral("ar"), QStringLiteral("العربية"), 0x401, true}});
        dialog.SelectAbbreviation(QStringLiteral("de"));
        gallery.Shoot(&dialog, QStringLiteral("dialog_select_language"));
    }
    {
        SelectFirmwareDialog dialog;
        dialog.SetVersions({QStringLiteral("01.02.00"), QStringLiteral("01.00.00")});
        dialog.SetCurrentVersion(QStringLiteral("01.00.00"));
        dialog.SetDeviceName(QStringLiteral("Orvo ZR3h"));
        gallery.Shoot(&dialog, QStringLiteral("dialog_select_firmware"));
    }
    {
        UploadFailureDialog dialog;
        gallery.Shoot(&dialog, QStringLiteral("dialog_upload_failure"));
    }
    {
        RedoConnectionStepsDialog dialog;
        gallery.Shoot(&dialog, QStringLiteral("dialog_redo_connection_steps"));
    }
    {
        AdminCredentialsNeededDialog dialog;
        gallery.Shoot(&dialog, QStringLiteral("dialog_admin_credentials_needed"));
    }
    for (int index = 0; index < ErrorIndexCount; ++index) {
        ErrorBox box;
        box.ShowEntry(ErrorEntryAt(index));
        gallery.Shoot(&box, QStringLiteral("error_%1").arg(index, 2, 10, QLatin1Char('0')));
    }
    {
        ErrorBox box;
        box.ShowEntry(ErrorEntryAt(err_device_disconnected));
        box.EnableSupport(true);
        gallery.Shoot(&box, QStringLiteral("error_06_support_mode"));
    }
    const QString html = SystemInfoHtml(SampleSystemInfo(), {QStringLiteral("Error, No devices are connected")});
    const std::function<void(SystemInfoDialog&)> states[] = {
        [](SystemInfoDialog&) {},
        [](SystemInfoDialog& dialog) { dialog.EnableSupport(true); },
        [](SystemInfoDialog& dialog) {
            dialog.EnableSupport(true);
            dialog.SetUploading(true);
            dialog.SetUploadProgress(50);
        },
        [](SystemInfoDialog& dialog) {
            dialog.EnableSupport(true);
            dialog.SetUploading(true);
            dialog.SetUploadCompleted();
        },
    };
    const char* stateNames[] = {"plain", "support", "uploading", "uploaded"};
    for (int state = 0; state < 4; ++state) {
        SystemInfoDialog dialog;
        dialog.SetHtml(html);
        states[state](dialog);
        gallery.Shoot(&dialog, QStringLiteral("dialog_system_info_%1").arg(QLatin1String(stateNames[state])));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders every page and dialog to PNG files."));
    parser.addHelpOption();
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("Folder for the pictures."),
                                          QStringLiteral("folder"), QStringLiteral("gallery"));
    const QCommandLineOption languageOption(QStringLiteral("language"),
                                            QStringLiteral("Language code whose ui_<code>.qm is loaded."),
                                            QStringLiteral("code"));
    parser.addOption(outputOption);
    parser.addOption(languageOption);
    parser.process(application);

    InitUiResources();
    QTranslator translator;
    const QString language = parser.value(languageOption);
    if (!language.isEmpty()) {
        const QString file = QStringLiteral("ui_") + QString(language).replace(QLatin1Char('-'), QLatin1Char('_'));
        if (translator.load(file, OrvoCommon::ProgramDirectory()))
            QApplication::installTranslator(&translator);
        else
            QTextStream(stderr) << "no translation " << file << ".qm in " << OrvoCommon::ProgramDirectory() << '\n';
        if (language.startsWith(QLatin1String("ar")))
            QApplication::setLayoutDirection(Qt::RightToLeft);
    }

    const QString folder = parser.value(outputOption);
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << '\n';
        return 2;
    }
    Gallery gallery(folder);
    ShootPages(gallery);
    ShootDialogs(gallery);
    QTextStream(stdout) << gallery.Count() << " pictures in " << QDir(folder).absolutePath() << ", "
                        << gallery.Failures() << " problems\n";
    return gallery.Failures() == 0 ? 0 : 1;
}
