// The interactive update as a user goes through it: the real application object and wizard, the
// simulated headset behind the real USB layer, the firmware on a local HTTP server and the version
// report to a local HTTPS server. Each test runs the program's event loop until something ends it,
// then shuts down the way the program does.
#include "app/Configuration.h"
#include "app/ConfigurationFactory.h"
#include "app/TerminationSignals.h"
#include "device/DeviceEngine.h"
#include "device/IPelarin.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessing.h"
#include "sim/SimHeadset.h"
#include "sysinfo/linux/LinuxLanguageSupport.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ProgrammingFixtures.h"
#include "tests/support/SimFixtures.h"
#include "tests/support/TestEnvironment.h"
#include "ui/ApplicationWizard.h"
#include "ui/ErrorTable.h"
#include "ui/SingleApplication.h"
#include "ui/UiResources.h"
#include "ui/UpdatePelarinApp.h"
#include "usb/linux/LinuxPlatformServices.h"
#include "usb/linux/LinuxUsbDriverInstaller.h"
#include "web/WebInterfaceTest.h"
#include "web/WebUploader.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QUrlQuery>
#include <QWizardPage>

#include <csignal>
#include <memory>

using namespace OrvoCommon;
using namespace UpdatePelarin;
using namespace TestSupport;

namespace {

constexpr int GuardMs = 60000;
constexpr int ShutdownBudgetMs = 5000;
constexpr char RuleName[] = "70-orvo-headset.rules";
constexpr char VersionReportPath[] = "/web/lss";
const QString V100 = QStringLiteral("01.00.00");
const QString V110 = QStringLiteral("01.01.00");
const QString ErrorBox = QStringLiteral("ErrorBoxClass");
const QString Confirmation = QStringLiteral("ConfirmationBoxClass");

enum PageKind
{
    NoPage = 0,
    Welcome = 1,
    InstallDriver = 2,
    Connect = 3,
    Prepare = 4,
    CommStatus = 5,
    UpToDate = 7,
    Success = 8,
};

// The installer of the program with one answer of the platform fixed: whether the user is an
// administrator. Tests run as root or not, and both kinds of user must be tried.
class InstallerWithRole : public LinuxUsbDriverInstaller
{
public:
    explicit InstallerWithRole(bool admin) : m_admin(admin) {}
    int IsInAdminRole() override { return m_admin ? 1 : 0; }

private:
    bool m_admin;
};

class InstallerFactoryWithRole : public UsbDriverInstallerFactory
{
public:
    explicit InstallerFactoryWithRole(UsbDriverInstallerFactory* real) : m_real(real) { Register(this); }
    ~InstallerFactoryWithRole() override { Register(m_real); }
    std::unique_ptr<IUsbDriverInstaller> CreateUsbDriverInstaller() override
    {
        // The program's own set-up (rules folder from Config.xml), in the subclass.
        std::unique_ptr<IUsbDriverInstaller> real = m_real->CreateUsbDriverInstaller();
        auto installer = std::make_unique<InstallerWithRole>(admin);
        installer->SetRulesDirectory(static_cast<LinuxUsbDriverInstaller*>(real.get())->RulesDirectory());
        installer->SetPackagedRulesDirectory(QString());
        installer->SetUsePkexec(false);
        return installer;
    }
    bool admin = true;

private:
    UsbDriverInstallerFactory* m_real;
};

Sim::HeadsetProfile HeadsetAt(const QString& release)
{
    Sim::HeadsetProfile profile = SampleHeadsetProfile();
    QVector<std::uint16_t> words;
    Sim::EncodeVersionWords(release, &words);
    profile.psStore.insert(0x029D, words);
    profile.psStore.insert(0x0292, words);
    Sim::BuildIdForVersion(release, &profile.buildId);
    return profile;
}

QString TextOf(QWidget* widget, const char* child)
{
    QWidget* found = Child(widget, QLatin1String(child));
    return found ? found->property("text").toString() : QString();
}

// The headline of an error box, without its markup.
QString Headline(QWidget* box)
{
    QTextDocument document;
    document.setHtml(TextOf(box, "headline"));
    return document.toPlainText();
}

} // namespace

class TestApplicationWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void updatesTheHeadset();
    void installsTheDriver_data();
    void installsTheDriver();
    void disconnectOnConnectPageIsNoError();
    void unplugDuringProgrammingReturnsToConnect();
    void headsetLeftInItsBootLoaderIsBroughtBack();
    void downloadFailureOffersRetry();
    void twoHeadsetsAreRefusedUntilOneIsUnplugged();
    void finalPageWithoutUpdate_data();
    void finalPageWithoutUpdate();
    void selectionModeProgramsAnOlderVersion();
    void programmingCannotBeInterrupted();
    void closeAsksFirst();
    void administratorRightsNeeded();
    void indexFileWait_data();
    void indexFileWait();
    void indexFileFailureOffersRetry();
    void quitsInEveryState_data();
    void quitsInEveryState();

    void languageDialogOffersEachLanguageOnce_data();
    void languageDialogOffersEachLanguageOnce();
    void openWizardFollowsTheLanguage();
    void dialogsByName_data();
    void dialogsByName();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the program's event loop with the application object until something quits it or the
    // guard time runs out, then shuts down as the program does. True when the loop ended with the
    // status and the driver went through all its steps.
    bool Ran(int expectedStatus = 0);
    void WriteConfig(const QString& extra = QString());
    // The shipped Config.xml's languages and the compiled catalogues in the bundle.
    void UseShippedLanguages();
    void ServeFirmware(const QByteArray& index);
    Sim::SimHeadset* Plug(const Sim::HeadsetProfile& profile = SampleHeadsetProfile());

    ApplicationWizard* Wizard() const { return m_app ? m_app->Wizard() : nullptr; }
    int Page() const;
    // The wizard shows a page of the kind, and no dialog is open over it.
    std::function<bool()> OnPage(int kind) const
    {
        return [this, kind] { return Page() == kind && !QApplication::activeModalWidget(); };
    }
    QWidget* PageChild(const char* name) const;
    void Press(QWizard::WizardButton which);
    void When(std::function<bool()> condition, std::function<void()> action) { m_driver->When(condition, action); }
    void OnModal(const QString& name, std::function<void(QWidget*)> action) { m_driver->OnModal(name, action); }
    void TickLicense() { QTest::mouseClick(PageChild("acceptance"), Qt::LeftButton, {}, QPoint(5, 5)); }
    void AnswerLanguage();
    // Accepts the licence and clicks Next: the user's way from the welcome page.
    void AcceptLicense();
    // Then Next on the connect page: the update starts once a headset is ready.
    void StartUpdate();
    // The support key sequence on the welcome page, confirmed, then on to the connect page's Next.
    void StartInSelectionMode();
    // The success page shows the version; Finish.
    void Finish(const QString& version = V110);
    void AnswerYes();
    void ExpectErrorBox(const QString& headline, const char* button);

    std::unique_ptr<LocalWebServer> m_web;
    std::unique_ptr<LocalWebServer> m_reports;
    std::unique_ptr<InstallerFactoryWithRole> m_installers;
    std::unique_ptr<TemporaryBundle> m_bundle;
    std::unique_ptr<DeviceTest::SimulatedStack> m_stack;
    std::unique_ptr<LogCapture> m_log;
    std::unique_ptr<ModalDriver> m_driver;
    std::unique_ptr<UpdatePelarinApp> m_app;
    QStringList m_shownWindows;
    qint64 m_shutdownMs = 0;
};

void TestApplicationWizard::initTestCase()
{
    InitUiResources();
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();
    LinkLinuxLanguageSupport();
    LinkLinuxSystemInfoReader();
    LinkLinuxUsbPlatformServices();
    m_installers = std::make_unique<InstallerFactoryWithRole>(UsbDriverInstallerFactory::Registered());

    m_web = std::make_unique<LocalWebServer>();
    m_reports = std::make_unique<LocalWebServer>(LocalWebServer::Scheme::Https);
    QVERIFY2(m_web->IsRunning(), qPrintable(m_web->ErrorText()));
    QVERIFY2(m_reports->IsRunning(), qPrintable(m_reports->ErrorText()));
    WebInterfaceTestFactory::CreateWebInterfaceTest()->SetUploadPort(m_reports->Port());
    WebUploader::SetMakerHostForTests(QStringLiteral("127.0.0.1"));
    const QString samples = BinaryDirectory() + QStringLiteral("/FirmwareFiles/");
    for (const char* image :
         {"zr3h_010000_sub0.dfu", "zr3h_010000_sub1.dfu", "zr3h_010100_sub0.dfu", "zr3h_010100_sub1.dfu"})
        QVERIFY(m_web->AddFile(QStringLiteral("firmware/") + QLatin1String(image),
                               ReadFile(samples + QLatin1String(image))));

    // Every window that appears, to tell what the user saw.
    qApp->installEventFilter(this);
}

void TestApplicationWizard::init()
{
    m_shownWindows.clear();
    m_log = std::make_unique<LogCapture>();
    m_bundle = std::make_unique<TemporaryBundle>();
    qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
    WriteConfig();
    const QString bin = BinaryDirectory();
    QVERIFY(QFile::copy(bin + QStringLiteral("/eula_en.htm"), m_bundle->FilePath(QStringLiteral("eula_en.htm"))));
    for (const QString& file : {QString::fromLatin1(RuleName), QStringLiteral("install-udev-rule.sh")})
        QVERIFY(QFile::copy(bin + QStringLiteral("/USBDriver/") + file,
                            m_bundle->FilePath(QStringLiteral("USBDriver/") + file)) ||
                WriteFile(m_bundle->FilePath(QStringLiteral("USBDriver/") + file),
                          ReadFile(bin + QStringLiteral("/USBDriver/") + file)));
    // The driver is installed unless a test takes it away.
    QVERIFY(WriteFile(m_bundle->FilePath(QStringLiteral("rules.d/")) + QLatin1String(RuleName),
                      ReadFile(bin + QStringLiteral("/USBDriver/") + QLatin1String(RuleName))));
    QVERIFY(QFile::copy(m_reports->CertificatePath(), m_bundle->FilePath(QStringLiteral("cacert.pem"))));
    m_installers->admin = true;

    ServeFirmware(ReadFile(bin + QStringLiteral("/FirmwareFiles/index.xml")));
    for (const char* path :
         {"/firmware/index.xml", "/firmware/zr3h_010100_sub0.dfu", "/firmware/zr3h_010100_sub1.dfu", VersionReportPath})
        m_web->SetRoute(QLatin1String(path), QStringLiteral("serve"));
    m_reports->SetRoute(QLatin1String(VersionReportPath), QStringLiteral("serve"));
    m_stack = std::make_unique<DeviceTest::SimulatedStack>();
    m_driver = std::make_unique<ModalDriver>(GuardMs);
}

void TestApplicationWizard::cleanup()
{
    m_app.reset();
    m_driver.reset();
    // The process reads the language list once; the next test brings its own.
    static_cast<Configuration*>(GetConfiguration())->Reset();
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    DeviceEngine::ShutDown();
    m_stack.reset();
    // What the end of the process does to the acquisition: a download still running goes with it.
    delete FirmwareProcessingFactory::CreateFirmwareProcessing();
    m_bundle.reset();
    m_log.reset();
}

void TestApplicationWizard::cleanupTestCase()
{
    qApp->removeEventFilter(this);
    m_installers.reset();
    WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
    WebUploader::SetMakerHostForTests(QString());
}

bool TestApplicationWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        m_shownWindows.append(watched->objectName());
    return QObject::eventFilter(watched, event);
}

void TestApplicationWizard::WriteConfig(const QString& extra)
{
    QString body = QStringLiteral("<NoCacheConfig/>\n"
                                  "<UsbBackend>simulator</UsbBackend>\n"
                                  "<IndexFileHost>%1</IndexFileHost>\n"
                                  "<UdevRulesDirectory>rules.d</UdevRulesDirectory>\n"
                                  "<UsbDriverInfFilename>%2</UsbDriverInfFilename>\n"
                                  "<SplashScreenTime>0</SplashScreenTime>\n"
                                  "<ResetTimeout>3000</ResetTimeout>\n"
                                  // The process reads the language list once; it names English twice.
                                  "<LanguageInfo type=\"list\">%3%3</LanguageInfo>\n")
                       .arg(m_web->HostWithPort(), QLatin1String(RuleName),
                            QStringLiteral("<Language><Code>en</Code><DisplayName>English</DisplayName>"
                                           "<Locale>0x0009</Locale><RTL>false</RTL></Language>"));
    m_bundle->WriteConfig(body + extra);
}

void TestApplicationWizard::UseShippedLanguages()
{
    const QString shipped = QString::fromUtf8(ReadFile(BinaryDirectory() + QStringLiteral("/Config.xml")));
    const int from = shipped.indexOf(QLatin1String("<LanguageInfo"));
    const int to = shipped.indexOf(QLatin1String("</LanguageInfo>"));
    QVERIFY(from >= 0 && to > from);
    QString config = m_bundle->FilePath(QStringLiteral("Config.xml"));
    QString body = QString::fromUtf8(ReadFile(config));
    const int ownFrom = body.indexOf(QLatin1String("<LanguageInfo"));
    const int ownTo = body.indexOf(QLatin1String("</LanguageInfo>"));
    body.replace(ownFrom, ownTo - ownFrom, shipped.mid(from, to - from));
    QVERIFY(WriteFile(config, body.toUtf8()));
    for (const char* code : {"en", "de", "fr", "ar"}) {
        const QString name = QStringLiteral("ui_%1.qm").arg(QLatin1String(code));
        QVERIFY(QFile::copy(BinaryDirectory() + QLatin1Char('/') + name, m_bundle->FilePath(name)));
    }
}

void TestApplicationWizard::ServeFirmware(const QByteArray& index)
{
    QByteArray served = index;
    served.replace("<RELEASE ",
                   "<RELEASE HTTPHOST=\"" + m_web->HostWithPort().toLatin1() + "\" URLPATH=\"/firmware/\" ");
    QVERIFY(m_web->AddFile(QStringLiteral("firmware/index.xml"), served));
}

Sim::SimHeadset* TestApplicationWizard::Plug(const Sim::HeadsetProfile& profile)
{
    return m_stack->AddHeadset(profile);
}

int TestApplicationWizard::Page() const
{
    ApplicationWizard* wizard = Wizard();
    return wizard && wizard->isVisible() ? wizard->currentId() / 1000 : NoPage;
}

QWidget* TestApplicationWizard::PageChild(const char* name) const
{
    return Wizard() ? Child(Wizard()->currentPage(), QLatin1String(name)) : nullptr;
}

void TestApplicationWizard::Press(QWizard::WizardButton which)
{
    QTest::mouseClick(Wizard()->button(which), Qt::LeftButton);
}

void TestApplicationWizard::AnswerLanguage()
{
    OnModal(QStringLiteral("SelectLanguageDialogClass"), [](QWidget* dialog) { Click(dialog, "ok"); });
}

void TestApplicationWizard::AcceptLicense()
{
    AnswerLanguage();
    When(OnPage(Welcome), [this] {
        QVERIFY(!Wizard()->button(QWizard::NextButton)->isEnabled());
        TickLicense();
        QVERIFY(Wizard()->button(QWizard::NextButton)->isEnabled());
        Press(QWizard::NextButton);
    });
}

void TestApplicationWizard::StartUpdate()
{
    AcceptLicense();
    When(OnPage(Connect), [this] { Press(QWizard::NextButton); });
}

void TestApplicationWizard::StartInSelectionMode()
{
    AnswerLanguage();
    When(OnPage(Welcome), [this] { TypeSupportKeySequence(PageChild("acceptance")); });
    OnModal(Confirmation, [](QWidget* box) {
        QVERIFY(TextOf(box, "question").contains(QLatin1String("enable selection mode")));
        Click(box, "yes");
    });
    When([this] { return Wizard()->IsSelectionMode(); },
         [this] {
             TickLicense();
             Press(QWizard::NextButton);
         });
    When(OnPage(Connect), [this] { Press(QWizard::NextButton); });
}

void TestApplicationWizard::Finish(const QString& version)
{
    When(OnPage(Success), [this, version] {
        QCOMPARE(TextOf(Wizard()->currentPage(), "version"), version);
        QCOMPARE(TextOf(Wizard()->currentPage(), "deviceName"), QStringLiteral("Orvo ZR3h"));
        Press(QWizard::FinishButton);
    });
}

void TestApplicationWizard::AnswerYes()
{
    OnModal(Confirmation, [](QWidget* box) { Click(box, "yes"); });
}

void TestApplicationWizard::ExpectErrorBox(const QString& headline, const char* button)
{
    OnModal(ErrorBox, [headline, button](QWidget* box) {
        QCOMPARE(Headline(box), headline);
        Click(box, QLatin1String(button));
    });
}

bool TestApplicationWizard::Ran(int expectedStatus)
{
    m_app = std::make_unique<UpdatePelarinApp>();
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(GuardMs);
    m_app->Start();
    const int status = QCoreApplication::exec();
    guard.stop();
    // The program's end: the application object with the wizard, then the engine.
    QElapsedTimer shutdown;
    shutdown.start();
    m_app.reset();
    DeviceEngine::ShutDown();
    m_shutdownMs = shutdown.elapsed();
    if (status == expectedStatus && m_driver->Finished())
        return true;
    // What the wizard did, for the failure at hand.
    qWarning("status %d, %s", status, qPrintable(m_driver->Failure()));
    const QStringList steps = m_log->LinesContaining(QStringLiteral("UI: "));
    for (const QString& line : steps.mid(qMax(0, steps.size() - 40)))
        qWarning("%s", qPrintable(line));
    return false;
}

// No headset at first: the prepare page waits for one, and its readiness moves the wizard on.
void TestApplicationWizard::updatesTheHeadset()
{
    Sim::SimHeadset* headset = nullptr;
    AcceptLicense();
    QList<int> bar;
    bool downloadShareKept = true;
    When(OnPage(Connect), [&] {
        // Every value the progress bar of the update takes.
        connect(Wizard(), &QWizard::currentIdChanged, this, [&](int id) {
            if (id / 1000 != CommStatus)
                return;
            auto* page = Wizard()->page(id);
            connect(page->findChild<QProgressBar*>(QStringLiteral("progress")), &QProgressBar::valueChanged, this,
                    [&](int value) {
                        bar.append(value);
                        if (Wizard()->CurrentState() == ApplicationWizard::Programming && value > 10)
                            downloadShareKept = false;
                    });
        });
        Press(QWizard::NextButton);
    });
    When(OnPage(Prepare), [&] {
        QVERIFY(!Wizard()->button(QWizard::NextButton)->isEnabled());
        headset = Plug();
    });
    int resetsOnSuccess = -1;
    When(OnPage(Success), [&] {
        QCOMPARE(TextOf(Wizard()->currentPage(), "version"), V110);
        QCOMPARE(TextOf(Wizard()->currentPage(), "deviceName"), QStringLiteral("Orvo ZR3h"));
        QVERIFY(Wizard()->button(QWizard::FinishButton)->isVisible());
        // Every page change re-labels the wizard's buttons; the Help button keeps its name.
        QCOMPARE(Wizard()->button(QWizard::HelpButton)->text(), QStringLiteral("Help"));
        resetsOnSuccess = headset->ResetCount();
    });
    // The success page resets the headset once; back and ready, it is left alone.
    When([this] { return m_log->LinesContaining(QStringLiteral("UI: SUCCESS State")).size() >= 2; },
         [&] {
             QCOMPARE(headset->ResetCount(), resetsOnSuccess);
             Press(QWizard::FinishButton);
         });
    QVERIFY(Ran());

    QCOMPARE(headset->ReceivedImages().size(), 2);
    // The bar moves forward only, the download filling the first tenth, and ends full.
    QVERIFY(!bar.isEmpty());
    QVERIFY(downloadShareKept);
    QVERIFY2(std::is_sorted(bar.begin(), bar.end()), qPrintable(QVariant::fromValue(bar).toString()));
    QCOMPARE(bar.last(), 100);
    for (const QString& line : m_log->LinesContaining(QStringLiteral("UI: Received DownloadProgress signal"))) {
        const int percent = line.section(QLatin1Char('='), -1).chopped(1).toInt();
        QVERIFY(m_log->Contains(QStringLiteral("UI: Setting firmware download progress to %1").arg(percent / 10)));
    }
    QCOMPARE(m_web->RequestCount(QStringLiteral("/firmware/zr3h_010100_sub0.dfu")), 1);

    // The version report tells the server what the headset ran before and runs now.
    const QList<QByteArray> reports = m_reports->PostBodies(QLatin1String(VersionReportPath));
    QCOMPARE(reports.size(), 1);
    const QString product = QUrlQuery(QString::fromLatin1(reports.first()))
                                .queryItemValue(QStringLiteral("product_info"), QUrl::FullyDecoded);
    QVERIFY2(product.contains(QLatin1String("<deviceid>0x1f20</deviceid>")), qPrintable(product));
    QVERIFY(product.contains(QLatin1String("<serial_no>ZR3H00012345</serial_no>")));
    QVERIFY(product.contains(
        QLatin1String("<subcomponent subid=\"0\" previous_revision=\"01.00.00\" new_revision=\"01.01.00\"/>")));
    QVERIFY(m_log->Contains(QStringLiteral("UI: Version information successfully uploaded")));
    QVERIFY(!m_log->Contains(QStringLiteral("Re-entered")));
}

void TestApplicationWizard::installsTheDriver_data()
{
    QTest::addColumn<bool>("firstAttemptFails");
    QTest::newRow("installer succeeds") << false;
    QTest::newRow("installer fails, then Retry") << true;
}

void TestApplicationWizard::installsTheDriver()
{
    QFETCH(bool, firstAttemptFails);
    QVERIFY(QFile::remove(m_bundle->FilePath(QStringLiteral("rules.d/")) + QLatin1String(RuleName)));
    const QString installer = m_bundle->FilePath(QStringLiteral("USBDriver/install-udev-rule.sh"));
    const QByteArray working = ReadFile(installer);
    if (firstAttemptFails)
        QVERIFY(WriteFile(installer, "#!/bin/sh\nexit 3\n"));

    AcceptLicense();
    const auto install = [this] {
        QVERIFY(!Wizard()->button(QWizard::NextButton)->isEnabled());
        QTest::mouseClick(PageChild("install"), Qt::LeftButton);
    };
    When(OnPage(InstallDriver), install);
    if (firstAttemptFails) {
        OnModal(ErrorBox, [&](QWidget* box) {
            QCOMPARE(Headline(box), QStringLiteral("Device driver installation failed"));
            QVERIFY(WriteFile(installer, working));
            Click(box, "retry");
        });
        // A fresh page, as at the first visit.
        When([this] { return Page() == InstallDriver && Wizard()->currentId() == 2001; }, install);
    }
    When([this] { return Page() == InstallDriver && Wizard()->button(QWizard::NextButton)->isEnabled(); },
         [this] {
             QVERIFY(PageChild("notice")->isVisible());
             Press(QWizard::NextButton);
         });
    When(OnPage(Connect), [] { QCoreApplication::exit(0); });
    QVERIFY(Ran());
    QCOMPARE(ReadFile(m_bundle->FilePath(QStringLiteral("rules.d/")) + QLatin1String(RuleName)),
             ReadFile(m_bundle->FilePath(QStringLiteral("USBDriver/")) + QLatin1String(RuleName)));
}

void TestApplicationWizard::disconnectOnConnectPageIsNoError()
{
    Sim::SimHeadset* headset = Plug();
    AcceptLicense();
    When([this] { return Page() == Connect && m_log->Contains(QStringLiteral("UI: Processing Ready event")); },
         [headset] { headset->Unplug(); });
    When([this] { return m_log->Contains(QStringLiteral("UI: all connected devices have disconnected")); },
         [this, headset] {
             QCOMPARE(Page(), int(Connect));
             headset->Plug();
         });
    When([this] { return m_log->LinesContaining(QStringLiteral("UI: Processing Ready event")).size() == 2; },
         [this] { Press(QWizard::NextButton); });
    Finish();
    QVERIFY(Ran());
    QVERIFY(!m_shownWindows.contains(ErrorBox));
}

void TestApplicationWizard::unplugDuringProgrammingReturnsToConnect()
{
    Sim::HeadsetProfile profile = SampleHeadsetProfile();
    profile.faults.unplugAfterBlocks = 2;
    Plug(profile);
    StartUpdate();
    ExpectErrorBox(QStringLiteral("Your device has been disconnected"), "retry");
    When([this] { return Page() == Connect && Wizard()->currentId() > 3000; }, [] { QCoreApplication::exit(0); });
    QVERIFY(Ran());
    QCOMPARE(m_shownWindows.count(ErrorBox), 1);
}

// Plugged in already in its boot loader, where an interrupted update left it: the connect page takes
// it as ready (it has no release to report), and the update brings it back as any other.
void TestApplicationWizard::headsetLeftInItsBootLoaderIsBroughtBack()
{
    Sim::HeadsetProfile profile = SampleHeadsetProfile();
    profile.invalidFirmware = {0, 1};
    Sim::SimHeadset* headset = Plug(profile);
    QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);
    StartUpdate();
    Finish();
    QVERIFY(Ran());
    QVERIFY(!m_shownWindows.contains(ErrorBox));
    QCOMPARE(headset->ReceivedImages().size(), 2);
    QVERIFY(headset->FirmwareValid());
    QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Application);
}

void TestApplicationWizard::downloadFailureOffersRetry()
{
    Plug();
    m_web->SetRoute(QStringLiteral("/firmware/zr3h_010100_sub1.dfu"), QStringLiteral("status:500"));
    StartUpdate();
    OnModal(ErrorBox, [this](QWidget* box) {
        QCOMPARE(Headline(box), QStringLiteral("Device update files are unavailable"));
        m_web->SetRoute(QStringLiteral("/firmware/zr3h_010100_sub1.dfu"), QStringLiteral("serve"));
        Click(box, "retry");
    });
    Finish();
    QVERIFY(Ran());
    QVERIFY(m_log->Contains(QStringLiteral("UI: Returning to state - 6")));
}

void TestApplicationWizard::twoHeadsetsAreRefusedUntilOneIsUnplugged()
{
    Plug();
    Sim::SimHeadset* second = Plug();
    AcceptLicense();
    When([this] { return Page() == Connect && m_stack->Facade()->IsReady() == 2; },
         [this] { Press(QWizard::NextButton); });
    ExpectErrorBox(QStringLiteral("More than one device is connected"), "retry");
    OnModal(ErrorBox, [second](QWidget*) { second->Unplug(); });
    When([this] { return m_stack->Facade()->ConnectedDeviceCount() == 1; },
         [] { Click(QApplication::activeModalWidget(), "retry"); });
    // The user clicks Next again once the box has gone.
    When(OnPage(Connect), [this] { Press(QWizard::NextButton); });
    Finish();
    QVERIFY(Ran());
    QCOMPARE(second->ReceivedImages().size(), 0);
}

void TestApplicationWizard::finalPageWithoutUpdate_data()
{
    QTest::addColumn<bool>("supported");
    QTest::newRow("already up to date") << true;
    QTest::newRow("no release for the headset") << false;
}

void TestApplicationWizard::finalPageWithoutUpdate()
{
    QFETCH(bool, supported);
    if (!supported)
        ServeFirmware("<?xml version=\"1.0\"?><INDEX><DEVICE PRODUCTNAME=\"Orvo ZR3h\" ID=\"0x1F20\">"
                      "<HARDWARE REVISION=\"02.00.00\"><RELEASE REVISION=\"02.00.00\">"
                      "<IMAGE REVISION=\"02.00.00\" FILENAME=\"zr3h_010100_sub0.dfu\" SUBID=\"0\" LENGTH=\"4144\" "
                      "CRC=\"0xffffffff\"/></RELEASE></HARDWARE></DEVICE></INDEX>");
    Sim::SimHeadset* headset = Plug(HeadsetAt(supported ? V110 : V100));
    StartUpdate();
    When(OnPage(UpToDate), [this, supported] {
        QWizardPage* page = Wizard()->currentPage();
        QCOMPARE(page->title(),
                 supported ? QStringLiteral("Update is not needed") : QStringLiteral("Update was not successful"));
        QCOMPARE(Child(page, QStringLiteral("version"))->isVisible(), supported);
        if (supported)
            QCOMPARE(TextOf(page, "version"), V110);
        QVERIFY(!Wizard()->button(QWizard::CancelButton)->isEnabled());
        Press(QWizard::FinishButton);
    });
    QVERIFY(Ran());
    QCOMPARE(headset->ReceivedImages().size(), 0);
}

void TestApplicationWizard::selectionModeProgramsAnOlderVersion()
{
    Sim::SimHeadset* headset = Plug(HeadsetAt(V110));
    StartInSelectionMode();
    OnModal(QStringLiteral("SelectFirmwareDialogClass"), [](QWidget* dialog) {
        auto* versions = qobject_cast<QComboBox*>(Child(dialog, QStringLiteral("firmwareVersions")));
        QCOMPARE(versions->count(), 2);
        // Newest first, the headset's own marked.
        QCOMPARE(versions->itemText(0), QStringLiteral("01.01.00 (Current)"));
        QCOMPARE(versions->itemText(1), V100);
        versions->setCurrentIndex(1);
        Click(dialog, "ok");
    });
    Finish(V100);
    QVERIFY(Ran());
    QCOMPARE(headset->ReceivedImages().size(), 2);
    QCOMPARE(headset->ReceivedImages().first().version, V100);
}

void TestApplicationWizard::programmingCannotBeInterrupted()
{
    Sim::HeadsetProfile profile = SampleHeadsetProfile();
    profile.timing.flashPerBlockMs = 100;
    Plug(profile);
    StartUpdate();
    When([this] { return Wizard()->CurrentState() == ApplicationWizard::ProgrammingCompleteState; },
         [this] {
             QVERIFY(!Wizard()->button(QWizard::CancelButton)->isEnabled());
             QTest::keyClick(Wizard(), Qt::Key_Escape);
             Wizard()->close();
             QVERIFY(Wizard()->isVisible());
             // Nor does a stop request from the session or a terminal end it.
             ::raise(SIGTERM);
         });
    Finish();
    QuitOnTerminationSignals();
    QVERIFY(Ran());
    QCOMPARE(m_log->LinesContaining(QStringLiteral("UI: Ignoring Close event - Cancel button not enabled.")).size(), 2);
    QCOMPARE(m_log->LinesContaining(QStringLiteral("Stop request held: the headset is being updated")).size(), 1);
    QVERIFY(!m_shownWindows.contains(Confirmation));
}

// Cancel asks first: No leaves the wizard where it was, Yes ends the program.
void TestApplicationWizard::closeAsksFirst()
{
    Plug();
    AnswerLanguage();
    When(OnPage(Welcome), [this] { Press(QWizard::CancelButton); });
    OnModal(Confirmation, [](QWidget* box) {
        QCOMPARE(TextOf(box, "question"), QStringLiteral("Are you sure you want to exit?"));
        Click(box, "no");
    });
    When(OnPage(Welcome), [this] { Press(QWizard::CancelButton); });
    AnswerYes();
    QVERIFY(Ran());
    QVERIFY2(m_shutdownMs < ShutdownBudgetMs, qPrintable(QString::number(m_shutdownMs)));
}

void TestApplicationWizard::administratorRightsNeeded()
{
    QVERIFY(QFile::remove(m_bundle->FilePath(QStringLiteral("rules.d/")) + QLatin1String(RuleName)));
    m_installers->admin = false;
    const int indexRequests = m_web->RequestCount(QStringLiteral("/firmware/index.xml"));
    AnswerLanguage();
    OnModal(QStringLiteral("AdminCredentialsNeededDialogClass"), [](QWidget* dialog) {
        auto* application = qobject_cast<SingleApplication*>(QCoreApplication::instance());
        QCOMPARE(application->ActivationWindow(), dialog);
        Click(dialog, "exit");
    });
    QVERIFY(Ran());
    QVERIFY(!m_shownWindows.contains(QStringLiteral("ApplicationWizardClass")));
    QCOMPARE(m_web->RequestCount(QStringLiteral("/firmware/index.xml")), indexRequests);
}

void TestApplicationWizard::indexFileWait_data()
{
    QTest::addColumn<bool>("slow");
    QTest::newRow("arrives after the wait") << true;
    QTest::newRow("arrives in time") << false;
}

void TestApplicationWizard::indexFileWait()
{
    QFETCH(bool, slow);
    // A slow index file takes a second, beyond a wait shortened to a tenth of that; a fast one arrives
    // well within the shipped three seconds.
    WriteConfig(QStringLiteral("<IndexFileWaitTime>%1</IndexFileWaitTime>").arg(slow ? 100 : 3000));
    if (slow)
        m_web->SetRoute(QStringLiteral("/firmware/index.xml"), QStringLiteral("delay:1000"));
    AnswerLanguage();
    When(OnPage(Welcome), [] { QCoreApplication::exit(0); });
    QVERIFY(Ran());
    const int wizardShown = m_shownWindows.indexOf(QStringLiteral("ApplicationWizardClass"));
    QVERIFY(wizardShown >= 0);
    QCOMPARE(m_shownWindows.indexOf(QStringLiteral("IndexFileWaitDialogClass")) >= 0, slow);
    QVERIFY(m_shownWindows.indexOf(QStringLiteral("IndexFileWaitDialogClass")) < wizardShown);
}

void TestApplicationWizard::indexFileFailureOffersRetry()
{
    m_web->SetRoute(QStringLiteral("/firmware/index.xml"), QStringLiteral("status:500"));
    auto* application = qobject_cast<SingleApplication*>(QCoreApplication::instance());
    AnswerLanguage();
    OnModal(ErrorBox, [this, application](QWidget* box) {
        QCOMPARE(Headline(box), QStringLiteral("Update information is unavailable"));
        // Before the wizard, a second start brings the box forward.
        QCOMPARE(application->ActivationWindow(), box);
        m_web->SetRoute(QStringLiteral("/firmware/index.xml"), QStringLiteral("serve"));
        Click(box, "retry");
    });
    When(OnPage(Welcome), [application] {
        QCOMPARE(application->ActivationWindow()->objectName(), QStringLiteral("ApplicationWizardClass"));
        QCoreApplication::exit(0);
    });
    QVERIFY(Ran());
}

void TestApplicationWizard::quitsInEveryState_data()
{
    QTest::addColumn<QString>("moment");
    for (const char* moment : {"splash", "language selection", "index download", "silent headset query", "prepare page",
                               "image download", "error box", "version selection", "programming", "version report"})
        QTest::newRow(moment) << QString::fromLatin1(moment);
}

// The end in the other states: Cancel and Yes on the welcome page is closeAsksFirst.
void TestApplicationWizard::quitsInEveryState()
{
    QFETCH(QString, moment);
    const auto quitWhen = [this](std::function<bool()> condition) {
        When(std::move(condition), [] { QCoreApplication::exit(0); });
    };
    const auto shown = [this](const char* window) {
        return [this, window] { return m_shownWindows.contains(QLatin1String(window)); };
    };
    const auto cancelOn = [this](int page) {
        When(OnPage(page), [this] { Press(QWizard::CancelButton); });
        AnswerYes();
    };
    Sim::HeadsetProfile profile = SampleHeadsetProfile();
    if (moment == QLatin1String("splash")) {
        WriteConfig(QStringLiteral("<SplashScreenTime>60000</SplashScreenTime>"));
        quitWhen(shown("SplashScreenClass"));
    } else if (moment == QLatin1String("language selection")) {
        OnModal(QStringLiteral("SelectLanguageDialogClass"), [](QWidget* dialog) { Click(dialog, "cancel"); });
        AnswerYes();
    } else if (moment == QLatin1String("index download")) {
        WriteConfig(QStringLiteral("<IndexFileWaitTime>0</IndexFileWaitTime>"));
        m_web->SetRoute(QStringLiteral("/firmware/index.xml"), QStringLiteral("stall"));
        AnswerLanguage();
        quitWhen(shown("IndexFileWaitDialogClass"));
    } else if (moment == QLatin1String("silent headset query")) {
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Silent;
        Plug(profile);
        AcceptLicense();
        cancelOn(Connect);
    } else if (moment == QLatin1String("prepare page")) {
        StartUpdate();
        cancelOn(Prepare);
    } else if (moment == QLatin1String("image download")) {
        Plug();
        m_web->SetRoute(QStringLiteral("/firmware/zr3h_010100_sub0.dfu"), QStringLiteral("stall"));
        StartUpdate();
        cancelOn(CommStatus);
    } else if (moment == QLatin1String("error box")) {
        Plug();
        m_web->SetRoute(QStringLiteral("/firmware/zr3h_010100_sub0.dfu"), QStringLiteral("status:404"));
        StartUpdate();
        OnModal(ErrorBox, [](QWidget* box) { Click(box, "exit"); });
        AnswerYes();
    } else if (moment == QLatin1String("version selection")) {
        Plug();
        StartInSelectionMode();
        OnModal(QStringLiteral("SelectFirmwareDialogClass"), [](QWidget* dialog) { Click(dialog, "cancel"); });
        AnswerYes();
    } else if (moment == QLatin1String("programming")) {
        profile.timing.flashPerBlockMs = 200;
        Plug(profile);
        StartUpdate();
        quitWhen([this] { return Wizard()->CurrentState() == ApplicationWizard::ProgrammingCompleteState; });
    } else if (moment == QLatin1String("version report")) {
        Plug();
        m_reports->SetRoute(QLatin1String(VersionReportPath), QStringLiteral("stall"));
        StartUpdate();
        quitWhen([this] { return m_log->Contains(QStringLiteral("UI: Starting Version Information Upload")); });
    }
    QVERIFY(Ran());
    QVERIFY2(m_shutdownMs < ShutdownBudgetMs, qPrintable(QString::number(m_shutdownMs)));
}

void TestApplicationWizard::languageDialogOffersEachLanguageOnce_data()
{
    QTest::addColumn<bool>("shipped");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("listed twice") << false << QStringList{"en English"};
    // A machine whose only locale is C.UTF-8 (like the one the tests run on) still offers every
    // shipped language: the fonts decide.
    QTest::newRow("shipped") << true << QStringList{"en English", "de Deutsch", "fr Français", "ar العربية"};
}

void TestApplicationWizard::languageDialogOffersEachLanguageOnce()
{
    QFETCH(bool, shipped);
    QFETCH(QStringList, offered);
    if (shipped)
        UseShippedLanguages();
    OnModal(QStringLiteral("SelectLanguageDialogClass"), [offered](QWidget* dialog) {
        auto* languages = qobject_cast<QComboBox*>(Child(dialog, QStringLiteral("language")));
        QStringList items;
        for (int i = 0; i < languages->count(); ++i)
            items << languages->itemData(i).toString() + QLatin1Char(' ') + languages->itemText(i);
        QCOMPARE(items, offered);
        QCOMPARE(languages->currentData().toString(), QStringLiteral("en"));
        Click(dialog, "ok");
    });
    When(OnPage(Welcome), [] { QCoreApplication::exit(0); });
    QVERIFY(Ran());
}

// A language chosen while the wizard is open (a script's SetLanguage) changes its texts and, for
// Arabic, its direction at once. One without a catalogue falls back to English as it reads on Linux,
// left to right, with one warning; without the English catalogue the source texts remain.
void TestApplicationWizard::openWizardFollowsTheLanguage()
{
    UseShippedLanguages();
    AnswerLanguage();
    When(OnPage(Welcome), [this] {
        QAbstractButton* next = Wizard()->button(QWizard::NextButton);
        const QString english = Wizard()->currentPage()->title();
        QCOMPARE(next->text(), QStringLiteral("Next"));

        // Windows hear of a new translator through posted events.
        m_app->SetLanguage(QStringLiteral("de"), false);
        QTRY_COMPARE(next->text(), QStringLiteral("Weiter"));
        m_app->SetLanguage(QStringLiteral("ar"), false);
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft);
        QVERIFY(Wizard()->isRightToLeft());
        QTRY_COMPARE(next->text(), QStringLiteral("التالي"));
        QVERIFY(Wizard()->currentPage()->title().startsWith(QStringLiteral("مرحبًا")));
        // English, chosen in the language dialog, had its catalogue.
        QVERIFY(m_log->LinesContaining(QStringLiteral("Translation not loaded")).isEmpty());

        m_app->SetLanguage(QStringLiteral("xx-YY"), false);
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        QTRY_COMPARE(Wizard()->currentPage()->title(), english);
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Warning,    Translation not loaded for xx-YY")).size(), 1);
        const auto adminDetails = [] {
            return QCoreApplication::translate("ErrorDetails",
                                               ErrorEntryAt(err_windows_admin_credentials_unavailable).details);
        };
        QVERIFY(!adminDetails().contains(QLatin1String("Windows")));
        // Nothing to switch to: nothing happens.
        m_app->SetLanguage(QString(), false);
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Translation not loaded")).size(), 1);

        QVERIFY(QFile::remove(m_bundle->FilePath(QStringLiteral("ui_en.qm"))));
        m_app->SetLanguage(QStringLiteral("zz"), false);
        QVERIFY(adminDetails().contains(QLatin1String("Windows")));
        QCoreApplication::exit(0);
    });
    QVERIFY(Ran());
}

void TestApplicationWizard::dialogsByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("close");
    const auto row = [](const char* tag, const char* name, const char* shown, const char* detail, const char* close) {
        QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(shown) << QString::fromLatin1(detail)
                           << QString::fromLatin1(close);
    };
    row("admin", "dlg_admin_credentials_needed", "AdminCredentialsNeededDialogClass", "", "exit");
    row("firmware", "dlg_select_firmware", "SelectFirmwareDialogClass", "01.02.00|01.00.00 (Current)", "ok");
    row("downgrade", "cnf_downgrade", "ConfirmationBoxClass", "Are you sure you want to enable selection mode?", "no");
    row("uploading", "dlg_system_info_uploading", "SystemInfoDialogClass", "Uploading to Orvo... (50% complete)",
        "close");
    // Any other name is an error code, shown in the error box.
    row("error code", "firmware-corrupted", "ErrorBoxClass", "Device update files are damaged", "retry");
}

void TestApplicationWizard::dialogsByName()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(QString, detail);
    QFETCH(QString, close);
    QString seen;
    OnModal(shown, [&](QWidget* dialog) {
        if (auto* versions = dialog->findChild<QComboBox*>(QStringLiteral("firmwareVersions")))
            seen = versions->itemText(1) + QLatin1Char('|') + versions->itemText(0);
        else if (auto* progress = dialog->findChild<QLabel*>(QStringLiteral("uploadProgress")))
            seen = progress->text();
        else if (dialog->objectName() == ErrorBox)
            seen = Headline(dialog);
        else if (auto* question = dialog->findChild<QLabel*>(QStringLiteral("question")))
            seen = question->text();
        Click(dialog, close);
    });
    UpdatePelarinApp().DisplayErrorDialog(name);
    QVERIFY2(m_driver->Finished(), qPrintable(m_driver->Failure()));
    if (!detail.isEmpty())
        QCOMPARE(seen, detail);
}

int main(int argc, char** argv)
{
    // The program's own application class: the activation window is part of what is tested.
    SingleApplication application(QStringLiteral("TessaryTestApplicationWizard"), argc, argv);
    application.setQuitOnLastWindowClosed(true);
    TestApplicationWizard test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "TestApplicationWizard.moc"
