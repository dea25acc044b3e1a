#include "firmware/FirmwareProcessingFactory.h"

#include "app/LazyInstance.h"
#include "firmware/FirmwareProcessing.h"
#include "firmware/FirmwareProcessingTest.h"

#include <QCoreApplication>
#include <QPointer>

namespace OrvoCommon {

IFirmwareProcessing* FirmwareProcessingFactory::CreateFirmwareProcessing()
{
    // Used on the GUI thread only. The application object owns it, so that its downloader thread
    // and timer go while Qt is still up.
    static LazyInstance<FirmwareProcessing, QPointer<FirmwareProcessing>> instance;
    try {
        return instance.Get([] { return new FirmwareProcessing(QCoreApplication::instance()); });
    } catch (const OrvoException&) {
        return nullptr;
    }
}

IFirmwareProcessingTest* FirmwareProcessingFactory::CreateFirmwareProcessingTest()
{
    return FirmwareProcessingTest::Instance();
}

} // namespace OrvoCommon
