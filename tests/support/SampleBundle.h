#pragma once

#include "tests/support/TestEnvironment.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QProcess;

namespace TestSupport {

// A temporary program folder laid out like the shipped one for the real programs of the build:
// Config.xml selecting the simulated headset, the sample headset's profile and, on request, the
// sample firmware (index file and images) in FirmwareFiles/ with the key its index file is signed
// with trusted.
class SampleBundle : public TemporaryBundle
{
public:
    enum class Timing
    {
        Instant, // the headset answers at once, for tests
        Sample,  // the shipped profile's timing, as a real headset takes
    };

    explicit SampleBundle(Timing timing = Timing::Instant, bool withFirmware = true);
    // False when the build's sample files could not be copied.
    bool IsComplete() const { return m_complete; }

private:
    bool m_complete = false;
};

struct ProcessRun
{
    // It ended by itself, by returning (not by a signal).
    bool finished = false;
    int exitCode = -1;
    QString output;
    // Standard error, unless it was passed through.
    QString errors;
    // The error logs in the bundle (where TMPDIR points unless the test says otherwise).
    QString log;
};

// Sets a process up to run a program of the build with TESSARY_APP_DIR and TMPDIR pointing at the
// bundle and the offscreen platform, plus the given variables; for tests that talk to it while it runs.
void PrepareInBundle(QProcess* process, const TemporaryBundle& bundle, const QString& program,
                     const QProcessEnvironment& extra = QProcessEnvironment());

// Waits for a program started so, with this thread's event loop running (a simulated headset of this
// process goes on answering), kills it at the time-out, and collects what it wrote.
ProcessRun FinishInBundle(QProcess* process, const TemporaryBundle& bundle, int timeoutMs = 60000);

// Runs a program of the build as PrepareInBundle sets it up; standard error is passed through. With
// endWhenShown, the run ends (SIGTERM) once the program shows that window, as the wizard does not end
// by itself.
ProcessRun RunInBundle(const TemporaryBundle& bundle, const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& extra = QProcessEnvironment(), int timeoutMs = 60000,
                       const QString& endWhenShown = QString());

// A results file read back: one line per entry, "kind child child ...", parameters as name=value,
// and the entries' timestamps apart.
struct ResultsFileContent
{
    bool wellFormed = false;
    QString error;
    QStringList entries;
    QStringList timestamps;
};
ResultsFileContent ReadResultsFile(const QString& path);

} // namespace TestSupport
