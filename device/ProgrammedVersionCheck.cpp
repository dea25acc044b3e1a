#include "device/ProgrammedVersionCheck.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IIndexFile.h"

namespace OrvoCommon {

ProgrammedVersionCheck::ProgrammedVersionCheck(const IIndexFile* indexFile, const FirmwareImageList& images,
                                               ILogger* logger)
    : m_indexFile(indexFile), m_images(images), m_logger(logger)
{
}

QString ProgrammedVersionCheck::CheckVersions(const QList<QString>& versions) const
{
    if (versions.size() <= 2 || versions.at(1).isEmpty() || versions.at(2).isEmpty()) {
        m_logger->LogError(QStringLiteral("CheckVersions: Required versions are not present"));
        return QLatin1String(ErrorCodes::PostReconnectQueryFailed);
    }
    for (int i = 1; i < versions.size() && m_images.size() >= i; ++i) {
        const QString expected = m_images.at(i - 1)->GetDescriptor()->GetImageRevision();
        if (m_indexFile->CompareVersions(versions.at(i), expected) != 0) {
            m_logger->LogError(QStringLiteral("Version mismatch for sub ID %1: expected %2, actual %3")
                                   .arg(i - 1)
                                   .arg(expected, versions.at(i)));
            return QLatin1String(ErrorCodes::PostReconnectMismatch);
        }
    }
    return QString();
}

} // namespace OrvoCommon
