// An update interrupted as it happens on a real machine: the headset sits behind umockdev in this
// process and outlives the tessary-update that was writing to it, which talks to it through libusb
// as to real hardware; the next tessary-update finds it in its boot loader and brings it back.
#include <QtTest>

#ifdef TESSARY_HAVE_UMOCKDEV
#include "sim/SimBus.h"
#include "sim/SimHeadset.h"
#include "sim/umockdev/UmockdevHeadsetBed.h"
#include "tests/support/SampleBundle.h"
#include "tests/support/SimFixtures.h"

#include <QProcess>

#include <csignal>
#include <memory>

#include <signal.h>

using TestSupport::ProcessRun;

class TestInterruptedUpdate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::SampleBundle> m_bundle;
    std::shared_ptr<Sim::SimBus> m_bus;
    std::unique_ptr<Sim::UmockdevHeadsetBed> m_bed;
    Sim::SimHeadset* m_headset = nullptr;

    void PlugIn(const Sim::HeadsetProfile& profile)
    {
        m_bus = std::make_shared<Sim::SimBus>();
        m_headset = m_bus->AddHeadset(profile);
        m_bed = std::make_unique<Sim::UmockdevHeadsetBed>(m_bus);
    }

    void Start(QProcess* process)
    {
        TestSupport::PrepareInBundle(process, *m_bundle, QStringLiteral("tessary-update"));
        process->setProcessEnvironment(m_bed->ProgramEnvironment(process->processEnvironment()));
        process->setArguments({QStringLiteral("--wait"), QStringLiteral("20")});
        process->start();
    }

    ProcessRun Finish(QProcess* process) const { return TestSupport::FinishInBundle(process, *m_bundle, 120000); }

    ProcessRun Run()
    {
        QProcess process;
        Start(&process);
        return Finish(&process);
    }

    // The second run, with the headset found where the first one left it.
    void Recover()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_headset->IsConnected(), 10000);
        QCOMPARE(m_headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);
        QVERIFY(!m_headset->FirmwareValid());
        const ProcessRun run = Run();
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output + run.errors));
        QVERIFY(run.output.contains(
            QLatin1String("Headset Orvo ZR3h (0x1f21), hardware 01.00.00, is in its update mode: an earlier update "
                          "did not finish")));
        QVERIFY2(run.output.contains(QLatin1String("Updated: the headset reports release 01.01.00")),
                 qPrintable(run.output));
        QVERIFY(m_headset->FirmwareValid());
        QTRY_VERIFY_WITH_TIMEOUT(m_headset->IsConnected(), 10000);
        QCOMPARE(m_headset->CurrentMode(), Sim::SimHeadset::Mode::Application);
    }

private slots:
    void init()
    {
        m_bundle = std::make_unique<TestSupport::SampleBundle>();
        QVERIFY(m_bundle->IsComplete());
        m_bundle->WriteConfig(QStringLiteral("<UsbBackend>libusb</UsbBackend>\n"
                                             "<IndexFileTrustedKeys>sample-index-key.pem</IndexFileTrustedKeys>\n"));
    }

    void cleanup()
    {
        m_bed.reset();
        m_bus.reset();
        m_headset = nullptr;
    }

    // Stopped while writing: the first SIGTERM is answered with a warning, the second stops it.
    void stoppedTwiceWhileWriting()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        // Each block keeps the programming thread waiting for seconds: the update cannot finish
        // between the signals, however slowly this machine answers.
        profile.timing.flashPerBlockMs = 3000;
        PlugIn(profile);
        QProcess process;
        Start(&process);
        QTRY_VERIFY_WITH_TIMEOUT(m_headset->BlocksReceived() >= 1, 30000);
        QCOMPARE(m_headset->CurrentMode(), Sim::SimHeadset::Mode::Dfu);

        const auto pid = static_cast<pid_t>(process.processId());
        QCOMPARE(kill(pid, SIGTERM), 0);
        QByteArray errors;
        QVERIFY(QTest::qWaitFor(
            [&] {
                errors += process.readAllStandardError();
                return errors.contains("SIGTERM: stopping now would leave the headset in its update mode");
            },
            30000));
        QCOMPARE(process.state(), QProcess::Running);
        QCOMPARE(kill(pid, SIGTERM), 0);
        const ProcessRun stopped = Finish(&process);
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), SIGTERM);
        QVERIFY2(stopped.output.contains(QLatin1String("Stopped by SIGTERM while programming: the headset stays in its "
                                                       "update mode until tessary-update runs again")),
                 qPrintable(stopped.output));

        m_headset->SetTiming(Sim::SimTiming());
        Recover();
    }

    void cutOffWhileWriting_data()
    {
        QTest::addColumn<int>("replugAfterMs"); // -1: the test plugs it back in
        QTest::newRow("cable pulled and plugged back in") << -1;
        QTest::newRow("power cut") << 0;
    }

    void cutOffWhileWriting()
    {
        QFETCH(int, replugAfterMs);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.unplugAfterBlocks = 3;
        profile.faults.replugAfterMs = replugAfterMs;
        PlugIn(profile);
        const ProcessRun failed = Run();
        QVERIFY(failed.finished);
        QCOMPARE(failed.exitCode, 7);
        QVERIFY2(failed.output.contains(QLatin1String("Programming failed: device-disconnected")),
                 qPrintable(failed.output));
        if (replugAfterMs < 0) {
            QVERIFY(!m_headset->IsConnected());
            m_headset->Plug();
        }
        Recover();
    }
};

#else

class TestInterruptedUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QSKIP("umockdev is not available"); }
};

#endif

QTEST_GUILESS_MAIN(TestInterruptedUpdate)
#include "TestInterruptedUpdate.moc"
