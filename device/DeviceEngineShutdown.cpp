#include "device/DeviceEngineShutdown.h"

#include "app/OrvoException.h"
#include "device/DfuThread.h"
#include "device/PelarinFactory.h"
#include "device/PelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "usb/CsrUsbInterfaceFactory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace OrvoCommon {

namespace {

constexpr int ThreadEndTimeoutMs = 30000;

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

} // namespace

void ShutDownDeviceEngine()
{
    try {
        WaitFor([] { return DfuThread::LiveCount() == 0; }, ThreadEndTimeoutMs);
        if (auto* driver =
                dynamic_cast<PelarinUsbCommDriver*>(PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver()))
            WaitFor([driver] { return !driver->HasBusyDevices(); }, ThreadEndTimeoutMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UpdatePelarin::PelarinFactory::Destroy();
        PelarinUsbCommDriverFactory::Destroy();
        CsrUsbInterfaceFactory::Instance()->Destroy();
    } catch (const OrvoException&) {
        // Nothing was started, so there is nothing to end.
    }
}

} // namespace OrvoCommon
