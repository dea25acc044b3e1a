#include "tests/support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using TestSupport::TemporaryBundle;

// The whole update as a user runs it: the real tessary-update program, the sample firmware bundle
// and the sample simulated headset in a temporary program folder.
class TestHeadlessUpdate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryBundle> m_bundle;

    // Exit code and standard output of one run.
    QPair<int, QString> Run(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TESSARY_APP_DIR"), m_bundle->Path());
        environment.insert(QStringLiteral("TMPDIR"), m_bundle->Path());
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(TestSupport::BinaryDirectory() + QStringLiteral("/tessary-update"), arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return qMakePair(-1, QString());
        return qMakePair(process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()));
    }

private slots:
    void init()
    {
        m_bundle = std::make_unique<TemporaryBundle>(QStringLiteral("<UsbBackend>simulator</UsbBackend>\n"
                                                                    "<IndexFileName>index.xml</IndexFileName>\n"));
        const QString bin = TestSupport::BinaryDirectory();
        QVERIFY(QFile::copy(bin + QStringLiteral("/SimulatedHeadset.xml"),
                            m_bundle->FilePath(QStringLiteral("SimulatedHeadset.xml"))));
        QDir().mkpath(m_bundle->FilePath(QStringLiteral("FirmwareFiles")));
        const QStringList files = QDir(bin + QStringLiteral("/FirmwareFiles")).entryList(QDir::Files);
        QVERIFY(files.contains(QStringLiteral("index.xml")));
        for (const QString& file : files)
            QVERIFY(QFile::copy(bin + QStringLiteral("/FirmwareFiles/") + file,
                                m_bundle->FilePath(QStringLiteral("FirmwareFiles/") + file)));
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

    void silentHeadsetEndsPromptly()
    {
        // The version query is still waiting for an answer when the tool gives up and ends.
        const QString path = m_bundle->FilePath(QStringLiteral("SimulatedHeadset.xml"));
        const QByteArray profile = TestSupport::ReadFile(path).replace("<Faults/>", "<Faults bccmd=\"silent\"/>");
        QVERIFY(profile.contains("silent"));
        QVERIFY(TestSupport::WriteFile(path, profile));
        QElapsedTimer clock;
        clock.start();
        const auto [status, output] = Run({QStringLiteral("--wait"), QStringLiteral("1")});
        QCOMPARE(status, 1);
        QVERIFY(output.contains(QLatin1String("No headset became ready within 1 s")));
        QVERIFY(clock.elapsed() < 10000);
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
