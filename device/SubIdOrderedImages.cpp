#include "device/SubIdOrderedImages.h"

#include "firmware/IFirmwareImageDescriptor.h"

#include <algorithm>

namespace OrvoCommon {

SubIdOrderedImages::SubIdOrderedImages(const FirmwareImageList& images) : m_images(images)
{
    std::stable_sort(m_images.begin(), m_images.end(),
                     [](const IFirmwareImageFile* a, const IFirmwareImageFile* b) { return SubIdOf(a) < SubIdOf(b); });
}

IFirmwareImageFile* SubIdOrderedImages::Find(int subId) const
{
    if (subId < 0 || subId > 0xFFFF)
        return nullptr;
    return FindImageBySubId(m_images, static_cast<std::uint16_t>(subId));
}

int SubIdOrderedImages::SubIdOf(const IFirmwareImageFile* image)
{
    return image->GetDescriptor()->GetSubId();
}

} // namespace OrvoCommon
