// The simulated headset checked against independent USB hosts, unmodified, talking to the model
// through umockdev as to a real headset: dfu-util 0.11, lsusb, and a BCCMD client in plain C on the
// kernel's usbfs ioctls.
#include <QCoreApplication>
#include <QtTest>

#ifdef TESSARY_HAVE_UMOCKDEV
#include "sim/HeadsetProfile.h"
#include "sim/SimBus.h"
#include "sim/SimImage.h"
#include "sim/SimProtocol.h"
#include "sim/umockdev/UmockdevHeadsetBed.h"
#include "tests/support/SimFixtures.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestDfuUtilPeer : public QObject
{
    Q_OBJECT

private:
    QString m_dfuUtil;
    QTemporaryDir m_files;
    std::shared_ptr<Sim::SimBus> m_bus;
    std::unique_ptr<Sim::UmockdevHeadsetBed> m_bed;

    int RunDfuUtil(const QStringList& arguments, QString* output) { return RunPeer(m_dfuUtil, arguments, output); }

    int RunPeer(const QString& program, const QStringList& arguments, QString* output)
    {
        QProcess process;
        process.setProcessEnvironment(m_bed->ProgramEnvironment(QProcessEnvironment::systemEnvironment()));
        process.setProcessChannelMode(QProcess::MergedChannels);
        QSignalSpy finished(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        process.start(program, arguments);
        // The model's arrivals and removals are handled by this thread's event loop while the peer runs.
        if (!finished.wait(30000)) {
            process.kill();
            process.waitForFinished();
        }
        *output = QString::fromLocal8Bit(process.readAll());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int RunRawClient(const QStringList& arguments, QString* output)
    {
        const QString node = m_bed->NodePath(m_bus->Headset(0));
        return RunPeer(TestSupport::BinaryDirectory() + "/usbfs-raw-client", QStringList{node} + arguments, output);
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QProcess::ExitStatus>("QProcess::ExitStatus");
        m_dfuUtil = QStandardPaths::findExecutable(QStringLiteral("dfu-util"));
        if (m_dfuUtil.isEmpty())
            QSKIP("dfu-util is not installed");
        QVERIFY(m_files.isValid());
    }

    void init()
    {
        m_bus = std::make_shared<Sim::SimBus>();
        m_bus->AddHeadset(TestSupport::SampleHeadsetProfile());
        m_bed = std::make_unique<Sim::UmockdevHeadsetBed>(m_bus);
    }

    void cleanup()
    {
        m_bed.reset();
        m_bus.reset();
    }

    void download_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("exitsCleanly");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<bool>("taken");

        const QByteArray good = TestSupport::PackerImage(SimImageFormat::SubIdStack, QStringLiteral("01.01.00"), 6000);
        // A flipped payload byte under a suffix whose CRC still matches: only the device can tell.
        QByteArray corrupt = good;
        corrupt[100] = static_cast<char>(corrupt.at(100) ^ 0x55);
        const std::uint32_t crc = Sim::DfuSuffixCrc(corrupt.left(corrupt.size() - 4));
        for (int i = 0; i < 4; ++i)
            corrupt[corrupt.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);

        QTest::newRow("good image is taken")
            << good << QStringList() << true << "DFU state(2) = dfuIDLE, status(0) = No error condition is present"
            << true;
        // dfu-util 0.11 shows the status but still ends with 0.
        QTest::newRow("corrupt image fails verification")
            << corrupt << QStringList() << true
            << "DFU state(10) = dfuERROR, status(7) = Programmed memory failed verification" << false;
        QTest::newRow("blocks beyond wTransferSize stall") << good << QStringList{"-t", "2048"} << false << "" << false;
    }

    void download()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, options);
        QFETCH(bool, exitsCleanly);
        QFETCH(QString, reported);
        QFETCH(bool, taken);

        Sim::SimHeadset* headset = m_bus->Headset(0);
        const std::uint16_t buildBefore = headset->BuildId();
        const QString path = m_files.filePath(QStringLiteral("image.dfu"));
        QVERIFY(TestSupport::WriteFile(path, file));
        QString output;
        // From the application: detach, wait a second for the boot loader, download, reset.
        const QStringList arguments = QStringList{"-d", "0a12:1f20,0a12:1f21", "-E", "1", "-D", path, "-R"} + options;
        const int exitCode = RunDfuUtil(arguments, &output);
        QVERIFY2((exitCode == 0) == exitsCleanly, qPrintable(QString::number(exitCode) + output.right(300)));
        QVERIFY2(output.contains(reported), qPrintable(output.right(300)));
        if (!exitsCleanly) {
            // Nothing was written; the boot loader waits in dfuERROR for the host to clear it.
            QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);
            QCOMPARE(int(headset->DfuStatus()), int(SimProtocol::ErrStalledPkt));
            QCOMPARE(headset->BlocksReceived(), 0);
            QCOMPARE(headset->BuildId(), buildBefore);
            return;
        }
        // After dfu-util's final reset the application reports the version of what was taken; a chip whose
        // firmware was overwritten by an image it refused has only its boot loader left.
        QCOMPARE(headset->FirmwareValid(), taken);
        QTRY_COMPARE_WITH_TIMEOUT(headset->IsConnected(), true, 5000);
        QCOMPARE(headset->CurrentMode(), taken ? Sim::SimHeadset::Mode::Application : Sim::SimHeadset::Mode::Dfu);
        const QList<Sim::ReceivedImage> received = headset->ReceivedImages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.at(0).verified, taken);
        std::uint16_t expected = buildBefore;
        if (taken)
            QVERIFY(Sim::BuildIdForVersion(QStringLiteral("01.01.00"), &expected));
        QCOMPARE(headset->BuildId(), expected);
        QVERIFY(taken == (expected != buildBefore));
    }

    void harness_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");

        const QString dfuUtil = QStandardPaths::findExecutable(QStringLiteral("dfu-util"));
        QTest::newRow("sample headset, dfu-util lists it")
            << "" << QStringList{dfuUtil, "-l"} << 0 << "Found Runtime: [0a12:1f20] ver=0100";
        QTest::newRow("a profile of its own: the boot loader")
            << "<StartMode>dfu</StartMode>" << QStringList{dfuUtil, "-l"} << 0 << "Found DFU: [0a12:1f21] ver=0100";
        QTest::newRow("the program's exit code is the harness's") << "" << QStringList{"sh", "-c", "exit 3"} << 3 << "";
        QTest::newRow("a missing program")
            << "" << QStringList{"/nonexistent/program"} << 127 << "tessary-simbed: cannot run /nonexistent/program";
        QTest::newRow("no program") << "" << QStringList() << 2 << "usage: tessary-simbed";
    }

    void harness()
    {
        QFETCH(QString, profile);
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);

        // The harness owns a testbed of its own; this test's testbed stays out of its way.
        m_bed.reset();
        QStringList arguments;
        if (!profile.isEmpty()) {
            const QString path = m_files.filePath(QStringLiteral("profile.xml"));
            QVERIFY(TestSupport::WriteFile(
                path, TestSupport::ProfileXml(QStringLiteral("<VendorId>0x0A12</VendorId>"
                                                             "<ProductId>0x1F20</ProductId>"
                                                             "<DfuProductId>0x1F21</DfuProductId>"
                                                             "<DeviceRelease>0x0100</DeviceRelease>") +
                                              profile)));
            arguments << QStringLiteral("--profile") << path;
        }
        arguments << QStringLiteral("--") << command;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("UMOCKDEV_DIR"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(TestSupport::BinaryDirectory() + QStringLiteral("/tessary-simbed"), arguments);
        QVERIFY(process.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(process.readAll());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == exitCode, qPrintable(output));
        QVERIFY2(output.contains(printed), qPrintable(output));
    }

    void ueventToAClosedMonitorIsDropped_data()
    {
        QTest::addColumn<bool>("nameLength");
        // umockdev 0.17 names the monitor on its connected socket but leaves the length at zero.
        QTest::newRow("as umockdev sends: a name without its length") << false;
        QTest::newRow("a name with its length") << true;
    }

    void ueventToAClosedMonitorIsDropped()
    {
        QFETCH(bool, nameLength);
        // A monitor that closes after umockdev connected to it and before it sends: the send must not
        // fail (umockdev 0.17 would abort the process).
        const QByteArray path = (m_bed->RootDirectory() + QStringLiteral("/event9")).toLocal8Bit();
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
        const int monitor = socket(AF_UNIX, SOCK_DGRAM, 0);
        QVERIFY(bind(monitor, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
        const int sender = socket(AF_UNIX, SOCK_RAW, 0);
        QVERIFY(::connect(sender, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
        close(monitor);
        char text[] = "remove@/devices/x";
        iovec part{text, sizeof(text)};
        msghdr message = {};
        message.msg_name = &address;
        message.msg_namelen = nameLength ? sizeof(address) : 0;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        QCOMPARE(sendmsg(sender, &message, 0), ssize_t(sizeof(text)));
        close(sender);
        QVERIFY(!QFile::exists(QString::fromLocal8Bit(path)));
    }

    void rawUsbfsClient_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("printed");
        QTest::newRow("strings through CONTROL")
            << QStringList{"strings"} << QStringLiteral("manufacturer=Orvo\nproduct=Orvo ZR3h\nserial=ZR3H00012345\n");
        // The firmware build id (varid 0x2819) is 0x0100; the answer echoes sequence number 1.
        const QString answer =
            QStringLiteral("event: ff 13 c2 01 00 09 00 01 00 19 28 00 00 00 01 00 00 00 00 00 00\n");
        QTest::newRow("BCCMD answer through BULK on the event endpoint") << QStringList{"get", "0x2819"} << answer;
        QTest::newRow("BCCMD answer through an interrupt URB and a waiting REAPURB")
            << QStringList{"get", "0x2819", "--urb"} << answer;
    }

    void rawUsbfsClient()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, printed);
        QString output;
        QVERIFY2(RunRawClient(arguments, &output) == 0, qPrintable(output));
        QCOMPARE(output, printed);
    }

    void waitingReadGetsALaterAnswer_data()
    {
        QTest::addColumn<QStringList>("wait");
        QTest::newRow("BULK waits for the event") << QStringList{"wait"};
        QTest::newRow("REAPURB waits for the URB") << QStringList{"wait", "--urb"};
    }

    void waitingReadGetsALaterAnswer()
    {
        QFETCH(QStringList, wait);
        // One program waits for an event while another asks the chip for one: the kernel completes the
        // waiting request when the answer comes, it does not turn it away for being early.
        Sim::SimHeadset* headset = m_bus->Headset(0);
        QProcess reader;
        reader.setProcessEnvironment(m_bed->ProgramEnvironment(QProcessEnvironment::systemEnvironment()));
        reader.start(TestSupport::BinaryDirectory() + QStringLiteral("/usbfs-raw-client"),
                     QStringList{m_bed->NodePath(headset)} + wait);
        QTRY_VERIFY_WITH_TIMEOUT(m_bed->Counters(headset).waiting == 1 || reader.state() == QProcess::NotRunning, 5000);
        QString output;
        QVERIFY2(RunRawClient({"send", "0x2819"}, &output) == 0, qPrintable(output));
        reader.waitForFinished(5000);
        const QString printed = QString::fromLocal8Bit(reader.readAllStandardOutput() + reader.readAllStandardError());
        QVERIFY2(reader.state() == QProcess::NotRunning, qPrintable(printed));
        QVERIFY2(reader.exitCode() == 0, qPrintable(printed));
        QVERIFY2(printed.startsWith(QLatin1String("event: ff 13 c2 01 00 09 00 01 00 19 28 00 00")),
                 qPrintable(printed));
    }

    void warmResetRestartsWithoutAnswer()
    {
        Sim::SimHeadset* headset = m_bus->Headset(0);
        const QString before = m_bed->NodePath(headset);
        QSignalSpy arrived(m_bus.get(), &Sim::SimBus::DeviceArrived);
        QString output;
        QVERIFY2(RunRawClient({"set", "0x4002"}, &output) == 0, qPrintable(output));
        // The headset leaves and comes back while the client runs, or soon after.
        QTRY_VERIFY_WITH_TIMEOUT(!arrived.isEmpty() && !m_bed->NodePath(headset).isEmpty(), 5000);
        QVERIFY(m_bed->NodePath(headset) != before);
        // The next program's first event answers its own request: nothing stale was left for it.
        QVERIFY2(RunRawClient({"get", "0x2819"}, &output) == 0, qPrintable(output));
        QVERIFY2(output.startsWith(QLatin1String("event: ff 13 c2 01 00 09 00 01 00 19 28 00 00")), qPrintable(output));
    }

    void lsusbShowsTheStrings()
    {
        const QString lsusb = QStandardPaths::findExecutable(QStringLiteral("lsusb"));
        if (lsusb.isEmpty())
            QSKIP("lsusb is not installed");
        QString output;
        QCOMPARE(RunPeer(lsusb, {"-v", "-d", "0a12:"}, &output), 0);
        const QStringList lines = output.split(QLatin1Char('\n'));
        const auto shown = [&lines](const QString& field, const QString& text) {
            return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
                const QStringList words = line.simplified().split(QLatin1Char(' '));
                return words.value(0) == field && line.simplified().endsWith(text);
            });
        };
        QVERIFY2(shown(QStringLiteral("iManufacturer"), QStringLiteral("1 Orvo")), qPrintable(output));
        QVERIFY2(shown(QStringLiteral("iProduct"), QStringLiteral("2 Orvo ZR3h")), qPrintable(output));
        QVERIFY2(shown(QStringLiteral("iSerial"), QStringLiteral("3 ZR3H00012345")), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestDfuUtilPeer)
#else
class TestDfuUtilPeer : public QObject
{
    Q_OBJECT

private slots:
    void withoutUmockdev() { QSKIP("umockdev is not installed"); }
};

QTEST_GUILESS_MAIN(TestDfuUtilPeer)
#endif
#include "TestDfuUtilPeer.moc"
