#include "tests/support/LocalWebServer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "web/UploadQuery.h"
#include "web/WebInterfaceTest.h"
#include "web/WebSystemInfo.h"
#include "web/WebUploader.h"
#include "web/WebVersionInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace OrvoCommon;
using namespace UpdatePelarin;
using TestSupport::FailureText;
using TestSupport::LocalWebServer;

namespace {
constexpr int CompletionTimeoutMs = 20000;
constexpr char SystemPath[] = "/web/diagnostic";
constexpr char VersionPath[] = "/web/lss";
constexpr char UnreachableHost[] = "unreachable.invalid";

WebSystemInfo MinimalSystemInfo()
{
    WebSystemInfo info;
    info.deviceInfo.deviceId = 0x1f;
    info.applicationVersion = QStringLiteral("1.0.5924");
    return info;
}

WebSystemInfo FullSystemInfo()
{
    using Node = SystemInfo::UsbNode;
    WebSystemInfo info = MinimalSystemInfo();
    WebPelarinInfo& device = info.deviceInfo;
    // Form delimiters and a non-ASCII letter in a value.
    device.serialNumber = QStringLiteral("a+b&c=d %e\u00fc");
    device.firmwareVersion = QStringLiteral("01.00.00");
    device.hardwareVersion = QStringLiteral("01.00.00");
    device.deviceName = QStringLiteral("ZR3h");
    device.bluetoothAddress = QStringLiteral("00:02:5b:00:a5:a5");
    device.bluetoothPairingList = QStringList{QStringLiteral("00:11:22:33:44:55"), QStringLiteral("66:77:88:99:aa:bb")};
    device.deviceId = 0x1f20;
    info.targetFirmwareVersion = QStringLiteral("02.00.00");

    SystemInfo& system = info.systemInfo;
    system.osName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    system.servicePack = QStringLiteral("6.1.0-18-amd64");
    // A controller, its root hub, two devices on the hub; a second controller.
    Node hub{9, "USB High-Speed Root Hub", Node::SpeedHigh, 0, 0, "2.00", "", {}};
    hub.children = {{224, "ZR3h", Node::SpeedFull, 0x0a12, 0x1f20, "2.00", "1.00", {}},
                    {3, "", Node::SpeedLow, 0x46d, 0xc077, "", "", {}}};
    system.usbControllers = {{0, "xHCI Host Controller", Node::SpeedUnknown, 0x8086, 0xa36d, "", "", {hub}},
                             {0, "D", 7, 0, 0, "", "", {}}};
    system.usbDrivers = {{"kernel/drivers/bluetooth/btusb.ko", "0.8", QDate(2024, 3, 7)}, {"usbhid", "", QDate()}};
    system.pciDevices.append({QStringLiteral("USB controller"), 0x8086, 0xa36d});
    system.totalMemoryMb = 16000;
    system.freeMemoryMb = 0;
    system.processorName = QStringLiteral("Intel(R) Core(TM) i7 CPU @ 2.40GHz");
    system.processorCaption = QStringLiteral("x86_64 Family 6");
    return info;
}

WebVersionInfo VersionInfo(QHash<std::uint16_t, QPair<QString, QString>> subcomponents)
{
    WebVersionInfo info;
    info.deviceId = 0x1f;
    info.hardwareRevision = QStringLiteral("01.00.00");
    info.personality = 3;
    info.variant = 2;
    info.serialNumber = QStringLiteral("SN<1>");
    info.subcomponents = std::move(subcomponents);
    return info;
}
} // namespace

class TestWebUploader : public QObject
{
    Q_OBJECT

private:
    TestSupport::LogCapture m_log;
    std::unique_ptr<TestSupport::TemporaryBundle> m_bundle;
    std::unique_ptr<LocalWebServer> m_server;
    std::unique_ptr<WebUploader> m_uploader;

    // Starts an upload of either kind with the smallest body.
    void StartUpload(bool systemInfo)
    {
        if (systemInfo)
            m_uploader->UploadSystemInfo(MinimalSystemInfo(), {});
        else
            m_uploader->UploadVersionInfo(VersionInfo({}));
    }

    static auto CompleteSignal(bool systemInfo)
    {
        return systemInfo ? &IWebUploader::UploadSystemInfoComplete : &IWebUploader::UploadVersionInfoComplete;
    }

    // Runs one upload to completion: the failure its kind's complete signal reports.
    QString Upload(bool systemInfo)
    {
        QSignalSpy spy(m_uploader.get(), CompleteSignal(systemInfo));
        StartUpload(systemInfo);
        if (spy.isEmpty() && !spy.wait(CompletionTimeoutMs))
            return QStringLiteral("no completion");
        return FailureText(spy.first().at(0).value<ExceptionPtr>());
    }

private slots:
    void initTestCase()
    {
        RegisterCommonMetaTypes();
        m_server = std::make_unique<LocalWebServer>(LocalWebServer::Scheme::Https);
        QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));
        m_bundle = std::make_unique<TestSupport::TemporaryBundle>();
        // The test certificate is the only one the uploader trusts.
        QVERIFY(QFile::copy(m_server->CertificatePath(), m_bundle->FilePath(QStringLiteral("cacert.pem"))));
        qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
    }

    void init()
    {
        WebInterfaceTest* switches = WebInterfaceTestFactory::CreateWebInterfaceTest();
        switches->ResetForTests();
        switches->SetUploadPort(m_server->Port());
        switches->SetHostText(QStringLiteral("127.0.0.1"));
        // Version reports ignore the host text: they must reach the server through the maker's host.
        WebUploader::SetMakerHostForTests(QStringLiteral("127.0.0.1"));
        m_uploader = std::make_unique<WebUploader>();
    }

    void cleanup()
    {
        m_uploader.reset();
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
        WebUploader::SetMakerHostForTests(QString());
        for (const char* path : {SystemPath, VersionPath})
            m_server->SetRoute(QLatin1String(path), QStringLiteral("serve"));
    }

    void systemInfoBody_data()
    {
        QTest::addColumn<WebSystemInfo>("info");
        QTest::addColumn<QStringList>("errorLines");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("only the keys that are always present")
            << MinimalSystemInfo() << QStringList()
            << QByteArray("serial_number=&device_id=0x001f&app_version=1.0.5924");
        QTest::newRow("every section")
            << FullSystemInfo()
            << QStringList{QStringLiteral("12/7/2026 21:00:00.000,  Error,      No devices are connected")}
            << QByteArray(
                   "serial_number=a%2Bb%26c%3Dd%20%25e%C3%BC&device_id=0x1f20&firmware_version=01.00.00"
                   "&hardware_version=01.00.00&device_name=ZR3h&target_firmware_version=02.00.00"
                   "&bluetooth_address=00%3A02%3A5b%3A00%3Aa5%3Aa5"
                   "&bluetooth_pairing_list_1=00%3A11%3A22%3A33%3A44%3A55"
                   "&bluetooth_pairing_list_2=66%3A77%3A88%3A99%3Aaa%3Abb&app_version=1.0.5924"
                   "&os_version=Debian%20GNU%2FLinux%2012%20%28bookworm%29&os_service_pack=6.1.0-18-amd64"
                   "&usb_device_1_name=xHCI%20Host%20Controller&usb_device_1_vid=8086&usb_device_1_pid=a36d"
                   "&usb_device_1_1_name=USB%20High-Speed%20Root%20Hub&usb_device_1_1_class=9"
                   "&usb_device_1_1_speed=high&usb_device_1_1_version=2.00"
                   "&usb_device_1_1_1_name=ZR3h&usb_device_1_1_1_class=224&usb_device_1_1_1_speed=full"
                   "&usb_device_1_1_1_vid=a12&usb_device_1_1_1_pid=1f20&usb_device_1_1_1_revision=1.00"
                   "&usb_device_1_1_1_version=2.00"
                   "&usb_device_1_1_2_class=3&usb_device_1_1_2_speed=low&usb_device_1_1_2_vid=46d"
                   "&usb_device_1_1_2_pid=c077&usb_device_2_name=D"
                   "&usb_driver_1_name=kernel%2Fdrivers%2Fbluetooth%2Fbtusb.ko&usb_driver_1_version=0.8"
                   "&usb_driver_1_date=3%2F7%2F2024&usb_driver_2_name=usbhid"
                   "&pci_device_1_name=USB%20controller&pci_device_1_vid=8086&pci_device_1_pid=a36d"
                   "&total_physical_memory=16000&available_physical_memory=0"
                   "&processor_description=Intel%28R%29%20Core%28TM%29%20i7%20CPU%20%40%202.40GHz"
                   "&processor_details=x86_64%20Family%206"
                   "&error_log_1=12%2F7%2F2026%2021%3A00%3A00.000%2C%20%20Error%2C%20%20%20%20%20%20No%20devices%20"
                   "are%20connected");
    }
    void systemInfoBody()
    {
        QFETCH(WebSystemInfo, info);
        QFETCH(QStringList, errorLines);
        QFETCH(QByteArray, expected);

        // The maker's host is out of reach: the body must arrive through the host text alone.
        WebUploader::SetMakerHostForTests(QLatin1String(UnreachableHost));
        const int before = m_server->PostBodies(QLatin1String(SystemPath)).size();
        QSignalSpy progress(m_uploader.get(), &IWebUploader::UploadProgress);
        QSignalSpy systemSpy(m_uploader.get(), &IWebUploader::UploadSystemInfoComplete);
        QSignalSpy versionSpy(m_uploader.get(), &IWebUploader::UploadVersionInfoComplete);
        m_uploader->UploadSystemInfo(info, errorLines);
        QVERIFY(systemSpy.wait(CompletionTimeoutMs));
        QVERIFY(!systemSpy.first().at(0).value<ExceptionPtr>());
        // Both kinds hear about every finished transfer.
        QCOMPARE(versionSpy.count(), 1);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.first().at(0).toInt(), 0);

        const QList<QByteArray> bodies = m_server->PostBodies(QLatin1String(SystemPath));
        QCOMPARE(bodies.size(), before + 1);
        QCOMPARE(bodies.last(), expected);
    }

    void versionInfoBody_data()
    {
        QTest::addColumn<WebVersionInfo>("info");
        QTest::addColumn<QString>("expectedXml");

        const QString head =
            QStringLiteral("<?xml version=\"1.0\"?><device><deviceid>0x1f</deviceid><variant>0x0002</variant>"
                           "<serial_no>SN&lt;1&gt;</serial_no><hardware_revision>01.00.00</hardware_revision>"
                           "<personality>3</personality>");
        QTest::newRow("no sub-ids") << VersionInfo({}) << head + QStringLiteral("<subcomponents/></device>\n");
        QTest::newRow("sub-ids in order, a gap keeps every entry")
            << VersionInfo(
                   {{2, {QStringLiteral("a"), QStringLiteral("b")}}, {0, {QStringLiteral("c"), QStringLiteral("d")}}})
            << head + QStringLiteral("<subcomponents>"
                                     "<subcomponent subid=\"0\" previous_revision=\"c\" new_revision=\"d\"/>"
                                     "<subcomponent subid=\"2\" previous_revision=\"a\" new_revision=\"b\"/>"
                                     "</subcomponents></device>\n");
    }
    void versionInfoBody()
    {
        QFETCH(WebVersionInfo, info);
        QFETCH(QString, expectedXml);

        // The host text is for system information only.
        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetHostText(QLatin1String(UnreachableHost));
        const int before = m_server->PostBodies(QLatin1String(VersionPath)).size();
        QSignalSpy versionSpy(m_uploader.get(), &IWebUploader::UploadVersionInfoComplete);
        m_uploader->UploadVersionInfo(info);
        QVERIFY(versionSpy.wait(CompletionTimeoutMs));
        QVERIFY(!versionSpy.first().at(0).value<ExceptionPtr>());

        const QList<QByteArray> bodies = m_server->PostBodies(QLatin1String(VersionPath));
        QCOMPARE(bodies.size(), before + 1);
        QCOMPARE(QUrl::fromPercentEncoding(bodies.last()), QStringLiteral("product_info=") + expectedXml);
        QCOMPARE(bodies.last(), QByteArray("product_info=") + QUrl::toPercentEncoding(expectedXml));
    }

    void refusedWithoutTransfer_data()
    {
        QTest::addColumn<bool>("systemInfo");
        QTest::newRow("system information") << true;
        QTest::newRow("version information") << false;
    }
    void refusedWithoutTransfer()
    {
        QFETCH(bool, systemInfo);

        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetWebServerCommFault(true);
        const char* path = systemInfo ? SystemPath : VersionPath;
        const int before = m_server->RequestCount(QLatin1String(path));
        QSignalSpy progress(m_uploader.get(), &IWebUploader::UploadProgress);
        QSignalSpy own(m_uploader.get(), CompleteSignal(systemInfo));
        QSignalSpy other(m_uploader.get(), CompleteSignal(!systemInfo));
        StartUpload(systemInfo);

        // Only the requested kind hears of a refusal, at once and without any progress.
        QCOMPARE(own.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(other.count(), 0);
        QCOMPARE(progress.count(), 0);
        QCOMPARE(FailureText(own.first().at(0).value<ExceptionPtr>()),
                 QStringLiteral("upload-error: Web server comm fault is enabled"));
        QCOMPARE(m_server->RequestCount(QLatin1String(path)), before);
    }

    void secondUploadRefusedThenCancel()
    {
        QVERIFY(m_server->SetRoute(QLatin1String(SystemPath), QStringLiteral("stall")));
        QSignalSpy systemSpy(m_uploader.get(), &IWebUploader::UploadSystemInfoComplete);
        QSignalSpy versionSpy(m_uploader.get(), &IWebUploader::UploadVersionInfoComplete);
        const int versionRequests = m_server->RequestCount(QLatin1String(VersionPath));
        StartUpload(true);
        StartUpload(false);

        QCOMPARE(systemSpy.count(), 0);
        QCOMPARE(versionSpy.count(), 1);
        QCOMPARE(FailureText(versionSpy.first().at(0).value<ExceptionPtr>()),
                 QStringLiteral("upload-in-progress: An upload is already in progress"));

        // Cancel once the body has reached the server, which then keeps silent.
        QTRY_COMPARE_WITH_TIMEOUT(m_server->PostBodies(QLatin1String(SystemPath)).isEmpty(), false,
                                  CompletionTimeoutMs);
        m_uploader->CancelUpload();
        QVERIFY(systemSpy.wait(CompletionTimeoutMs));
        QCOMPARE(FailureText(systemSpy.first().at(0).value<ExceptionPtr>()),
                 QStringLiteral("upload-canceled: Upload canceled by user"));
        QCOMPARE(versionSpy.count(), 2);
        QCOMPARE(m_server->RequestCount(QLatin1String(VersionPath)), versionRequests);
    }

    void failedTransfers_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<long>("timeoutSeconds");
        QTest::addColumn<QString>("message");

        QTest::newRow("server error") << "status:500" << 240L << "A status code of 22 was received from upload";
        QTest::newRow("time-out") << "stall" << 1L << "A status code of 28 was received from upload";
        QTest::newRow("redirect to plain http")
            << "redirect:http://127.0.0.1:%1/web/diagnostic" << 240L << "A status code of 1 was received from upload";
    }
    void failedTransfers()
    {
        QFETCH(QString, route);
        QFETCH(long, timeoutSeconds);
        QFETCH(QString, message);

        LocalWebServer plain;
        QVERIFY2(plain.IsRunning(), qPrintable(plain.ErrorText()));
        QVERIFY(m_server->SetRoute(QLatin1String(SystemPath),
                                   route.contains(QLatin1String("%1")) ? route.arg(plain.Port()) : route));
        m_uploader->SetTimeoutForTests(timeoutSeconds);
        QCOMPARE(Upload(true), QStringLiteral("upload-error: ") + message);
        QCOMPARE(plain.RequestCount(QLatin1String(SystemPath)), 0);
    }

    void redirectKeepsPostOnHttps()
    {
        QVERIFY(m_server->SetRoute(QLatin1String(VersionPath), QStringLiteral("redirect:/web/moved")));
        QCOMPARE(Upload(false), QString());
        QCOMPARE(m_server->PostBodies(QStringLiteral("/web/moved")),
                 QList<QByteArray>{UploadQuery::VersionInfo(VersionInfo({}))});
    }

    void untrustedCertificateRefused()
    {
        // Without a bundle beside the program the system store is used, which does not know our certificate.
        TestSupport::TemporaryBundle bare;
        qputenv("TESSARY_APP_DIR", bare.Path().toLocal8Bit());
        const QString failure = Upload(true);
        qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
        QCOMPARE(failure, QStringLiteral("upload-error: A status code of 60 was received from upload"));
    }
};

QTEST_GUILESS_MAIN(TestWebUploader)
#include "TestWebUploader.moc"
