// HCI, CSR extension and BCCMD layers against the simulated headset through the real USB layer.
#include "app/ILogger.h"
#include "device/BcCmdConstants.h"
#include "device/CsrBcCmdProtocol.h"
#include "device/CsrHciExtensionsProtocol.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/PsKeys.h"
#include "sim/SimHeadset.h"
#include "tests/support/DeviceFixtures.h"
#include "tests/support/LogCapture.h"
#include "tests/support/SimFixtures.h"
#include "usb/ICsrDevice.h"
#include "usb/ICsrUsbInterface.h"
#include "usb/WireWords.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace OrvoCommon;
using DeviceTest::SimulatedDevice;
using DeviceTest::SimulatorBundle;

namespace {

constexpr int TimeoutMs = 1000;
constexpr int SetupSize = 6;

// The HCI commands that reached the device, as its control-write log lines show them (setup header
// dropped). Only the first 30 bytes of a transfer are logged, which covers every BCCMD header.
QList<QByteArray> SentCommands(const TestSupport::LogCapture& log)
{
    QList<QByteArray> commands;
    for (const QString& line : log.LinesContaining(QStringLiteral("Control write to "))) {
        QString hex = line.section(QStringLiteral(" - "), 1);
        hex.remove(QStringLiteral("..."));
        commands.append(QByteArray::fromHex(hex.toLatin1()).mid(SetupSize));
    }
    return commands;
}

QByteArray Words(std::initializer_list<std::uint16_t> words)
{
    QByteArray bytes;
    for (const std::uint16_t word : words)
        AppendWord(&bytes, word);
    return bytes;
}

} // namespace

class TestBcCmdProtocol : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<SimulatorBundle> m_bundle;
    std::unique_ptr<SimulatedDevice> m_sim;

    ICsrDevice* Device() const { return m_sim->Device(); }
    void Start(const Sim::HeadsetProfile& profile = TestSupport::SampleHeadsetProfile())
    {
        m_sim = std::make_unique<SimulatedDevice>(profile);
        QVERIFY(Device());
        m_log->Mark();
    }

private slots:
    void init()
    {
        m_log = std::make_unique<TestSupport::LogCapture>();
        m_bundle = std::make_unique<SimulatorBundle>();
    }

    void cleanup()
    {
        UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetHciCommFault(false);
        m_sim.reset();
        m_bundle.reset();
        m_log.reset();
    }

    void requestsOnTheWire_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("expected");
        // Vendor opcode 0xFC00, length byte, descriptor 0xC2 (one fragment, channel 2), then the words
        // type, length in words, sequence number, varid, status, and the payload.
        QTest::newRow("empty payload padded to 8 bytes, length word 9") << 0
                                                                        << QByteArray("00fc13c2"
                                                                                      "0000"
                                                                                      "0900"
                                                                                      "0100"
                                                                                      "1928"
                                                                                      "0000"
                                                                                      "0000000000000000");
        QTest::newRow("PS key size: key, 0, padded") << 1
                                                     << QByteArray("00fc13c2"
                                                                   "0000"
                                                                   "0900"
                                                                   "0100"
                                                                   "0630"
                                                                   "0000"
                                                                   "0100000000000000");
        QTest::newRow("PS key set: key, words, store, value") << 2
                                                              << QByteArray("00fc15c2"
                                                                            "0200"
                                                                            "0a00"
                                                                            "0100"
                                                                            "0370"
                                                                            "0000"
                                                                            "cd03"
                                                                            "0200"
                                                                            "0000"
                                                                            "0100"
                                                                            "2a00");
    }

    void requestsOnTheWire()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, expected);
        Start();
        CsrBcCmdProtocol protocol;
        QByteArray value;
        std::uint16_t words = 0;
        if (kind == 0)
            QVERIFY(protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        else if (kind == 1)
            QVERIFY(protocol.GetPsKeySize(Device(), PsKeys::BluetoothAddress, TimeoutMs, &words));
        else
            QVERIFY(protocol.SetPsKey(Device(), PsKeys::BootMode, TimeoutMs, Words({1, 42})));
        const QList<QByteArray> sent = SentCommands(*m_log);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().toHex(), expected);
    }

    void sequenceNumbersCountPerObject()
    {
        Start();
        CsrBcCmdProtocol first;
        CsrBcCmdProtocol second;
        QByteArray value;
        QVERIFY(first.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(first.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(second.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        const QList<QByteArray> sent = SentCommands(*m_log);
        QCOMPARE(sent.size(), 3);
        const int sequenceAt = 4 + BcCmd::SequenceOffset;
        QCOMPARE(WordAt(sent.at(0), sequenceAt), std::uint16_t(1));
        QCOMPARE(WordAt(sent.at(1), sequenceAt), std::uint16_t(2));
        QCOMPARE(WordAt(sent.at(2), sequenceAt), std::uint16_t(1));
        QCOMPARE(first.GetSequenceNumber(), std::uint16_t(2));
    }

    void psKeysRoundTrip()
    {
        Start();
        CsrBcCmdProtocol protocol;
        QByteArray value;
        QVERIFY(protocol.GetPsKey(Device(), PsKeys::BluetoothAddress, TimeoutMs, &value));
        QCOMPARE(value.toHex(), QByteArray("0000b2a15b000200")); // 00:02:5B:00:A1:B2

        QVERIFY(protocol.SetPsKey(Device(), PsKeys::BootMode, TimeoutMs, Words({0})));
        QCOMPARE(m_sim->Headset()->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({0}));
        QVERIFY(protocol.SetPsKey(Device(), 0x0200, TimeoutMs, Words({0x1234, 0x5678})));
        QVERIFY(protocol.GetPsKey(Device(), 0x0200, TimeoutMs, &value));
        QCOMPARE(value, Words({0x1234, 0x5678}));
    }

    void zeroSizeKeyGivesEmptyValue()
    {
        Start();
        m_sim->Headset()->SetPsKey(0x0201, {});
        CsrBcCmdProtocol protocol;
        QByteArray value("stale");
        QVERIFY(protocol.GetPsKey(Device(), 0x0201, TimeoutMs, &value));
        QVERIFY(value.isEmpty());
    }

    void problemStatusFailsWithoutFurtherReads_data()
    {
        QTest::addColumn<bool>("erroringDevice");
        QTest::addColumn<QString>("status");
        // The chip answers "no value" (3) for a key it does not hold.
        QTest::newRow("missing key") << false << "0003";
        QTest::newRow("erroring BCCMD") << true << "0008";
    }

    void problemStatusFailsWithoutFurtherReads()
    {
        QFETCH(bool, erroringDevice);
        QFETCH(QString, status);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        if (erroringDevice)
            profile.faults.bcCmd = Sim::SimFaults::BcCmd::Error;
        profile.psStore.remove(0x0202);
        Start(profile);
        CsrBcCmdProtocol protocol;
        QByteArray value;
        QVERIFY(!protocol.GetPsKey(Device(), 0x0202, TimeoutMs, &value));
        QVERIFY(m_log->Contains(QStringLiteral("Received problem status in HCI event (0x%1)").arg(status)));
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Got HCI event")).size(), 1);
        QCOMPARE(SentCommands(*m_log).size(), 1); // the size request failed; no value request followed
    }

    void staleAnswerIsSkipped()
    {
        Start();
        CsrBcCmdProtocol protocol;
        QByteArray value;
        for (int i = 0; i < 4; ++i)
            QVERIFY(protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        // Another user of the device asks with sequence number 4; its answer is queued ahead of ours.
        QByteArray foreign = Words({BcCmd::GetReq, 9, 4, BcCmd::VaridBuildId, 0, 0, 0, 0, 0});
        CsrHciExtensionsProtocol extensions;
        QVERIFY(extensions.SendHciExtCommand(Device(), CsrHciExt::ChannelBcCmd, foreign));
        m_log->Mark();
        QVERIFY(protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(m_log->Contains(QStringLiteral("Received unexpected BCCMD seq no (4) - expecting 5")));
        QCOMPARE(WordAt(value, 0), TestSupport::SampleHeadsetProfile().buildId);
    }

    void silentDeviceTimesOut()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Silent;
        Start(profile);
        CsrBcCmdProtocol protocol;
        QByteArray value;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), 150, &value));
        QVERIFY(clock.elapsed() >= 140);
        QVERIFY(m_log->Contains(QStringLiteral("GetHciEvent failed - 0x0a12/0x1f20")));
        QVERIFY(m_log->Contains(QStringLiteral("GetHciExtEvent failed - 0x0a12/0x1f20")));
        QCOMPARE(protocol.GetSequenceNumber(), std::uint16_t(1)); // a failure keeps the counter moving
    }

    void hciFaultSwitchStopsEveryRequest()
    {
        Start();
        UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetHciCommFault(true);
        CsrBcCmdProtocol protocol;
        QByteArray value;
        QVERIFY(!protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(!protocol.GetPsKey(Device(), PsKeys::BluetoothAddress, TimeoutMs, &value));
        QVERIFY(!protocol.SetPsKey(Device(), PsKeys::BootMode, TimeoutMs, Words({1})));
        QVERIFY(m_log->Contains(QStringLiteral("SendHciCommand failing due to set fault")));
        QVERIFY(m_log->LinesContaining(QStringLiteral("Control write")).isEmpty());
        QCOMPARE(m_sim->Headset()->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({1}));
    }

    void deviceWithoutHciInterface()
    {
        Start(TestSupport::DfuModeHeadsetProfile());
        CsrBcCmdProtocol protocol;
        QByteArray value;
        QVERIFY(!protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(m_log->Contains(
            QStringLiteral("Attempt to SendHciCommand on device without HCI interface - 0x0a12/0x1f21")));
    }

    void coldResetRestartsTheChip()
    {
        Start();
        QSignalSpy gone(m_sim->Interface(), &ICsrUsbInterface::DeviceDisconnected);
        CsrBcCmdProtocol protocol;
        ICsrDevice* before = Device();
        protocol.ColdReset(before);
        QVERIFY(m_sim->WaitForArrival());
        QCOMPARE(gone.size(), 1);
        QVERIFY(!before->IsOpen());
        QVERIFY(Device()->IsOpen() && Device() != before);
        QByteArray value;
        QVERIFY(protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
    }
};

QTEST_GUILESS_MAIN(TestBcCmdProtocol)
#include "TestBcCmdProtocol.moc"
