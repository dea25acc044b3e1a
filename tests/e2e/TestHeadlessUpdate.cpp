#include "tests/support/LocalWebServer.h"
#include "tests/support/SampleBundle.h"

#include <QElapsedTimer>
#include <QtTest>

// The whole update as a user runs it: the real tessary-update program, the sample firmware bundle
// (its index file signed, the key trusted unless a case says otherwise) and the sample simulated
// headset in a temporary program folder.
class TestHeadlessUpdate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::SampleBundle> m_bundle;
    // The user's temporary directory, where the log and the temporary-file list go: outside the
    // bundle, so the bundle shows what the run left in the program folder.
    std::unique_ptr<QTemporaryDir> m_temp;

    QPair<int, QString> Run(const QStringList& arguments)
    {
        QProcessEnvironment temp;
        temp.insert(QStringLiteral("TMPDIR"), m_temp->path());
        const TestSupport::ProcessRun run =
            TestSupport::RunInBundle(*m_bundle, QStringLiteral("tessary-update"), arguments, temp, 120000);
        return qMakePair(run.finished ? run.exitCode : -1, run.output);
    }

private slots:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
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
        const QString log = QString::fromLocal8Bit(TestSupport::ReadFile(m_temp->filePath("TessaryUpdate.log")));
        QVERIFY(log.contains(QLatin1String("Index file index.xml verified with trusted key sample-index-key.pem")));
        QVERIFY(log.contains(QLatin1String("Firmware update successfully completed")));
        QVERIFY(!log.contains(QLatin1String("Exception,")));
    }

    // The older release passes the CRC and length of the newer one; only its digest gives it away,
    // before the headset is touched.
    void swappedImageIsNotFlashed()
    {
        const QString folder = m_bundle->FilePath(QStringLiteral("FirmwareFiles/"));
        const QString newer = folder + QStringLiteral("zr3h_010100_sub0.dfu");
        QVERIFY(QFile::remove(newer));
        QVERIFY(QFile::copy(folder + QStringLiteral("zr3h_010000_sub0.dfu"), newer));
        const auto [status, output] = Run({});
        QCOMPARE(status, 1);
        QVERIFY2(output.contains(QLatin1String(
                     "No firmware images: firmware-corrupted: SHA-256 of image file [zr3h_010100_sub0.dfu] is ")),
                 qPrintable(output));
        QVERIFY(!output.contains(QLatin1String("Programming")));
    }

    void currentReleaseIsLeftAlone()
    {
        const auto [status, output] = Run({QStringLiteral("--release"), QStringLiteral("01.00.00")});
        QCOMPARE(status, 0);
        QVERIFY(output.contains(QLatin1String("Release 01.00.00 is up to date")));
        QVERIFY(!output.contains(QLatin1String("Programming")));
    }

    // Firmware from the maker's server lasts one run: every run asks the server afresh, so a newer
    // release is seen and a hostile or stale download is not used again, and the program folder is
    // left as the run found it.
    void downloadsLastOneRun()
    {
        TestSupport::LocalWebServer server;
        QVERIFY2(server.IsRunning(), qPrintable(server.ErrorText()));
        const QDir sample(m_bundle->FilePath(QStringLiteral("FirmwareFiles")));
        for (const QString& file : sample.entryList(QDir::Files)) {
            QByteArray content = TestSupport::ReadFile(sample.filePath(file));
            if (file == QLatin1String("index.xml"))
                content.replace("<RELEASE ", "<RELEASE HTTPHOST=\"" + server.HostWithPort().toLatin1() +
                                                 "\" URLPATH=\"/firmware/\" ");
            QVERIFY(server.AddFile(QStringLiteral("firmware/") + file, content));
        }
        QVERIFY(QDir(sample).removeRecursively());
        // The served index file names its server, so no longer matches its signature: no key is trusted.
        m_bundle->WriteConfig(QStringLiteral("<UsbBackend>simulator</UsbBackend>\n<IndexFileHost>%1</IndexFileHost>\n")
                                  .arg(server.HostWithPort()));
        const QStringList before = QDir(m_bundle->Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        for (int run = 1; run <= 2; ++run) {
            const auto [status, output] = Run({});
            QVERIFY2(status == 0, qPrintable(output));
            QVERIFY(output.contains(QLatin1String("Updated: the headset reports release 01.01.00")));
            QCOMPARE(QDir(m_bundle->Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
            QCOMPARE(server.RequestCount(QStringLiteral("/firmware/index.xml")), run);
            QCOMPARE(server.RequestCount(QStringLiteral("/firmware/zr3h_010100_sub0.dfu")), run);
        }
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
