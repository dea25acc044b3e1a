#include "device/PelarinUsbCommDriverFactory.h"

#include "device/PelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverTest.h"

#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace OrvoCommon {

namespace {

struct DriverHolder
{
    QMutex mutex;
    std::unique_ptr<PelarinUsbCommDriver> driver;
};

DriverHolder& Holder()
{
    static DriverHolder holder;
    return holder;
}

} // namespace

IPelarinUsbCommDriver* PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver()
{
    DriverHolder& holder = Holder();
    QMutexLocker lock(&holder.mutex);
    if (!holder.driver)
        holder.driver = std::make_unique<PelarinUsbCommDriver>();
    return holder.driver.get();
}

UpdatePelarin::PelarinUsbCommDriverTest* PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()
{
    return UpdatePelarin::PelarinUsbCommDriverTest::Instance();
}

void PelarinUsbCommDriverFactory::Destroy()
{
    DriverHolder& holder = Holder();
    QMutexLocker lock(&holder.mutex);
    holder.driver.reset();
}

} // namespace OrvoCommon
