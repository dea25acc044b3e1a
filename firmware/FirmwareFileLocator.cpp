#include "firmware/FirmwareFileLocator.h"

#include "app/ErrorCodes.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "firmware/LoggedException.h"
#include "sysinfo/ISystemInfoReader.h"

#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace OrvoCommon {

namespace {
constexpr char FirmwareFolder[] = "FirmwareFiles";
}

FirmwareFileLocator* FirmwareFileLocator::Instance()
{
    static QMutex mutex;
    static std::unique_ptr<FirmwareFileLocator> instance;
    QMutexLocker lock(&mutex);
    if (instance)
        return instance.get();

    SystemInfoReaderFactory* factory = SystemInfoReaderFactory::Registered();
    ISystemInfoReader* reader = factory ? factory->CreateSystemInfoReader() : nullptr;
    if (!reader)
        ThrowLoggedException(GetLogger(), ErrorCodes::InternalError,
                             QStringLiteral("Unable to acquire SystemInfoReader"));
    const QString bundlePath = reader->GetBundlePath();
    if (bundlePath.isEmpty())
        ThrowLoggedException(GetLogger(), ErrorCodes::InternalError, QStringLiteral("Unable to acquire bundle path"));
    instance.reset(new FirmwareFileLocator(bundlePath));
    return instance.get();
}

QString FirmwareFileLocator::FindFolder(const QString& fileName) const
{
    const QString programFolder = ProgramDirectory();
    if (QFileInfo::exists(programFolder + QLatin1Char('/') + fileName))
        return programFolder;
    const QString bundleFolder = m_bundlePath + QLatin1Char('/') + QLatin1String(FirmwareFolder);
    if (QFileInfo::exists(bundleFolder + QLatin1Char('/') + fileName))
        return bundleFolder;
    return QString();
}

} // namespace OrvoCommon
