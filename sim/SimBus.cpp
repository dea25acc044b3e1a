#include "sim/SimBus.h"

#include <QMutexLocker>
#include <QTimer>

#include <utility>

namespace Sim {

SimBus::SimBus(QObject* parent) : QObject(parent) {}

SimBus::~SimBus() = default;

bool SimBus::LoadProfile(const QString& path, QString* error)
{
    QList<HeadsetProfile> profiles;
    if (!LoadHeadsetProfiles(path, &profiles, error))
        return false;
    for (const HeadsetProfile& profile : profiles)
        AddHeadset(profile);
    return true;
}

SimHeadset* SimBus::AddHeadset(const HeadsetProfile& profile)
{
    SimHeadset* headset = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        m_headsets.push_back(std::make_unique<SimHeadset>(this, static_cast<int>(m_headsets.size()) + 1, profile));
        headset = m_headsets.back().get();
    }
    if (profile.pluggedIn) {
        SimHeadset::Mode mode = SimHeadset::Mode::Application;
        {
            QMutexLocker lock(&headset->m_mutex);
            headset->m_plugged = true;
            mode = headset->PowerOnModeLocked();
        }
        if (profile.timing.plugDelayMs > 0) {
            ScheduleArrival(headset, mode, profile.timing.plugDelayMs);
        } else {
            const QString path = headset->Attach(headset->NextArrivalToken(), mode);
            if (!path.isEmpty())
                Notify(true, path);
        }
    }
    return headset;
}

QList<SimHeadset*> SimBus::Headsets() const
{
    QMutexLocker lock(&m_mutex);
    QList<SimHeadset*> result;
    for (const auto& headset : m_headsets)
        result.append(headset.get());
    return result;
}

SimHeadset* SimBus::Headset(int index) const
{
    QMutexLocker lock(&m_mutex);
    if (index < 0 || index >= static_cast<int>(m_headsets.size()))
        return nullptr;
    return m_headsets[static_cast<std::size_t>(index)].get();
}

QStringList SimBus::PresentPaths() const
{
    QStringList paths;
    for (SimHeadset* headset : Headsets()) {
        const QString path = headset->Path();
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

SimHeadset* SimBus::Find(const QString& path, quint64* generation) const
{
    for (SimHeadset* headset : Headsets()) {
        QMutexLocker lock(&headset->m_mutex);
        if (headset->m_connected && headset->m_path.compare(path, Qt::CaseInsensitive) == 0) {
            *generation = headset->m_generation;
            return headset;
        }
    }
    return nullptr;
}

void SimBus::AnnounceArrival(const QString& path)
{
    QMetaObject::invokeMethod(
        this, [this, path] { Notify(true, path); }, Qt::QueuedConnection);
}

void SimBus::AnnounceRemoval(const QString& path)
{
    PostRemoval(path);
}

void SimBus::HoldNotices()
{
    m_holding = true;
}

void SimBus::ReleaseNotices()
{
    m_holding = false;
    const QList<QPair<bool, QString>> held = std::exchange(m_held, {});
    for (const auto& notice : held)
        Notify(notice.first, notice.second);
}

void SimBus::Notify(bool arrived, const QString& path)
{
    if (m_holding)
        m_held.append({arrived, path});
    else if (arrived)
        emit DeviceArrived(path);
    else
        emit DeviceRemoved(path);
}

void SimBus::PostRemoval(const QString& path)
{
    QMetaObject::invokeMethod(
        this, [this, path] { Notify(false, path); }, Qt::QueuedConnection);
}

void SimBus::ScheduleArrival(SimHeadset* headset, SimHeadset::Mode mode, int delayMs)
{
    const quint64 token = headset->NextArrivalToken();
    // Queued first so that the arrival cannot overtake a removal posted before it.
    QMetaObject::invokeMethod(
        this,
        [this, headset, mode, delayMs, token] {
            QTimer::singleShot(delayMs, this, [this, headset, mode, token] {
                const QString path = headset->Attach(token, mode);
                if (!path.isEmpty())
                    Notify(true, path);
            });
        },
        Qt::QueuedConnection);
}

} // namespace Sim
