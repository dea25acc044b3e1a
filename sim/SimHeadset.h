#pragma once

#include "sim/HeadsetProfile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QQueue>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <cstdint>

namespace Sim {

class SimBus;

enum class SimUsbResult
{
    Ok,
    Stall,
    Timeout,
    NoDevice, // the enumeration the caller opened is gone
    Error,    // no such endpoint in this mode
};

struct SimSetup
{
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

// An image the headset received in DFU mode, as it stood at manifestation.
struct ReceivedImage
{
    QByteArray body;
    bool verified = false;
    std::uint16_t subId = 0;
    QString version;
};

// The model of one BlueCore headset. USB-side calls name the enumeration (generation) they were
// opened on, so a handle kept across a reset fails with NoDevice like a stale device node. Every
// member is safe to call from any thread; arrivals and removals go through the owning SimBus.
class SimHeadset
{
public:
    enum class Mode
    {
        Application,
        Dfu,
    };

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
    // The first bytes of a download name the firmware it replaces, which is no longer whole from then on.
    void NoteRewriteLocked();
    QString DetachLocked();
    void AdvanceLocked();
    QByteArray DeviceDescriptorLocked() const;
    // Empty for a string the headset does not have.
    QByteArray StringDescriptorLocked(std::uint8_t index, std::uint16_t language) const;
    void RestartLocked();
    QByteArray ConfigurationLocked() const;
    bool StalledByFaultLocked();
    SimUsbResult StandardRequestLocked(const SimSetup& setup, QByteArray* dataIn);
    SimUsbResult RuntimeDfuLocked(const SimSetup& setup, QByteArray* dataIn);
    SimUsbResult DfuModeLocked(const SimSetup& setup, const QByteArray& dataOut, QByteArray* dataIn, bool* unplug);
    SimUsbResult DfuStallLocked();
    QByteArray StatusLocked();
    void ManifestLocked();
    void HciCommandLocked(const QByteArray& command, bool* coldReset);
    void BcCmdLocked(const QByteArray& message, bool* coldReset);
    void QueueEventLocked(const QByteArray& event);
    void QueueBcCmdResponseLocked(const QByteArray& message);

    SimBus* m_bus;
    const int m_number;
    mutable QMutex m_mutex;
    QWaitCondition m_eventReady;
    QElapsedTimer m_clock;

    HeadsetProfile m_profile;
    bool m_plugged = false;
    bool m_connected = false;
    Mode m_mode = Mode::Application;
    quint64 m_generation = 0;
    quint64 m_arrivalToken = 0;
    QString m_path;

    QQueue<QByteArray> m_events;
    QByteArray m_commandFragments;

    std::uint8_t m_state = 0;
    std::uint8_t m_status = 0;
    qint64 m_deadline = 0; // end of appDETACH, dfuDNBUSY or dfuMANIFEST
    bool m_blockPending = false;
    bool m_blockFailed = false;
    bool m_manifested = false;
    int m_nextBlock = 0;
    QByteArray m_download;
    int m_rewriting = -1;   // sub ID the download in progress replaces, once its header has arrived
    int m_manifesting = -1; // sub ID of the verified image being manifested

    QList<ReceivedImage> m_received;
    int m_transfers = 0;
    int m_blocks = 0;
    int m_resets = 0;
};

} // namespace Sim
