#include "device/FailsafeTimerThread.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <algorithm>

namespace OrvoCommon {

FailsafeTimerThread::FailsafeTimerThread(int seconds, QObject* parent)
    : QThread(parent), m_seconds(std::max(seconds, 1))
{
}

FailsafeTimerThread::~FailsafeTimerThread()
{
    Stop();
    wait();
}

void FailsafeTimerThread::Stop()
{
    QMutexLocker lock(&m_mutex);
    m_running = false;
    m_stopped.wakeAll();
}

bool FailsafeTimerThread::SleepOneSecond()
{
    QMutexLocker lock(&m_mutex);
    const QDeadlineTimer deadline(m_secondMs);
    while (m_running && !deadline.hasExpired())
        m_stopped.wait(&m_mutex, deadline);
    return m_running;
}

void FailsafeTimerThread::run()
{
    for (;;) {
        m_kicked = false;
        for (int second = 0; second < m_seconds; ++second) {
            if (!SleepOneSecond())
                return;
            emit SecondCounted(m_seconds - second - 1);
            if (m_kicked)
                break;
        }
        if (!m_kicked)
            emit Timeout();
        QMutexLocker lock(&m_mutex);
        if (!m_running)
            return;
    }
}

} // namespace OrvoCommon
