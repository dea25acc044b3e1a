#include "sim/SimDfu.h"

#include "sim/SimBytes.h"
#include "sim/SimImage.h"
#include "sim/SimProtocol.h"
#include "sim/SimPsStore.h"

#include <algorithm>

namespace Sim {

using namespace SimProtocol;

SimDfu::SimDfu(HeadsetProfile* profile, SimPsStore* psStore, const QElapsedTimer* clock)
    : m_profile(profile), m_psStore(psStore), m_clock(clock)
{
}

void SimDfu::Restart(SimMode mode)
{
    m_state = mode == SimMode::Application ? AppIdle : DfuIdle;
    m_status = StatusOk;
    m_blockPending = false;
    m_manifested = false;
    m_download.clear();
    m_rewriting = -1;
    m_manifesting = -1;
}

bool SimDfu::Detaching() const
{
    return m_state == AppDetach;
}

void SimDfu::Advance()
{
    const qint64 now = m_clock->elapsed();
    if (now < m_deadline)
        return;
    if (m_state == AppDetach) {
        m_state = AppIdle;
    } else if (m_state == DfuDnbusy) {
        m_state = DfuDnloadSync;
    } else if (m_state == DfuManifest) {
        // Only a manifestation that ran its course makes the firmware whole again.
        if (m_manifesting >= 0)
            m_profile->invalidFirmware.remove(static_cast<std::uint16_t>(m_manifesting));
        m_manifesting = -1;
        if (m_profile->dfuModeAttributes & AttrManifestationTolerant) {
            m_state = DfuManifestSync;
            m_manifested = true;
        } else {
            m_state = DfuManifestWaitReset;
        }
    }
}

SimUsbResult SimDfu::RuntimeRequest(const SimSetup& setup, QByteArray* dataIn)
{
    const bool isIn = setup.requestType == DfuRequestIn;
    if (isIn && setup.request == DfuGetStatus) {
        *dataIn = Bytes({StatusOk, 0, 0, 0, m_state, 0});
        return SimUsbResult::Ok;
    }
    if (isIn && setup.request == DfuGetState) {
        *dataIn = Bytes({m_state});
        return SimUsbResult::Ok;
    }
    if (!isIn && setup.request == DfuDetach && m_state == AppIdle) {
        m_state = AppDetach;
        m_deadline = m_clock->elapsed() + std::min<int>(setup.value, m_profile->detachTimeoutMs);
        return SimUsbResult::Ok;
    }
    // Anything else is a protocol error; a pending detach is abandoned.
    m_state = AppIdle;
    return SimUsbResult::Stall;
}

SimUsbResult SimDfu::Stall()
{
    m_state = DfuError;
    m_status = ErrStalledPkt;
    m_blockPending = false;
    m_download.clear();
    return SimUsbResult::Stall;
}

QByteArray SimDfu::StatusReply()
{
    int poll = 0;
    if (m_state == DfuDnloadSync) {
        const int flash = m_profile->timing.flashPerBlockMs;
        if (m_blockPending && m_blockFailed) {
            m_state = DfuError;
            m_status = m_profile->faults.dfuErrorStatus;
            m_download.clear();
        } else if (m_blockPending && flash > 0) {
            m_state = DfuDnbusy;
            m_deadline = m_clock->elapsed() + flash;
            poll = flash;
        } else {
            m_state = DfuDnloadIdle;
        }
        m_blockPending = false;
    } else if (m_state == DfuManifestSync) {
        if (m_manifested) {
            m_state = DfuIdle;
            m_manifested = false;
        } else {
            Manifest();
            if (m_state == DfuManifest)
                poll = m_profile->timing.manifestMs;
        }
    }
    QByteArray status(DfuStatusSize, '\0');
    status[0] = static_cast<char>(m_status);
    for (int i = 0; i < 3; ++i)
        status[DfuStatusPollOffset + i] = static_cast<char>((poll >> (8 * i)) & 0xFF);
    status[DfuStatusStateOffset] = static_cast<char>(m_state);
    return status;
}

void SimDfu::Manifest()
{
    ReceivedImage image;
    image.body = m_download;
    m_download.clear();
    SimImageInfo info;
    image.verified = ParseSimImageBody(image.body, &info) == SimImageCheck::Ok;
    if (!image.verified) {
        m_received.append(image);
        m_state = DfuError;
        m_status = ErrVerify;
        return;
    }
    image.subId = info.subId;
    image.version = info.version;
    m_received.append(image);
    m_manifesting = info.subId;
    const QString version = m_profile->faults.reportedVersions.value(info.subId, info.version);
    if (info.subId == SimImageFormat::SubIdStack) {
        BuildIdForVersion(version, &m_profile->buildId);
    } else if (info.subId == SimImageFormat::SubIdVmApplication) {
        QVector<std::uint16_t> words;
        if (EncodeVersionWords(version, &words))
            m_psStore->Write(PsKeyVmVersion, words);
    }
    m_state = DfuManifest;
    m_deadline = m_clock->elapsed() + m_profile->timing.manifestMs;
}

SimUsbResult SimDfu::BootLoaderRequest(const SimSetup& setup, const QByteArray& dataOut, QByteArray* dataIn,
                                       bool* unplug)
{
    const bool wantsIn = setup.request == DfuGetStatus || setup.request == DfuGetState || setup.request == DfuUpload;
    if (wantsIn != (setup.requestType == DfuRequestIn))
        return Stall();
    if (m_state == DfuManifestWaitReset)
        return SimUsbResult::Stall; // only a USB reset gets it out of here
    if (m_state == DfuDnbusy || m_state == DfuManifest)
        return Stall(); // asked before bwPollTimeout ran out
    switch (setup.request) {
    case DfuGetStatus:
        *dataIn = StatusReply();
        return SimUsbResult::Ok;
    case DfuGetState:
        *dataIn = Bytes({m_state});
        return SimUsbResult::Ok;
    case DfuClrStatus:
        if (m_state != DfuError)
            return Stall();
        m_state = DfuIdle;
        m_status = StatusOk;
        return SimUsbResult::Ok;
    case DfuAbort:
        if (m_state == DfuError)
            return Stall();
        m_state = DfuIdle;
        m_download.clear();
        m_rewriting = -1; // what was erased stays erased
        m_blockPending = false;
        m_manifested = false;
        return SimUsbResult::Ok;
    case DfuDnload:
        break;
    default: // DETACH, UPLOAD (not offered) and unknown requests
        return Stall();
    }

    if (!(m_profile->dfuModeAttributes & AttrCanDownload))
        return Stall();
    if (m_state == DfuDnloadIdle && dataOut.isEmpty()) {
        m_state = DfuManifestSync;
        m_manifested = false;
        return SimUsbResult::Ok;
    }
    if (dataOut.isEmpty() || dataOut.size() > m_profile->transferSize)
        return Stall();
    if (m_state == DfuIdle) {
        m_download.clear();
        m_rewriting = -1;
    } else if (m_state != DfuDnloadIdle) {
        return Stall();
    } else if (setup.value != m_nextBlock) {
        Stall();
        m_status = ErrAddress;
        return SimUsbResult::Stall;
    }
    if (static_cast<quint64>(m_download.size()) + static_cast<quint64>(dataOut.size()) > m_profile->flashSize) {
        Stall();
        m_status = ErrAddress;
        return SimUsbResult::Stall;
    }
    m_download += dataOut;
    NoteRewrite();
    m_nextBlock = (setup.value + 1) & 0xFFFF;
    m_state = DfuDnloadSync;
    m_blockPending = true;
    SimFaults& faults = m_profile->faults;
    m_blockFailed = setup.value == faults.dfuErrorAtBlock && faults.dfuErrorTimes > 0;
    if (m_blockFailed)
        --faults.dfuErrorTimes;
    ++m_blocks;
    *unplug = faults.unplugAfterBlocks >= 0 && m_blocks == std::max(faults.unplugAfterBlocks, 1);
    return SimUsbResult::Ok;
}

void SimDfu::NoteRewrite()
{
    constexpr int subIdEnd = static_cast<int>(SimImageFormat::SubIdOffset) + 2;
    if (m_rewriting >= 0 || m_download.size() < subIdEnd)
        return;
    m_rewriting = Word(m_download, static_cast<int>(SimImageFormat::SubIdOffset));
    m_profile->invalidFirmware.insert(static_cast<std::uint16_t>(m_rewriting));
}

} // namespace Sim
