#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Calvast starts ./Tessary from its working folder; here Tessary is the probe, which prints its
// arguments and working folder.
class TestLauncher : public QObject
{
    Q_OBJECT

private:
    struct Result
    {
        bool finished = false;
        int exitCode = -1;
        qint64 elapsedMs = 0;
        QStringList childArguments;
        QString childFolder;
    };

    QTemporaryDir m_dir;

    QString Folder() const { return QDir(m_dir.path()).canonicalPath(); }

    // Runs the launcher found at launcherPath with the test folder as its working folder.
    Result Launch(const QString& launcherPath, const QStringList& arguments, int probeExitCode = 0)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), Folder());
        environment.insert(QStringLiteral("TESSARY_PROBE_EXIT_CODE"), QString::number(probeExitCode));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Folder());
        QElapsedTimer timer;
        timer.start();
        process.start(launcherPath, arguments);
        Result result;
        result.finished = process.waitForFinished(30000);
        result.elapsedMs = timer.elapsed();
        result.exitCode = process.exitCode();
        const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n');
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("arg=")))
                result.childArguments.append(line.mid(4));
            else if (line.startsWith(QLatin1String("cwd=")))
                result.childFolder = line.mid(4);
        }
        return result;
    }

    QString Launcher() const { return QDir(TestSupport::BinaryDirectory()).filePath(QStringLiteral("Calvast")); }
    QString Updater() const { return QDir(Folder()).filePath(QStringLiteral("Tessary")); }

private slots:
    void init()
    {
        QFile::remove(Updater());
        QVERIFY(QFile::copy(QDir(TestSupport::BinaryDirectory()).filePath(QStringLiteral("tessary-probe")), Updater()));
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("childArguments");
        // The child's command line is the launcher's without its program name, so the first argument
        // takes the program name's place; an empty command line is one empty argument.
        QTest::newRow("none") << QStringList{} << QStringList{""};
        QTest::newRow("spaces and quotes kept")
            << QStringList{"a b", "\"c\"", "d\\e"} << QStringList{"a b", "\"c\"", "d\\e"};
        QTest::newRow("empty argument kept") << QStringList{"", "x"} << QStringList{"", "x"};
    }
    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, childArguments);
        const Result result = Launch(Launcher(), arguments);
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.childArguments, childArguments);
        QCOMPARE(result.childFolder, Folder());
    }

    void programNameWithSpaces()
    {
        // The launcher lives elsewhere under a path with spaces; its working folder decides which
        // Tessary runs, and only the two arguments reach it.
        const QString launcherFolder = Folder() + QStringLiteral("/Program Files/Orvo Update");
        QVERIFY(QDir().mkpath(launcherFolder));
        QVERIFY(QFile::copy(Launcher(), launcherFolder + QStringLiteral("/Calvast")));
        const Result result = Launch(launcherFolder + QStringLiteral("/Calvast"), {"first", "second"});
        QCOMPARE(result.childArguments, (QStringList{"first", "second"}));
        QCOMPARE(result.childFolder, Folder());
    }

    void waitsThenExitsZero()
    {
        const Result result = Launch(Launcher(), {}, 3);
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.childArguments.size(), 1);
        // The launcher lingers a second after Tessary has ended.
        QVERIFY2(result.elapsedMs >= 1000, qPrintable(QString::number(result.elapsedMs)));
    }

    void updaterCannotStart_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not executable") << "not executable";
    }
    void updaterCannotStart()
    {
        QFETCH(QString, problem);
        QVERIFY(QFile::remove(Updater()));
        if (problem == QLatin1String("not executable"))
            QVERIFY(TestSupport::WriteFile(Updater(), "#!/bin/sh\necho arg=started\n"));
        const Result result = Launch(Launcher(), {"-x"});
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.childArguments.isEmpty());
        // At once: without the second's wait that follows a started updater.
        QVERIFY2(result.elapsedMs < 900, qPrintable(QString::number(result.elapsedMs)));
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "TestLauncher.moc"
