#include "firmware/FirmwareImageList.h"

#include "firmware/IFirmwareImageDescriptor.h"

namespace OrvoCommon {

IFirmwareImageFile* FindImageBySubId(const FirmwareImageList& list, std::uint16_t subId)
{
    for (IFirmwareImageFile* file : list) {
        if (file && file->GetDescriptor() && file->GetDescriptor()->GetSubId() == subId)
            return file;
    }
    return nullptr;
}

void RegisterFirmwareMetaTypes()
{
    qRegisterMetaType<FirmwareImageList>("FirmwareImageList");
}

} // namespace OrvoCommon
