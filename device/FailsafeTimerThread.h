#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

namespace OrvoCommon {

// Watches the programming thread: it counts down whole seconds, a Kick() restarts the countdown, and
// a countdown that runs out emits Timeout() and starts over, until the thread is stopped. Both signals
// come from this thread (receivers connect directly). The owner stops it and waits for it; stopping
// wakes the sleep.
class FailsafeTimerThread : public QThread
{
    Q_OBJECT

public:
    // A count of 0 would leave nothing to wait for; it counts as 1 second.
    explicit FailsafeTimerThread(int seconds, QObject* parent = nullptr);
    ~FailsafeTimerThread() override;

    void Kick() { m_kicked = true; }
    void Stop();
    int GetSeconds() const { return m_seconds; }

    // Tests shorten the second; the default is 1000 ms.
    void SetSecondLengthForTest(int milliseconds) { m_secondMs = milliseconds; }

signals:
    // Each second counted, before the countdown is judged: a kick from a receiver still counts.
    void SecondCounted(int secondsLeft);
    void Timeout();

protected:
    void run() override;

private:
    // Sleeps one second unless stopped meanwhile; false when stopped.
    bool SleepOneSecond();

    const int m_seconds;
    int m_secondMs = 1000;
    std::atomic<bool> m_kicked{false};
    QMutex m_mutex;
    QWaitCondition m_stopped;
    bool m_running = true; // from construction, as in TimerThread
};

} // namespace OrvoCommon
