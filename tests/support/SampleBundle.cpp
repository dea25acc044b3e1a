#include "tests/support/SampleBundle.h"

#include "tests/support/WindowTrace.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace TestSupport {

namespace {

const QString ProfileName = QStringLiteral("SimulatedHeadset.xml");
const QString FirmwareFolder = QStringLiteral("FirmwareFiles");
const QString SampleKeyName = QStringLiteral("sample-index-key.pem");

bool CopyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    const QStringList files = QDir(from).entryList(QDir::Files);
    for (const QString& file : files) {
        if (!QFile::copy(from + QLatin1Char('/') + file, to + QLatin1Char('/') + file))
            return false;
    }
    return !files.isEmpty();
}

} // namespace

SampleBundle::SampleBundle(Timing timing, bool withFirmware)
    : TemporaryBundle(QStringLiteral("<UsbBackend>simulator</UsbBackend>\n"))
{
    const QString bin = BinaryDirectory();
    QString profile = QString::fromUtf8(ReadFile(bin + QLatin1Char('/') + ProfileName));
    if (timing == Timing::Instant)
        profile.replace(QRegularExpression(QStringLiteral("<Timing [^>]*>")),
                        QStringLiteral("<Timing latency=\"0\" flashPerBlock=\"0\" manifest=\"0\" reenumeration=\"0\" "
                                       "plugDelay=\"0\"/>"));
    m_complete = !profile.isEmpty() && WriteFile(FilePath(ProfileName), profile.toUtf8());
    if (withFirmware) {
        // The sample index file is signed; the bundle trusts its key as the demo's does.
        m_complete = m_complete && CopyFolder(bin + QLatin1Char('/') + FirmwareFolder, FilePath(FirmwareFolder)) &&
                     QFile::copy(FilePath(FirmwareFolder + QLatin1Char('/') + SampleKeyName), FilePath(SampleKeyName));
        WriteConfig(
            QStringLiteral("<UsbBackend>simulator</UsbBackend>\n<IndexFileTrustedKeys>%1</IndexFileTrustedKeys>\n")
                .arg(SampleKeyName));
    }
}

void PrepareInBundle(QProcess* process, const TemporaryBundle& bundle, const QString& program,
                     const QProcessEnvironment& extra)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESSARY_APP_DIR"), bundle.Path());
    environment.insert(QStringLiteral("TMPDIR"), bundle.Path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(extra);
    process->setProcessEnvironment(environment);
    process->setProgram(BinaryDirectory() + QLatin1Char('/') + program);
}

namespace {

ProcessRun Collect(QProcess* process, const TemporaryBundle& bundle, bool finished)
{
    ProcessRun run;
    run.finished = finished;
    if (!finished && process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished();
    }
    run.exitCode = process->exitCode();
    run.output = QString::fromLocal8Bit(process->readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process->readAllStandardError());
    QDir folder(bundle.Path());
    for (const QString& log : folder.entryList({QStringLiteral("*.log")}, QDir::Files))
        run.log += QString::fromLocal8Bit(ReadFile(folder.filePath(log)));
    return run;
}

} // namespace

ProcessRun FinishInBundle(QProcess* process, const TemporaryBundle& bundle, int timeoutMs)
{
    qRegisterMetaType<QProcess::ExitStatus>("QProcess::ExitStatus");
    QSignalSpy finished(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
    const bool ended = process->state() == QProcess::NotRunning || finished.wait(timeoutMs);
    return Collect(process, bundle, ended && process->exitStatus() == QProcess::NormalExit);
}

ProcessRun RunInBundle(const TemporaryBundle& bundle, const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& extra, int timeoutMs, const QString& endWhenShown)
{
    QTemporaryDir record;
    QProcessEnvironment environment = extra;
    if (!endWhenShown.isEmpty())
        environment.insert(QStringLiteral("TESSARY_UI_RECORD"), record.path());
    QProcess process;
    PrepareInBundle(&process, bundle, program, environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setArguments(arguments);
    process.start();
    if (endWhenShown.isEmpty())
        return FinishInBundle(&process, bundle, timeoutMs);
    return Collect(&process, bundle, EndWhenShown(&process, WindowTrace(record.path()), endWhenShown, timeoutMs) != -1);
}

ResultsFileContent ReadResultsFile(const QString& path)
{
    ResultsFileContent content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.error = QStringLiteral("cannot open ") + path;
        return content;
    }
    QXmlStreamReader reader(&file);
    int depth = 0;
    QString entry;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (depth == 1 && reader.name() != QLatin1String("entries"))
                content.error = QStringLiteral("root is ") + reader.name().toString();
            if (depth == 2) {
                entry = reader.name().toString();
                content.timestamps.append(reader.attributes().value(QStringLiteral("timestamp")).toString());
            }
            if (reader.name() == QLatin1String("parameter"))
                entry += QLatin1Char(' ') + reader.attributes().value(QStringLiteral("name")).toString() +
                         QLatin1Char('=') + reader.attributes().value(QStringLiteral("value")).toString();
        } else if (reader.isCharacters() && !reader.isWhitespace() && depth == 3) {
            entry += QLatin1Char(' ') + reader.text().toString();
        } else if (reader.isEndElement()) {
            if (depth == 2)
                content.entries.append(entry);
            --depth;
        }
    }
    if (reader.hasError())
        content.error = reader.errorString();
    content.wellFormed = !reader.hasError() && content.error.isEmpty();
    return content;
}

} // namespace TestSupport
