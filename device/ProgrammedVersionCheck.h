#pragma once

#include "firmware/FirmwareImageList.h"

#include <QList>
#include <QString>

namespace OrvoCommon {

class IIndexFile;
class ILogger;

// Tells whether the device runs the release it was just given, from the versions it reports after the
// final reset: sub IDs 0 and 1 must report one, and the image at each position of the sub-ID ordered
// list must match the version at the same position.
class ProgrammedVersionCheck
{
public:
    // images: in sub-ID order. Neither pointer is owned.
    ProgrammedVersionCheck(const IIndexFile* indexFile, const FirmwareImageList& images, ILogger* logger);

    // versions: release version, then one entry per sub ID. Logs what failed and returns the error code
    // to record; empty when the versions match. A version comparison may throw OrvoException.
    QString CheckVersions(const QList<QString>& versions) const;

private:
    const IIndexFile* m_indexFile;
    const FirmwareImageList m_images;
    ILogger* m_logger;
};

} // namespace OrvoCommon
