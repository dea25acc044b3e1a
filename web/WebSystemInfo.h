#pragma once

#include "web/SystemInfo.h"
#include "web/WebPelarinInfo.h"

#include <QMetaType>
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

Q_DECLARE_METATYPE(UpdatePelarin::WebSystemInfo)
