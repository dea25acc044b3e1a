#include "tests/support/LogCapture.h"
#include "tests/support/ModalDriver.h"
#include "ui/AdminCredentialsNeededDialog.h"
#include "ui/AlreadyUpToDatePage.h"
#include "ui/CommStatusPage.h"
#include "ui/ConfirmationBox.h"
#include "ui/ConnectDevicePage.h"
#include "ui/ErrorBox.h"
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
#include "ui/UiResources.h"
#include "ui/UploadFailureDialog.h"
#include "ui/WelcomePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QTest>
#include <QTextEdit>
#include <QWizard>

#include <functional>
#include <memory>

using namespace UpdatePelarin;
using namespace TestSupport;

namespace {

const QString ProgramTitleText = QStringLiteral("Orvo ZR3h BLUETOOTH® Headphone Update");
const QString ContactTips = QStringLiteral(
    "<qt>If you encounter any problems, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</qt>");

std::unique_ptr<QWidget> Make(const QString& className)
{
    static const QHash<QString, std::function<QWidget*()>> factories = {
        {QStringLiteral("WelcomePage"), [] { return new WelcomePage; }},
        {QStringLiteral("InstallDriverPage"), [] { return new InstallDriverPage; }},
        {QStringLiteral("ConnectDevicePage"), [] { return new ConnectDevicePage; }},
        {QStringLiteral("PrepareDevicePage"), [] { return new PrepareDevicePage; }},
        {QStringLiteral("CommStatusPage"), [] { return new CommStatusPage; }},
        {QStringLiteral("SuccessPage"), [] { return new SuccessPage; }},
        {QStringLiteral("AlreadyUpToDatePage"), [] { return new AlreadyUpToDatePage; }},
        {QStringLiteral("IndexFileWaitDialog"), [] { return new IndexFileWaitDialog; }},
        {QStringLiteral("EulaDialog"), [] { return new EulaDialog; }},
        {QStringLiteral("ConfirmationBox"), [] { return new ConfirmationBox; }},
        {QStringLiteral("SelectLanguageDialog"), [] { return new SelectLanguageDialog; }},
        {QStringLiteral("SelectFirmwareDialog"), [] { return new SelectFirmwareDialog; }},
        {QStringLiteral("UploadFailureDialog"), [] { return new UploadFailureDialog; }},
        {QStringLiteral("RedoConnectionStepsDialog"), [] { return new RedoConnectionStepsDialog; }},
        {QStringLiteral("AdminCredentialsNeededDialog"), [] { return new AdminCredentialsNeededDialog; }},
        {QStringLiteral("SplashScreen"), [] { return new SplashScreen; }},
        {QStringLiteral("ErrorBox"), [] { return new ErrorBox; }},
        {QStringLiteral("SystemInfoDialog"), [] { return new SystemInfoDialog; }},
    };
    return std::unique_ptr<QWidget>(factories.value(className)());
}

QString TextOf(QObject* object, const QString& name)
{
    if (name == QLatin1String("windowTitle"))
        return static_cast<QWidget*>(object)->windowTitle();
    if (name == QLatin1String("title"))
        return static_cast<QWizardPage*>(object)->title();
    QObject* child = object->findChild<QObject*>(name);
    return child ? child->property("text").toString() : QStringLiteral("<no %1>").arg(name);
}

// A page inside a wizard, where mandatory fields and completeness take effect.
struct HostedPage
{
    explicit HostedPage(QWizardPage* page)
    {
        wizard.setPage(1, page);
        wizard.setPage(2, new QWizardPage);
        wizard.restart();
        wizard.show();
    }
    bool NextEnabled() const { return wizard.button(QWizard::NextButton)->isEnabled(); }
    QWizard wizard;
};

} // namespace

class TestPagesAndDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void widgetTree_data();
    void widgetTree();

    void welcomeNeedsAcceptance();
    void welcomeKeySequence();
    void pagesThatNeverComplete();
    void installDriverStates_data();
    void installDriverStates();
    void commStatusRules();
    void contactLinks_data();
    void contactLinks();
    void updateNotSupported();

    void languageChoice();
    void firmwareChoiceKeepsPlainVersion();
    void selectionDialogsAskBeforeLeaving_data();
    void selectionDialogsAskBeforeLeaving();
    void splashStays();
};

void TestPagesAndDialogs::initTestCase()
{
    InitUiResources();
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestPagesAndDialogs::widgetTree_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QStringList>("children");
    // name, expected text; "windowTitle" and "title" name the window's and the page's title.
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("welcome") << "WelcomePage"
                             << "WelcomePageClass" << QStringList{"vboxLayout", "message", "eulaBox", "acceptance"}
                             << QStringList{"title",      "Welcome to Orvo ZR3h <i>Bluetooth</i> Headphone Update",
                                            "message",    "Review the following license agreement:",
                                            "acceptance", "I accept the terms of the license agreement."};
    QTest::newRow("install driver") << "InstallDriverPage"
                                    << "InstallDriverPageClass"
                                    << QStringList{"verticalLayout_3",
                                                   "horizontalLayout",
                                                   "verticalLayout_2",
                                                   "verticalLayout",
                                                   "rightVerticalLayout",
                                                   "horizontalLayout_4",
                                                   "horizontalLayout_3",
                                                   "instructions",
                                                   "tips",
                                                   "indicator",
                                                   "notice",
                                                   "install"}
                                    << QStringList{"title",   "Install the device driver",
                                                   "install", "Install Driver",
                                                   "notice",  "Success! Click \"Next\" to continue.",
                                                   "tips",    ContactTips};
    QTest::newRow("connect device") << "ConnectDevicePage"
                                    << "ConnectDevicePageClass"
                                    << QStringList{"verticalLayout_2", "horizontalLayout", "verticalLayout",
                                                   "vboxLayout",       "connectionSteps",  "tips",
                                                   "notice",           "myframe",          "illustration"}
                                    << QStringList{"title",  "Connect your device",
                                                   "notice", "Click \"Next\" to continue.",
                                                   "tips",   ContactTips};
    QTest::newRow("prepare device") << "PrepareDevicePage"
                                    << "PrepareDevicePageClass" << QStringList{"verticalLayout_3", "horizontalLayout",
                                                                               "verticalLayout_2", "verticalLayout",
                                                                               "connectionSteps",  "tips",
                                                                               "notice",           "frame",
                                                                               "illustration"}
                                    << QStringList{"title",
                                                   "Prepare your device",
                                                   "notice",
                                                   "The update process will proceed automatically once the device is "
                                                   "detected.",
                                                   "tips",
                                                   ContactTips};
    QTest::newRow("comm status")
        << "CommStatusPage"
        << "CommStatusPageClass" << QStringList{"vboxLayout",    "hboxLayout", "vboxLayout1", "verticalLayout",
                                                "statusMessage", "progress",   "percent",     "notice"}
        << QStringList{"title", "Device update progress", "statusMessage", "", "percent", "0%", "notice", ""};
    const QStringList resultChildren{"vboxLayout",  "hboxLayout", "vboxLayout1", "hboxLayout1",
                                     "vboxLayout2", "message",    "deviceName",  "versionLabel",
                                     "version",     "notice",     "frame",       "illustration"};
    QTest::newRow("success") << "SuccessPage"
                             << "SuccessPageClass" << resultChildren
                             << QStringList{"title",
                                            "Process completed",
                                            "message",
                                            "Your device has been successfully updated. It is now safe to turn the "
                                            "device off.",
                                            "versionLabel",
                                            "Software version:",
                                            "notice",
                                            "Click \"Finish\" to close this window."};
    QTest::newRow("already up to date")
        << "AlreadyUpToDatePage"
        << "AlreadyUpToDatePageClass" << resultChildren
        << QStringList{"title",
                       "Update is not needed",
                       "message",
                       "Your device already has the latest software version.  No update is needed.  It is now safe "
                       "to turn the device off and disconnect the USB cable.",
                       "versionLabel",
                       "Software version:"};

    QTest::newRow("index file wait") << "IndexFileWaitDialog"
                                     << "IndexFileWaitDialogClass" << QStringList{"vboxLayout", "note", "animation"}
                                     << QStringList{"windowTitle", ProgramTitleText, "note",
                                                    "Please wait. Retrieving update information..."};
    QTest::newRow("eula") << "EulaDialog"
                          << "EulaDialogClass"
                          << QStringList{"vboxLayout", "message", "eulaBox", "line", "hboxLayout", "close"}
                          << QStringList{"windowTitle", "License Agreement",
                                         "message",     "You have agreed to comply with the following:",
                                         "close",       "Close"};
    QTest::newRow("confirmation") << "ConfirmationBox"
                                  << "ConfirmationBoxClass" << QStringList{"vboxLayout", "headline", "question", "line",
                                                                           "hboxLayout", "yes",      "no"}
                                  << QStringList{"windowTitle", ProgramTitleText, "yes", "Yes", "no", "No"};
    QTest::newRow("select language") << "SelectLanguageDialog"
                                     << "SelectLanguageDialogClass"
                                     << QStringList{"vboxLayout", "message", "language", "line",
                                                    "hboxLayout", "ok",      "cancel"}
                                     << QStringList{
                                            "windowTitle", "Select Language", "message", "Select your language.", "ok",
                                            "OK",          "cancel",          "Cancel"};
    QTest::newRow("select firmware") << "SelectFirmwareDialog"
                                     << "SelectFirmwareDialogClass"
                                     << QStringList{"vboxLayout", "instruction", "deviceName", "firmwareVersions",
                                                    "line",       "hboxLayout",  "ok",         "cancel"}
                                     << QStringList{"windowTitle", "Select Software Version",
                                                    "instruction", "Select the desired software version.",
                                                    "ok",          "OK",
                                                    "cancel",      "Cancel"};
    const QStringList noticeChildren{"vboxLayout", "hboxLayout", "vboxLayout1", "errorIcon",  "vboxLayout2",
                                     "headline",   "details",    "line",        "hboxLayout1"};
    QTest::newRow("upload failure") << "UploadFailureDialog"
                                    << "UploadFailureDialogClass" << (noticeChildren + QStringList{"close"})
                                    << QStringList{"windowTitle",
                                                   ProgramTitleText,
                                                   "headline",
                                                   "<font size=\"+1\">Orvo did not receive the information</font>",
                                                   "close",
                                                   "Close"};
    QTest::newRow("redo connection steps")
        << "RedoConnectionStepsDialog"
        << "RedoConnectionStepsDialogClass"
        << QStringList{"vboxLayout", "hboxLayout", "vboxLayout1", "headline", "details", "line", "hboxLayout1", "ok"}
        << QStringList{"windowTitle", ProgramTitleText, "headline", "Incorrect device driver installed", "ok", "Close"};
    QTest::newRow("admin credentials needed")
        << "AdminCredentialsNeededDialog"
        << "AdminCredentialsNeededDialogClass" << (noticeChildren + QStringList{"exit"})
        << QStringList{"windowTitle", ProgramTitleText,
                       "headline",    "<font size=\"+1\">Administrator permissions are required</font>",
                       "exit",        "Exit"};
    QTest::newRow("splash") << "SplashScreen"
                            << "SplashScreenClass" << QStringList{"appName", "version"}
                            << QStringList{"appName",
                                           "<b>Orvo ZR3h <i>Bluetooth<sup>&#174;</sup></i> Headphone Update</b>",
                                           "version", "<b>Version 1.0</b>"};
    QTest::newRow("error box") << "ErrorBox"
                               << "ErrorBoxClass" << (noticeChildren + QStringList{"systemInfo", "retry", "exit"})
                               << QStringList{"windowTitle", ProgramTitleText, "systemInfo", "System Information",
                                              "retry",       "Retry",          "exit",       "Exit"};
    QTest::newRow("system information")
        << "SystemInfoDialog"
        << "SystemInfoDialogClass"
        << QStringList{"vboxLayout", "infoBox", "line", "hboxLayout", "sendData", "uploadProgress", "close"}
        << QStringList{"windowTitle", "System Information", "sendData", "Send to Orvo", "close", "Close"};
}

void TestPagesAndDialogs::widgetTree()
{
    QFETCH(QString, className);
    QFETCH(QString, objectName);
    QFETCH(QStringList, children);
    QFETCH(QStringList, texts);

    const std::unique_ptr<QWidget> widget = Make(className);
    QCOMPARE(widget->objectName(), objectName);
    for (const QString& child : children)
        QVERIFY2(widget->findChild<QObject*>(child), qPrintable(child));
    for (int i = 0; i + 1 < texts.size(); i += 2)
        QCOMPARE(TextOf(widget.get(), texts.at(i)), texts.at(i + 1));

    auto* dialog = qobject_cast<QDialog*>(widget.get());
    if (!dialog)
        return;
    // A title bar without system menu or close button, and no size grip to be seen.
    const Qt::WindowFlags flags = dialog->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
    QCOMPARE(dialog->findChild<QSizeGrip*>()->maximumSize(), QSize(0, 0));
    // Only the wait dialog runs beside the start-up; every other one is modal however it is shown.
    dialog->show();
    QCOMPARE(dialog->windowModality() == Qt::ApplicationModal, className != QLatin1String("IndexFileWaitDialog"));
}

void TestPagesAndDialogs::welcomeNeedsAcceptance()
{
    auto* page = new WelcomePage;
    HostedPage hosted(page);
    QVERIFY(!hosted.NextEnabled());
    auto* acceptance = page->findChild<QCheckBox*>(QStringLiteral("acceptance"));
    acceptance->setChecked(true);
    QVERIFY(hosted.NextEnabled());
    acceptance->setChecked(false);
    QVERIFY(!hosted.NextEnabled());
}

void TestPagesAndDialogs::welcomeKeySequence()
{
    auto* page = new WelcomePage;
    HostedPage hosted(page);
    QSignalSpy spy(page, &WelcomePage::PtsKeySequenceEntered);
    auto* acceptance = page->findChild<QCheckBox*>(QStringLiteral("acceptance"));

    // On the check box the sequence is taken away: Space must not tick the licence.
    TypeSupportKeySequence(acceptance);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!acceptance->isChecked());
    TypeSupportKeySequence(page->findChild<QTextEdit*>(QStringLiteral("eulaBox")));
    TypeSupportKeySequence(page);
    QCOMPARE(spy.count(), 3);
    // Space with Shift alone, or with Control alone, is not the sequence.
    QTest::keyClick(page, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClick(page, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(page, Qt::Key_Space, Qt::ShiftModifier | Qt::MetaModifier);
    QCOMPARE(spy.count(), 4);
}

void TestPagesAndDialogs::pagesThatNeverComplete()
{
    for (QWizardPage* page :
         {static_cast<QWizardPage*>(new PrepareDevicePage), static_cast<QWizardPage*>(new CommStatusPage)}) {
        HostedPage hosted(page);
        QVERIFY2(!hosted.NextEnabled(), qPrintable(page->objectName()));
    }
    HostedPage connect(new ConnectDevicePage);
    QVERIFY(connect.NextEnabled());
}

void TestPagesAndDialogs::installDriverStates_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("installEnabled");
    QTest::addColumn<bool>("noticeVisible");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("picture");

    QTest::newRow("initial") << 0 << true << false << false << false;
    QTest::newRow("installing") << 1 << false << false << false << false;
    QTest::newRow("installed") << 2 << false << true << true << true;
    QTest::newRow("failed") << 3 << false << false << false << false;
    QTest::newRow("7 counts as failed") << 7 << false << false << false << false;
    QTest::newRow("negative counts as failed") << -1 << false << false << false << false;
}

void TestPagesAndDialogs::installDriverStates()
{
    QFETCH(int, state);
    QFETCH(bool, installEnabled);
    QFETCH(bool, noticeVisible);
    QFETCH(bool, complete);
    QFETCH(bool, picture);

    auto* page = new InstallDriverPage;
    HostedPage hosted(page);
    QSignalSpy requested(page, &InstallDriverPage::InstallDriverRequested);
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("install")), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
    // Start from installed, so that every state has something to undo.
    page->SetState(InstallDriverPage::Installed);
    QSignalSpy completeChanged(page, &QWizardPage::completeChanged);
    page->SetState(state);

    QCOMPARE(completeChanged.count(), 1);
    QCOMPARE(page->findChild<QPushButton*>(QStringLiteral("install"))->isEnabled(), installEnabled);
    QCOMPARE(page->findChild<QLabel*>(QStringLiteral("notice"))->isVisible(), noticeVisible);
    QCOMPARE(page->isComplete(), complete);
    QCOMPARE(hosted.NextEnabled(), complete);
    const QLabel* indicator = page->findChild<QLabel*>(QStringLiteral("indicator"));
    QCOMPARE(!indicator->pixmap(Qt::ReturnByValue).isNull(), picture);
    if (state != InstallDriverPage::Installing && state != InstallDriverPage::Installed)
        QCOMPARE(indicator->text(), QStringLiteral(" "));
    // The animation runs only while installing (when the program has one).
    if (const QMovie* movie = page->findChild<QMovie*>())
        QCOMPARE(movie->state() == QMovie::Running, state == InstallDriverPage::Installing);
}

void TestPagesAndDialogs::commStatusRules()
{
    LogCapture log;
    CommStatusPage page;
    auto* status = page.findChild<QLabel*>(QStringLiteral("statusMessage"));
    auto* bar = page.findChild<QProgressBar*>(QStringLiteral("progress"));
    auto* percent = page.findChild<QLabel*>(QStringLiteral("percent"));
    auto* notice = page.findChild<QLabel*>(QStringLiteral("notice"));
    QVERIFY(!bar->isTextVisible());

    page.SetStatus(CommStatusPage::Downloading);
    page.SetProgress(5);
    QCOMPARE(status->text(), QStringLiteral("Downloading update files from Orvo server..."));
    QCOMPARE(notice->text(), QStringLiteral("If you need to quit this process, click \"Cancel\"."));
    QVERIFY(!notice->font().bold());
    QCOMPARE(bar->value(), 5);
    QCOMPARE(percent->text(), QStringLiteral("5%"));

    page.SetStatus(CommStatusPage::Updating);
    page.SetProgress(55);
    QCOMPARE(status->text(), QStringLiteral("Updating your device..."));
    QCOMPARE(notice->text(), QStringLiteral("DO NOT turn off or disconnect your device."));
    QCOMPARE(notice->font().weight(), int(QFont::Bold));
    QCOMPARE(percent->text(), QStringLiteral("55%"));

    // Waiting for the version choice leaves the bar where it was.
    page.SetStatus(CommStatusPage::WaitingForVersionSelection);
    page.SetProgress(80);
    QCOMPARE(status->text(), QStringLiteral("Waiting for version selection..."));
    QCOMPARE(bar->value(), 55);
    QCOMPARE(percent->text(), QStringLiteral("55%"));
    QVERIFY(!notice->font().bold());

    page.SetStatus(CommStatusPage::Confirming);
    QCOMPARE(status->text(), QStringLiteral("Confirming successful update..."));
    QCOMPARE(percent->text(), QStringLiteral("80%"));
    QVERIFY(notice->font().bold());

    // The same status again changes nothing, not even a notice edited in between.
    notice->setText(QStringLiteral("untouched"));
    page.SetStatus(CommStatusPage::Confirming);
    QCOMPARE(notice->text(), QStringLiteral("untouched"));

    page.SetStatus(CommStatusPage::Reset);
    QCOMPARE(status->text(), QString());
    QCOMPARE(bar->value(), 0);
    QCOMPARE(percent->text(), QStringLiteral("0%"));

    page.SetStatus(9);
    QVERIFY(log.HasError(QStringLiteral("CommStatusPage::RefreshStatusMessage() - Unknown status -9")));
    QCOMPARE(percent->text(), QStringLiteral("0%"));
}

void TestPagesAndDialogs::contactLinks_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("requests");

    for (const char* page : {"InstallDriverPage", "ConnectDevicePage", "PrepareDevicePage"}) {
        QTest::addRow("%s contact", page) << page << "tips"
                                          << "ContactInfoDialog" << 1;
        QTest::addRow("%s other link", page) << page << "tips"
                                             << "support" << 0;
    }
    QTest::newRow("up to date support") << "AlreadyUpToDatePage"
                                        << "message"
                                        << "support" << 1;
    QTest::newRow("up to date other link") << "AlreadyUpToDatePage"
                                           << "message"
                                           << "ContactInfoDialog" << 0;
    QTest::newRow("admin contact") << "AdminCredentialsNeededDialog"
                                   << "details"
                                   << "ContactInfoDialog" << 1;
    QTest::newRow("admin other link") << "AdminCredentialsNeededDialog"
                                      << "details"
                                      << "http://x" << 0;
}

void TestPagesAndDialogs::contactLinks()
{
    QFETCH(QString, className);
    QFETCH(QString, label);
    QFETCH(QString, link);
    QFETCH(int, requests);

    const std::unique_ptr<QWidget> widget = Make(className);
    QSignalSpy spy(widget.get(), SIGNAL(ContactRequested()));
    QVERIFY(spy.isValid());
    auto* child = widget->findChild<QLabel*>(label);
    QVERIFY(child->textInteractionFlags() & Qt::LinksAccessibleByMouse);
    emit child->linkActivated(link);
    QCOMPARE(spy.count(), requests);
}

void TestPagesAndDialogs::updateNotSupported()
{
    AlreadyUpToDatePage page;
    page.SetDeviceName(QStringLiteral("Orvo <ZR3h>"));
    page.SetUpdateSupported(true);
    QCOMPARE(page.title(), QStringLiteral("Update is not needed"));
    // A device name is shown as it is, never as markup.
    QCOMPARE(page.findChild<QLabel*>(QStringLiteral("deviceName"))->textFormat(), Qt::PlainText);

    page.SetUpdateSupported(false);
    page.SetUpdateSupported(true);
    QCOMPARE(page.title(), QStringLiteral("Update was not successful"));
    QVERIFY(page.findChild<QLabel*>(QStringLiteral("message"))->text().contains(QLatin1String("href=\"support\"")));
    for (const char* hidden : {"deviceName", "versionLabel", "version"})
        QVERIFY(page.findChild<QLabel*>(QLatin1String(hidden))->isHidden());
}

void TestPagesAndDialogs::languageChoice()
{
    SelectLanguageDialog dialog;
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.SelectedAbbreviation(), QString());
    dialog.Fill({{QStringLiteral("en"), QStringLiteral("English"), 0x409, false},
                 {QStringLiteral("de"), QStringLiteral("Deutsch"), 0x407, false},
                 {QStringLiteral("pt-BR"), QStringLiteral("Português"), 0x416, false}});
    QCOMPARE(dialog.SelectedAbbreviation(), QStringLiteral("en"));
    dialog.SelectAbbreviation(QStringLiteral("pt-BR"));
    QCOMPARE(dialog.SelectedAbbreviation(), QStringLiteral("pt-BR"));
    // Codes match exactly and case-sensitively; a miss keeps the choice.
    dialog.SelectAbbreviation(QStringLiteral("DE"));
    dialog.SelectAbbreviation(QStringLiteral("pt"));
    QCOMPARE(dialog.SelectedAbbreviation(), QStringLiteral("pt-BR"));
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("language"))->currentText(), QStringLiteral("Português"));
}

void TestPagesAndDialogs::firmwareChoiceKeepsPlainVersion()
{
    SelectFirmwareDialog dialog;
    dialog.SetVersions({QStringLiteral("01.02.00"), QStringLiteral("01.00.00"), QStringLiteral("01.00.0A")});
    dialog.SetCurrentVersion(QStringLiteral("01.00.0a"));
    QCOMPARE(dialog.SelectedVersion(), QStringLiteral("01.02.00"));
    dialog.SetCurrentVersion(QStringLiteral("01.00.00"));
    auto* versions = dialog.findChild<QComboBox*>(QStringLiteral("firmwareVersions"));
    QCOMPARE(versions->currentText(), QStringLiteral("01.00.00 (Current)"));
    QCOMPARE(dialog.SelectedVersion(), QStringLiteral("01.00.00"));
    versions->setCurrentIndex(0);
    QCOMPARE(dialog.SelectedVersion(), QStringLiteral("01.02.00"));
}

void TestPagesAndDialogs::selectionDialogsAskBeforeLeaving_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("escape");
    for (const char* dialog : {"SelectLanguageDialog", "SelectFirmwareDialog"}) {
        QTest::addRow("%s escape", dialog) << dialog << true;
        QTest::addRow("%s cancel", dialog) << dialog << false;
    }
}

void TestPagesAndDialogs::selectionDialogsAskBeforeLeaving()
{
    QFETCH(QString, className);
    QFETCH(bool, escape);

    const std::unique_ptr<QWidget> widget = Make(className);
    auto* dialog = static_cast<QDialog*>(widget.get());
    const QString name = dialog->objectName();
    const auto leave = [escape](QWidget* modal) {
        if (escape)
            QTest::keyClick(modal, Qt::Key_Escape);
        else
            Click(modal, QStringLiteral("cancel"));
    };
    QString question;
    ModalDriver driver;
    driver.OnModal(name, leave);
    driver.OnModal(QStringLiteral("ConfirmationBoxClass"), [&question](QWidget* box) {
        question = box->findChild<QLabel*>(QStringLiteral("question"))->text();
        Click(box, QStringLiteral("no"));
    });
    // Still open after No: leave again and say yes.
    driver.OnModal(name, leave);
    driver.OnModal(QStringLiteral("ConfirmationBoxClass"), [](QWidget* box) { Click(box, QStringLiteral("yes")); });

    QCOMPARE(dialog->exec(), int(QDialog::Rejected));
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QCOMPARE(question, QStringLiteral("Are you sure you want to exit?"));
}

void TestPagesAndDialogs::splashStays()
{
    SplashScreen splash;
    splash.show();
    QTest::ignoreMessage(QtDebugMsg, "mouse press on splash screen");
    QTest::mouseClick(&splash, Qt::LeftButton);
    QVERIFY(!splash.close());
    QVERIFY(splash.isVisible());
    splash.SetRightToLeft();
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("appName"))->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("version"))->layoutDirection(), Qt::RightToLeft);
}

QTEST_MAIN(TestPagesAndDialogs)
#include "TestPagesAndDialogs.moc"
