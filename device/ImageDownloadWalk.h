#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace OrvoCommon {

class IFirmwareImageFile;
class IIndexFile;
class ILogger;
class SubIdOrderedImages;

// Which image the download sends next. The walk visits sub IDs 0, 1, 2, … and ends at the first one
// without an image; it picks each image the device needs: one whose version differs from the device's,
// one the device reports no version for, in manual mode a forced one, and every one once the device is
// known to hold an interrupted update. Used by the programming thread only.
class ImageDownloadWalk
{
public:
    // None of the pointers is owned; all outlive the walk.
    ImageDownloadWalk(const SubIdOrderedImages* images, const IIndexFile* indexFile, bool manualMode, ILogger* logger);

    // Nothing on the device can be trusted: every image not yet loaded is sent.
    void ForceAll() { m_forceAll = true; }
    // deviceVersions: release version, then one entry per sub ID. Null when the walk has ended. A
    // version comparison may throw OrvoException.
    IFirmwareImageFile* NextImage(const QList<QString>& deviceVersions);
    // The device's versions by sub ID as the walk weighs them: in manual mode a forced image's entry is
    // cleared, since that image is sent whatever the device holds.
    QStringList EffectiveDeviceVersions(QStringList versionsBySubId) const;
    // The image the walk stands on has been downloaded in full: it counts as loaded and the walk moves on.
    void PassLoadedImage();
    // Sub IDs whose images were downloaded in full in this run.
    const QSet<int>& Loaded() const { return m_loaded; }

private:
    bool NeedsProgramming(int subId, const IFirmwareImageFile* image, const QString& deviceVersion) const;

    const SubIdOrderedImages* m_images;
    const IIndexFile* m_indexFile;
    const bool m_manualMode;
    ILogger* m_logger;
    int m_subIndex = 0;
    QSet<int> m_loaded;
    bool m_forceAll = false;
};

} // namespace OrvoCommon
