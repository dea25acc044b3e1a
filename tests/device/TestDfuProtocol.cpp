// DFU class requests, names and the retry loop against the simulated headset through the USB layer.
#include "device/DfuConstants.h"
#include "device/DfuProtocol.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "sim/SimHeadset.h"
#include "tests/support/DeviceFixtures.h"
#include "tests/support/SimFixtures.h"
#include "usb/ICsrDevice.h"
#include "usb/ICsrUsbInterface.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <memory>

using namespace OrvoCommon;

class TestDfuProtocol : public DeviceTest::DeviceTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<DfuProtocol> m_dfu;

    void Start(const Sim::HeadsetProfile& profile)
    {
        DeviceTestCase::Start(profile);
        m_dfu = std::make_unique<DfuProtocol>();
        m_dfu->SetDevice(Device());
    }
    int Transfers() const
    {
        return m_log->LinesContaining(QStringLiteral("Control read")).size() +
               m_log->LinesContaining(QStringLiteral("Control write")).size();
    }

private slots:
    void cleanup()
    {
        m_dfu.reset();
        DeviceTestCase::cleanup();
    }

    void names_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("status");
        // The names in use are checked in the log lines below; here the ends of both tables.
        QTest::newRow("10") << 10 << "dfuERROR"
                            << "errFIRMWARE";
        QTest::newRow("11") << 11 << "INVALID STATE"
                            << "errVENDOR";
        QTest::newRow("15") << 15 << "INVALID STATE"
                            << "errSTALLED_PKT";
        QTest::newRow("16") << 16 << "INVALID STATE"
                            << "INVALID STATUS";
        QTest::newRow("-1") << -1 << "INVALID STATE"
                            << "INVALID STATUS";
    }

    void names()
    {
        QFETCH(int, value);
        QFETCH(QString, state);
        QFETCH(QString, status);
        QCOMPARE(DfuProtocol::StateName(value), state);
        QCOMPARE(DfuProtocol::StatusName(value), status);
    }

    void detachAndResetIntoTheBootLoader()
    {
        Start(TestSupport::SampleHeadsetProfile());
        std::uint8_t state = 0xFF;
        QVERIFY(m_dfu->GetState(&state));
        QCOMPARE(state, std::uint8_t(Dfu::AppIdle));
        QVERIFY(m_dfu->Detach(Dfu::DetachTimeoutMs));
        QVERIFY(m_dfu->GetState(&state));
        QCOMPARE(state, std::uint8_t(Dfu::AppDetach));
        QVERIFY(m_dfu->Reset());
        QVERIFY(!Device()->IsOpen());
        ICsrDevice* bootLoader = m_sim->WaitForArrival();
        QVERIFY(bootLoader && bootLoader->IsDfuMode());
        m_dfu->SetDevice(bootLoader);
        QVERIFY(m_dfu->GetState(&state));
        QCOMPARE(state, std::uint8_t(Dfu::DfuIdle));
        const QStringList expected{QStringLiteral("DFU_GETSTATE - state = appIDLE"), QStringLiteral("DFU_DETACH"),
                                   QStringLiteral("DFU_GETSTATE - state = appDETACH"), QStringLiteral("Device reset"),
                                   QStringLiteral("DFU_GETSTATE - state = dfuIDLE")};
        for (const QString& line : expected)
            QVERIFY2(m_log->Contains(line), qPrintable(line));
    }

    void downloadAndStatus()
    {
        Sim::HeadsetProfile profile = TestSupport::DfuModeHeadsetProfile();
        profile.timing.flashPerBlockMs = 100;
        Start(profile);
        const QByteArray block = TestSupport::PackerImageBody(0, QStringLiteral("01.02.00"), 500).left(100);
        QVERIFY(m_dfu->Download(0, block));
        QVERIFY(m_log->Contains(QStringLiteral("DFU_DNLOAD - block = 0, count = 100")));
        std::uint8_t status = 0xFF;
        std::uint32_t poll = 0;
        std::uint8_t state = 0xFF;
        // The chip is writing the block: status OK, poll time-out 100 ms (00 64 00 00 in the answer).
        QVERIFY(m_dfu->GetStatus(&status, &poll, &state));
        QCOMPARE(status, std::uint8_t(Dfu::StatusOk));
        QCOMPARE(poll, 100u);
        QCOMPARE(state, std::uint8_t(Dfu::DfuDnbusy));
        QVERIFY(m_log->Contains(QStringLiteral("DFU_GETSTATUS - status = OK, timeout = 100, state = dfuDNBUSY")));
        // The chip takes no requests until the poll time-out has passed.
        QThread::msleep(poll);
        QVERIFY(m_dfu->GetStatus(nullptr, nullptr, &state));
        QCOMPARE(state, std::uint8_t(Dfu::DfuDnloadIdle));
        QVERIFY(m_log->Contains(QStringLiteral("DFU_GETSTATUS - status = OK, timeout = 0, state = dfuDNLOAD_IDLE")));
        QVERIFY(m_dfu->Abort());
        QVERIFY(m_dfu->GetState(&state));
        QCOMPARE(state, std::uint8_t(Dfu::DfuIdle));
    }

    void pollTimeoutUsesThreeBytes()
    {
        Sim::HeadsetProfile profile = TestSupport::DfuModeHeadsetProfile();
        profile.timing.flashPerBlockMs = 0x012345;
        Start(profile);
        QVERIFY(m_dfu->Download(0, QByteArray(16, 'x')));
        std::uint32_t poll = 0;
        QVERIFY(m_dfu->GetStatus(nullptr, &poll, nullptr));
        QCOMPARE(poll, 0x012345u);
    }

    void errorStateAndClearStatus()
    {
        Sim::HeadsetProfile profile = TestSupport::DfuModeHeadsetProfile();
        profile.faults.dfuErrorAtBlock = 0;
        Start(profile);
        QVERIFY(m_dfu->Download(0, QByteArray(16, 'x')));
        std::uint8_t status = 0;
        std::uint8_t state = 0;
        QVERIFY(m_dfu->GetStatus(&status, nullptr, &state));
        QCOMPARE(state, std::uint8_t(Dfu::DfuError));
        QCOMPARE(status, std::uint8_t(Dfu::ErrWrite));
        QVERIFY(m_log->Contains(QStringLiteral("DFU_GETSTATUS - status = errWRITE, timeout = 0, state = dfuERROR")));
        QVERIFY(m_dfu->ClearStatus());
        QVERIFY(m_dfu->GetState(&state));
        QCOMPARE(state, std::uint8_t(Dfu::DfuIdle));
        QVERIFY(m_log->Contains(QStringLiteral("DFU_CLRSTATUS")));
    }

    void retriesAgainstAStallingDevice_data()
    {
        QTest::addColumn<int>("stalls");
        QTest::addColumn<int>("retries");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<int>("attempts");
        QTest::newRow("refuses every transfer") << 1000 << 2 << false << 3;
        QTest::newRow("recovers on the last attempt") << 2 << 2 << true << 3;
        QTest::newRow("no retries") << 1000 << 0 << false << 1;
    }

    void retriesAgainstAStallingDevice()
    {
        QFETCH(int, stalls);
        QFETCH(int, retries);
        QFETCH(bool, succeeds);
        QFETCH(int, attempts);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.stallTransfers = stalls;
        Start(profile);
        m_dfu->SetMessageRetries(retries);
        QElapsedTimer clock;
        clock.start();
        std::uint8_t state = 0xFF;
        QCOMPARE(m_dfu->GetState(&state), succeeds);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(Transfers(), attempts);
        QVERIFY2(elapsed >= (attempts - 1) * 200 - 5, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < (attempts - 1) * 200 + 400, qPrintable(QString::number(elapsed)));
        QCOMPARE(m_log->LinesContaining(QStringLiteral("DFU_GETSTATE FAILED")).size(), succeeds ? 0 : 1);
    }

    void closedDeviceEndsTheLoopAtOnce()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.stallTransfers = 1000;
        Start(profile);
        // The cable is pulled while the device refuses: the removal arrives between two attempts, as
        // the loop handles events while it waits.
        QMetaObject::invokeMethod(
            this, [this] { m_sim->Headset()->Unplug(); }, Qt::QueuedConnection);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!m_dfu->Abort());
        QVERIFY(!Device()->IsOpen());
        QVERIFY(clock.elapsed() < 400);
        QVERIFY(Transfers() < 3);
        QCOMPARE(m_log->LinesContaining(QStringLiteral("DFU_ABORT FAILED")).size(), 1);
        m_log->Mark();
        QVERIFY(!m_dfu->Detach(Dfu::DetachTimeoutMs));
        QCOMPARE(Transfers(), 0);
    }

    void faultSwitchKeepsRequestsFromTheDevice()
    {
        Start(TestSupport::SampleHeadsetProfile());
        UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetDfuCommFault(true);
        std::uint8_t state = 0;
        QVERIFY(!m_dfu->GetState(&state));
        QVERIFY(!m_dfu->Detach(Dfu::DetachTimeoutMs));
        QVERIFY(!m_dfu->Reset());
        QCOMPARE(Transfers(), 0);
        QVERIFY(Device()->IsOpen());
        QCOMPARE(m_log->LinesContaining(QStringLiteral("ControlReadTransfer failing due to set fault")).size(), 1);
        QCOMPARE(m_log->LinesContaining(QStringLiteral("ControlWriteTransfer failing due to set fault")).size(), 1);
        QCOMPARE(m_log->LinesContaining(QStringLiteral("Reset failing due to set fault")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDfuProtocol)
#include "TestDfuProtocol.moc"
