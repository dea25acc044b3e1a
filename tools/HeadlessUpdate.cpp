// tessary-update: updates one headset without the wizard. It takes the firmware index from the
// program folder (or the maker's server), waits for a headset, reads its identity and versions,
// programs the newest release for it and confirms the versions the headset reports afterwards.
// It drives the same engine the wizard and the scripts use, on the simulated headset
// (UsbBackend "simulator") as on a real one.

#include "app/ConfigurationFactory.h"
#include "app/EventLoopWait.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/TempFileList.h"
#include "device/DeviceEngine.h"
#include "device/IPelarin.h"
#include "device/PelarinFactory.h"
#include "device/QueryInfo.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "firmware/VersionNumbers.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "usb/linux/LinuxPlatformServices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <functional>

using namespace OrvoCommon;
using UpdatePelarin::IPelarin;

namespace {

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

QString Describe(const ExceptionPtr& exception)
{
    return exception ? exception->GetErrorCode() + QStringLiteral(": ") + exception->GetMessage() : QString();
}

class HeadlessUpdate
{
public:
    HeadlessUpdate(int waitSeconds, bool force, const QString& release)
        : m_waitMs(waitSeconds * 1000), m_force(force), m_release(release)
    {
    }

    // 0 when the headset runs the wanted release afterwards (or already did), else 1.
    int Run()
    {
        IConfiguration* configuration = GetConfiguration();
        SetAsciiVersionFormat(configuration->HasAsciiVersionNumber());
        IIndexFile* index = AcquireIndexFile(configuration);
        if (!index)
            return 1;
        IPelarin* headset = UpdatePelarin::PelarinFactory::CreatePelarin();
        headset->RegisterDeviceDetection(index);
        Out() << "Waiting for a headset..." << Qt::endl;
        if (!ProcessEventsUntil([headset] { return headset->IsReady() > 0; }, m_waitMs)) {
            Out() << "No headset became ready within " << m_waitMs / 1000 << " s" << Qt::endl;
            return 1;
        }
        headset->LockInCurrentDevice();
        const ProductIdentity identity = headset->GetOrvoProductId();
        const QString current = headset->GetReleaseVersion();
        Out() << "Headset " << index->GetProductName(identity.productId) << " (0x"
              << QString::number(identity.productId, 16) << "), hardware " << identity.hardwareRevision << ", release "
              << current << ", serial " << headset->GetDeviceInfo().serialNumber << Qt::endl;

        const QString target = m_release.isEmpty() ? index->GetNewestVersion(identity) : m_release;
        if (target.isEmpty()) {
            Out() << "The firmware index offers no release for this headset" << Qt::endl;
            return 1;
        }
        if (!m_force && IsValidVersion(current) && CompareVersions(target, current) <= 0) {
            Out() << "Release " << current << " is up to date (newest offered: " << target << ")" << Qt::endl;
            return 0;
        }
        const FirmwareImageList images = AcquireImages(index->GetImageDescriptors(target, identity));
        if (images.isEmpty())
            return 1;
        if (!Program(headset, images, target))
            return 1;

        // The cold reset at the end takes the headset off the bus; it comes back updated.
        headset->ReleaseCurrentDevice();
        if (!ProcessEventsUntil(
                [headset, target] { return headset->IsReady() > 0 && headset->GetReleaseVersion() == target; },
                m_waitMs)) {
            Out() << "The headset did not come back with release " << target << Qt::endl;
            return 1;
        }
        Out() << "Updated: the headset reports release " << headset->GetReleaseVersion() << Qt::endl;
        return 0;
    }

private:
    IIndexFile* AcquireIndexFile(IConfiguration* configuration)
    {
        IFirmwareProcessing* firmware = Firmware();
        IIndexFile* index = nullptr;
        ExceptionPtr failure;
        bool done = false;
        QObject::connect(firmware, &IFirmwareProcessing::AcquireIndexFileComplete, &m_context,
                         [&](IIndexFile* indexFile, ExceptionPtr exception) {
                             index = indexFile;
                             failure = exception;
                             done = true;
                         });
        firmware->AcquireIndexFile(configuration->GetIndexFileName(), configuration->GetIndexFileHost(),
                                   configuration->GetIndexFilePath());
        const bool arrived = ProcessEventsUntil([&] { return done; }, m_waitMs);
        QObject::disconnect(firmware, nullptr, &m_context, nullptr);
        if (!arrived || !index) {
            Out() << "No firmware index: " << (arrived ? Describe(failure) : QStringLiteral("time-out")) << Qt::endl;
            return nullptr;
        }
        return index;
    }

    FirmwareImageList AcquireImages(const FirmwareImageDescriptorList& descriptors)
    {
        IFirmwareProcessing* firmware = Firmware();
        FirmwareImageList images;
        ExceptionPtr failure;
        bool done = false;
        QObject::connect(firmware, &IFirmwareProcessing::AcquireFirmwareImageFilesComplete, &m_context,
                         [&](FirmwareImageList files, ExceptionPtr exception) {
                             images = files;
                             failure = exception;
                             done = true;
                         });
        firmware->AcquireImageFiles(descriptors);
        const bool arrived = ProcessEventsUntil([&] { return done; }, m_waitMs);
        QObject::disconnect(firmware, nullptr, &m_context, nullptr);
        if (!arrived || failure || images.isEmpty()) {
            Out() << "No firmware images: " << (arrived ? Describe(failure) : QStringLiteral("time-out")) << Qt::endl;
            return FirmwareImageList();
        }
        Out() << "Firmware images: " << images.size() << " checked" << Qt::endl;
        return images;
    }

    bool Program(IPelarin* headset, const FirmwareImageList& images, const QString& target)
    {
        ExceptionPtr failure;
        bool done = false;
        int reported = -10;
        QObject::connect(headset, &IPelarin::ProgramProgress, &m_context, [&](short progress, bool verifying) {
            if (progress >= reported + 10 || (verifying && progress == 100)) {
                reported = progress;
                Out() << (verifying ? "Verifying " : "Programming ") << progress << " %" << Qt::endl;
            }
        });
        QObject::connect(headset, &IPelarin::ProgramFirmwareComplete, &m_context, [&](ExceptionPtr exception) {
            failure = exception;
            done = true;
        });
        Out() << "Programming release " << target << "..." << Qt::endl;
        headset->ProgramFirmwareAsync(images, m_force);
        // The engine's own fail-safe and reset time-outs end a stalled run; this only guards the tool.
        const bool finished = ProcessEventsUntil([&] { return done; }, 30 * 60 * 1000);
        QObject::disconnect(headset, nullptr, &m_context, nullptr);
        if (!finished || failure) {
            Out() << "Programming failed: " << (finished ? Describe(failure) : QStringLiteral("time-out")) << Qt::endl;
            return false;
        }
        return true;
    }

    IFirmwareProcessing* Firmware() { return FirmwareProcessingFactory::CreateFirmwareProcessing(); }

    const int m_waitMs;
    const bool m_force;
    const QString m_release;
    // Receiver of this run's connections, so they go with it.
    QObject m_context;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Updates a headset without the wizard, with the firmware and Config.xml of the program folder "
                       "(TESSARY_APP_DIR overrides it)."));
    parser.addHelpOption();
    const QCommandLineOption wait(QStringLiteral("wait"), QStringLiteral("Seconds to wait for a headset."),
                                  QStringLiteral("seconds"), QStringLiteral("60"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Program every image even when the headset is up to date."));
    const QCommandLineOption release(QStringLiteral("release"),
                                     QStringLiteral("The release to program instead of the newest."),
                                     QStringLiteral("version"));
    parser.addOptions({wait, force, release});
    parser.process(application);

    LinkLinuxSystemInfoReader();
    LinkLinuxUsbPlatformServices();
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();
    RegisterDeviceMetaTypes();

    // Downloads are registered in this list and go at exit, so that no run works from what an
    // earlier one fetched; what a killed run left behind goes now.
    TempFileList::Instance()->SetListFileName(QStringLiteral("TessaryUpdateTempFiles.txt"));
    DeleteTempFiles();

    int status = 1;
    try {
        ILogger* logger = GetLogger();
        logger->SetLogFile(QStringLiteral("TessaryUpdate.log"), false);
        logger->SetLoggingLevel(GetConfiguration()->GetLoggingLevel());
        status = HeadlessUpdate(parser.value(wait).toInt(), parser.isSet(force), parser.value(release)).Run();
    } catch (const OrvoException& exception) {
        Out() << "Update failed: " << exception.GetErrorCode() << ": " << exception.GetMessage() << Qt::endl;
    }
    // Whatever is still running (a query of a headset that does not answer) ends here, while Qt is up.
    DeviceEngine::ShutDown();
    DeleteTempFiles();
    return status;
}
