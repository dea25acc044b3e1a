#include "firmware/FirmwareFileLocator.h"

#include "app/ErrorCodes.h"
#include "app/LazyInstance.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "firmware/LoggedException.h"
#include "sysinfo/ISystemInfoReader.h"

#include <QFileInfo>

#include <memory>

namespace OrvoCommon {

namespace {
constexpr char FirmwareFolder[] = "FirmwareFiles";
}

FirmwareFileLocator* FirmwareFileLocator::Instance()
{
    static LazyInstance<FirmwareFileLocator> instance;
    return instance.Get([] {
        SystemInfoReaderFactory* factory = SystemInfoReaderFactory::Registered();
        ISystemInfoReader* reader = factory ? factory->CreateSystemInfoReader() : nullptr;
        if (!reader)
            ThrowLoggedException(GetLogger(), ErrorCodes::InternalError,
                                 QStringLiteral("Unable to acquire SystemInfoReader"));
        const QString bundlePath = reader->GetBundlePath();
        if (bundlePath.isEmpty())
            ThrowLoggedException(GetLogger(), ErrorCodes::InternalError,
                                 QStringLiteral("Unable to acquire bundle path"));
        return std::unique_ptr<FirmwareFileLocator>(new FirmwareFileLocator(bundlePath));
    });
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
