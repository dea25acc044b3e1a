#pragma once

#include <QHash>
#include <QPair>
#include <QString>

#include <cstdint>

namespace UpdatePelarin {

// The version report sent after a successful update; filled by the device facade.
struct WebVersionInfo
{
    std::uint16_t deviceId = 0;
    QString hardwareRevision;
    std::int16_t personality = 0;
    std::uint16_t variant = 0;
    QString serialNumber;
    // Sub-id to (previous revision, new revision).
    QHash<std::uint16_t, QPair<QString, QString>> subcomponents;
};

} // namespace UpdatePelarin
