#include "app/EventLoopWait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace OrvoCommon {

namespace {

// How long a condition may stay true unnoticed.
constexpr qint64 SliceMs = 50;

} // namespace

bool ProcessEventsUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        // processEvents() with a time limit drops WaitForMoreEvents and would spin; a short loop sleeps.
        QEventLoop slice;
        QTimer::singleShot(std::min(SliceMs, deadline.remainingTime()), &slice, &QEventLoop::quit);
        slice.exec();
    }
    return true;
}

} // namespace OrvoCommon
