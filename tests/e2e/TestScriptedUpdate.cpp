#include "tests/support/LocalWebServer.h"
#include "tests/support/SampleBundle.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <memory>

using TestSupport::LocalWebServer;
using TestSupport::ProcessRun;
using TestSupport::ReadResultsFile;
using TestSupport::ResultsFileContent;
using TestSupport::SampleBundle;

// Full and light scripts run by the real Tessary program against the simulated headset, checked
// through the results file and the error log.
class TestScriptedUpdate : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SampleBundle> m_bundle;

    static QString Example(const QString& name)
    {
        return TestSupport::SourceDirectory() + QStringLiteral("/examples/scripts/") + name;
    }

    QString ResultsPath() const { return m_bundle->FilePath(QStringLiteral("results.xml")); }

    // Results go to results.xml in the bundle unless the arguments name a results file.
    ProcessRun RunScript(const QString& scriptPath, QStringList arguments = {},
                         const QProcessEnvironment& environment = QProcessEnvironment(), bool withResults = true)
    {
        // The error log outlives the run only without the clean-up at exit.
        arguments << QStringLiteral("-nocleanup") << QStringLiteral("1") << QStringLiteral("-script") << scriptPath;
        if (withResults && !arguments.contains(QStringLiteral("-results")))
            arguments << QStringLiteral("-results") << ResultsPath();
        return TestSupport::RunInBundle(*m_bundle, QStringLiteral("Tessary"), arguments, environment, 60000);
    }

    QString WriteScript(const QByteArray& text)
    {
        const QString path = m_bundle->FilePath(QStringLiteral("test.js"));
        TestSupport::WriteFile(path, text);
        return path;
    }

    // A web server with the sample release under /firmware/, its index file pointing at the server.
    static std::unique_ptr<LocalWebServer> FirmwareServer()
    {
        auto server = std::make_unique<LocalWebServer>();
        const QString sample = TestSupport::BinaryDirectory() + QStringLiteral("/FirmwareFiles/");
        QString index = QString::fromUtf8(TestSupport::ReadFile(sample + QStringLiteral("index.xml")));
        index.replace(QStringLiteral("<RELEASE "),
                      QStringLiteral("<RELEASE HTTPHOST=\"%1\" URLPATH=\"/firmware/\" ").arg(server->HostWithPort()));
        server->AddFile(QStringLiteral("firmware/index.xml"), index.toUtf8());
        for (const QString& image : QDir(sample).entryList({QStringLiteral("*.dfu")}))
            server->AddFile(QStringLiteral("firmware/") + image, TestSupport::ReadFile(sample + image));
        return server;
    }

    static QStringList DownloadArguments(const LocalWebServer& server)
    {
        return {QStringLiteral("-hostname"), server.HostWithPort(), QStringLiteral("-pathname"),
                QStringLiteral("firmware")};
    }

    static void VerifyPassed(const ProcessRun& run, const ResultsFileContent& results)
    {
        QVERIFY2(run.finished, qPrintable(run.log));
        QVERIFY2(results.wellFormed, qPrintable(results.error));
        QVERIFY2(!run.log.contains(QLatin1String("Uncaught")), qPrintable(run.log));
        for (const QString& entry : results.entries)
            QVERIFY2(!entry.startsWith(QLatin1String("assert")) || entry.endsWith(QLatin1String(" true")),
                     qPrintable(entry));
    }

private slots:
    void init()
    {
        m_bundle = std::make_unique<SampleBundle>(SampleBundle::Timing::Instant, false);
        QVERIFY(m_bundle->IsComplete());
    }

    void downloadsAndUpdatesTheHeadset()
    {
        const std::unique_ptr<LocalWebServer> server = FirmwareServer();
        QVERIFY2(server->IsRunning(), qPrintable(server->ErrorText()));
        // Timestamps must stay ASCII digits whatever the user's language writes numbers with.
        QProcessEnvironment arabic;
        arabic.insert(QStringLiteral("LANG"), QStringLiteral("ar_EG.UTF-8"));
        arabic.insert(QStringLiteral("LC_ALL"), QStringLiteral("ar_EG.UTF-8"));
        const ProcessRun run = RunScript(Example(QStringLiteral("download.js")), DownloadArguments(*server), arabic);
        const ResultsFileContent results = ReadResultsFile(ResultsPath());
        VerifyPassed(run, results);

        const QStringList expected = {
            QStringLiteral("information Downloading the firmware index"),
            QStringLiteral("command StartIndexFileDownload"),
            QStringLiteral("wait FileAcquired 120000"),
            QStringLiteral("assert IndexFilePresent true true"),
            QStringLiteral("information Waiting for the headset"),
            QStringLiteral("wait PelarinConnected 60000"),
            QStringLiteral("assert PelarinConnected true true"),
            QStringLiteral("information Downloading the newest release"),
            QStringLiteral("command StartImageFilesAcquire useMostRecent=true version="),
            QStringLiteral("wait FileAcquired 300000"),
            QStringLiteral("assert ErrorCodeActive true true"),
            QStringLiteral("assert ImageFilesPresent true true"),
            QStringLiteral("information Programming"),
            QStringLiteral("command StartPelarinUpdate manualMode=false"),
            QStringLiteral("wait UpdateComplete 300000"),
            QStringLiteral("assert ErrorCodeActive true true"),
            QStringLiteral("wait PelarinConnected 60000"),
            QStringLiteral("assert PelarinHasFirmwareVersion true true"),
            QStringLiteral("information The headset runs release 01.01.00"),
        };
        QCOMPARE(results.entries, expected);
        const QRegularExpression iso(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}$"));
        for (const QString& stamp : results.timestamps)
            QVERIFY2(iso.match(stamp).hasMatch(), qPrintable(stamp));
        QCOMPARE(server->RequestCount(QStringLiteral("/firmware/index.xml")), 1);
        QCOMPARE(server->RequestCount(QStringLiteral("/firmware/zr3h_010100_sub0.dfu")), 1);
        QCOMPARE(server->RequestCount(QStringLiteral("/firmware/zr3h_010100_sub1.dfu")), 1);
    }

    void updatesFromTheProgramFolderAsTheDemoDoes()
    {
        // The headset's own timing, so its restart after the update takes the second it takes.
        m_bundle = std::make_unique<SampleBundle>(SampleBundle::Timing::Sample, true);
        const ProcessRun run = RunScript(Example(QStringLiteral("update.js")));
        VerifyPassed(run, ReadResultsFile(ResultsPath()));

        // The demo's report of the same results file.
        QProcess report;
        report.start(QStringLiteral("python3"),
                     {TestSupport::SourceDirectory() + QStringLiteral("/scripts/results-report.py"), ResultsPath(),
                      QStringLiteral("--log"), m_bundle->FilePath(QStringLiteral("UpdateSkerrowError.log"))});
        QVERIFY(report.waitForFinished(30000));
        const QString output = QString::fromUtf8(report.readAllStandardOutput());
        QCOMPARE(report.exitCode(), 0);
        QVERIFY2(output.contains(QLatin1String("Summary: 3 commands, 9 waits, 7 assertions (7 passed, 0 failed)")),
                 qPrintable(output));
        QVERIFY(output.contains(QLatin1String("Final version: the headset reports release 01.01.00")));
    }

    void faultSwitchGivesItsErrorCode_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("fromServer");
        QTest::newRow("dfu comm") << "dfu-usb-comm-fault.js" << false;
        QTest::newRow("hci comm") << "hci-usb-comm-fault.js" << false;
        QTest::newRow("image corruption") << "firmware-image-corruption.js" << false;
        QTest::newRow("no cold reset") << "no-cold-reset-after-update.js" << false;
        QTest::newRow("web server comm") << "web-server-comm-fault.js" << true;
        QTest::newRow("web download corruption") << "web-download-corruption.js" << true;
    }

    void faultSwitchGivesItsErrorCode()
    {
        QFETCH(QString, script);
        QFETCH(bool, fromServer);
        std::unique_ptr<LocalWebServer> server;
        QStringList arguments;
        if (fromServer) {
            server = FirmwareServer();
            arguments = DownloadArguments(*server);
        } else {
            m_bundle = std::make_unique<SampleBundle>(SampleBundle::Timing::Instant, true);
        }
        const ProcessRun run = RunScript(Example(QStringLiteral("faults/") + script), arguments);
        const ResultsFileContent results = ReadResultsFile(ResultsPath());
        VerifyPassed(run, results);
        QVERIFY(results.entries.contains(QStringLiteral("assert ErrorCodeActive true true")));
        // The script leaves its switch as it found it.
        QCOMPARE(results.entries.filter(QStringLiteral("fault ")).size(), 2);
        QVERIFY(results.entries.last().startsWith(QLatin1String("fault ")));
        QVERIFY(results.entries.last().endsWith(script.startsWith(QLatin1String("no-")) ? " true" : " false"));
    }

    void scriptErrorsAreReportedAndEndTheScriptCleanly()
    {
        m_bundle = std::make_unique<SampleBundle>(SampleBundle::Timing::Instant, true);
        const QString script = WriteScript(R"(
            function attempt(call) {
                try { call(); script.LogInformation("returned"); }
                catch (e) { script.LogInformation(e.name + ": " + e.message); }
            }
            attempt(function () { script.WaitForPercentUpdateComplete(101, 60000); });
            script.LogInformation("percent 0: " + script.WaitForPercentUpdateComplete(0, 60000));
            script.LogInformation("timeout 0: " + script.WaitForPelarinConnected(0));
            script.AssertErrorCodeActive(true, "");
            script.AssertErrorCodeActive(false, "programming-error");
            attempt(function () { script.StartPelarinUpdate(); });
            attempt(function () { script.StartImageFilesAcquire(false, ""); });
            script.LogInformation("odd \u0001 text <&>");
            script.AssertIndexFilePresent(true);
            script.LogInformation("not reached");
        )");
        // A script run ignores the listener (a port already taken would end it with an internal error)
        // and a light script.
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        const ProcessRun run =
            RunScript(script, {QStringLiteral("-listen"), QString::number(taken.serverPort()), QStringLiteral("-light"),
                               QStringLiteral("script.EnableWebServerCommFault(); fails();")});
        QVERIFY(run.finished);
        QVERIFY2(!run.log.contains(QLatin1String("Exception caught at highest level")), qPrintable(run.log));
        QVERIFY(!run.log.contains(QLatin1String("light script")));
        const ResultsFileContent results = ReadResultsFile(ResultsPath());
        QVERIFY2(results.wellFormed, qPrintable(results.error));
        const QStringList expected = {
            QStringLiteral("information RangeError: percent outside of 0 - 100"),
            QStringLiteral("wait PercentUpdateComplete 60000"),
            QStringLiteral("information percent 0: true"),
            QStringLiteral("wait PelarinConnected 0"),
            QStringLiteral("information timeout 0: false"),
            QStringLiteral("assert ErrorCodeActive true true"),
            QStringLiteral("assert ErrorCodeActive false true"),
            QStringLiteral("command StartPelarinUpdate manualMode=false"),
            QStringLiteral("information Error: Not enough information to push firmware"),
            QStringLiteral("command StartImageFilesAcquire useMostRecent=false version="),
            QStringLiteral("information RangeError: version NULL or empty"),
            QStringLiteral("information odd \uFFFD text <&>"),
            QStringLiteral("assert IndexFilePresent true false"),
        };
        QCOMPARE(results.entries, expected);
        QVERIFY(
            run.log.contains(QLatin1String("Uncaught full script exception: Error: AssertIndexFilePresent failed")));
        QVERIFY(run.log.contains(QLatin1String("Application exiting")));
    }

    void badInputIsLoggedAndTheRunGoesOn_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("results");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("syntax error") << QByteArray("script.LogInformation('a';") << QString()
                                      << "Uncaught full script exception: SyntaxError" << QStringList();
        QTest::newRow("missing script") << QByteArray() << QString() << "Unable to open script file" << QStringList();
        QTest::newRow("unwritable results")
            << QByteArray("script.SetResultsFile(script_dir + 'second.xml'); script.LogInformation('on');")
            << "/nonexistent/folder/results.xml"
            << "Unable to open results file /nonexistent/folder/results.xml"
            << QStringList{QStringLiteral("information on")};
        QTest::newRow("results replaced")
            << QByteArray("script.LogInformation('first'); script.SetResultsFile(script_dir + 'second.xml');"
                          "script.LogInformation('on');")
            << ""
            << "Executing script file" << QStringList{QStringLiteral("information on")};
        QTest::newRow("no results path")
            << QByteArray("script.SetIndexFile('FirmwareFiles/index.xml'); script.WaitForFileAcquired(5000);"
                          "script.AssertIndexFilePresent(true); script.AssertIndexFilePresent(false);")
            << ""
            << "Uncaught full script exception: Error: AssertIndexFilePresent failed" << QStringList();
    }

    void badInputIsLoggedAndTheRunGoesOn()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, results);
        QFETCH(QString, logged);
        QFETCH(QStringList, entries);
        m_bundle = std::make_unique<SampleBundle>(SampleBundle::Timing::Instant, true);
        const QString scriptPath =
            script.isEmpty() ? m_bundle->FilePath(QStringLiteral("missing.js"))
                             : WriteScript("var script_dir = '" + m_bundle->Path().toUtf8() + "/';\n" + script);
        const bool withResults = QTest::currentDataTag() != QLatin1String("no results path");
        QStringList arguments;
        if (!results.isEmpty())
            arguments << QStringLiteral("-results") << results;
        const ProcessRun run = RunScript(scriptPath, arguments, QProcessEnvironment(), withResults);
        QVERIFY(run.finished);
        QVERIFY2(run.log.contains(logged), qPrintable(run.log));
        QVERIFY(run.log.contains(QLatin1String("Application exiting")));

        const QStringList written = QDir(m_bundle->Path()).entryList({QStringLiteral("*.xml")}, QDir::Files);
        if (!withResults) {
            QCOMPARE(written.join(QLatin1Char(' ')), QStringLiteral("Config.xml SimulatedHeadset.xml"));
            return;
        }
        const QString second = m_bundle->FilePath(QStringLiteral("second.xml"));
        const ResultsFileContent content = ReadResultsFile(QFile::exists(second) ? second : ResultsPath());
        QVERIFY2(content.wellFormed, qPrintable(content.error));
        QCOMPARE(content.entries, entries);
        // A results file that was replaced was ended first.
        if (results.isEmpty() && QFile::exists(second))
            QCOMPARE(ReadResultsFile(ResultsPath()).entries, QStringList{QStringLiteral("information first")});
    }

    void lightScriptFromTheCommandLine()
    {
        // The light script runs before the interactive start, which its error does not stop.
        const ProcessRun run =
            TestSupport::RunInBundle(*m_bundle, QStringLiteral("Tessary"),
                                     {QStringLiteral("-nocleanup=1"), QStringLiteral("-light"),
                                      QStringLiteral("script.EnableFirmwareImageCorruption(); notAnApi();")},
                                     QProcessEnvironment(), 60000, QStringLiteral("SplashScreenClass"));
        QVERIFY(run.finished);
        QVERIFY2(run.log.contains(
                     QLatin1String("Uncaught light script exception: ReferenceError: Can't find variable: notAnApi")),
                 qPrintable(run.log));
    }
};

QTEST_GUILESS_MAIN(TestScriptedUpdate)
#include "TestScriptedUpdate.moc"
