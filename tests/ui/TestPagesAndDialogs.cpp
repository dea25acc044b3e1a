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

#include <memory>

using namespace UpdatePelarin;
using namespace TestSupport;

namespace {

using MakeWidget = QWidget* (*)();

template <class Widget>
QWidget* New()
{
    return new Widget;
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

Q_DECLARE_METATYPE(MakeWidget)

class TestPagesAndDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void widgetTree_data();
    void widgetTree();

    void welcomeNeedsAcceptanceAndTakesTheKeySequence();
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

// Each window by its object name, with the children that the tests, the walk through the real
// program, the modal-dialog driver and the windows' own slot connections (on_<name>_...) find by
// name. The texts are checked against the catalogues (TestTranslations) and on screen (the gallery).
void TestPagesAndDialogs::widgetTree_data()
{
    QTest::addColumn<MakeWidget>("make");
    QTest::addColumn<QString>("children");
    QTest::newRow("WelcomePageClass") << &New<WelcomePage> << "message eulaBox acceptance";
    QTest::newRow("InstallDriverPageClass") << &New<InstallDriverPage> << "install indicator notice tips";
    QTest::newRow("ConnectDevicePageClass") << &New<ConnectDevicePage> << "connectionSteps tips notice illustration";
    QTest::newRow("PrepareDevicePageClass") << &New<PrepareDevicePage> << "connectionSteps tips notice illustration";
    QTest::newRow("CommStatusPageClass") << &New<CommStatusPage> << "statusMessage progress percent notice";
    QTest::newRow("SuccessPageClass") << &New<SuccessPage> << "message deviceName version notice illustration";
    QTest::newRow("AlreadyUpToDatePageClass")
        << &New<AlreadyUpToDatePage> << "message deviceName versionLabel version illustration";
    QTest::newRow("IndexFileWaitDialogClass") << &New<IndexFileWaitDialog> << "note";
    QTest::newRow("EulaDialogClass") << &New<EulaDialog> << "eulaBox close";
    QTest::newRow("ConfirmationBoxClass") << &New<ConfirmationBox> << "headline question yes no";
    QTest::newRow("SelectLanguageDialogClass") << &New<SelectLanguageDialog> << "language ok cancel";
    QTest::newRow("SelectFirmwareDialogClass") << &New<SelectFirmwareDialog> << "deviceName firmwareVersions ok cancel";
    QTest::newRow("UploadFailureDialogClass") << &New<UploadFailureDialog> << "headline details close";
    QTest::newRow("RedoConnectionStepsDialogClass") << &New<RedoConnectionStepsDialog> << "headline details ok";
    QTest::newRow("AdminCredentialsNeededDialogClass") << &New<AdminCredentialsNeededDialog> << "headline details exit";
    QTest::newRow("SplashScreenClass") << &New<SplashScreen> << "appName version";
    QTest::newRow("ErrorBoxClass") << &New<ErrorBox> << "headline details systemInfo retry exit";
    QTest::newRow("SystemInfoDialogClass") << &New<SystemInfoDialog> << "infoBox sendData uploadProgress close";
}

void TestPagesAndDialogs::widgetTree()
{
    QFETCH(MakeWidget, make);
    QFETCH(QString, children);

    const std::unique_ptr<QWidget> widget(make());
    const QString objectName = QLatin1String(QTest::currentDataTag());
    QCOMPARE(widget->objectName(), objectName);
    for (const QString& child : children.split(QLatin1Char(' ')))
        QVERIFY2(widget->findChild<QObject*>(child), qPrintable(child));

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
    QCOMPARE(dialog->windowModality() == Qt::ApplicationModal, objectName != QLatin1String("IndexFileWaitDialogClass"));
}

void TestPagesAndDialogs::welcomeNeedsAcceptanceAndTakesTheKeySequence()
{
    auto* page = new WelcomePage;
    HostedPage hosted(page);
    QSignalSpy spy(page, &WelcomePage::PtsKeySequenceEntered);
    auto* acceptance = page->findChild<QCheckBox*>(QStringLiteral("acceptance"));
    QVERIFY(!hosted.NextEnabled());
    acceptance->setChecked(true);
    QVERIFY(hosted.NextEnabled());
    acceptance->setChecked(false);
    QVERIFY(!hosted.NextEnabled());

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
    QTest::addColumn<MakeWidget>("make");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("requests");

    QTest::newRow("install driver contact") << &New<InstallDriverPage> << "tips"
                                            << "ContactInfoDialog" << 1;
    QTest::newRow("connect device contact") << &New<ConnectDevicePage> << "tips"
                                            << "ContactInfoDialog" << 1;
    QTest::newRow("prepare device contact") << &New<PrepareDevicePage> << "tips"
                                            << "ContactInfoDialog" << 1;
    QTest::newRow("contact page other link") << &New<PrepareDevicePage> << "tips"
                                             << "support" << 0;
    QTest::newRow("up to date support") << &New<AlreadyUpToDatePage> << "message"
                                        << "support" << 1;
    QTest::newRow("up to date other link") << &New<AlreadyUpToDatePage> << "message"
                                           << "ContactInfoDialog" << 0;
    QTest::newRow("admin contact") << &New<AdminCredentialsNeededDialog> << "details"
                                   << "ContactInfoDialog" << 1;
    QTest::newRow("admin other link") << &New<AdminCredentialsNeededDialog> << "details"
                                      << "http://x" << 0;
}

void TestPagesAndDialogs::contactLinks()
{
    QFETCH(MakeWidget, make);
    QFETCH(QString, label);
    QFETCH(QString, link);
    QFETCH(int, requests);

    const std::unique_ptr<QWidget> widget(make());
    QSignalSpy spy(widget.get(), SIGNAL(ContactRequested()));
    QVERIFY(spy.isValid());
    auto* child = widget->findChild<QLabel*>(label);
    QVERIFY(child->textInteractionFlags() & Qt::LinksAccessibleByMouse);
    // The link the text offers is the one that is answered (the up-to-date page offers its own
    // only when the update is not supported).
    if (requests && link == QLatin1String("ContactInfoDialog"))
        QVERIFY(child->text().contains(QStringLiteral("href=\"%1\"").arg(link)));
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
    QTest::addColumn<MakeWidget>("make");
    QTest::newRow("language") << &New<SelectLanguageDialog>;
    QTest::newRow("firmware") << &New<SelectFirmwareDialog>;
}

// Escape asks, and No keeps the dialog open; Cancel asks too, and Yes leaves it.
void TestPagesAndDialogs::selectionDialogsAskBeforeLeaving()
{
    QFETCH(MakeWidget, make);
    const std::unique_ptr<QWidget> widget(make());
    auto* dialog = static_cast<QDialog*>(widget.get());
    QString question;
    ModalDriver driver;
    driver.OnModal(dialog->objectName(), [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    driver.OnModal(QStringLiteral("ConfirmationBoxClass"), [&question](QWidget* box) {
        question = box->findChild<QLabel*>(QStringLiteral("question"))->text();
        Click(box, QStringLiteral("no"));
    });
    driver.OnModal(dialog->objectName(), [](QWidget* modal) { Click(modal, QStringLiteral("cancel")); });
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
