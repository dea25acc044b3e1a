// Ends the engine at one chosen moment of an update, as the wizard does when the user leaves: runs
// the engine against the simulated headset (or a web server) of the program folder, waits until the
// moment has come, shuts the engine down and leaves main. Prints how long the shutdown took.
//   tessary-shutdown-probe query|programming|reset|download|upload [port]
// Exit code 0 when the engine ended within its bound.

#include "app/ConfigurationFactory.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "device/DeviceEngine.h"
#include "device/IPelarin.h"
#include "device/PelarinFactory.h"
#include "device/QueryInfo.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "usb/linux/LinuxPlatformServices.h"
#include "web/WebInterfaceTest.h"
#include "web/WebUploader.h"
#include "web/WebVersionInfo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace OrvoCommon;

namespace {

constexpr int MomentWaitMs = 20000;
const QString LogName = QStringLiteral("ShutdownProbe.log");

// True once the log holds a line with the text; the log is the one witness every layer writes to.
bool Logged(const QString& text)
{
    QFile log(TempDirectoryWithSlash() + LogName);
    return log.open(QIODevice::ReadOnly) && log.readAll().contains(text.toUtf8());
}

// Runs the event loop until the text is logged.
bool WaitForLine(const QString& text)
{
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(10);
    while (!Logged(text)) {
        if (clock.hasExpired(MomentWaitMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The first release the index offers for the sample headset, as files in the program folder.
FirmwareImageList SampleImages(IFirmwareProcessing* firmware, IIndexFile* index)
{
    ProductIdentity identity;
    identity.productId = 0x1F20;
    identity.hardwareRevision = QStringLiteral("01.00.00");
    FirmwareImageList images;
    QObject::connect(firmware, &IFirmwareProcessing::AcquireFirmwareImageFilesComplete,
                     [&images](FirmwareImageList files, ExceptionPtr) { images = files; });
    firmware->AcquireImageFiles(index->GetImageDescriptors(index->GetNewestVersion(identity), identity));
    return images;
}

// Starts what the moment needs and returns the log line that says it has come; empty when it cannot.
QString Begin(const QString& moment, int port, std::unique_ptr<UpdatePelarin::WebUploader>* uploader)
{
    IFirmwareProcessing* firmware = FirmwareProcessingFactory::CreateFirmwareProcessing();
    if (moment == QLatin1String("download")) {
        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetDownloadPort(static_cast<std::uint16_t>(port));
        firmware->AcquireIndexFile(QStringLiteral("missing-index.xml"), QStringLiteral("127.0.0.1"),
                                   QStringLiteral("/stall/"));
        return QStringLiteral("Downloading from");
    }
    if (moment == QLatin1String("upload")) {
        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetUploadPort(static_cast<std::uint16_t>(port));
        UpdatePelarin::WebUploader::SetMakerHostForTests(QStringLiteral("127.0.0.1"));
        *uploader = std::make_unique<UpdatePelarin::WebUploader>();
        (*uploader)->UploadVersionInfo(UpdatePelarin::WebVersionInfo());
        return QStringLiteral("Uploading version update info to web server");
    }

    IIndexFile* index = nullptr;
    QObject::connect(firmware, &IFirmwareProcessing::AcquireIndexFileComplete,
                     [&index](IIndexFile* acquired, ExceptionPtr) { index = acquired; });
    IConfiguration* configuration = GetConfiguration();
    firmware->AcquireIndexFile(configuration->GetIndexFileName(), configuration->GetIndexFileHost(),
                               configuration->GetIndexFilePath());
    if (!index)
        return QString();
    UpdatePelarin::IPelarin* headset = UpdatePelarin::PelarinFactory::CreatePelarin();
    headset->RegisterDeviceDetection(index);
    if (moment == QLatin1String("query"))
        return QStringLiteral("Querying versions");

    // Programming starts once the headset is ready; the moment is a block under way or a reset wait.
    QObject::connect(headset, &UpdatePelarin::IPelarin::DeviceReady, headset, [headset, firmware, index] {
        const FirmwareImageList images = SampleImages(firmware, index);
        headset->ProgramFirmwareAsync(images, true);
    });
    if (moment == QLatin1String("programming"))
        return QStringLiteral("DFU_DNLOAD - block = 3,");
    if (moment == QLatin1String("reset"))
        return QStringLiteral("DfuThread state changed to RESETTING_TO_DFU_MODE");
    return QString();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString moment = application.arguments().value(1);
    const int port = application.arguments().value(2).toInt();
    LinkLinuxSystemInfoReader();
    LinkLinuxUsbPlatformServices();
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();
    RegisterDeviceMetaTypes();
    ILogger* logger = GetLogger();
    logger->SetLogFile(LogName, false);
    logger->SetLoggingLevel(7);

    int status = 0;
    std::unique_ptr<UpdatePelarin::WebUploader> uploader;
    const QString line = Begin(moment, port, &uploader);
    if (line.isEmpty() || !WaitForLine(line)) {
        std::fprintf(stderr, "the moment \"%s\" did not come\n", qPrintable(moment));
        status = 2;
    }

    QElapsedTimer clock;
    clock.start();
    if (!DeviceEngine::ShutDown())
        status = 1;
    // What the application object owns goes with it: the firmware acquisition and its downloader.
    uploader.reset();
    delete FirmwareProcessingFactory::CreateFirmwareProcessing();
    std::printf("shutdown took %lld ms\n", static_cast<long long>(clock.elapsed()));
    return status;
}
