#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace OrvoCommon {

// SIGINT and SIGTERM as a Qt signal on the thread that made this object: the handler only writes the
// signal's number into a pipe, which a socket notifier reads, so that the program decides at that
// moment what a stop request means. One object at a time; destroying it restores the default
// handling.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    // forcedExitCode: the status of a process ended at once after EndAtOnceOnNextSignal.
    explicit StopSignals(int forcedExitCode, QObject* parent = nullptr);
    ~StopSignals() override;

    // From now on a further signal ends the process at once: it is on its way out already, and the
    // user insists.
    static void EndAtOnceOnNextSignal();
    // Ends the process as the signal itself would have, for whoever waits for it (a shell stops its
    // script when a program it runs was interrupted).
    [[noreturn]] static void EndBy(int signal);

signals:
    void Received(int signal);

private slots:
    void OnReadable();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace OrvoCommon
