#include "tests/support/SampleBundle.h"

#include <QtTest>

// The whole update as a user runs it: the real tessary-update program, the sample firmware bundle
// and the sample simulated headset in a temporary program folder.
class TestHeadlessUpdate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::SampleBundle> m_bundle;

    QPair<int, QString> Run(const QStringList& arguments)
    {
        const TestSupport::ProcessRun run = TestSupport::RunInBundle(*m_bundle, QStringLiteral("tessary-update"),
                                                                     arguments, QProcessEnvironment(), 120000);
        return qMakePair(run.finished ? run.exitCode : -1, run.output);
    }

private slots:
    void init()
    {
        m_bundle = std::make_unique<TestSupport::SampleBundle>(TestSupport::SampleBundle::Timing::Sample);
        QVERIFY(m_bundle->IsComplete());
    }

    void updatesTheSimulatedHeadset()
    {
        const auto [status, output] = Run({});
        QVERIFY2(status == 0, qPrintable(output));
        QVERIFY(output.contains(QLatin1String("release 01.00.00, serial ZR3H00012345")));
        QVERIFY(output.contains(QLatin1String("Programming release 01.01.00")));
        QVERIFY(output.contains(QLatin1String("Updated: the headset reports release 01.01.00")));
        const QString log = QString::fromLocal8Bit(TestSupport::ReadFile(m_bundle->FilePath("TessaryUpdate.log")));
        QVERIFY(log.contains(QLatin1String("Firmware update successfully completed")));
        QVERIFY(!log.contains(QLatin1String("Exception,")));
    }

    void currentReleaseIsLeftAlone()
    {
        const auto [status, output] = Run({QStringLiteral("--release"), QStringLiteral("01.00.00")});
        QCOMPARE(status, 0);
        QVERIFY(output.contains(QLatin1String("Release 01.00.00 is up to date")));
        QVERIFY(!output.contains(QLatin1String("Programming")));
    }

    void noHeadsetIsAFailure()
    {
        // A profile with no headset plugged in.
        QVERIFY(TestSupport::WriteFile(m_bundle->FilePath(QStringLiteral("SimulatedHeadset.xml")),
                                       "<?xml version=\"1.0\"?>\n<SimulatedHeadsets/>\n"));
        const auto [status, output] = Run({QStringLiteral("--wait"), QStringLiteral("1")});
        QCOMPARE(status, 1);
        QVERIFY(output.contains(QLatin1String("No headset became ready within 1 s")));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessUpdate)
#include "TestHeadlessUpdate.moc"
