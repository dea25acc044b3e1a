#pragma once

#include "sim/HeadsetProfile.h"
#include "sim/SimHeadset.h"

#include <QMutex>
#include <QObject>
#include <QPair>
#include <QStringList>

#include <memory>
#include <vector>

namespace Sim {

// The USB bus the simulated headsets sit on: owns them, finds them by device path and announces
// arrivals and removals. Lives in the thread that created it (the GUI thread); its signals are
// always emitted there, in the order the events happened, however many threads drive the headsets.
class SimBus : public QObject
{
    Q_OBJECT

public:
    explicit SimBus(QObject* parent = nullptr);
    ~SimBus() override;

    // Adds the headsets of a profile file; false with a message naming the file and the problem.
    bool LoadProfile(const QString& path, QString* error);
    // A headset plugged in without a delay is present at once and announced; with a plug delay it
    // arrives later.
    SimHeadset* AddHeadset(const HeadsetProfile& profile);

    QList<SimHeadset*> Headsets() const;
    SimHeadset* Headset(int index) const;
    QStringList PresentPaths() const;
    // Letter case does not matter, as with the operating system's device paths.
    SimHeadset* Find(const QString& path, quint64* generation) const;

    // Raw notices as an operating system sometimes sends them: a repeated arrival in another
    // letter case, a removal of a node nobody saw.
    void AnnounceArrival(const QString& path);
    void AnnounceRemoval(const QString& path);
    // Holds the arrival and removal notices back, as a USB stack that announces them late (a real
    // machine's removal notice comes some milliseconds after the transfers start failing); releasing
    // delivers them in order. On the bus's thread.
    void HoldNotices();
    void ReleaseNotices();

signals:
    void DeviceArrived(const QString& path);
    void DeviceRemoved(const QString& path);

private:
    friend class SimHeadset;
    void PostRemoval(const QString& path);
    void ScheduleArrival(SimHeadset* headset, SimHeadset::Mode mode, int delayMs);
    // On the bus's thread: announces the arrival or removal of path, or keeps it while notices are held.
    void Notify(bool arrived, const QString& path);

    mutable QMutex m_mutex;
    std::vector<std::unique_ptr<SimHeadset>> m_headsets;
    bool m_holding = false;
    QList<QPair<bool, QString>> m_held; // arrived, path
};

} // namespace Sim
