#pragma once

#include <QDeadlineTimer>
#include <QThread>

namespace OrvoCommon {

// A worker thread of the device engine (a query or a programming run). Every live one is known here,
// so that the engine can be ended at any moment: the shutdown asks each to stop, waits for them and
// deletes them, instead of destroying the devices they still use. Made and deleted on the thread that
// owns the USB interface (the GUI thread).
class DeviceWorkerThread : public QThread
{
    Q_OBJECT

public:
    ~DeviceWorkerThread() override;

    // Makes the run end at its next step and report nothing. A request under way ends by itself;
    // a read blocked on a closed device ends at once. Callable from any thread.
    virtual void RequestStop() = 0;

    // Asks every live worker to stop.
    static void RequestStopAll();
    // Waits until every live worker has finished, or the deadline has passed, and deletes those that
    // finished (their pending self-deletion goes with them). True when none is left.
    static bool EndAll(const QDeadlineTimer& deadline);
    static int LiveCount();

protected:
    explicit DeviceWorkerThread(QObject* parent = nullptr);
};

} // namespace OrvoCommon
