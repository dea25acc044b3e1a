#include "device/DeviceEngineShutdown.h"

#include "app/EventLoopWait.h"
#include "app/OrvoException.h"
#include "device/DfuThread.h"
#include "device/PelarinFactory.h"
#include "device/PelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "usb/CsrUsbInterfaceFactory.h"

#include <QCoreApplication>

namespace OrvoCommon {

namespace {

constexpr int ThreadEndTimeoutMs = 30000;

} // namespace

void ShutDownDeviceEngine()
{
    try {
        ProcessEventsUntil([] { return DfuThread::LiveCount() == 0; }, ThreadEndTimeoutMs);
        if (auto* driver =
                dynamic_cast<PelarinUsbCommDriver*>(PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver()))
            ProcessEventsUntil([driver] { return !driver->HasBusyDevices(); }, ThreadEndTimeoutMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UpdatePelarin::PelarinFactory::Destroy();
        PelarinUsbCommDriverFactory::Destroy();
        CsrUsbInterfaceFactory::Instance()->Destroy();
    } catch (const OrvoException&) {
        // Nothing was started, so there is nothing to end.
    }
}

} // namespace OrvoCommon
