#include "app/ConfigurationFactory.h"
#include "app/OrvoException.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestEnvironment.h"
#include "ui/ErrorTable.h"
#include "ui/SingleApplication.h"
#include "ui/SupportManager.h"
#include "ui/SystemInfoHtml.h"
#include "ui/UiResources.h"
#include "usb/linux/LinuxPlatformServices.h"
#include "web/WebInterfaceTest.h"
#include "web/WebSystemInfo.h"
#include "web/WebUploader.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace OrvoCommon;
using namespace UpdatePelarin;
using namespace TestSupport;

namespace {

constexpr char SystemInfoPath[] = "/web/diagnostic";
constexpr char SupportUrl[] = "https://support.orvo.invalid/zr3h";
const QString ErrorBoxName = QStringLiteral("ErrorBoxClass");
const QString ConfirmationName = QStringLiteral("ConfirmationBoxClass");
const QString SystemInfoName = QStringLiteral("SystemInfoDialogClass");

QString TextOf(QWidget* dialog, const char* child)
{
    return Child(dialog, QLatin1String(child))->property("text").toString();
}

bool Shown(QWidget* dialog, const char* child)
{
    return Child(dialog, QLatin1String(child))->isVisible();
}

QWidget* OpenWindow(const QString& objectName)
{
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == objectName && window->isVisible())
            return window;
    }
    return nullptr;
}

SystemInfo::UsbNode Node(const char* name, std::uint16_t deviceClass, int speed, std::uint16_t vid, std::uint16_t pid,
                         const char* revision, const char* version)
{
    SystemInfo::UsbNode node;
    node.name = QString::fromUtf8(name);
    node.deviceClass = deviceClass;
    node.speed = speed;
    node.vendorId = vid;
    node.productId = pid;
    node.revision = QLatin1String(revision);
    node.version = QLatin1String(version);
    return node;
}

} // namespace

class TestSupportManager : public QObject
{
    Q_OBJECT

public slots:
    void OpenUrl(const QUrl& url) { m_openedUrls.append(url); }

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void errorIndexFor_data();
    void errorIndexFor();
    void systemInfoHtml_data();
    void systemInfoHtml();
    void systemInfoShowsMarkupAsText();

    // Support mode is off for these; it stays on once a test has switched it on.
    void errorBoxChoices_data();
    void errorBoxChoices();
    void exitAndEscapeAskFirst();
    void boxIsActivationWindowUntilTheWizard();
    void contactLinkKeepsBoxOpen_data();
    void contactLinkKeepsBoxOpen();

    void supportModeReachesEveryHost();
    void uploadCompletes();
    void uploadCanceledAfterSecondThoughts();
    void failedUploadIsReported();

private:
    // Opens the system information and has driver serve it; true when the dialog was used and closed.
    void RunSystemInfo(ModalDriver& driver);

    std::unique_ptr<TemporaryBundle> m_bundle;
    std::unique_ptr<LocalWebServer> m_server;
    QList<QUrl> m_openedUrls;
};

void TestSupportManager::initTestCase()
{
    InitUiResources();
    RegisterCommonMetaTypes();
    LinkLinuxSystemInfoReader();
    LinkLinuxUsbPlatformServices();
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    m_server = std::make_unique<LocalWebServer>(LocalWebServer::Scheme::Https);
    QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));
    m_bundle = std::make_unique<TemporaryBundle>(QStringLiteral("<SupportUrl>%1</SupportUrl>").arg(SupportUrl));
    QVERIFY(QFile::copy(m_server->CertificatePath(), m_bundle->FilePath(QStringLiteral("cacert.pem"))));
    qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
    WebInterfaceTest* switches = WebInterfaceTestFactory::CreateWebInterfaceTest();
    switches->SetUploadPort(m_server->Port());
    switches->SetHostText(QStringLiteral("127.0.0.1"));
    WebUploader::SetMakerHostForTests(QStringLiteral("127.0.0.1"));
    for (const char* scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "OpenUrl");
}

void TestSupportManager::init()
{
    m_openedUrls.clear();
    m_server->SetRoute(QLatin1String(SystemInfoPath), QStringLiteral("serve"));
}

void TestSupportManager::cleanupTestCase()
{
    for (const char* scheme : {"file", "https"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
    WebUploader::SetMakerHostForTests(QString());
}

void TestSupportManager::errorIndexFor_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("index");

    // One pair of each kind; the whole table is only the table again.
    const std::pair<const char*, int> pairs[] = {
        {"no-index-file", 1},
        {"err_selection_mode_no_firmware", 9},
        // Anything else is the generic error.
        {"", 8},
        {"upload-canceled", 8},
        {"Device-Disconnected", 8},
    };
    for (const auto& [code, index] : pairs)
        QTest::addRow("%s", *code ? code : "empty") << QString::fromLatin1(code) << index;
}

void TestSupportManager::errorIndexFor()
{
    QFETCH(QString, code);
    QFETCH(int, index);
    QCOMPARE(ErrorIndexFor(code), index);
}

void TestSupportManager::systemInfoHtml_data()
{
    QTest::addColumn<WebSystemInfo>("info");
    QTest::addColumn<QStringList>("errorLines");
    QTest::addColumn<QString>("html");

    WebSystemInfo empty;
    empty.applicationVersion = QStringLiteral("1.0.5924");
    QTest::newRow("no device") << empty << QStringList()
                               << "<qt><h3 dir=\"ltr\">Orvo ZR3h <i>Bluetooth</i> Headphone Update 1.0.5924</h3>\n"
                                  "<h4 dir=\"ltr\">Device Information</h4>\n"
                                  "<p dir=\"ltr\">Device ID: 0x0000<br>No device detected</p>"
                                  "<h4 dir=\"ltr\">Computer Information</h4>\n"
                                  "<p dir=\"ltr\"> </p>\n"
                                  "<p dir=\"ltr\">Processor: , </p>\n"
                                  "<h4 dir=\"ltr\">PCI Devices</h4>\n"
                                  "<h4 dir=\"ltr\">USB Devices</h4>\n"
                                  "<h4 dir=\"ltr\">USB Drivers</h4>\n"
                                  "<h3 dir=\"ltr\">Error Log</h3><hr></qt>";

    WebSystemInfo full = empty;
    full.targetFirmwareVersion = QStringLiteral("02.01.00");
    WebPelarinInfo& device = full.deviceInfo;
    device.deviceName = QStringLiteral("Orvo ZR3h");
    device.serialNumber = QStringLiteral("SN1");
    device.firmwareVersion = QStringLiteral("02.00.00");
    device.bluetoothAddress = QStringLiteral("00:02:5b:00:a5:a5");
    device.bluetoothPairingList = QStringList{QStringLiteral("00:11:22:33:44:55")};
    device.deviceId = 0x1f20;
    SystemInfo& system = full.systemInfo;
    system.osName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    system.servicePack = QStringLiteral("6.1.0-18-amd64");
    system.processorName = QStringLiteral("Intel Core i7 @ 2.40GHz");
    system.processorCaption = QStringLiteral("x86_64 Family 6");
    system.freeMemoryMb = 7000;
    system.totalMemoryMb = 16000;
    system.pciDevices.append({QStringLiteral("USB controller"), 0x8086, 0x1f});
    SystemInfo::UsbNode controller = Node("xHCI Host Controller", 0, 3, 0x8086, 0xa36d, "", "");
    SystemInfo::UsbNode hub = Node("USB High-Speed Root Hub", 9, 0, 0, 0, "", "2.00");
    hub.children.push_back(Node("ZR3h", 224, 1, 0x0a12, 0x1f20, "1.00", "2.00"));
    controller.children.push_back(hub);
    system.usbControllers.append(controller);
    system.usbDrivers.append(
        {QStringLiteral("kernel/drivers/usb/host/xhci-hcd.ko"), QStringLiteral("6.1"), QDate(2024, 3, 7)});
    QTest::newRow("usb device at depth 2")
        << full << QStringList{QStringLiteral("line one"), QStringLiteral("line two")}
        << "<qt><h3 dir=\"ltr\">Orvo ZR3h <i>Bluetooth</i> Headphone Update 1.0.5924</h3>\n"
           "<h4 dir=\"ltr\">Device Information</h4>\n"
           "<p dir=\"ltr\">Connected Device: Orvo ZR3h<br>Serial Number: SN1<br>Target Firmware Version: 02.01.00<br>"
           "Device Firmware Version: 02.00.00<br><i>Bluetooth</i> Address: 00:02:5b:00:a5:a5<br>"
           "<i>Bluetooth</i> Pairing List:<br>&nbsp;&nbsp;&nbsp;&nbsp;00:11:22:33:44:55<br>Device ID: 0x1f20<br></p>"
           "<h4 dir=\"ltr\">Computer Information</h4>\n"
           "<p dir=\"ltr\">Debian GNU/Linux 12 (bookworm) 6.1.0-18-amd64</p>\n"
           "<p dir=\"ltr\">Processor: Intel Core i7 @ 2.40GHz, x86_64 Family 6</p>\n"
           "<p dir=\"ltr\">Memory: 7000 MB / 16000 MB</p>\n"
           "<h4 dir=\"ltr\">PCI Devices</h4>\n"
           "<p dir=\"ltr\"><h5>USB controller</h5><br>VID: 8086<br>PID:   1f</p>"
           "<h4 dir=\"ltr\">USB Devices</h4>\n"
           "<p dir=\"ltr\"><h5 dir=\"ltr\">xHCI Host Controller </h5><br>Speed: 3<br>VID: 8086<br>PID: a36d</p>\n"
           "<p dir=\"ltr\"><h5 dir=\"ltr\">&nbsp;&nbsp;&nbsp;&nbsp;USB High-Speed Root Hub (9)</h5>"
           "<br>&nbsp;&nbsp;&nbsp;&nbsp;Speed: 0<br>&nbsp;&nbsp;&nbsp;&nbsp;Version: 2.00</p>\n"
           "<p dir=\"ltr\"><h5 dir=\"ltr\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;ZR3h (224)</h5>"
           "<br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Speed: 1"
           "<br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;VID:  a12"
           "<br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;PID: 1f20"
           "<br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Revision: 1.00"
           "<br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Version: 2.00</p>\n"
           "<h4 dir=\"ltr\">USB Drivers</h4>\n"
           "<p dir=\"ltr\">kernel/drivers/usb/host/xhci-hcd.ko, 6.1 (3/7/24)</p>\n"
           "<h3 dir=\"ltr\">Error Log</h3>line one<br>line two<br><hr></qt>";
}

void TestSupportManager::systemInfoHtml()
{
    QFETCH(WebSystemInfo, info);
    QFETCH(QStringList, errorLines);
    QFETCH(QString, html);

    QCOMPARE(SystemInfoHtml(info, errorLines), html);
}

void TestSupportManager::systemInfoShowsMarkupAsText()
{
    WebSystemInfo info;
    info.deviceInfo.serialNumber = QStringLiteral("<b>1</b>");
    info.systemInfo.usbControllers.append(Node("Keys <Pro> & Co", 0, 3, 0, 0, "", ""));
    const QString html = SystemInfoHtml(info, {QStringLiteral("x < y")});
    QVERIFY(html.contains(QLatin1String("Serial Number: &lt;b&gt;1&lt;/b&gt;<br>")));
    QVERIFY(html.contains(QLatin1String(">Keys &lt;Pro&gt; &amp; Co </h5>")));
    QVERIFY(html.contains(QLatin1String("x &lt; y<br>")));
}

void TestSupportManager::errorBoxChoices_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("retry");
    QTest::addColumn<bool>("confirmExit");
    QTest::addColumn<QString>("headline");

    // Exit with its confirmation after an entry without Retry is exitAndEscapeAskFirst.
    QTest::newRow("retry") << int(err_index_unretrievable) << true << true
                           << TranslatedHeadline(ErrorEntryAt(err_index_unretrievable));
    QTest::newRow("exit at once") << int(err_windows_admin_credentials_unavailable) << false << false
                                  << TranslatedHeadline(ErrorEntryAt(err_windows_admin_credentials_unavailable));
    QTest::newRow("outside the table") << 17 << false << true << QStringLiteral("This program cannot continue");
}

void TestSupportManager::errorBoxChoices()
{
    QFETCH(int, index);
    QFETCH(bool, retry);
    QFETCH(bool, confirmExit);
    QFETCH(QString, headline);

    LogCapture log;
    ModalDriver driver;
    driver.OnModal(ErrorBoxName, [&](QWidget* box) {
        QCOMPARE(TextOf(box, "headline"), QStringLiteral("<font size=\"+1\">%1</font>").arg(headline));
        QVERIFY(!Shown(box, "systemInfo"));
        QCOMPARE(Shown(box, "retry"), retry);
        Click(box, retry ? QStringLiteral("retry") : QStringLiteral("exit"));
    });
    if (!retry && confirmExit)
        driver.OnModal(ConfirmationName, [](QWidget* confirmation) { Click(confirmation, QStringLiteral("yes")); });

    bool result = !retry;
    const bool quit = RunAndDetectQuit([&] { result = SupportManager::Instance()->DisplayError(index, nullptr); });
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QCOMPARE(result, retry);
    QCOMPARE(quit, !retry);
    QVERIFY(log.HasError(QStringLiteral("Displaying error %1").arg(index)));
}

void TestSupportManager::exitAndEscapeAskFirst()
{
    ModalDriver driver;
    QString confirmationHeadline;
    driver.OnModal(ErrorBoxName, [](QWidget* box) { Click(box, QStringLiteral("exit")); });
    driver.OnModal(ConfirmationName, [&](QWidget* confirmation) {
        confirmationHeadline = TextOf(confirmation, "headline");
        Click(confirmation, QStringLiteral("no"));
    });
    driver.OnModal(ErrorBoxName, [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    driver.OnModal(ConfirmationName, [](QWidget* confirmation) { Click(confirmation, QStringLiteral("no")); });
    driver.OnModal(ErrorBoxName, [](QWidget* box) { box->close(); });
    driver.OnModal(ConfirmationName, [](QWidget* confirmation) { Click(confirmation, QStringLiteral("yes")); });

    bool retry = true;
    const bool quit = RunAndDetectQuit(
        [&] { retry = SupportManager::Instance()->DisplayError(err_generic_internal_error, nullptr); });
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QCOMPARE(confirmationHeadline,
             QStringLiteral("<font size=\"+1\">Orvo Product Support may be able to help you</font>"));
    QVERIFY(!retry);
    QVERIFY(quit);
}

void TestSupportManager::boxIsActivationWindowUntilTheWizard()
{
    auto* application = qobject_cast<SingleApplication*>(QCoreApplication::instance());
    QVERIFY(application);
    QString activationWindow;
    ModalDriver driver;
    const auto retry = [&](QWidget* box) {
        activationWindow =
            application->ActivationWindow() ? application->ActivationWindow()->objectName() : QStringLiteral("none");
        Click(box, QStringLiteral("retry"));
    };
    driver.OnModal(ErrorBoxName, retry);
    QVERIFY(SupportManager::Instance()->DisplayError(err_index_unretrievable, nullptr));
    QCOMPARE(activationWindow, ErrorBoxName);
    QVERIFY(!application->ActivationWindow());

    // Once the wizard is there, a second start brings the wizard forward, not the box.
    QWidget wizard;
    SupportManager::Instance()->SetHostWindow(&wizard);
    driver.OnModal(ErrorBoxName, retry);
    QVERIFY(SupportManager::Instance()->DisplayError(err_index_unretrievable, &wizard));
    SupportManager::Instance()->SetHostWindow(nullptr);
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QCOMPARE(activationWindow, QStringLiteral("none"));
}

void TestSupportManager::contactLinkKeepsBoxOpen_data()
{
    QTest::addColumn<bool>("localPage");
    QTest::newRow("configured address") << false;
    QTest::newRow("support page of the bundle") << true;
}

void TestSupportManager::contactLinkKeepsBoxOpen()
{
    QFETCH(bool, localPage);

    const QString page = m_bundle->FilePath(QStringLiteral("SupportPage/page.html"));
    if (localPage)
        QVERIFY(WriteFile(page, "<p>Support</p>"));
    else
        QFile::remove(page);

    ModalDriver driver;
    driver.OnModal(ErrorBoxName, [](QWidget* box) {
        emit static_cast<QLabel*>(Child(box, QStringLiteral("details")))
            ->linkActivated(QStringLiteral("ContactInfoDialog"));
    });
    driver.OnModal(ErrorBoxName, [](QWidget* box) { Click(box, QStringLiteral("retry")); });
    QVERIFY(SupportManager::Instance()->DisplayError(err_device_disconnected, nullptr));
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QCOMPARE(m_openedUrls.size(), 1);
    QCOMPARE(m_openedUrls.first(), localPage ? QUrl::fromLocalFile(page) : QUrl(QLatin1String(SupportUrl)));
}

void TestSupportManager::RunSystemInfo(ModalDriver& driver)
{
    SupportManager::Instance()->ShowSystemInfo(nullptr);
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QVERIFY(!OpenWindow(SystemInfoName));
}

void TestSupportManager::supportModeReachesEveryHost()
{
    SupportManager* manager = SupportManager::Instance();
    ModalDriver driver;
    driver.OnModal(ErrorBoxName, [manager](QWidget*) { manager->ShowSystemInfo(); });
    driver.OnModal(SystemInfoName, [](QWidget* dialog) {
        const QString text = static_cast<QTextEdit*>(Child(dialog, QStringLiteral("infoBox")))->toPlainText();
        QVERIFY(text.contains(QLatin1String("Orvo ZR3h Bluetooth Headphone Update 1.0.5924")));
        QVERIFY(text.contains(QLatin1String("Device ID: 0x0000\nNo device detected")));
        QVERIFY(!Shown(dialog, "sendData"));
        QVERIFY(!Shown(dialog, "uploadProgress"));
        TypeSupportKeySequence(Child(dialog, QStringLiteral("infoBox")));
        // At once, here and in the error box underneath.
        QVERIFY(Shown(dialog, "sendData"));
        QVERIFY(Shown(OpenWindow(ErrorBoxName), "systemInfo"));
        Click(dialog, QStringLiteral("close"));
    });
    driver.OnModal(ErrorBoxName, [](QWidget* box) { Click(box, QStringLiteral("retry")); });
    QVERIFY(manager->DisplayError(err_firmware_unretrievable, nullptr));
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
    QVERIFY(manager->IsSupportActivated());

    // Support mode stays on: the next box offers the button from the start, and it works.
    driver.OnModal(ErrorBoxName, [](QWidget* box) {
        QVERIFY(Shown(box, "systemInfo"));
        Click(box, QStringLiteral("systemInfo"));
    });
    driver.OnModal(SystemInfoName, [](QWidget* dialog) {
        QVERIFY(Shown(dialog, "sendData"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    driver.OnModal(ErrorBoxName, [](QWidget* box) { Click(box, QStringLiteral("retry")); });
    QVERIFY(manager->DisplayError(err_index_corrupted, nullptr));
    QVERIFY2(driver.Finished(), qPrintable(driver.Failure()));
}

void TestSupportManager::uploadCompletes()
{
    SupportManager::Instance()->ActivateSupport();
    WebPelarinInfo device;
    device.serialNumber = QStringLiteral("SN-UPLOAD");
    SupportManager::Instance()->SetDeviceInfo(device);
    const int before = m_server->PostBodies(QLatin1String(SystemInfoPath)).size();
    LogCapture log;

    ModalDriver driver(30000);
    QWidget* dialog = nullptr;
    driver.OnModal(SystemInfoName, [&dialog](QWidget* modal) {
        dialog = modal;
        Click(dialog, QStringLiteral("sendData"));
        QCOMPARE(TextOf(dialog, "uploadProgress"), QStringLiteral("Uploading to Orvo... (0% complete)"));
        QVERIFY(Shown(dialog, "uploadProgress"));
        QVERIFY(!Shown(dialog, "sendData"));
        QCOMPARE(TextOf(dialog, "close"), QStringLiteral("Cancel"));
    });
    driver.When([&dialog] { return dialog && TextOf(dialog, "uploadProgress") == QLatin1String("Upload completed."); },
                [&dialog] {
                    QCOMPARE(TextOf(dialog, "close"), QStringLiteral("Close"));
                    Click(dialog, QStringLiteral("close"));
                });
    RunSystemInfo(driver);

    const QList<QByteArray> bodies = m_server->PostBodies(QLatin1String(SystemInfoPath));
    QCOMPARE(bodies.size(), before + 1);
    QVERIFY(bodies.last().startsWith("serial_number=SN-UPLOAD&device_id=0x0000&"));
    QVERIFY(bodies.last().contains("&app_version=1.0.5924"));
    QVERIFY(log.Contains(QStringLiteral("Upload progress: 100")));
}

void TestSupportManager::uploadCanceledAfterSecondThoughts()
{
    QVERIFY(m_server->SetRoute(QLatin1String(SystemInfoPath), QStringLiteral("stall")));
    const int before = m_server->PostBodies(QLatin1String(SystemInfoPath)).size();
    ModalDriver driver(30000);
    QWidget* dialog = nullptr;
    QString question;
    driver.OnModal(SystemInfoName, [&dialog](QWidget* modal) {
        dialog = modal;
        Click(dialog, QStringLiteral("sendData"));
    });
    // Escape during the upload asks about the upload, not about the window.
    driver.When([&] { return m_server->PostBodies(QLatin1String(SystemInfoPath)).size() > before; },
                [&dialog] { QTest::keyClick(dialog, Qt::Key_Escape); });
    driver.OnModal(ConfirmationName, [&question](QWidget* confirmation) {
        question = TextOf(confirmation, "question");
        Click(confirmation, QStringLiteral("no"));
    });
    driver.OnModal(SystemInfoName, [](QWidget* modal) {
        QVERIFY(TextOf(modal, "uploadProgress").startsWith(QLatin1String("Uploading to Orvo... (")));
        QCOMPARE(TextOf(modal, "close"), QStringLiteral("Cancel"));
        Click(modal, QStringLiteral("close"));
    });
    driver.OnModal(ConfirmationName, [](QWidget* confirmation) { Click(confirmation, QStringLiteral("yes")); });
    driver.When([&dialog] { return TextOf(dialog, "uploadProgress") == QLatin1String("Upload canceled."); },
                [&dialog] {
                    QVERIFY(Shown(dialog, "uploadProgress"));
                    QCOMPARE(TextOf(dialog, "close"), QStringLiteral("Close"));
                    QTest::keyClick(dialog, Qt::Key_Escape);
                });
    RunSystemInfo(driver);
    QCOMPARE(question, QStringLiteral("Are you sure you want to cancel the upload?"));
}

void TestSupportManager::failedUploadIsReported()
{
    QVERIFY(m_server->SetRoute(QLatin1String(SystemInfoPath), QStringLiteral("status:500")));
    ModalDriver driver(30000);
    driver.OnModal(SystemInfoName, [](QWidget* dialog) { Click(dialog, QStringLiteral("sendData")); });
    driver.OnModal(QStringLiteral("UploadFailureDialogClass"), [](QWidget* failure) {
        QCOMPARE(failure->parentWidget()->objectName(), SystemInfoName);
        Click(failure, QStringLiteral("close"));
    });
    // Back to idle: another try is possible.
    driver.OnModal(SystemInfoName, [](QWidget* dialog) {
        QVERIFY(Shown(dialog, "sendData"));
        QVERIFY(!Shown(dialog, "uploadProgress"));
        QCOMPARE(TextOf(dialog, "close"), QStringLiteral("Close"));
        Click(dialog, QStringLiteral("close"));
    });
    RunSystemInfo(driver);
}

int main(int argc, char** argv)
{
    // The program's own application class: before the wizard exists, the error box is the window
    // that a second start of the program brings forward.
    SingleApplication application(QStringLiteral("TessaryTestSupportManager"), argc, argv);
    TestSupportManager test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "TestSupportManager.moc"
