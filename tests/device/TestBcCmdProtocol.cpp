// HCI, CSR extension and BCCMD layers against the simulated headset through the real USB layer.
#include "device/BcCmdConstants.h"
#include "device/CsrBcCmdProtocol.h"
#include "device/CsrHciExtensionsProtocol.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/PsKeys.h"
#include "sim/SimHeadset.h"
#include "tests/support/DeviceFixtures.h"
#include "tests/support/RawPackets.h"
#include "tests/support/SimFixtures.h"
#include "usb/ICsrDevice.h"
#include "usb/ICsrUsbInterface.h"
#include "usb/WireWords.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace OrvoCommon;
using TestSupport::Raw::HciVendorCommand;
using TestSupport::Raw::Words;

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

} // namespace

class TestBcCmdProtocol : public DeviceTest::DeviceTestCase
{
    Q_OBJECT

private slots:
    // The requests as the chip must receive them, written here from the BCCMD layout: padded to at
    // least 8 payload bytes, the sequence number counting per protocol object.
    void requestsOnTheWire()
    {
        Start(TestSupport::SampleHeadsetProfile());
        CsrBcCmdProtocol protocol;
        QByteArray value;
        std::uint16_t words = 0;
        QVERIFY(protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(protocol.GetPsKeySize(Device(), PsKeys::BluetoothAddress, TimeoutMs, &words));
        QVERIFY(protocol.SetPsKey(Device(), PsKeys::BootMode, TimeoutMs, Words({1, 42})));
        QVERIFY(CsrBcCmdProtocol().BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        const QList<QByteArray> expected{
            HciVendorCommand(TestSupport::Raw::BcCmd(0, 1, 0x2819, QByteArray())),
            HciVendorCommand(TestSupport::Raw::BcCmd(0, 2, 0x3006, Words({0x0001, 0}))),
            HciVendorCommand(TestSupport::Raw::BcCmd(2, 3, 0x7003, Words({0x03CD, 2, 0, 1, 42}))),
            HciVendorCommand(TestSupport::Raw::BcCmd(0, 1, 0x2819, QByteArray()))};
        QCOMPARE(SentCommands(*m_log), expected);
    }

    void psKeysRoundTrip()
    {
        Start(TestSupport::SampleHeadsetProfile());
        m_sim->Headset()->SetPsKey(0x0201, {});
        CsrBcCmdProtocol protocol;
        QByteArray value;
        QVERIFY(protocol.GetPsKey(Device(), PsKeys::BluetoothAddress, TimeoutMs, &value));
        QCOMPARE(value.toHex(), QByteArray("0000b2a15b000200")); // 00:02:5B:00:A1:B2
        QVERIFY(protocol.SetPsKey(Device(), 0x0200, TimeoutMs, Words({0x1234, 0x5678})));
        QVERIFY(protocol.GetPsKey(Device(), 0x0200, TimeoutMs, &value));
        QCOMPARE(value, Words({0x1234, 0x5678}));
        // A key of size zero reads as an empty value.
        QVERIFY(protocol.GetPsKey(Device(), 0x0201, TimeoutMs, &value));
        QVERIFY(value.isEmpty());
    }

    void problemStatusFailsWithoutFurtherReads_data()
    {
        QTest::addColumn<bool>("erroringDevice");
        QTest::addColumn<QString>("status");
        // The chip answers "no value" (3) for a key it does not hold.
        QTest::newRow("missing key") << false << "0003";
        QTest::newRow("erroring BCCMD") << true << "0005";
    }

    void problemStatusFailsWithoutFurtherReads()
    {
        QFETCH(bool, erroringDevice);
        QFETCH(QString, status);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        if (erroringDevice)
            profile.faults.bcCmd = Sim::SimFaults::BcCmd::Error;
        profile.faults.bcCmdErrorStatus = 5;
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
        Start(TestSupport::SampleHeadsetProfile());
        CsrBcCmdProtocol protocol;
        QByteArray value;
        for (int i = 0; i < 4; ++i)
            QVERIFY(protocol.BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        // Another user of the device asks with sequence number 4; its answer is queued ahead of ours.
        QVERIFY(CsrHciExtensionsProtocol().SendHciExtCommand(Device(), CsrHciExt::ChannelBcCmd,
                                                             TestSupport::Raw::BcCmd(0, 4, 0x2819, QByteArray())));
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
        Start(TestSupport::SampleHeadsetProfile());
        UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetHciCommFault(true);
        QVERIFY(!CsrBcCmdProtocol().SetPsKey(Device(), PsKeys::BootMode, TimeoutMs, Words({0})));
        QVERIFY(m_log->Contains(QStringLiteral("SendHciCommand failing due to set fault")));
        QVERIFY(m_log->LinesContaining(QStringLiteral("Control write")).isEmpty());
        QCOMPARE(m_sim->Headset()->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({1}));
    }

    void deviceWithoutHciInterface()
    {
        Start(TestSupport::DfuModeHeadsetProfile());
        QByteArray value;
        QVERIFY(!CsrBcCmdProtocol().BcCmdGet(Device(), BcCmd::VaridBuildId, QByteArray(), TimeoutMs, &value));
        QVERIFY(m_log->Contains(
            QStringLiteral("Attempt to SendHciCommand on device without HCI interface - 0x0a12/0x1f21")));
    }

    void coldResetRestartsTheChip()
    {
        Start(TestSupport::SampleHeadsetProfile());
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
