#include "device/TimerThread.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

namespace OrvoCommon {

TimerThread::TimerThread(int intervalMs, QObject* parent) : QThread(parent), m_intervalMs(intervalMs) {}

TimerThread::~TimerThread()
{
    Stop();
    wait();
}

void TimerThread::Stop()
{
    QMutexLocker lock(&m_mutex);
    m_running = false;
    m_stopped.wakeAll();
}

bool TimerThread::IsRunning() const
{
    QMutexLocker lock(&m_mutex);
    return m_running;
}

void TimerThread::run()
{
    for (;;) {
        {
            QMutexLocker lock(&m_mutex);
            const QDeadlineTimer deadline(m_intervalMs);
            while (m_running && !deadline.hasExpired())
                m_stopped.wait(&m_mutex, deadline);
            if (!m_running)
                return;
        }
        emit Tick();
    }
}

} // namespace OrvoCommon
