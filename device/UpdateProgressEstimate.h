#pragma once

#include "firmware/FirmwareImageList.h"

#include <QMutex>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <cstdint>

namespace OrvoCommon {

class ILogger;

// One forward-only percentage for a programming run. Work still to do is counted in packet units:
// one per download block, 75 per image and 35 for everything outside the images (10 once blocks
// flow). Blocks and elapsed time move the estimate; the ceiling keeps it inside the current image's
// share until the programming thread moves on. Safe from any thread; Progress() is emitted on the
// thread that caused the change, after the lock is released. Images are not owned.
class UpdateProgressEstimate : public QObject
{
    Q_OBJECT

public:
    static constexpr int FixedUnitsBeforeFirstPacket = 35;
    static constexpr int FixedUnitsAfterFirstPacket = 10;
    static constexpr int UnitsPerImage = 75;
    static constexpr double UnitsPerSecond = 5;

    // Throws OrvoException ("internal-error") when there is no logger.
    explicit UpdateProgressEstimate(QObject* parent = nullptr);

    void SetTransferSize(std::uint32_t bytes);
    void SetImages(const FirmwareImageList& images);
    // Indexed by sub ID.
    void SetDeviceVersions(const QStringList& versions);
    void RemoveLoadedImages(const QSet<int>& subIds);
    void AddPacket();
    void AddElapsed(std::uint16_t milliseconds);
    void Publish(bool onlyIfChanged);

    double GetCurrent() const;
    double GetIncrement() const;
    double GetCeiling() const;
    qint64 GetUnits() const;

signals:
    void Progress(short progress);

private:
    // All with m_mutex held.
    void RecalculateLocked();
    void AdvanceLocked(double amount);
    // The value to emit, or -1 when nothing is to be emitted.
    short PublishLocked(bool onlyIfChanged);
    void Emit(short value);

    ILogger* m_logger;
    mutable QMutex m_mutex;
    short m_lastEmitted = -1;
    FirmwareImageList m_images;
    double m_current = 0;
    double m_increment = 0;
    std::uint32_t m_transferSize = 1;
    bool m_firstPacketSeen = false;
    QStringList m_deviceVersions;
    double m_ceiling = 0;
    qint64 m_units = 0;
};

} // namespace OrvoCommon
