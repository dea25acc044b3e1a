#pragma once

#include "web/SystemInfo.h"
#include "web/WebPelarinInfo.h"

#include <QString>

namespace UpdatePelarin {

// Everything a system-information upload reports: the computer, the headset and our versions.
struct WebSystemInfo
{
    OrvoCommon::SystemInfo systemInfo;
    WebPelarinInfo deviceInfo;
    QString applicationVersion;
    QString targetFirmwareVersion;
};

} // namespace UpdatePelarin
