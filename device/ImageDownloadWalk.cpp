#include "device/ImageDownloadWalk.h"

#include "app/ILogger.h"
#include "device/SubIdOrderedImages.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "firmware/IIndexFile.h"

namespace OrvoCommon {

ImageDownloadWalk::ImageDownloadWalk(const SubIdOrderedImages* images, const IIndexFile* indexFile, bool manualMode,
                                     ILogger* logger)
    : m_images(images), m_indexFile(indexFile), m_manualMode(manualMode), m_logger(logger)
{
}

IFirmwareImageFile* ImageDownloadWalk::NextImage(const QList<QString>& deviceVersions)
{
    for (;;) {
        IFirmwareImageFile* image = m_images->Find(m_subIndex);
        if (!image)
            return nullptr;
        if (NeedsProgramming(m_subIndex, image, deviceVersions.value(m_subIndex + 1))) {
            m_logger->LogInformation(QStringLiteral("Sending file %1").arg(image->GetDescriptor()->GetFileName()));
            return image;
        }
        ++m_subIndex;
    }
}

QStringList ImageDownloadWalk::EffectiveDeviceVersions(QStringList versionsBySubId) const
{
    if (m_manualMode) {
        for (const IFirmwareImageFile* image : m_images->List()) {
            const int subId = SubIdOrderedImages::SubIdOf(image);
            if (image->GetDescriptor()->IsForced() && subId < versionsBySubId.size())
                versionsBySubId[subId].clear();
        }
    }
    return versionsBySubId;
}

void ImageDownloadWalk::PassLoadedImage()
{
    m_loaded.insert(m_subIndex);
    ++m_subIndex;
}

bool ImageDownloadWalk::NeedsProgramming(int subId, const IFirmwareImageFile* image, const QString& deviceVersion) const
{
    if (m_loaded.contains(subId))
        return false;
    if (m_manualMode && image->GetDescriptor()->IsForced())
        return true;
    if (m_forceAll || deviceVersion.isEmpty())
        return true;
    return m_indexFile->CompareVersions(image->GetDescriptor()->GetImageRevision(), deviceVersion) != 0;
}

} // namespace OrvoCommon
