#include "device/PelarinFactory.h"

#include "app/LazyInstance.h"
#include "device/Pelarin.h"

namespace UpdatePelarin {

namespace {

OrvoCommon::LazyInstance<Pelarin>& Facade()
{
    static OrvoCommon::LazyInstance<Pelarin> facade;
    return facade;
}

} // namespace

IPelarin* PelarinFactory::CreatePelarin()
{
    return Facade().Get();
}

void PelarinFactory::Destroy()
{
    Facade().Reset();
}

} // namespace UpdatePelarin
