#include "app/SingleInstanceGuard.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowTrace.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QtTest>

#include <unistd.h>

using namespace OrvoCommon;
using TestSupport::LinesContaining;
using TestSupport::TemporaryBundle;
using TestSupport::WriteFile;

// Runs the real Tessary binary against temporary bundles and a private temporary directory.
class TestStartup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<TemporaryBundle> m_bundle;
    std::unique_ptr<QTemporaryDir> m_record;
    QByteArray m_originalTemp;

    QString LogPath() const { return m_temp->filePath(QStringLiteral("UpdateSkerrowError.log")); }

    // Starts Tessary with the arguments; the caller waits.
    std::unique_ptr<QProcess> Start(const QStringList& arguments, const QString& tempDirectory = QString())
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), tempDirectory.isEmpty() ? m_temp->path() : tempDirectory);
        environment.insert(QStringLiteral("TESSARY_APP_DIR"), m_bundle->Path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TESSARY_UI_RECORD"), m_record->path());
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(TestSupport::BinaryDirectory() + QStringLiteral("/Tessary"), arguments);
        return process;
    }

    // Runs Tessary until it ends by itself or shows the window, which ends it the way the session
    // would: with SIGTERM. Returns the exit code, -1 for a crash or a hang.
    int Run(const QStringList& arguments, const QString& window = QStringLiteral("SplashScreenClass"),
            const QString& tempDirectory = QString())
    {
        auto process = Start(arguments, tempDirectory);
        return TestSupport::EndWhenShown(process.get(), TestSupport::WindowTrace(m_record->path()), window, 20000);
    }

private slots:
    void initTestCase() { m_originalTemp = qgetenv("TMPDIR"); }

    void init()
    {
        m_bundle.reset();
        m_temp.reset();
        qputenv("TMPDIR", m_originalTemp);
        m_temp = std::make_unique<QTemporaryDir>();
        m_record = std::make_unique<QTemporaryDir>();
        m_bundle = std::make_unique<TemporaryBundle>();
        // The guard in this process must use the same temporary directory as the child.
        qputenv("TMPDIR", m_temp->path().toLocal8Bit());
    }

    void nonNumericLoggingLevelEndsQuietly()
    {
        m_bundle->WriteConfig(QStringLiteral("<LoggingLevel>abc</LoggingLevel>"));
        QCOMPARE(Run({QStringLiteral("-nocleanup"), QStringLiteral("1")}, QStringLiteral("ErrorBoxClass")), 0);
        const QStringList thrown =
            LinesContaining(LogPath(), QStringLiteral("Exception,  config-file-error: The config file node "
                                                      "LoggingLevel value (abc) is not numeric"));
        // Once where the configuration raises it, once where the top level catches it.
        QCOMPARE(thrown.size(), 2);
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Error,      Exception caught at highest level")).size(), 1);
        // The top-level handler shows the "internal-error" box: "This program cannot continue".
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Error,      Displaying error 8")).size(), 1);
    }

    void wizardModeStartsTheApplicationObject()
    {
        QCOMPARE(Run({QStringLiteral("-nocleanup=1")}), 0);
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Application starting up, version is 1.0.5924")).size(), 1);
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Application exiting")).size(), 1);
        QVERIFY(LinesContaining(LogPath(), QStringLiteral("Exception")).isEmpty());
    }

    void scriptModeIgnoresWizardOptions()
    {
        QCOMPARE(Run({QStringLiteral("-nocleanup=1"), QStringLiteral("-script=run.js"), QStringLiteral("-listen=1"),
                      QStringLiteral("-language=de")}),
                 0);
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Error,      Unable to open script file run.js")).size(), 1);
        QVERIFY(LinesContaining(LogPath(), QStringLiteral("socket listener")).isEmpty());
        QVERIFY(LinesContaining(LogPath(), QStringLiteral("application object")).isEmpty());
    }

    void startupCleanup_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("default") << QStringList{} << true;
        QTest::newRow("nocleanup=1") << QStringList{"-nocleanup=1"} << false;
        QTest::newRow("nocleanup 0") << QStringList{"-nocleanup=0"} << true;
    }

    void startupCleanup()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, deleted);
        const QString leftOver = m_temp->filePath(QStringLiteral("left-over.bin"));
        QVERIFY(WriteFile(leftOver, "x"));
        QVERIFY(
            WriteFile(m_temp->filePath(QStringLiteral("UpdateSkerrowTempFiles.txt")), leftOver.toLocal8Bit() + '\n'));
        QCOMPARE(Run(arguments), 0);
        QCOMPARE(!QFile::exists(leftOver), deleted);
    }

    void unwritableTemporaryDirectoryStillRuns()
    {
        QCOMPARE(
            Run(QStringList(), QStringLiteral("SplashScreenClass"), m_temp->filePath(QStringLiteral("does/not/exist"))),
            0);
    }

    void secondStartWakesTheRunningInstance()
    {
        SingleInstanceGuard running(QStringLiteral("OrvoUpdateSkerrow"));
        QVERIFY(running.StartListening());
        QSignalSpy received(&running, &SingleInstanceGuard::MessageReceived);
        auto second = Start({QStringLiteral("-nocleanup=1")});
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 5000);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("Wake up!"));
        QVERIFY(second->state() == QProcess::NotRunning || second->waitForFinished(5000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        // The second start leaves before logging anything.
        QVERIFY(!QFile::exists(LogPath()));
    }

    void secondStartBringsTheCurrentWindowForward()
    {
        m_bundle->WriteConfig(QStringLiteral("<SplashScreenTime>0</SplashScreenTime>"));
        auto first = Start({QStringLiteral("-nocleanup=1")});
        const TestSupport::WindowTrace trace(m_record->path());
        QVERIFY(trace.WaitForShown(QStringLiteral("SelectLanguageDialogClass"), 20000));
        auto second = Start({QStringLiteral("-nocleanup=1")});
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(trace.WaitFor(QStringLiteral("message"), QStringLiteral("Wake_up! SelectLanguageDialogClass"), 10000));
        first->terminate();
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Application starting up")).size(), 1);
    }

    void staleLockDoesNotBlock()
    {
        QProcess finished;
        finished.start(QStringLiteral("true"), QStringList());
        QVERIFY(finished.waitForFinished(5000));
        const qint64 deadPid = finished.processId() ? finished.processId() : 999999;
        const QString lockPath = m_temp->filePath(QStringLiteral("OrvoUpdateSkerrow-%1.lock").arg(::getuid()));
        QVERIFY(WriteFile(lockPath,
                          QByteArray::number(deadPid) + "\nTessary\n" + QSysInfo::machineHostName().toUtf8() + '\n'));
        QCOMPARE(Run({QStringLiteral("-nocleanup=1")}), 0);
        QCOMPARE(LinesContaining(LogPath(), QStringLiteral("Application starting up")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "TestStartup.moc"
