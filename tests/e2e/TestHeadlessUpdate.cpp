#include "tests/support/LocalWebServer.h"
#include "tests/support/SampleBundle.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

#include <signal.h>

// The whole update as a user runs it: the real tessary-update program, the sample firmware bundle
// (its index file signed, the key trusted unless a case says otherwise) and the sample simulated
// headset in a temporary program folder.
class TestHeadlessUpdate : public QObject
{
    Q_OBJECT

private:
    struct Outcome
    {
        int status = -1; // -1 when it did not end by itself
        QString output;
        QString errors;
        QJsonObject document; // standard output read as JSON, when it is
    };

    std::unique_ptr<TestSupport::SampleBundle> m_bundle;
    // The user's temporary directory, where the log and the temporary-file list go: outside the
    // bundle, so the bundle shows what the run left in the program folder.
    std::unique_ptr<QTemporaryDir> m_temp;

    void Start(QProcess* process, const QStringList& arguments)
    {
        QProcessEnvironment temp;
        temp.insert(QStringLiteral("TMPDIR"), m_temp->path());
        TestSupport::PrepareInBundle(process, *m_bundle, QStringLiteral("tessary-update"), temp);
        process->setArguments(arguments);
        process->start();
    }

    Outcome Finish(QProcess* process) const
    {
        const TestSupport::ProcessRun run = TestSupport::FinishInBundle(process, *m_bundle, 120000);
        return Outcome{run.finished ? run.exitCode : -1, run.output, run.errors,
                       QJsonDocument::fromJson(run.output.toUtf8()).object()};
    }

    Outcome Run(const QStringList& arguments)
    {
        QProcess process;
        Start(&process, arguments);
        return Finish(&process);
    }

    // Reads a channel of a running process until the text has appeared.
    static bool WaitForText(QProcess* process, QProcess::ProcessChannel channel, const QString& text, QByteArray* seen)
    {
        return QTest::qWaitFor(
            [&] {
                process->setReadChannel(channel);
                seen->append(process->readAll());
                return seen->contains(text.toLocal8Bit());
            },
            30000);
    }

    QString ProfilePath() const { return m_bundle->FilePath(QStringLiteral("SimulatedHeadset.xml")); }

    bool EditProfile(const QString& from, const QString& to)
    {
        QString profile = QString::fromUtf8(TestSupport::ReadFile(ProfilePath()));
        if (!profile.contains(from))
            return false;
        return TestSupport::WriteFile(ProfilePath(), profile.replace(from, to).toUtf8());
    }

    // The sample headset, and a second one that an interrupted update left in its boot loader.
    bool AddHeadsetInItsBootLoader()
    {
        const QString profile = QString::fromUtf8(TestSupport::ReadFile(ProfilePath()));
        const QRegularExpressionMatch headset =
            QRegularExpression(QStringLiteral("<Headset .*</Headset>"), QRegularExpression::DotMatchesEverythingOption)
                .match(profile);
        if (!headset.hasMatch())
            return false;
        const QString second =
            headset.captured()
                .replace(QLatin1String("ZR3H00012345"), QLatin1String("ZR3H00054321"))
                .replace(QLatin1String("<Faults/>"), QLatin1String("<Faults/><Firmware valid=\"false\"/>"));
        return EditProfile(headset.captured(), headset.captured() + second);
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
        const Outcome run = Run({});
        QVERIFY2(run.status == 0, qPrintable(run.output));
        QVERIFY(run.output.contains(QLatin1String("release 01.00.00, serial ZR3H00012345")));
        QVERIFY(run.output.contains(QLatin1String("Programming release 01.01.00")));
        QVERIFY(run.output.contains(QLatin1String("Updated: the headset reports release 01.01.00")));
        const QString log = QString::fromLocal8Bit(TestSupport::ReadFile(m_temp->filePath("TessaryUpdate.log")));
        QVERIFY(log.contains(QLatin1String("Index file index.xml verified with trusted key sample-index-key.pem")));
        QVERIFY(log.contains(QLatin1String("Firmware update successfully completed")));
        QVERIFY(!log.contains(QLatin1String("Exception,")));
    }

    // A headset an interrupted update left in its boot loader is recognised and brought back; the
    // document says so, and the progress stays off standard output.
    void recoversAHeadsetLeftInItsBootLoader()
    {
        QVERIFY(EditProfile(QStringLiteral("<Faults/>"), QStringLiteral("<Faults/><Firmware valid=\"false\"/>")));
        const Outcome run = Run({QStringLiteral("--json")});
        QVERIFY2(run.status == 0, qPrintable(run.output + run.errors));
        QVERIFY(run.errors.contains(
            QLatin1String("Headset Orvo ZR3h (0x1f21), hardware 01.00.00, is in its update mode: an earlier update "
                          "did not finish")));
        QVERIFY(run.errors.contains(QLatin1String("Updated: the headset reports release 01.01.00")));
        const QJsonObject device = run.document.value("device").toObject();
        QCOMPARE(device.value("mode").toString(), QStringLiteral("update"));
        QCOMPARE(device.value("productId").toString(), QStringLiteral("1f21"));
        QVERIFY(run.document.value("before").isNull());
        QCOMPARE(run.document.value("after").toObject().value("vmApplication").toString(), QStringLiteral("01.01.00"));
    }

    // Each way the run can end has its own exit status, in the document too, with the engine's code.
    void failuresHaveTheirOwnExitStatus_data()
    {
        QTest::addColumn<QString>("faults"); // of the sample headset
        QTest::addColumn<bool>("secondHeadset");
        QTest::addColumn<QByteArray>("indexFileTail"); // appended to the signed index file
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("said");
        const auto row = [](const char* tag, const char* faults, bool secondHeadset, const char* indexFileTail,
                            const char* arguments, int status, const char* code, const char* said) {
            QTest::newRow(tag) << QString::fromLatin1(faults) << secondHeadset << QByteArray(indexFileTail)
                               << QString::fromLatin1(arguments) << status << QString::fromLatin1(code)
                               << QString::fromLatin1(said);
        };
        // The version query is still waiting for an answer when the tool gives up and ends.
        row("no headset ready", "bccmd=\"silent\"", false, "", "--wait 1", 3, "no-headset",
            "No headset became ready within 1 s");
        row("several headsets", "", true, "", "", 4, "multiple-devices", "Several headsets are connected");
        row("index file not authentic", "", false, "<!-- -->", "", 5, "index-corrupted",
            "No firmware index: index-corrupted: ");
        row("programming fails", "dfuErrorAtBlock=\"1\" dfuErrorTimes=\"9\"", false, "", "", 7, "programming-error",
            "Programming failed: programming-error");
        row("release not offered", "", false, "", "--release 02.00.00", 8, "no-release",
            "The firmware index offers no release 02.00.00 for this headset");
        row("not a version", "", false, "", "--release 2", 2, "bad-arguments", "--release 2 is not a version");
    }

    void failuresHaveTheirOwnExitStatus()
    {
        QFETCH(QString, faults);
        QFETCH(bool, secondHeadset);
        QFETCH(QByteArray, indexFileTail);
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, code);
        QFETCH(QString, said);

        if (secondHeadset)
            QVERIFY(AddHeadsetInItsBootLoader());
        if (!faults.isEmpty())
            QVERIFY(EditProfile(QStringLiteral("<Faults/>"), QStringLiteral("<Faults %1/>").arg(faults)));
        if (!indexFileTail.isEmpty()) {
            const QString index = m_bundle->FilePath(QStringLiteral("FirmwareFiles/index.xml"));
            QVERIFY(TestSupport::WriteFile(index, TestSupport::ReadFile(index) + indexFileTail));
        }
        const Outcome run = Run(arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts) << QStringLiteral("--json"));
        QVERIFY2(run.status == status, qPrintable(QString::number(run.status) + run.output + run.errors));
        QVERIFY2(run.errors.contains(said), qPrintable(run.errors));
        QCOMPARE(run.document.value("exitCode").toInt(-1), status);
        QCOMPARE(run.document.value("result").toString(), QStringLiteral("failed"));
        QCOMPARE(run.document.value("error").toObject().value("code").toString(), code);
        QVERIFY(!run.document.value("error").toObject().value("message").toString().isEmpty());
    }

    void wrongCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--lsit")};
        QTest::newRow("wait not a number") << QStringList{QStringLiteral("--wait"), QStringLiteral("soon")};
    }

    void wrongCommandLine()
    {
        QFETCH(QStringList, arguments);
        const Outcome run = Run(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.output.isEmpty());
        QVERIFY(run.errors.startsWith(QLatin1String("tessary-update: ")));
        // Nothing was started: no log.
        QVERIFY(!QFile::exists(m_temp->filePath("TessaryUpdate.log")));
    }

    // The listing changes nothing and shows every headset, the one in its boot loader included.
    void listsEveryHeadsetWithoutChangingAny()
    {
        QVERIFY(AddHeadsetInItsBootLoader());
        const Outcome text = Run({QStringLiteral("--list")});
        QCOMPARE(text.status, 0);
        QVERIFY2(text.output.contains(QLatin1String(
                     "Headset 1: Orvo ZR3h (0a12:1f20), application mode, hardware 01.00.00, release 01.00.00, "
                     "serial ZR3H00012345; offered 01.00.00, 01.01.00; 01.01.00 would be programmed")),
                 qPrintable(text.output));
        QVERIFY(text.output.contains(QLatin1String("Headset 2: Orvo ZR3h (0a12:1f21), update mode (an earlier update "
                                                   "did not finish), hardware 01.00.00; offered")));

        // Every key of the document is checked where the package is (scripts/check-package.sh).
        const Outcome json = Run({QStringLiteral("--list"), QStringLiteral("--json")});
        QCOMPARE(json.status, 0);
        const QJsonArray headsets = json.document.value("headsets").toArray();
        QCOMPARE(headsets.size(), 2);
        QCOMPARE(headsets.at(0).toObject().value("mode").toString(), QStringLiteral("application"));
        const QJsonObject bootLoader = headsets.at(1).toObject();
        QCOMPARE(bootLoader.value("mode").toString(), QStringLiteral("update"));
        QVERIFY(bootLoader.value("versions").isNull());
        QVERIFY(bootLoader.value("updateAvailable").toBool());

        const QString log = QString::fromLocal8Bit(TestSupport::ReadFile(m_temp->filePath("TessaryUpdate.log")));
        QVERIFY(!log.contains(QLatin1String("Starting firmware update")));
    }

    // SIGINT while waiting ends the run at once, as the signal itself; while images are being written
    // it is answered with a warning and the update is finished.
    void stopRequests_data()
    {
        QTest::addColumn<QString>("signalAfter"); // printed on standard output
        QTest::addColumn<bool>("stops");
        // Waiting for a headset that is not plugged in.
        QTest::newRow("waiting for a headset") << "Waiting for a headset..." << true;
        QTest::newRow("programming") << "Programming release 01.01.00..." << false;
    }

    void stopRequests()
    {
        QFETCH(QString, signalAfter);
        QFETCH(bool, stops);
        if (stops)
            QVERIFY(EditProfile(QStringLiteral("<PluggedIn>true</PluggedIn>"),
                                QStringLiteral("<PluggedIn>false</PluggedIn>")));
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        Start(&process, {});
        QByteArray output;
        QVERIFY(WaitForText(&process, QProcess::StandardOutput, signalAfter, &output));
        QCOMPARE(kill(static_cast<pid_t>(process.processId()), SIGINT), 0);
        if (stops) {
            QVERIFY(process.waitForFinished(10000));
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);
            QCOMPARE(process.exitCode(), SIGINT);
            QVERIFY(clock.elapsed() < 10000);
            return;
        }
        QByteArray errors;
        QVERIFY(WaitForText(&process, QProcess::StandardError,
                            QStringLiteral("SIGINT: stopping now would leave the headset in its update mode"),
                            &errors));
        const Outcome run = Finish(&process);
        QCOMPARE(run.status, 0);
        QVERIFY2((output + run.output.toLocal8Bit()).contains("Updated: the headset reports release 01.01.00"),
                 qPrintable(run.output));
    }

    // The older release passes the CRC and length of the newer one; only its digest gives it away,
    // before the headset is touched.
    void swappedImageIsNotFlashed()
    {
        const QString folder = m_bundle->FilePath(QStringLiteral("FirmwareFiles/"));
        const QString newer = folder + QStringLiteral("zr3h_010100_sub0.dfu");
        QVERIFY(QFile::remove(newer));
        QVERIFY(QFile::copy(folder + QStringLiteral("zr3h_010000_sub0.dfu"), newer));
        const Outcome run = Run({});
        QCOMPARE(run.status, 6);
        QVERIFY2(run.output.contains(QLatin1String(
                     "No firmware images: firmware-corrupted: SHA-256 of image file [zr3h_010100_sub0.dfu] is ")),
                 qPrintable(run.output));
        QVERIFY(!run.output.contains(QLatin1String("Programming")));
    }

    void currentReleaseIsLeftAlone()
    {
        const Outcome run = Run({QStringLiteral("--release"), QStringLiteral("01.00.00")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.output.contains(QLatin1String("Release 01.00.00 is up to date (newest offered: 01.01.00)")));
        QVERIFY(!run.output.contains(QLatin1String("Programming")));
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

        for (int attempt = 1; attempt <= 2; ++attempt) {
            const Outcome run = Run({});
            QVERIFY2(run.status == 0, qPrintable(run.output));
            QVERIFY(run.output.contains(QLatin1String("Updated: the headset reports release 01.01.00")));
            QCOMPARE(QDir(m_bundle->Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
            QCOMPARE(server.RequestCount(QStringLiteral("/firmware/index.xml")), attempt);
            QCOMPARE(server.RequestCount(QStringLiteral("/firmware/zr3h_010100_sub0.dfu")), attempt);
        }
    }
};

QTEST_GUILESS_MAIN(TestHeadlessUpdate)
#include "TestHeadlessUpdate.moc"
