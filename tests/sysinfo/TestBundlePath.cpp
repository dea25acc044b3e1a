#include "app/ProgramDirectory.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace OrvoCommon;

namespace {

const QString Prefix = QStringLiteral("LinuxSystemInfoReader:GetBundlePath() - ");

// One process of a fabricated process table: "<pid>/stat" and "<pid>/exe"; "self" links to this
// program's entry, as in the kernel's table.
void AddProcess(const QString& root, const QString& entry, const QString& pid, const QString& parentPid,
                const QString& executable, const QString& comm = QStringLiteral("proc"))
{
    if (entry == QLatin1String("self")) {
        QFile::link(pid, root + QStringLiteral("/self"));
        AddProcess(root, pid, pid, parentPid, executable, comm);
        return;
    }
    TestSupport::WriteFile(
        root + '/' + entry + "/stat",
        QStringLiteral("%1 (%2) S %3 1 1 0 -1 4194560 100 0 0 0\n").arg(pid, comm, parentPid).toUtf8());
    if (!executable.isEmpty())
        QFile::link(executable, root + '/' + entry + "/exe");
}

} // namespace

class TestBundlePath : public QObject
{
    Q_OBJECT

private:
    TestSupport::LogCapture m_log;

    // Copies a built program into the folder: /proc/<pid>/exe names the real file behind a link.
    static bool CopyProgram(const QString& name, const QString& folder, const QString& as)
    {
        return QFile::copy(QDir(TestSupport::BinaryDirectory()).filePath(name), QDir(folder).filePath(as));
    }

    // Runs a program and returns its "name=value" lines.
    static QMultiMap<QString, QString> Run(const QString& program, const QString& folder,
                                           const QStringList& arguments = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("TESSARY_APP_DIR"));
        environment.insert(QStringLiteral("TMPDIR"), folder);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.start(program, arguments);
        if (!process.waitForFinished(30000))
            return {};
        QMultiMap<QString, QString> facts;
        const QStringList lines =
            QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        for (const QString& line : lines)
            facts.insert(line.section('=', 0, 0), line.section('=', 1));
        return facts;
    }

private slots:
    void init() { m_log.Mark(); }

    void processTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("logLine");
        // Process 10 is this program; "self" is the kernel's link to it.
        QTest::newRow("through the launcher") << "launcher"
                                              << "/media/package"
                                              << "Info,       " + Prefix + "bundle path = /media/package";
        QTest::newRow("started directly") << "shell"
                                          << "<program>"
                                          << "Info,       " + Prefix + "bundle path = <program>";
        QTest::newRow("only the exact launcher name") << "windows name"
                                                      << "<program>" << Prefix + "bundle path = <program>";
        QTest::newRow("parent gone") << "orphan"
                                     << "<program>"
                                     << "Error,      " + Prefix + "for parent failed.";
        QTest::newRow("parent without executable") << "kernel parent"
                                                   << "<program>"
                                                   << "LinuxSystemInfoReader:GetModulePath() - No modules available.";
        QTest::newRow("grandparent gone") << "launcher orphan"
                                          << "" << Prefix + "GetProcessInfo() for grand parent failed.";
        QTest::newRow("self unreadable") << "no self"
                                         << "" << Prefix + "GetProcessInfo() for self failed.";
        QTest::newRow("parenthesis in a name") << "odd name"
                                               << "/media/package" << Prefix + "bundle path = /media/package";
    }
    void processTable()
    {
        QFETCH(QString, table);
        QFETCH(QString, expected);
        QFETCH(QString, logLine);
        QTemporaryDir proc;
        const QString root = proc.path();
        if (table != QLatin1String("no self"))
            AddProcess(root, "self", "10", "20", "/opt/tessary/Tessary", table == "odd name" ? "a) b (c" : "Tessary");
        if (table == QLatin1String("shell"))
            AddProcess(root, "20", "20", "1", "/usr/bin/bash");
        if (table == QLatin1String("windows name"))
            AddProcess(root, "20", "20", "30", "/opt/package/Calvast.exe");
        if (table == QLatin1String("kernel parent"))
            AddProcess(root, "20", "20", "0", QString());
        if (table == "launcher" || table == "launcher orphan" || table == "odd name")
            AddProcess(root, "20", "20", "30", "/tmp/extracted/Calvast");
        if (table == "launcher" || table == "odd name" || table == "windows name")
            AddProcess(root, "30", "30", "1", "/media/package/setup.bin");

        LinuxSystemInfoReader reader(root);
        expected.replace(QLatin1String("<program>"), ProgramDirectory());
        logLine.replace(QLatin1String("<program>"), ProgramDirectory());
        QCOMPARE(reader.GetBundlePath(), expected);
        QCOMPARE(m_log.LinesContaining(logLine).size(), 1);
    }

    void onlyAFoundPathIsKept()
    {
        QTemporaryDir proc;
        LinuxSystemInfoReader reader(proc.path());
        AddProcess(proc.path(), "self", "10", "20", "/opt/tessary/Tessary");
        AddProcess(proc.path(), "20", "20", "30", "/tmp/extracted/Calvast");
        QVERIFY(reader.GetBundlePath().isEmpty()); // grandparent not there yet
        AddProcess(proc.path(), "30", "30", "1", "/media/package/setup.bin");
        QCOMPARE(reader.GetBundlePath(), QStringLiteral("/media/package")); // looked up again
        QVERIFY(QDir(proc.path()).removeRecursively());
        QCOMPARE(reader.GetBundlePath(), QStringLiteral("/media/package")); // kept, no lookup
    }

    void realProcesses()
    {
        QTemporaryDir package;
        const QString folder = QDir(package.path()).canonicalPath();
        QVERIFY(CopyProgram("tessary-probe", folder, "Tessary"));
        QVERIFY(CopyProgram("Calvast", folder, "Calvast"));

        // Started directly, the bundle is the program's own folder.
        QCOMPARE(Run(folder + "/Tessary", folder).value("bundle"), folder);
        // Through the launcher, it is the folder of whoever started the launcher: this test program.
        QCOMPARE(Run(folder + "/Calvast", folder).value("bundle"),
                 QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    }
};

QTEST_GUILESS_MAIN(TestBundlePath)
#include "TestBundlePath.moc"
