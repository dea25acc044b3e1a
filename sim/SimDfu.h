#pragma once

#include "sim/HeadsetProfile.h"
#include "sim/SimUsb.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <cstdint>

namespace Sim {

class SimPsStore;

// An image the headset received in DFU mode, as it stood at manifestation.
struct ReceivedImage
{
    QByteArray body;
    bool verified = false;
    std::uint16_t subId = 0;
    QString version;
};

// The chip's USB DFU 1.1 state machine: the run-time requests its application answers and the
// download, status and manifestation requests of its boot loader. It rewrites the firmware the
// profile describes (which sub IDs are whole, the build id, the VM version in the PS store) and keeps
// every image it was sent. Not thread-safe: its headset calls it under the headset's lock.
class SimDfu
{
public:
    SimDfu(HeadsetProfile* profile, SimPsStore* psStore, const QElapsedTimer* clock);

    // Where the state machine starts when the chip boots in this mode; a download or manifestation
    // under way is lost (a manifestation cut short leaves its firmware invalid).
    void Restart(SimMode mode);
    // Lets elapsed detach, poll and manifestation times take effect.
    void Advance();
    SimUsbResult RuntimeRequest(const SimSetup& setup, QByteArray* dataIn);
    // unplug is set when the faults pull the cable right after this block.
    SimUsbResult BootLoaderRequest(const SimSetup& setup, const QByteArray& dataOut, QByteArray* dataIn, bool* unplug);

    std::uint8_t State() const { return m_state; }
    std::uint8_t Status() const { return m_status; }
    bool Detaching() const;
    const QList<ReceivedImage>& Received() const { return m_received; }
    int BlocksReceived() const { return m_blocks; }
    // Faults count blocks from the moment they are set.
    void RestartBlockCount() { m_blocks = 0; }

private:
    SimUsbResult Stall();
    QByteArray StatusReply();
    void Manifest();
    // The first bytes of a download name the firmware it replaces, which is no longer whole from then on.
    void NoteRewrite();

    HeadsetProfile* const m_profile;
    SimPsStore* const m_psStore;
    const QElapsedTimer* const m_clock;

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
    int m_blocks = 0;
};

} // namespace Sim
