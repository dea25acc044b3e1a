#include "app/StopSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace OrvoCommon {

namespace {

constexpr int HandledSignals[] = {SIGINT, SIGTERM};

int g_pipe[2] = {-1, -1};
std::atomic<bool> g_endAtOnce{false};
std::atomic<int> g_forcedExitCode{1};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the signal handler may only touch lock-free atomics");

// Async-signal-safe: atomics, write and _exit only.
void OnSignal(int signal)
{
    if (g_endAtOnce.load())
        _exit(g_forcedExitCode.load());
    const int saved = errno;
    const char number = static_cast<char>(signal);
    // A full pipe holds plenty of requests already; losing this one changes nothing.
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &number, 1);
    errno = saved;
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : HandledSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

StopSignals::StopSignals(int forcedExitCode, QObject* parent) : QObject(parent)
{
    g_forcedExitCode = forcedExitCode;
    g_endAtOnce = false;
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return; // the signals keep their default meaning
    }
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &StopSignals::OnReadable);
    SetHandler(&OnSignal);
}

StopSignals::~StopSignals()
{
    if (g_pipe[0] < 0)
        return;
    SetHandler(SIG_DFL);
    m_notifier.reset();
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void StopSignals::EndAtOnceOnNextSignal()
{
    g_endAtOnce = true;
}

void StopSignals::EndBy(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    _exit(128 + signal); // reached only if the signal is blocked
}

void StopSignals::OnReadable()
{
    char numbers[16];
    ssize_t count = 0;
    while ((count = read(g_pipe[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            emit Received(numbers[i]);
    }
}

} // namespace OrvoCommon
