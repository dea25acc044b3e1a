#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

namespace OrvoCommon {

// Ticks every interval until stopped; drives the time-based creep of the progress estimate. Tick()
// is emitted on this thread (receivers connect directly). The owner stops it and waits for it;
// stopping wakes the sleep, so the wait is short.
class TimerThread : public QThread
{
    Q_OBJECT

public:
    explicit TimerThread(int intervalMs, QObject* parent = nullptr);
    ~TimerThread() override;

    void Stop();
    bool IsRunning() const;

signals:
    void Tick();

protected:
    void run() override;

private:
    const int m_intervalMs;
    mutable QMutex m_mutex;
    QWaitCondition m_stopped;
    // Running from construction: a Stop() that comes before the thread is scheduled still counts.
    bool m_running = true;
};

} // namespace OrvoCommon
