// tessary-simbed: runs a program against the simulated headset as if it were plugged in. The
// headset lives in this process behind a umockdev testbed; the program is started with umockdev's
// preload library, so its unmodified libusb (or any other usbfs user) finds the headset in /sys and
// /dev/bus/usb.
//
//   tessary-simbed [--profile FILE] [--] PROGRAM [ARGUMENTS...]
#include "sim/SimBus.h"
#include "sim/umockdev/UmockdevHeadsetBed.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <atomic>
#include <csignal>
#include <cstdio>

#include <signal.h>

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitCannotRun = 127;

std::atomic<pid_t> g_program{0};

// The harness outlives its program so that the testbed is cleaned away: Ctrl-C reaches the program
// from the terminal anyway, and a termination request is passed on to it.
void OnSignal(int signal)
{
    const pid_t program = g_program;
    if (signal != SIGINT && program > 0)
        kill(program, signal);
}

void Usage()
{
    std::fprintf(stderr, "usage: tessary-simbed [--profile FILE] [--] PROGRAM [ARGUMENTS...]\n"
                         "Runs PROGRAM with the simulated headset of FILE (default: SimulatedHeadset.xml beside "
                         "tessary-simbed) on its USB bus.\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    QString profile = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("SimulatedHeadset.xml"));
    while (!arguments.isEmpty() && arguments.first().startsWith(QLatin1String("--"))) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--"))
            break;
        if (option == QLatin1String("--profile") && !arguments.isEmpty()) {
            profile = arguments.takeFirst();
        } else {
            Usage();
            return option == QLatin1String("--help") ? 0 : ExitUsage;
        }
    }
    if (arguments.isEmpty()) {
        Usage();
        return ExitUsage;
    }

    auto bus = std::make_shared<Sim::SimBus>();
    QString error;
    if (!bus->LoadProfile(profile, &error)) {
        std::fprintf(stderr, "tessary-simbed: %s\n", qPrintable(error));
        return ExitUsage;
    }
    Sim::UmockdevHeadsetBed bed(bus);

    QProcess program;
    program.setProcessEnvironment(bed.ProgramEnvironment(QProcessEnvironment::systemEnvironment()));
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setInputChannelMode(QProcess::ForwardedInputChannel);
    int exitCode = 0;
    QObject::connect(&program, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &app,
                     [&](int code, QProcess::ExitStatus status) {
                         exitCode = status == QProcess::NormalExit ? code : ExitCannotRun + 1;
                         app.quit();
                     });
    QObject::connect(&program, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError failure) {
        if (failure != QProcess::FailedToStart)
            return;
        std::fprintf(stderr, "tessary-simbed: cannot run %s: %s\n", qPrintable(arguments.first()),
                     qPrintable(program.errorString()));
        exitCode = ExitCannotRun;
        app.quit();
    });
    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    program.start(arguments.first(), arguments.mid(1));
    g_program = static_cast<pid_t>(program.processId());
    app.exec();
    return exitCode;
}
