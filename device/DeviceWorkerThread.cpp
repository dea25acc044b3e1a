#include "device/DeviceWorkerThread.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>

namespace OrvoCommon {

namespace {

struct Registry
{
    QMutex mutex;
    QList<DeviceWorkerThread*> workers;
};

Registry& Workers()
{
    static Registry registry;
    return registry;
}

QList<DeviceWorkerThread*> Snapshot()
{
    Registry& registry = Workers();
    QMutexLocker lock(&registry.mutex);
    return registry.workers;
}

} // namespace

DeviceWorkerThread::DeviceWorkerThread(QObject* parent) : QThread(parent)
{
    Registry& registry = Workers();
    QMutexLocker lock(&registry.mutex);
    registry.workers.append(this);
}

DeviceWorkerThread::~DeviceWorkerThread()
{
    Registry& registry = Workers();
    QMutexLocker lock(&registry.mutex);
    registry.workers.removeAll(this);
}

void DeviceWorkerThread::RequestStopAll()
{
    for (DeviceWorkerThread* worker : Snapshot())
        worker->RequestStop();
}

bool DeviceWorkerThread::EndAll(const QDeadlineTimer& deadline)
{
    // Only the owner's thread deletes workers, so none disappears between the snapshot and the wait.
    for (DeviceWorkerThread* worker : Snapshot()) {
        if (worker->wait(deadline))
            delete worker;
    }
    return LiveCount() == 0;
}

int DeviceWorkerThread::LiveCount()
{
    Registry& registry = Workers();
    QMutexLocker lock(&registry.mutex);
    return registry.workers.size();
}

} // namespace OrvoCommon
