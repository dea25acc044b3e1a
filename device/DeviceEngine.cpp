#include "device/DeviceEngine.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/DeviceWorkerThread.h"
#include "device/PelarinFactory.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "usb/CsrUsbInterface.h"
#include "usb/CsrUsbInterfaceFactory.h"

#include <QDeadlineTimer>

namespace OrvoCommon {

bool DeviceEngine::ShutDown(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    DeviceWorkerThread::RequestStopAll();
    CsrUsbInterfaceFactory* usb = CsrUsbInterfaceFactory::Instance();
    if (CsrUsbInterface* existing = usb->ExistingInterface())
        existing->InterruptDevices();
    if (!DeviceWorkerThread::EndAll(deadline)) {
        if (ILogger* logger = GetLogger())
            logger->LogError(QStringLiteral("DeviceEngine: %1 worker threads did not end; the engine stays")
                                 .arg(DeviceWorkerThread::LiveCount()));
        return false;
    }
    UpdatePelarin::PelarinFactory::Destroy();
    PelarinUsbCommDriverFactory::Destroy();
    usb->Destroy();
    return true;
}

} // namespace OrvoCommon
