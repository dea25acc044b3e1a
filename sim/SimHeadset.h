#pragma once

#include "sim/HeadsetProfile.h"
#include "sim/SimDfu.h"
#include "sim/SimHciTransport.h"
#include "sim/SimPsStore.h"
#include "sim/SimUsb.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <cstdint>

namespace Sim {

class SimBus;

// The model of one BlueCore headset. USB-side calls name the enumeration (generation) they were
// opened on, so a handle kept across a reset fails with NoDevice like a stale device node. Every
// member is safe to call from any thread; arrivals and removals go through the owning SimBus.
class SimHeadset
{
public:
    using Mode = SimMode;

    SimHeadset(SimBus* bus, int number, const HeadsetProfile& profile);

    // USB side.
    SimUsbResult ReadDeviceDescriptor(quint64 generation, QByteArray* descriptor);
    SimUsbResult ReadConfigDescriptor(quint64 generation, QByteArray* descriptors);
    SimUsbResult ControlTransfer(quint64 generation, const SimSetup& setup, const QByteArray& dataOut,
                                 QByteArray* dataIn);
    // Waits up to timeoutMs for an event; a set interrupted flag (checked whenever WakeReaders is
    // called) ends the wait with NoDevice, as a closed device node does.
    SimUsbResult ReadHciEvent(quint64 generation, int timeoutMs, QByteArray* event,
                              const std::atomic<bool>* interrupted = nullptr);
    void WakeReaders();
    SimUsbResult Reset(quint64 generation);

    // Control API for tests and the demo. Plugged in, the chip starts its boot loader when its
    // firmware is invalid or the profile starts it there, else its application.
    void Plug();
    void Unplug();
    bool IsConnected() const;
    Mode CurrentMode() const;
    // False while some firmware is half written (see HeadsetProfile::invalidFirmware).
    bool FirmwareValid() const;
    QString Path() const;
    quint64 Generation() const;
    int Number() const { return m_number; }
    std::uint8_t DfuState(); // lets elapsed poll and detach times take effect
    std::uint8_t DfuStatus() const;
    bool HasPsKey(std::uint16_t key) const;
    QVector<std::uint16_t> PsKey(std::uint16_t key) const;
    void SetPsKey(std::uint16_t key, const QVector<std::uint16_t>& words);
    std::uint16_t BuildId() const;
    QList<ReceivedImage> ReceivedImages() const;
    int BlocksReceived() const;
    int ResetCount() const;
    // What a test waits on to act while a request is under way: control transfers that reached the
    // headset (counted as they begin, before its latency), and HCI event reads blocked for an event.
    int ControlTransfersBegun() const;
    int EventReadsWaiting() const;
    HeadsetProfile Profile() const;
    void SetTiming(const SimTiming& timing);
    void SetFaults(const SimFaults& faults);

private:
    friend class SimBus;

    // Called by the bus on its thread when an arrival falls due; returns the new path, or an empty
    // string when the arrival was overtaken (unplugged or superseded meanwhile).
    QString Attach(quint64 arrivalToken, Mode mode);
    quint64 NextArrivalToken();

    bool IsCurrent(quint64 generation) const;
    // Where the chip boots: the boot loader when asked to (a reset during a detach, a profile that
    // starts there) or when it has nothing else to start.
    Mode BootModeLocked(bool bootLoaderWanted) const;
    Mode PowerOnModeLocked() const { return BootModeLocked(m_profile.startInDfuMode); }
    void PlugAfter(int delayMs);
    QString DetachLocked();
    void RestartLocked();
    // Waits out the profile's latency; false when the enumeration ended meanwhile.
    bool AnswerDueLocked(quint64 generation);
    bool StalledByFaultLocked();
    void HciCommandLocked(const QByteArray& command, bool* coldReset);

    SimBus* m_bus;
    const int m_number;
    mutable QMutex m_mutex;
    QWaitCondition m_eventReady; // an event was queued, or the enumeration ended
    QWaitCondition m_enumerationEnded;
    QElapsedTimer m_clock;

    HeadsetProfile m_profile; // the chip as it stands now, but for its PS store
    SimPsStore m_psStore;
    SimDfu m_dfu;
    SimHciTransport m_hci;
    bool m_plugged = false;
    bool m_connected = false;
    Mode m_mode = Mode::Application;
    quint64 m_generation = 0;
    quint64 m_arrivalToken = 0;
    QString m_path;

    int m_transfers = 0; // since the faults were set
    int m_resets = 0;
    int m_transfersBegun = 0;
    int m_eventReadsWaiting = 0;
};

} // namespace Sim
