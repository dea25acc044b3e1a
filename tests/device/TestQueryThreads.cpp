// The information and version queries on their own threads, against the simulated headset.
#include "app/ErrorCodes.h"
#include "device/PsKeys.h"
#include "device/PsValueText.h"
#include "device/QueryInfoThread.h"
#include "device/QueryVersionThread.h"
#include "device/ReleaseVersionKey.h"
#include "sim/SimBus.h"
#include "sim/SimHeadset.h"
#include "tests/support/DeviceFixtures.h"
#include "tests/support/SimFixtures.h"
#include "usb/ICsrDevice.h"
#include "usb/ICsrUsbInterface.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace OrvoCommon;
using OrvoCommonPelarin::QueryInfo;
using OrvoCommonPelarin::QueryInfoThread;

Q_DECLARE_METATYPE(QList<std::uint16_t>)

namespace {

constexpr int CompletionWaitMs = 10000;

} // namespace

class TestQueryThreads : public DeviceTest::DeviceTestCase
{
    Q_OBJECT

private:
    // Runs a query thread to its end: the completion arguments, or nothing unless it reported exactly once
    // and deleted itself.
    template <typename Thread, typename Signal>
    QList<QVariant> RunQuery(Signal completion)
    {
        QPointer<Thread> thread = new Thread(Device());
        QSignalSpy done(thread.data(), completion);
        thread->start();
        if (!done.wait(CompletionWaitMs) || done.size() != 1)
            return {};
        if (!QTest::qWaitFor([&] { return thread.isNull(); }, CompletionWaitMs))
            return {};
        return done.takeFirst();
    }
    QList<QVariant> QueryVersions() { return RunQuery<QueryVersionThread>(&QueryVersionThread::QueryVersionsComplete); }
    QList<QVariant> QueryInformation() { return RunQuery<QueryInfoThread>(&QueryInfoThread::QueryInfoComplete); }

private slots:
    void sampleHeadset()
    {
        Start(TestSupport::SampleHeadsetProfile());
        const QList<QVariant> result = QueryInformation();
        QCOMPARE(result.size(), 3);
        QCOMPARE(result.at(0).value<ICsrDevice*>(), Device());
        const QueryInfo info = result.at(1).value<QueryInfo>();
        QCOMPARE(info.bluetoothAddress, QStringLiteral("00:02:5B:00:A1:B2"));
        QCOMPARE(info.pairingList, QStringList({"00:1A:7D:DA:71:13", "A4:C1:38:5E:02:9F"}));
        QCOMPARE(info.serialNumber, QStringLiteral("ZR3H00012345"));
        QCOMPARE(info.deviceName, QStringLiteral("Orvo ZR3h"));
        QCOMPARE(result.at(2).toString(), QString());

        const QList<QVariant> versions = QueryVersions();
        QCOMPARE(versions.size(), 3);
        QCOMPARE(versions.at(1).value<QList<QString>>(), QList<QString>({"01.00.00", "01.00.00", "01.00.00"}));
        QCOMPARE(versions.at(2).toString(), QString());
        for (const char* line :
             {"Bluetooth address read: 00:02:5B:00:A1:B2", "Bluetooth pairing read: A4:C1:38:5E:02:9F",
              "Serial number read: ZR3H00012345", "Bluetooth device name read: Orvo ZR3h", "Querying versions",
              "Release version read: 01.00.00", "Stack version read: 01.00.00", "VM App version read: 01.00.00"})
            QVERIFY2(m_log->Contains(QLatin1String(line)), line);
    }

    void pairingIndexSkipsEmptySlots()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.psStore.insert(PsKeys::PairingIndex, {1, 0, 3, 7});
        QVector<std::uint16_t> words;
        Sim::EncodeAddressWords(QStringLiteral("11:22:33:44:55:66"), &words);
        profile.psStore.insert(PsKeys::PairingIndex + 3, words);
        // Serial code units outside Latin-1 are kept; the name ends at its first zero byte.
        profile.psStore.insert(PsKeys::SerialNumber, {0x00E9, 0x4E2D, 0x0041});
        profile.psStore.insert(PsKeys::DeviceName, {0x4241, 0x0043, 0x4544});
        Start(profile);
        const QueryInfo info = QueryInformation().value(1).value<QueryInfo>();
        QCOMPARE(info.pairingList, QStringList({"00:1A:7D:DA:71:13", "11:22:33:44:55:66"}));
        QCOMPARE(info.serialNumber, QString::fromUtf16(u"\u00E9\u4E2DA"));
        QCOMPARE(info.deviceName, QStringLiteral("ABC"));
    }

    void characterVersionFormatWhenConfigured()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        // Character pairs "10", "23", "AB", high byte first in each word.
        profile.psStore.insert(PsKeys::ReleaseVersion, {0x3130, 0x3233, 0x4142});
        Start(profile, QStringLiteral("<AsciiVersionNumber/>"));
        const QList<QString> versions = QueryVersions().value(1).value<QList<QString>>();
        QCOMPARE(versions.value(0), QStringLiteral("10.23.AB"));
    }

    void failingStackQueryStillGivesThreeEntries()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        // The release version takes two transfers (size, value); the three stack attempts stall.
        profile.faults.stallAfterTransfers = 2;
        profile.faults.stallTransfers = 3;
        Start(profile);
        const QList<QVariant> result = QueryVersions();
        QCOMPARE(result.value(1).value<QList<QString>>(),
                 QList<QString>({QStringLiteral("01.00.00"), QString(), QStringLiteral("01.00.00")}));
        QCOMPARE(result.value(2).toString(), QLatin1String(ErrorCodes::GetVersionError));
    }

    void retriesFollowHciRetries_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("attemptsPerItem");
        QTest::newRow("default: 3 attempts") << QString() << 3;
        QTest::newRow("HciRetries 0: 1 attempt") << QStringLiteral("<HciRetries>0</HciRetries>") << 1;
    }

    void retriesFollowHciRetries()
    {
        QFETCH(QString, config);
        QFETCH(int, attemptsPerItem);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Error;
        Start(profile, config);
        const QList<QVariant> result = QueryVersions();
        QCOMPARE(result.value(1).value<QList<QString>>(), QList<QString>({QString(), QString(), QString()}));
        QCOMPARE(result.value(2).toString(), QLatin1String(ErrorCodes::GetVersionError));
        // Each attempt is one request that the chip refuses at once.
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Control write to")).size(), 3 * attemptsPerItem);

        m_log->Mark();
        const QList<QVariant> info = QueryInformation();
        QCOMPARE(info.value(2).toString(), QLatin1String(ErrorCodes::PtsDataError));
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Control write to")).size(), 4 * attemptsPerItem);
    }

    void releaseVersionKeyFollowsAltPskeyPids_data()
    {
        QTest::addColumn<QString>("pids");
        QTest::addColumn<QString>("release");
        // How the list is read is tested on its own below.
        QTest::newRow("listed") << "0x1234, 0x1F20"
                                << "02.05.00";
        QTest::newRow("not listed") << "0x1234"
                                    << "01.00.00";
    }

    void releaseVersionKeyFollowsAltPskeyPids()
    {
        QFETCH(QString, pids);
        QFETCH(QString, release);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        QVector<std::uint16_t> words;
        Sim::EncodeVersionWords(QStringLiteral("02.05.00"), &words);
        profile.psStore.insert(PsKeys::AltReleaseVersion, words);
        Start(profile, QStringLiteral("<AltPskeyPids>%1</AltPskeyPids>").arg(pids));
        QCOMPARE(QueryVersions().value(1).value<QList<QString>>().value(0), release);
    }

    void altPskeyPidTokens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<std::uint16_t>>("expected");
        QTest::newRow("several, any separators")
            << "0x1F20;0x1f21 0xABCD" << QList<std::uint16_t>{0x1F20, 0x1F21, 0xABCD};
        QTest::newRow("high ids accepted") << "0x8000 0xFFFF" << QList<std::uint16_t>{0x8000, 0xFFFF};
        QTest::newRow("three digits") << "0x123" << QList<std::uint16_t>{};
        QTest::newRow("five digits") << "0x12345" << QList<std::uint16_t>{};
        QTest::newRow("no zero") << "x1234" << QList<std::uint16_t>{};
        QTest::newRow("inside a word") << "a0x1234 10x1234" << QList<std::uint16_t>{};
        QTest::newRow("capital X") << "0X1234" << QList<std::uint16_t>{};
        QTest::newRow("empty") << "" << QList<std::uint16_t>{};
    }

    void altPskeyPidTokens()
    {
        QFETCH(QString, text);
        QFETCH(QList<std::uint16_t>, expected);
        QCOMPARE(ReleaseVersionKey::ParseAltPskeyPids(text), expected);
    }

    void versionFormats_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("numeric");
        QTest::addColumn<QString>("character");
        QTest::newRow("numeric example") << QByteArray::fromHex("02014142") << "01.02.BA"
                                         << "00.00.00";
        QTest::newRow("two bytes") << QByteArray::fromHex("5C0C") << "0C.5C.00"
                                   << "00.00.00";
        QTest::newRow("character example") << QByteArray("0132BA") << "31.30.23"
                                           << "10.23.AB";
        QTest::newRow("lower case is raised") << QByteArray("a0b0c0") << "30.61.0B"
                                              << "0A.0B.0C";
    }

    void versionFormats()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, numeric);
        QFETCH(QString, character);
        QCOMPARE(PsValueText::NumericVersion(value), numeric);
        QCOMPARE(PsValueText::CharacterVersion(value), character);
    }

    void unplugDuringQueryReportsDisconnection()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Silent;
        Start(profile, QStringLiteral("<HciTimeout>20000</HciTimeout>"));
        QPointer<QueryVersionThread> versions = new QueryVersionThread(Device());
        QPointer<QueryInfoThread> info = new QueryInfoThread(Device());
        QSignalSpy versionsDone(versions.data(), &QueryVersionThread::QueryVersionsComplete);
        QSignalSpy infoDone(info.data(), &QueryInfoThread::QueryInfoComplete);
        versions->start();
        info->start();
        // One thread waits for an answer that never comes, the other for the device, when the cable is pulled.
        QTRY_VERIFY(m_log->Contains(QStringLiteral("Control write to")));
        QElapsedTimer clock;
        clock.start();
        m_sim->Headset()->Unplug();
        QTRY_COMPARE_WITH_TIMEOUT(versionsDone.size() + infoDone.size(), 2, CompletionWaitMs);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(versionsDone.first().at(2).toString(), QLatin1String(ErrorCodes::DeviceDisconnected));
        QCOMPARE(infoDone.first().at(2).toString(), QLatin1String(ErrorCodes::DeviceDisconnected));
        QCOMPARE(versionsDone.first().at(1).value<QList<QString>>().size(), 3);
        QVERIFY(m_log->Contains(QStringLiteral("Device disconnected while querying versions")));
        QVERIFY(m_log->Contains(QStringLiteral("Device disconnected while querying info")));
        QTRY_VERIFY(versions.isNull() && info.isNull());
    }

    void disconnectionFoundBeforeItsNotice()
    {
        // The failed transfer outruns the removal notice, as on a real machine; the notice, when it
        // comes, finds the query still there and adds nothing.
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Silent;
        Start(profile, QStringLiteral("<HciTimeout>20000</HciTimeout>"));
        QPointer<QueryVersionThread> versions = new QueryVersionThread(Device());
        QSignalSpy versionsDone(versions.data(), &QueryVersionThread::QueryVersionsComplete);
        connect(versions.data(), &QueryVersionThread::QueryVersionsComplete, this,
                [this] { m_sim->Bus()->ReleaseNotices(); });
        versions->start();
        QTRY_COMPARE(m_sim->Headset()->EventReadsWaiting(), 1);
        m_sim->Bus()->HoldNotices();
        m_sim->Headset()->Unplug();
        QVERIFY(versionsDone.wait(CompletionWaitMs));
        QCOMPARE(versionsDone.first().at(2).toString(), QLatin1String(ErrorCodes::DeviceDisconnected));
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Device disconnected while querying versions")).size(), 1);
        QVERIFY(!Device()->IsOpen());
        QTRY_VERIFY(versions.isNull());
    }
};

QTEST_GUILESS_MAIN(TestQueryThreads)
#include "TestQueryThreads.moc"
