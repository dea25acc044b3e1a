#include "device/PelarinFactory.h"

#include "device/Pelarin.h"

#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace UpdatePelarin {

namespace {

struct FacadeHolder
{
    QMutex mutex;
    std::unique_ptr<Pelarin> facade;
};

FacadeHolder& Holder()
{
    static FacadeHolder holder;
    return holder;
}

} // namespace

IPelarin* PelarinFactory::CreatePelarin()
{
    FacadeHolder& holder = Holder();
    QMutexLocker lock(&holder.mutex);
    if (!holder.facade)
        holder.facade = std::make_unique<Pelarin>();
    return holder.facade.get();
}

void PelarinFactory::Destroy()
{
    FacadeHolder& holder = Holder();
    QMutexLocker lock(&holder.mutex);
    holder.facade.reset();
}

} // namespace UpdatePelarin
