#pragma once

#include "firmware/FirmwareImageList.h"

namespace OrvoCommon {

// The images of one release, lowest sub ID first: the download walks them by sub ID and the version
// check after programming goes by position. Images of one sub ID keep the order they came in.
class SubIdOrderedImages
{
public:
    explicit SubIdOrderedImages(const FirmwareImageList& images);

    const FirmwareImageList& List() const { return m_images; }
    // The first image of the sub ID; null when none has it, or when the number is no sub ID at all.
    IFirmwareImageFile* Find(int subId) const;

    static int SubIdOf(const IFirmwareImageFile* image);

private:
    FirmwareImageList m_images;
};

} // namespace OrvoCommon
