// Conformance of the simulated headset with USB DFU 1.1 and BCCMD, driven by raw requests built
// here from the standards, not by the program's protocol classes.
#include "sim/SimBus.h"
#include "sim/SimHeadset.h"
#include "tests/support/RawPackets.h"
#include "tests/support/SimFixtures.h"

#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

#include <memory>

using Sim::SimUsbResult;

namespace {

enum DfuState
{
    appIDLE = 0,
    appDETACH = 1,
    dfuIDLE = 2,
    dfuDNLOAD_SYNC = 3,
    dfuDNBUSY = 4,
    dfuDNLOAD_IDLE = 5,
    dfuMANIFEST_SYNC = 6,
    dfuMANIFEST = 7,
    dfuMANIFEST_WAIT_RESET = 8,
    dfuERROR = 10,
};

enum DfuStatus
{
    OK = 0,
    errVERIFY = 7,
    errADDRESS = 8,
    errSTALLEDPKT = 15,
};

using namespace TestSupport::Raw;

// A host that speaks raw USB to one simulated headset.
class RawHost
{
public:
    explicit RawHost(const Sim::HeadsetProfile& profile) : m_bus(std::make_unique<Sim::SimBus>())
    {
        m_headset = m_bus->AddHeadset(profile);
    }

    Sim::SimBus* Bus() { return m_bus.get(); }
    Sim::SimHeadset* Headset() { return m_headset; }

    int DfuInterface() const { return m_headset->CurrentMode() == Sim::SimHeadset::Mode::Dfu ? 0 : 2; }

    SimUsbResult Out(int requestType, int request, int value, int index, const QByteArray& data)
    {
        Sim::SimSetup setup{static_cast<std::uint8_t>(requestType), static_cast<std::uint8_t>(request),
                            static_cast<std::uint16_t>(value), static_cast<std::uint16_t>(index),
                            static_cast<std::uint16_t>(data.size())};
        return m_headset->ControlTransfer(m_headset->Generation(), setup, data, nullptr);
    }

    SimUsbResult In(int requestType, int request, int value, int index, int length, QByteArray* data)
    {
        Sim::SimSetup setup{static_cast<std::uint8_t>(requestType), static_cast<std::uint8_t>(request),
                            static_cast<std::uint16_t>(value), static_cast<std::uint16_t>(index),
                            static_cast<std::uint16_t>(length)};
        return m_headset->ControlTransfer(m_headset->Generation(), setup, QByteArray(), data);
    }

    SimUsbResult Dfu(const QString& step, QByteArray* answer = nullptr, const QByteArray& image = QByteArray())
    {
        QByteArray ignored;
        QByteArray* in = answer ? answer : &ignored;
        const QStringList parts = step.split(QLatin1Char(' '));
        const QString name = parts.at(0);
        const int dfu = DfuInterface();
        if (name == QLatin1String("detach"))
            return Out(0x21, 0, parts.size() > 1 ? parts.at(1).toInt() : 1000, dfu, QByteArray());
        if (name == QLatin1String("dnload"))
            return Out(0x21, 1, parts.at(1).toInt(), dfu, QByteArray(parts.at(2).toInt(), 'x'));
        if (name == QLatin1String("image")) // the whole image as block 0
            return Out(0x21, 1, 0, dfu, image);
        if (name == QLatin1String("getstatus"))
            return In(0xA1, 3, 0, dfu, 6, in);
        if (name == QLatin1String("getstatus-out")) // wrong direction
            return Out(0x21, 3, 0, dfu, QByteArray());
        if (name == QLatin1String("getstate"))
            return In(0xA1, 5, 0, dfu, 1, in);
        if (name == QLatin1String("getstate-if1"))
            return In(0xA1, 5, 0, 1, 1, in);
        if (name == QLatin1String("clrstatus"))
            return Out(0x21, 4, 0, dfu, QByteArray());
        if (name == QLatin1String("abort"))
            return Out(0x21, 6, 0, dfu, QByteArray());
        if (name == QLatin1String("upload"))
            return In(0xA1, 2, 0, dfu, 64, in);
        qFatal("unknown step");
        return SimUsbResult::Error;
    }

    // Sends an HCI command and collects every event the chip queued in answer.
    QList<QByteArray> Hci(const QByteArray& command, int waitMs = 0)
    {
        if (Out(0x20, 0, 0, 0, command) != SimUsbResult::Ok)
            return {QByteArrayLiteral("transfer failed")};
        QList<QByteArray> events;
        QByteArray event;
        while (m_headset->ReadHciEvent(m_headset->Generation(), waitMs, &event) == SimUsbResult::Ok)
            events.append(event);
        return events;
    }

    bool WaitForArrival()
    {
        QSignalSpy arrived(m_bus.get(), &Sim::SimBus::DeviceArrived);
        return arrived.wait(5000);
    }

private:
    std::unique_ptr<Sim::SimBus> m_bus;
    Sim::SimHeadset* m_headset = nullptr;
};

} // namespace

class TestSimHeadset : public QObject
{
    Q_OBJECT

private slots:
    void dfuStateMachine_data()
    {
        QTest::addColumn<bool>("dfuMode");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("request");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("answeredState"); // state byte in the answer, -1 when there is none
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("corruptImage"); // what the "image" step sends
        QTest::addColumn<bool>("tolerant");
        const auto row = [](const char* name, bool dfuMode, const QStringList& steps, const char* request,
                            bool accepted, int answeredState, int state, int status = OK, bool corruptImage = false,
                            bool tolerant = true) {
            QTest::newRow(name) << dfuMode << steps << QString::fromLatin1(request) << accepted << answeredState
                                << state << status << corruptImage << tolerant;
        };
        const QStringList none;
        const QStringList sync{"dnload 0 64"};
        const QStringList idle{"dnload 0 64", "getstatus"};
        const QStringList error{"!upload"};
        const QStringList manifestSync{"image", "getstatus", "dnload 1 0"};
        const QStringList manifested = manifestSync + QStringList{"getstatus"};

        // Run-time (application mode). A step must be accepted, so the rows check those requests too.
        row("appIDLE GETSTATE", false, none, "getstate", true, appIDLE, appIDLE);
        row("appIDLE DNLOAD stalls", false, none, "dnload 0 16", false, -1, appIDLE);
        row("appDETACH GETSTATE", false, {"detach"}, "getstate", true, appDETACH, appDETACH);
        row("appDETACH other request abandons", false, {"detach"}, "abort", false, -1, appIDLE);
        row("DETACH timeout elapsed", false, {"detach 0"}, "getstate", true, appIDLE, appIDLE);
        row("run-time wrong interface", false, none, "getstate-if1", false, -1, appIDLE);

        // DFU mode.
        row("dfuIDLE GETSTATUS", true, none, "getstatus", true, dfuIDLE, dfuIDLE);
        row("dfuIDLE zero-length DNLOAD stalls", true, none, "dnload 0 0", false, -1, dfuERROR, errSTALLEDPKT);
        row("dfuIDLE DNLOAD beyond wTransferSize stalls", true, none, "dnload 0 1024", false, -1, dfuERROR,
            errSTALLEDPKT);
        row("dfuIDLE UPLOAD unsupported", true, none, "upload", false, -1, dfuERROR, errSTALLEDPKT);
        row("dfuIDLE CLRSTATUS stalls", true, none, "clrstatus", false, -1, dfuERROR, errSTALLEDPKT);
        row("GETSTATUS as OUT stalls", true, none, "getstatus-out", false, -1, dfuERROR, errSTALLEDPKT);
        row("dfuDNLOAD_SYNC GETSTATE", true, sync, "getstate", true, dfuDNLOAD_SYNC, dfuDNLOAD_SYNC);
        row("dfuDNLOAD_SYNC GETSTATUS", true, sync, "getstatus", true, dfuDNLOAD_IDLE, dfuDNLOAD_IDLE);
        row("dfuDNLOAD_SYNC DNLOAD stalls", true, sync, "dnload 1 64", false, -1, dfuERROR, errSTALLEDPKT);
        row("dfuDNLOAD_IDLE next block", true, idle, "dnload 1 64", true, -1, dfuDNLOAD_SYNC);
        row("dfuDNLOAD_IDLE block out of sequence", true, idle, "dnload 5 64", false, -1, dfuERROR, errADDRESS);
        row("dfuDNLOAD_IDLE ABORT", true, idle, "abort", true, -1, dfuIDLE);
        row("dfuMANIFEST_SYNC corrupt image", true, manifestSync, "getstatus", true, dfuERROR, dfuERROR, errVERIFY,
            true);
        row("dfuMANIFEST_SYNC good image", true, manifestSync, "getstatus", true, dfuMANIFEST, dfuMANIFEST_SYNC);
        row("tolerant device back to dfuIDLE", true, manifested, "getstatus", true, dfuIDLE, dfuIDLE);
        row("intolerant device waits for reset", true, manifested, "getstatus", false, -1, dfuMANIFEST_WAIT_RESET, OK,
            false, false);
        row("dfuERROR GETSTATUS", true, error, "getstatus", true, dfuERROR, dfuERROR, errSTALLEDPKT);
        row("dfuERROR CLRSTATUS", true, error, "clrstatus", true, -1, dfuIDLE);
        row("dfuERROR ABORT stalls", true, error, "abort", false, -1, dfuERROR, errSTALLEDPKT);
    }

    void dfuStateMachine()
    {
        QFETCH(bool, dfuMode);
        QFETCH(QStringList, steps);
        QFETCH(QString, request);
        QFETCH(bool, accepted);
        QFETCH(int, answeredState);
        QFETCH(int, state);
        QFETCH(int, status);
        QFETCH(bool, corruptImage);
        QFETCH(bool, tolerant);

        Sim::HeadsetProfile profile =
            dfuMode ? TestSupport::DfuModeHeadsetProfile() : TestSupport::SampleHeadsetProfile();
        profile.dfuModeAttributes = tolerant ? 0x05 : 0x01;
        RawHost host(profile);
        QByteArray body = TestSupport::PackerImageBody(1, QStringLiteral("01.02.03"), 100);
        if (corruptImage)
            body[40] = static_cast<char>(body.at(40) ^ 0x01);
        // A step written "!step" is refused on purpose to reach the state under test.
        for (const QString& step : qAsConst(steps)) {
            const bool refused = step.startsWith(QLatin1Char('!'));
            QCOMPARE(host.Dfu(refused ? step.mid(1) : step, nullptr, body),
                     refused ? SimUsbResult::Stall : SimUsbResult::Ok);
        }

        QByteArray answer;
        const SimUsbResult result = host.Dfu(request, &answer, body);
        QCOMPARE(result == SimUsbResult::Ok, accepted);
        if (answeredState >= 0) {
            QVERIFY(!answer.isEmpty());
            QCOMPARE(int(quint8(answer.at(answer.size() == 6 ? 4 : 0))), answeredState);
        }
        QCOMPARE(int(host.Headset()->DfuState()), state);
        QCOMPARE(int(host.Headset()->DfuStatus()), status);
    }

    void pollTimeoutGuardsDnbusy()
    {
        Sim::HeadsetProfile profile = TestSupport::DfuModeHeadsetProfile();
        profile.timing.flashPerBlockMs = 150;
        RawHost host(profile);
        QByteArray status;
        QCOMPARE(host.Dfu("dnload 0 64"), SimUsbResult::Ok);
        QCOMPARE(host.Dfu("getstatus", &status), SimUsbResult::Ok);
        QCOMPARE(int(quint8(status.at(4))), int(dfuDNBUSY));
        QCOMPARE(int(quint8(status.at(1)) | quint8(status.at(2)) << 8 | quint8(status.at(3)) << 16), 150);
        // Asking again before bwPollTimeout has run out is a protocol error.
        QCOMPARE(host.Dfu("getstate"), SimUsbResult::Stall);
        QCOMPARE(int(host.Headset()->DfuState()), int(dfuERROR));

        // Waiting out the poll time-out finishes the block.
        QCOMPARE(host.Dfu("clrstatus"), SimUsbResult::Ok);
        QCOMPARE(host.Dfu("dnload 0 64"), SimUsbResult::Ok);
        QCOMPARE(host.Dfu("getstatus", &status), SimUsbResult::Ok);
        QTRY_COMPARE_WITH_TIMEOUT(int(host.Headset()->DfuState()), int(dfuDNLOAD_SYNC), 2000);
        QCOMPARE(host.Dfu("getstatus", &status), SimUsbResult::Ok);
        QCOMPARE(int(quint8(status.at(4))), int(dfuDNLOAD_IDLE));
    }

    void bccmdAnswers_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QList<QByteArray>>("events");

        const auto get = [](int seq, int varid, const QByteArray& payload) { return BcCmd(0, seq, varid, payload); };
        const auto resp = [](QByteArray request, int status, const QByteArray& value) {
            PutLe16(&request, 0, 1);
            PutLe16(&request, 8, status);
            for (int i = 0; i < value.size(); ++i)
                request[10 + i] = value.at(i);
            return request;
        };
        const QByteArray serial = QStringLiteral("ZR3H00012345").toLatin1();
        QByteArray serialWords;
        for (char c : serial)
            serialWords += Le16(c);

        // A request answered in one event: the request with type GETRESP, the status and the value.
        const auto answered = [&](const char* name, const QByteArray& request, int status, const QByteArray& value) {
            QTest::newRow(name) << HciVendorCommand(request)
                                << QList<QByteArray>{VendorEvent(resp(request, status, value))};
        };
        answered("PS key size", get(1, 0x3006, Words({0x02C3, 0})), 0, Words({0x02C3, 12}));
        answered("PS key value", get(2, 0x7003, Words({0x02C3, 12, 0}) + QByteArray(24, '\0')), 0,
                 Words({0x02C3, 12, 0}) + serialWords);
        answered("build id, sequence echoed", get(0xBEEF, 0x2819, QByteArray()), 0, Le16(0x0100));
        answered("absent key: NO_VALUE", get(4, 0x3006, Words({0x1234, 0})), 3, QByteArray());
        answered("value longer than asked: TOO_BIG", get(5, 0x7003, Words({0x02C3, 2, 0, 0, 0})), 2, QByteArray());
        answered("PS key SET", BcCmd(2, 15, 0x7003, Words({0x029D, 2, 0, 0x0000, 0x3030})), 0, QByteArray());
        answered("unknown varid", get(6, 0x1234, QByteArray()), 1, QByteArray());
        answered("SET of build id: READ_ONLY", BcCmd(2, 7, 0x2819, QByteArray()), 6, QByteArray());
        answered("GET of cold reset: WRITE_ONLY", get(8, 0x4001, QByteArray()), 7, QByteArray());
        QByteArray request = get(9, 0x2819, QByteArray());
        PutLe16(&request, 2, 40);
        answered("length word beyond message: BAD_REQ", request, 4, QByteArray());
        request = get(10, 0x7003, Words({0x02C3, 30, 0}) + QByteArray(60, '\0'));
        const QByteArray big = resp(request, 0, Words({0x02C3, 30, 0}) + serialWords);
        QTest::newRow("long answer in two fragments")
            << HciVendorCommand(request)
            << QList<QByteArray>{VendorEvent(big.left(61), 0x82), VendorEvent(big.mid(61), 0x42)};

        // A real chip restarts at once; an answer left behind would be read by the next program. That it
        // restarts is checked through the USB layer.
        QTest::newRow("SET of cold reset: no answer")
            << HciVendorCommand(BcCmd(2, 16, 0x4001, QByteArray())) << QList<QByteArray>{};
        QTest::newRow("BCCMD on another channel ignored")
            << HciVendorCommand(get(11, 0x2819, QByteArray()), 0xC3) << QList<QByteArray>{};
        QTest::newRow("unknown BCCMD type ignored")
            << HciVendorCommand(BcCmd(5, 12, 0x2819, QByteArray())) << QList<QByteArray>{};
        QTest::newRow("short BCCMD ignored") << HciVendorCommand(Words({0, 3, 13})) << QList<QByteArray>{};
        QByteArray badLength = HciVendorCommand(get(14, 0x2819, QByteArray()));
        badLength[2] = 3;
        QTest::newRow("HCI length byte wrong ignored") << badLength << QList<QByteArray>{};
        QTest::newRow("other HCI command: unknown command")
            << QByteArray::fromHex("030c00") << QList<QByteArray>{QByteArray::fromHex("0e0401030c01")};
    }

    void bccmdAnswers()
    {
        QFETCH(QByteArray, command);
        QFETCH(QList<QByteArray>, events);
        RawHost host(TestSupport::SampleHeadsetProfile());
        const QList<QByteArray> got = host.Hci(command);
        QCOMPARE(got, events);
        for (const QByteArray& event : got)
            QVERIFY(event.size() <= 64);
    }

    void malformedFragmentsAreIgnored()
    {
        RawHost host(TestSupport::SampleHeadsetProfile());
        const QByteArray message = BcCmd(0, 3, 0x2819, QByteArray());
        // A continuation without a first fragment is dropped; a proper split is reassembled.
        QVERIFY(host.Hci(HciVendorCommand(message, 0x42)).isEmpty());
        QVERIFY(host.Hci(HciVendorCommand(message.left(6), 0x82)).isEmpty());
        const QList<QByteArray> events = host.Hci(HciVendorCommand(message.mid(6), 0x42));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.at(0).mid(3 + 4, 2), Le16(3));
    }

    void programmingChangesReportedVersions_data()
    {
        QTest::addColumn<int>("subId");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("reportedVersion");
        QTest::newRow("VM application, build characters") << 1 << "02.0A.3B"
                                                          << "02.0A.3B";
        // The build id has room for major and minor only; the chip reports 00 as the build.
        QTest::newRow("stack") << 0 << "01.01.05"
                               << "01.01.00";
    }

    void programmingChangesReportedVersions()
    {
        QFETCH(int, subId);
        QFETCH(QString, version);
        QFETCH(QString, reportedVersion);
        RawHost host(TestSupport::DfuModeHeadsetProfile());
        const QByteArray body = TestSupport::PackerImageBody(static_cast<std::uint16_t>(subId), version, 100);
        QCOMPARE(host.Dfu("image", nullptr, body), SimUsbResult::Ok);
        QCOMPARE(host.Dfu("getstatus"), SimUsbResult::Ok);
        QCOMPARE(host.Dfu("dnload 1 0"), SimUsbResult::Ok);
        QCOMPARE(host.Dfu("getstatus"), SimUsbResult::Ok);
        QCOMPARE(host.Headset()->Reset(host.Headset()->Generation()), SimUsbResult::Ok);
        QVERIFY(host.WaitForArrival());
        QCOMPARE(host.Headset()->CurrentMode(), Sim::SimHeadset::Mode::Application);

        QByteArray request =
            subId == 0 ? BcCmd(0, 1, 0x2819, QByteArray()) : BcCmd(0, 1, 0x7003, Words({0x0292, 2, 0, 0, 0}));
        const QList<QByteArray> events = host.Hci(HciVendorCommand(request));
        QCOMPARE(events.size(), 1);
        const QByteArray value = subId == 0 ? events.at(0).mid(3 + 10, 2) : events.at(0).mid(3 + 16, 4);
        QCOMPARE(NumericVersion(value), reportedVersion);
        QCOMPARE(host.Headset()->ReceivedImages().size(), 1);
        QVERIFY(host.Headset()->ReceivedImages().at(0).verified);
    }

    void resetRestartsTheChip_data()
    {
        QTest::addColumn<bool>("detach");
        QTest::newRow("plain reset boots the application") << false;
        QTest::newRow("reset while detached enters the boot loader") << true;
    }

    // The model's reset faults are checked where the programming thread meets them.
    void resetRestartsTheChip()
    {
        QFETCH(bool, detach);
        RawHost host(TestSupport::SampleHeadsetProfile());
        Sim::SimHeadset* headset = host.Headset();
        const quint64 generation = headset->Generation();
        QSignalSpy arrived(host.Bus(), &Sim::SimBus::DeviceArrived);
        QSignalSpy removed(host.Bus(), &Sim::SimBus::DeviceRemoved);
        if (detach)
            QCOMPARE(host.Dfu("detach"), SimUsbResult::Ok);
        QCOMPARE(headset->Reset(generation), SimUsbResult::Ok);
        // The device as it was before the reset is gone for good.
        QByteArray descriptor;
        QCOMPARE(headset->ReadDeviceDescriptor(generation, &descriptor), SimUsbResult::NoDevice);
        // With no re-enumeration delay every consequence of the reset is posted by now: the removal, and
        // an arrival one event-loop pass later.
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(removed.size(), 1);
        QCOMPARE(arrived.size(), 1);
        QCOMPARE(headset->ResetCount(), 1);
        QCOMPARE(headset->CurrentMode(), detach ? Sim::SimHeadset::Mode::Dfu : Sim::SimHeadset::Mode::Application);
        QCOMPARE(headset->ReadDeviceDescriptor(headset->Generation(), &descriptor), SimUsbResult::Ok);
        QCOMPARE(qFromLittleEndian<quint16>(descriptor.constData() + 10), quint16(detach ? 0x1F21 : 0x1F20));
    }

    void timingIsMeasurable()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.timing.latencyMs = 40;
        profile.timing.plugDelayMs = 60;
        profile.timing.reenumerationMs = 80;
        QElapsedTimer clock;
        clock.start();
        RawHost host(profile);
        QVERIFY(!host.Headset()->IsConnected());
        QVERIFY(host.WaitForArrival());
        QVERIFY(clock.elapsed() >= 60);

        clock.restart();
        QCOMPARE(host.Dfu("getstate"), SimUsbResult::Ok);
        QVERIFY(clock.elapsed() >= 40);

        QCOMPARE(host.Headset()->Reset(host.Headset()->Generation()), SimUsbResult::Ok);
        clock.restart();
        QVERIFY(host.WaitForArrival());
        QVERIFY(clock.elapsed() >= 75);
    }

    void halfWrittenFirmwareKeepsTheBootLoader_data()
    {
        QTest::addColumn<QString>("image"); // "good" or "bad"
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("restart"); // "reset" or "power cycle"
        QTest::addColumn<bool>("valid");

        const QStringList firstBlock{"image", "getstatus"};
        const QStringList manifested = firstBlock + QStringList{"dnload 1 0", "getstatus", "getstatus"};
        QTest::newRow("nothing downloaded") << "good" << QStringList() << "reset" << true;
        QTest::newRow("download cut short by a reset") << "good" << firstBlock << "reset" << false;
        QTest::newRow("download cut short by a power cycle") << "good" << firstBlock << "power cycle" << false;
        QTest::newRow("download aborted") << "good" << (firstBlock + QStringList{"abort"}) << "reset" << false;
        QTest::newRow("image manifested") << "good" << manifested << "reset" << true;
        QTest::newRow("image refused at manifestation")
            << "bad" << (firstBlock + QStringList{"dnload 1 0", "getstatus"}) << "reset" << false;
    }

    // Once the boot loader has taken a block of an image, the firmware it replaces is gone; the chip boots
    // its application again only when a whole image has been manifested.
    void halfWrittenFirmwareKeepsTheBootLoader()
    {
        QFETCH(QString, image);
        QFETCH(QStringList, steps);
        QFETCH(QString, restart);
        QFETCH(bool, valid);

        RawHost host(TestSupport::SampleHeadsetProfile());
        Sim::SimHeadset* headset = host.Headset();
        QCOMPARE(host.Dfu("detach"), SimUsbResult::Ok);
        QCOMPARE(headset->Reset(headset->Generation()), SimUsbResult::Ok);
        QVERIFY(host.WaitForArrival());
        QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);
        QByteArray body = TestSupport::PackerImageBody(1, QStringLiteral("01.02.03"), 100);
        if (image == QLatin1String("bad"))
            body[40] = static_cast<char>(body.at(40) ^ 0x01);
        for (const QString& step : qAsConst(steps))
            QCOMPARE(host.Dfu(step, nullptr, body), SimUsbResult::Ok);
        QCOMPARE(headset->FirmwareValid(), valid);

        if (restart == QLatin1String("reset")) {
            QCOMPARE(headset->Reset(headset->Generation()), SimUsbResult::Ok);
        } else {
            headset->Unplug();
            headset->Plug();
        }
        QVERIFY(host.WaitForArrival());
        QCOMPARE(headset->CurrentMode(), valid ? Sim::SimHeadset::Mode::Application : Sim::SimHeadset::Mode::Dfu);
        // Whatever happened to the firmware, the PS store is as it was.
        QCOMPARE(headset->PsKey(0x02C3).size(), 12);
    }

    void invalidFirmwareFromTheStart()
    {
        // Left so by an earlier update; the profile says StartMode application, but nothing else can start.
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.invalidFirmware = {0, 1};
        profile.faults.wrongModeAfterReset = true;
        RawHost host(profile);
        Sim::SimHeadset* headset = host.Headset();
        QVERIFY(headset->IsConnected());
        QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);
        QCOMPARE(headset->Reset(headset->Generation()), SimUsbResult::Ok);
        QVERIFY(host.WaitForArrival());
        QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);

        // Whole again once both images have been manifested: stack, then VM application.
        profile.faults = Sim::SimFaults();
        headset->SetFaults(profile.faults);
        for (std::uint16_t subId : {0, 1}) {
            QVERIFY(!headset->FirmwareValid());
            const QByteArray body = TestSupport::PackerImageBody(subId, QStringLiteral("01.01.00"), 100);
            for (const char* step : {"image", "getstatus", "dnload 1 0", "getstatus", "getstatus"})
                QCOMPARE(host.Dfu(QLatin1String(step), nullptr, body), SimUsbResult::Ok);
        }
        QVERIFY(headset->FirmwareValid());
        QCOMPARE(headset->Reset(headset->Generation()), SimUsbResult::Ok);
        QVERIFY(host.WaitForArrival());
        QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Application);
    }
};

QTEST_GUILESS_MAIN(TestSimHeadset)
#include "TestSimHeadset.moc"
