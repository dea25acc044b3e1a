#pragma once

#include "firmware/IFirmwareImageFile.h"

#include <QList>
#include <QMetaType>

#include <cstdint>

namespace OrvoCommon {

// The image files of one release, passed by value between acquisition, the wizard, the facade and
// the programming thread. The list is copied; the files belong to the acquisition that made them.
using FirmwareImageList = QList<IFirmwareImageFile*>;

// The first file whose descriptor has the sub ID; null when none has.
IFirmwareImageFile* FindImageBySubId(const FirmwareImageList& list, std::uint16_t subId);

// Registers "FirmwareImageList" for queued signals; safe to call more than once.
void RegisterFirmwareMetaTypes();

} // namespace OrvoCommon

Q_DECLARE_METATYPE(OrvoCommon::FirmwareImageList)
