#include "device/PelarinUsbCommDriverFactory.h"

#include "app/LazyInstance.h"
#include "device/PelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverTest.h"

namespace OrvoCommon {

namespace {

LazyInstance<PelarinUsbCommDriver>& Driver()
{
    static LazyInstance<PelarinUsbCommDriver> driver;
    return driver;
}

} // namespace

IPelarinUsbCommDriver* PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver()
{
    return Driver().Get();
}

UpdatePelarin::PelarinUsbCommDriverTest* PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()
{
    return UpdatePelarin::PelarinUsbCommDriverTest::Instance();
}

void PelarinUsbCommDriverFactory::Destroy()
{
    Driver().Reset();
}

} // namespace OrvoCommon
