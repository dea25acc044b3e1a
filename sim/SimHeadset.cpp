#include "sim/SimHeadset.h"

#include "sim/SimBus.h"
#include "sim/SimImage.h"
#include "sim/SimProtocol.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThread>
#include <QtEndian>

#include <algorithm>

namespace Sim {

using namespace SimProtocol;

namespace {

constexpr std::uint8_t HciInterface = 0;
constexpr std::uint8_t RuntimeDfuInterface = 2;
constexpr std::uint8_t DfuModeInterface = 0;
constexpr int MaxQueuedEvents = 64;
constexpr int MaxCommandFragments = 1024;

std::uint16_t Word(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + offset);
}

void PutWord(QByteArray* bytes, int offset, std::uint16_t value)
{
    (*bytes)[offset] = static_cast<char>(value & 0xFF);
    (*bytes)[offset + 1] = static_cast<char>(value >> 8);
}

void AppendWord(QByteArray* bytes, std::uint16_t value)
{
    bytes->append(static_cast<char>(value & 0xFF));
    bytes->append(static_cast<char>(value >> 8));
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

QByteArray FunctionalDescriptor(std::uint8_t attributes, std::uint16_t detachTimeout, std::uint16_t transferSize)
{
    QByteArray d = Bytes({9, DescriptorDfuFunctional, attributes});
    AppendWord(&d, detachTimeout);
    AppendWord(&d, transferSize);
    AppendWord(&d, 0x0110);
    return d;
}

QByteArray WithConfigurationHeader(const QByteArray& body, int interfaces)
{
    QByteArray config = Bytes({9, DescriptorConfiguration, 0, 0, interfaces, 1, 0, 0x80, 0x32});
    config += body;
    PutWord(&config, 2, static_cast<std::uint16_t>(config.size()));
    return config;
}

} // namespace

SimHeadset::SimHeadset(SimBus* bus, int number, const HeadsetProfile& profile)
    : m_bus(bus), m_number(number), m_profile(profile)
{
    m_clock.start();
}

bool SimHeadset::IsCurrent(quint64 generation) const
{
    return m_connected && generation == m_generation;
}

SimHeadset::Mode SimHeadset::BootModeLocked(bool bootLoaderWanted) const
{
    return bootLoaderWanted || !m_profile.invalidFirmware.isEmpty() ? Mode::Dfu : Mode::Application;
}

QString SimHeadset::Attach(quint64 arrivalToken, Mode mode)
{
    QMutexLocker lock(&m_mutex);
    if (arrivalToken != m_arrivalToken || !m_plugged || m_connected)
        return QString();
    m_connected = true;
    ++m_generation;
    m_mode = mode;
    RestartLocked();
    const std::uint16_t pid = mode == Mode::Application ? m_profile.productId : m_profile.dfuProductId;
    m_path = QStringLiteral("sim:usb#vid_%1&pid_%2#%3&%4")
                 .arg(m_profile.vendorId, 4, 16, QLatin1Char('0'))
                 .arg(pid, 4, 16, QLatin1Char('0'))
                 .arg(m_number)
                 .arg(m_generation)
                 .toUpper();
    return m_path;
}

quint64 SimHeadset::NextArrivalToken()
{
    QMutexLocker lock(&m_mutex);
    return ++m_arrivalToken;
}

QString SimHeadset::DetachLocked()
{
    m_connected = false;
    m_events.clear();
    m_commandFragments.clear();
    m_eventReady.wakeAll();
    const QString path = m_path;
    m_path.clear();
    return path;
}

void SimHeadset::AdvanceLocked()
{
    const qint64 now = m_clock.elapsed();
    if (now < m_deadline)
        return;
    if (m_state == AppDetach) {
        m_state = AppIdle;
    } else if (m_state == DfuDnbusy) {
        m_state = DfuDnloadSync;
    } else if (m_state == DfuManifest) {
        // Only a manifestation that ran its course makes the firmware whole again.
        if (m_manifesting >= 0)
            m_profile.invalidFirmware.remove(static_cast<std::uint16_t>(m_manifesting));
        m_manifesting = -1;
        if (m_profile.dfuModeAttributes & AttrManifestationTolerant) {
            m_state = DfuManifestSync;
            m_manifested = true;
        } else {
            m_state = DfuManifestWaitReset;
        }
    }
}

QByteArray SimHeadset::DeviceDescriptorLocked() const
{
    const bool app = m_mode == Mode::Application;
    QByteArray d = Bytes({18, DescriptorDevice, 0x00, 0x02, app ? 0xE0 : 0, app ? 1 : 0, app ? 1 : 0, 64});
    AppendWord(&d, m_profile.vendorId);
    AppendWord(&d, app ? m_profile.productId : m_profile.dfuProductId);
    AppendWord(&d, m_profile.deviceRelease);
    d += Bytes({m_profile.manufacturer.isEmpty() ? 0 : StringManufacturer,
                m_profile.product.isEmpty() ? 0 : StringProduct,
                m_profile.serialNumber.isEmpty() ? 0 : StringSerialNumber, 1});
    return d;
}

QByteArray SimHeadset::StringDescriptorLocked(std::uint8_t index, std::uint16_t language) const
{
    QByteArray d = Bytes({0, DescriptorString});
    if (index == 0) {
        AppendWord(&d, LanguageEnglishUs);
    } else {
        const QString text = index == StringManufacturer   ? m_profile.manufacturer
                             : index == StringProduct      ? m_profile.product
                             : index == StringSerialNumber ? m_profile.serialNumber
                                                           : QString();
        Q_UNUSED(language) // the chip has one language and answers whatever the host asks for
        if (text.isEmpty())
            return QByteArray(); // no such string: the request stalls
        for (const QChar c : text)
            AppendWord(&d, c.unicode());
    }
    d[0] = static_cast<char>(d.size());
    return d;
}

SimUsbResult SimHeadset::ReadDeviceDescriptor(quint64 generation, QByteArray* descriptor)
{
    QMutexLocker lock(&m_mutex);
    if (!IsCurrent(generation))
        return SimUsbResult::NoDevice;
    *descriptor = DeviceDescriptorLocked();
    return SimUsbResult::Ok;
}

QByteArray SimHeadset::ConfigurationLocked() const
{
    if (m_mode == Mode::Application) {
        if (!m_profile.applicationConfiguration.isEmpty())
            return m_profile.applicationConfiguration;
        // HCI (commands on endpoint 0, events, ACL), SCO, DFU run-time.
        QByteArray body = Bytes({9, DescriptorInterface, HciInterface, 0, 3, 0xE0, 1, 1, 0});
        body += Bytes({7, DescriptorEndpoint, 0x81, 3, 16, 0, 1});
        body += Bytes({7, DescriptorEndpoint, 0x82, 2, 64, 0, 0});
        body += Bytes({7, DescriptorEndpoint, 0x02, 2, 64, 0, 0});
        body += Bytes({9, DescriptorInterface, 1, 0, 2, 0xE0, 1, 1, 0});
        body += Bytes({7, DescriptorEndpoint, 0x83, 1, 0, 0, 1});
        body += Bytes({7, DescriptorEndpoint, 0x03, 1, 0, 0, 1});
        body += Bytes({9, DescriptorInterface, RuntimeDfuInterface, 0, 0, 0xFE, 1, 1, 0});
        if (m_profile.functionalDescriptor)
            body +=
                FunctionalDescriptor(m_profile.runtimeAttributes, m_profile.detachTimeoutMs, m_profile.transferSize);
        return WithConfigurationHeader(body, 3);
    }
    if (!m_profile.dfuConfiguration.isEmpty())
        return m_profile.dfuConfiguration;
    QByteArray body = Bytes({9, DescriptorInterface, DfuModeInterface, 0, 0, 0xFE, 1, 2, 0});
    if (m_profile.functionalDescriptor)
        body += FunctionalDescriptor(m_profile.dfuModeAttributes, m_profile.detachTimeoutMs, m_profile.transferSize);
    return WithConfigurationHeader(body, 1);
}

SimUsbResult SimHeadset::ReadConfigDescriptor(quint64 generation, QByteArray* descriptors)
{
    QMutexLocker lock(&m_mutex);
    if (!IsCurrent(generation))
        return SimUsbResult::NoDevice;
    *descriptors = ConfigurationLocked();
    return SimUsbResult::Ok;
}

bool SimHeadset::StalledByFaultLocked()
{
    ++m_transfers;
    const SimFaults& f = m_profile.faults;
    return f.stallTransfers > 0 && m_transfers > f.stallAfterTransfers &&
           m_transfers <= f.stallAfterTransfers + f.stallTransfers;
}

SimUsbResult SimHeadset::ControlTransfer(quint64 generation, const SimSetup& setup, const QByteArray& dataOut,
                                         QByteArray* dataIn)
{
    int latency = 0;
    {
        QMutexLocker lock(&m_mutex);
        latency = m_profile.timing.latencyMs;
    }
    if (latency > 0)
        QThread::msleep(static_cast<unsigned long>(latency));

    bool coldReset = false;
    bool unplug = false;
    SimUsbResult result = SimUsbResult::Stall;
    QByteArray answer;
    {
        QMutexLocker lock(&m_mutex);
        if (!IsCurrent(generation))
            return SimUsbResult::NoDevice;
        AdvanceLocked();
        if (StalledByFaultLocked())
            return SimUsbResult::Stall;
        const bool isIn = (setup.requestType & 0x80) != 0;
        const int kind = setup.requestType & 0x60;
        const int recipient = setup.requestType & 0x1F;
        if (kind == 0) {
            result = StandardRequestLocked(setup, &answer);
        } else if (kind == 0x20 && setup.requestType == HciCommandRequestType && setup.request == HciCommandRequest) {
            if (m_mode == Mode::Application) {
                HciCommandLocked(dataOut, &coldReset);
                result = SimUsbResult::Ok;
            }
        } else if (kind == 0x20 && recipient == 1) {
            if (m_mode == Mode::Application && setup.index == RuntimeDfuInterface)
                result = RuntimeDfuLocked(setup, &answer);
            else if (m_mode == Mode::Dfu && setup.index == DfuModeInterface)
                result = DfuModeLocked(setup, dataOut, &answer, &unplug);
        }
        if (result == SimUsbResult::Ok && isIn && dataIn)
            *dataIn = answer.left(setup.length);
    }
    if (coldReset) {
        // The chip restarts instead of answering: it leaves the bus and boots.
        QString path;
        bool returns = false;
        int delay = 0;
        Mode next = Mode::Application;
        {
            QMutexLocker lock(&m_mutex);
            if (IsCurrent(generation)) {
                ++m_resets;
                returns = !m_profile.faults.neverReturnAfterReset;
                delay = m_profile.timing.reenumerationMs;
                next = BootModeLocked(false);
                path = DetachLocked();
            }
        }
        if (!path.isEmpty()) {
            m_bus->PostRemoval(path);
            if (returns)
                m_bus->ScheduleArrival(this, next, delay);
        }
    }
    if (unplug) {
        int replug = -1;
        {
            QMutexLocker lock(&m_mutex);
            replug = m_profile.faults.replugAfterMs;
        }
        Unplug();
        if (replug >= 0)
            PlugAfter(replug);
    }
    return result;
}

SimUsbResult SimHeadset::StandardRequestLocked(const SimSetup& setup, QByteArray* dataIn)
{
    if (setup.requestType == 0x80 && setup.request == StdGetDescriptor) {
        const int type = setup.value >> 8;
        if (type == DescriptorDevice) {
            *dataIn = DeviceDescriptorLocked();
            return SimUsbResult::Ok;
        }
        if (type == DescriptorConfiguration) {
            *dataIn = ConfigurationLocked();
            return SimUsbResult::Ok;
        }
        if (type == DescriptorString) {
            *dataIn = StringDescriptorLocked(static_cast<std::uint8_t>(setup.value & 0xFF), setup.index);
            return dataIn->isEmpty() ? SimUsbResult::Stall : SimUsbResult::Ok;
        }
        return SimUsbResult::Stall;
    }
    if (setup.requestType == 0x80 && setup.request == 0) { // GET_STATUS
        *dataIn = Bytes({0, 0});
        return SimUsbResult::Ok;
    }
    if ((setup.requestType == 0x00 && setup.request == StdSetConfiguration) ||
        (setup.requestType == 0x01 && setup.request == StdSetInterface))
        return SimUsbResult::Ok;
    return SimUsbResult::Stall;
}

SimUsbResult SimHeadset::RuntimeDfuLocked(const SimSetup& setup, QByteArray* dataIn)
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
        m_deadline = m_clock.elapsed() + std::min<int>(setup.value, m_profile.detachTimeoutMs);
        return SimUsbResult::Ok;
    }
    // Anything else is a protocol error; a pending detach is abandoned.
    m_state = AppIdle;
    return SimUsbResult::Stall;
}

SimUsbResult SimHeadset::DfuStallLocked()
{
    m_state = DfuError;
    m_status = ErrStalledPkt;
    m_blockPending = false;
    m_download.clear();
    return SimUsbResult::Stall;
}

QByteArray SimHeadset::StatusLocked()
{
    int poll = 0;
    if (m_state == DfuDnloadSync) {
        const int flash = m_profile.timing.flashPerBlockMs;
        if (m_blockPending && m_blockFailed) {
            m_state = DfuError;
            m_status = m_profile.faults.dfuErrorStatus;
            m_download.clear();
        } else if (m_blockPending && flash > 0) {
            m_state = DfuDnbusy;
            m_deadline = m_clock.elapsed() + flash;
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
            ManifestLocked();
            if (m_state == DfuManifest)
                poll = m_profile.timing.manifestMs;
        }
    }
    QByteArray status = Bytes({m_status, 0, 0, 0, m_state, 0});
    status[1] = static_cast<char>(poll & 0xFF);
    status[2] = static_cast<char>((poll >> 8) & 0xFF);
    status[3] = static_cast<char>((poll >> 16) & 0xFF);
    return status;
}

void SimHeadset::ManifestLocked()
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
    const QString version = m_profile.faults.reportedVersions.value(info.subId, info.version);
    if (info.subId == SimImageFormat::SubIdStack) {
        BuildIdForVersion(version, &m_profile.buildId);
    } else if (info.subId == SimImageFormat::SubIdVmApplication) {
        QVector<std::uint16_t> words;
        if (EncodeVersionWords(version, &words))
            m_profile.psStore.insert(PsKeyVmVersion, words);
    }
    m_state = DfuManifest;
    m_deadline = m_clock.elapsed() + m_profile.timing.manifestMs;
}

SimUsbResult SimHeadset::DfuModeLocked(const SimSetup& setup, const QByteArray& dataOut, QByteArray* dataIn,
                                       bool* unplug)
{
    const bool wantsIn = setup.request == DfuGetStatus || setup.request == DfuGetState || setup.request == DfuUpload;
    if (wantsIn != (setup.requestType == DfuRequestIn))
        return DfuStallLocked();
    if (m_state == DfuManifestWaitReset)
        return SimUsbResult::Stall; // only a USB reset gets it out of here
    if (m_state == DfuDnbusy || m_state == DfuManifest)
        return DfuStallLocked(); // asked before bwPollTimeout ran out
    switch (setup.request) {
    case DfuGetStatus:
        *dataIn = StatusLocked();
        return SimUsbResult::Ok;
    case DfuGetState:
        *dataIn = Bytes({m_state});
        return SimUsbResult::Ok;
    case DfuClrStatus:
        if (m_state != DfuError)
            return DfuStallLocked();
        m_state = DfuIdle;
        m_status = StatusOk;
        return SimUsbResult::Ok;
    case DfuAbort:
        if (m_state == DfuError)
            return DfuStallLocked();
        m_state = DfuIdle;
        m_download.clear();
        m_rewriting = -1; // what was erased stays erased
        m_blockPending = false;
        m_manifested = false;
        return SimUsbResult::Ok;
    case DfuDnload:
        break;
    default: // DETACH, UPLOAD (not offered) and unknown requests
        return DfuStallLocked();
    }

    if (!(m_profile.dfuModeAttributes & AttrCanDownload))
        return DfuStallLocked();
    if (m_state == DfuDnloadIdle && dataOut.isEmpty()) {
        m_state = DfuManifestSync;
        m_manifested = false;
        return SimUsbResult::Ok;
    }
    if (dataOut.isEmpty() || dataOut.size() > m_profile.transferSize)
        return DfuStallLocked();
    if (m_state == DfuIdle) {
        m_download.clear();
        m_rewriting = -1;
    } else if (m_state != DfuDnloadIdle) {
        return DfuStallLocked();
    } else if (setup.value != m_nextBlock) {
        DfuStallLocked();
        m_status = ErrAddress;
        return SimUsbResult::Stall;
    }
    if (static_cast<quint64>(m_download.size()) + static_cast<quint64>(dataOut.size()) > m_profile.flashSize) {
        DfuStallLocked();
        m_status = ErrAddress;
        return SimUsbResult::Stall;
    }
    m_download += dataOut;
    NoteRewriteLocked();
    m_nextBlock = (setup.value + 1) & 0xFFFF;
    m_state = DfuDnloadSync;
    m_blockPending = true;
    SimFaults& faults = m_profile.faults;
    m_blockFailed = setup.value == faults.dfuErrorAtBlock && faults.dfuErrorTimes > 0;
    if (m_blockFailed)
        --faults.dfuErrorTimes;
    ++m_blocks;
    *unplug = faults.unplugAfterBlocks >= 0 && m_blocks == std::max(faults.unplugAfterBlocks, 1);
    return SimUsbResult::Ok;
}

void SimHeadset::NoteRewriteLocked()
{
    constexpr int subIdEnd = static_cast<int>(SimImageFormat::SubIdOffset) + 2;
    if (m_rewriting >= 0 || m_download.size() < subIdEnd)
        return;
    m_rewriting = Word(m_download, static_cast<int>(SimImageFormat::SubIdOffset));
    m_profile.invalidFirmware.insert(static_cast<std::uint16_t>(m_rewriting));
}

void SimHeadset::HciCommandLocked(const QByteArray& command, bool* coldReset)
{
    // A command whose length byte disagrees with the transfer is dropped, as the chip's HCI
    // transport does with a corrupt packet.
    if (command.size() < 3 || static_cast<std::uint8_t>(command.at(2)) != command.size() - 3)
        return;
    const std::uint16_t opcode = Word(command, 0);
    if (opcode != CsrVendorOpcode) {
        QByteArray event = Bytes({EventCommandComplete, 4, 1});
        AppendWord(&event, opcode);
        event.append(static_cast<char>(HciStatusUnknownCommand));
        QueueEventLocked(event);
        return;
    }
    if (command.size() < 4)
        return;
    const auto descriptor = static_cast<std::uint8_t>(command.at(3));
    const QByteArray payload = command.mid(4);
    if (descriptor & FragmentFirst)
        m_commandFragments = payload;
    else if (m_commandFragments.isEmpty())
        return; // a continuation without a start
    else
        m_commandFragments += payload;
    if (m_commandFragments.size() > MaxCommandFragments) {
        m_commandFragments.clear();
        return;
    }
    if (!(descriptor & FragmentLast))
        return;
    const QByteArray message = m_commandFragments;
    m_commandFragments.clear();
    if ((descriptor & ChannelMask) == ChannelBcCmd)
        BcCmdLocked(message, coldReset);
}

void SimHeadset::BcCmdLocked(const QByteArray& message, bool* coldReset)
{
    if (message.size() < BcCmdHeaderSize)
        return;
    const std::uint16_t type = Word(message, 0);
    if (type != BcCmdGetReq && type != BcCmdSetReq)
        return;
    const SimFaults& faults = m_profile.faults;
    if (faults.bcCmd == SimFaults::BcCmd::Silent)
        return;
    const std::uint16_t lengthWords = Word(message, 2);
    const std::uint16_t varid = Word(message, 6);
    const bool isGet = type == BcCmdGetReq;

    QByteArray response = message;
    PutWord(&response, 0, BcCmdGetResp);
    const int payloadSize = response.size() - BcCmdHeaderSize;
    std::uint16_t status = BcCmdOk;
    if (lengthWords < 5 || lengthWords * 2 > message.size()) {
        status = BcCmdBadReq;
    } else if (faults.bcCmd == SimFaults::BcCmd::Error) {
        status = faults.bcCmdErrorStatus;
    } else if (varid == VaridColdReset || varid == VaridWarmReset) {
        // Either reset restarts the chip at once; it never gets to answer.
        if (!isGet) {
            *coldReset = true;
            return;
        }
        status = BcCmdWriteOnly;
    } else if (varid == VaridBuildId) {
        if (!isGet)
            status = BcCmdReadOnly;
        else if (payloadSize < 2)
            status = BcCmdTooBig;
        else
            PutWord(&response, BcCmdHeaderSize, m_profile.buildId);
    } else if (varid == VaridPsSize) {
        const std::uint16_t key = payloadSize >= 2 ? Word(message, BcCmdHeaderSize) : 0;
        if (!isGet)
            status = BcCmdReadOnly;
        else if (payloadSize < 4)
            status = BcCmdBadReq;
        else if (!m_profile.psStore.contains(key))
            status = BcCmdNoValue;
        else
            PutWord(&response, BcCmdHeaderSize + 2, static_cast<std::uint16_t>(m_profile.psStore.value(key).size()));
    } else if (varid == VaridPs) {
        if (payloadSize < 6) {
            status = BcCmdBadReq;
        } else {
            const std::uint16_t key = Word(message, BcCmdHeaderSize);
            const std::uint16_t words = Word(message, BcCmdHeaderSize + 2);
            const int valueOffset = BcCmdHeaderSize + 6;
            if (valueOffset + words * 2 > message.size()) {
                status = BcCmdBadReq;
            } else if (isGet) {
                const QVector<std::uint16_t> value = m_profile.psStore.value(key);
                if (!m_profile.psStore.contains(key)) {
                    status = BcCmdNoValue;
                } else if (value.size() > words) {
                    status = BcCmdTooBig;
                } else {
                    for (int i = 0; i < words; ++i)
                        PutWord(&response, valueOffset + 2 * i, i < value.size() ? value.at(i) : 0);
                }
            } else {
                QVector<std::uint16_t> value;
                for (int i = 0; i < words; ++i)
                    value.append(Word(message, valueOffset + 2 * i));
                m_profile.psStore.insert(key, value);
            }
        }
    } else {
        status = BcCmdNoSuchVarid;
    }
    PutWord(&response, 8, status);
    QueueBcCmdResponseLocked(response);
}

void SimHeadset::QueueBcCmdResponseLocked(const QByteArray& message)
{
    // One event holds at most 64 bytes: event code, length, descriptor, 61 bytes of message.
    constexpr int chunk = MaxEventSize - 3;
    for (int offset = 0; offset < message.size(); offset += chunk) {
        const QByteArray part = message.mid(offset, chunk);
        std::uint8_t descriptor = ChannelBcCmd;
        if (offset == 0)
            descriptor |= FragmentFirst;
        if (offset + chunk >= message.size())
            descriptor |= FragmentLast;
        QueueEventLocked(Bytes({EventVendor, part.size() + 1, descriptor}) + part);
    }
}

void SimHeadset::QueueEventLocked(const QByteArray& event)
{
    if (m_events.size() >= MaxQueuedEvents)
        m_events.dequeue(); // the chip's buffer overflows; the oldest event is lost
    m_events.enqueue(event);
    m_eventReady.wakeAll();
}

SimUsbResult SimHeadset::ReadHciEvent(quint64 generation, int timeoutMs, QByteArray* event,
                                      const std::atomic<bool>* interrupted)
{
    const auto isInterrupted = [interrupted] { return interrupted && interrupted->load(); };
    QMutexLocker lock(&m_mutex);
    QDeadlineTimer deadline(std::max(timeoutMs, 0));
    while (IsCurrent(generation) && m_mode == Mode::Application && m_events.isEmpty() && !isInterrupted()) {
        if (deadline.hasExpired() || !m_eventReady.wait(&m_mutex, deadline)) {
            if (m_events.isEmpty() && IsCurrent(generation) && !isInterrupted())
                return SimUsbResult::Timeout;
        }
    }
    if (!IsCurrent(generation) || isInterrupted())
        return SimUsbResult::NoDevice;
    if (m_mode != Mode::Application)
        return SimUsbResult::Error;
    *event = m_events.dequeue();
    return SimUsbResult::Ok;
}

void SimHeadset::WakeReaders()
{
    QMutexLocker lock(&m_mutex);
    m_eventReady.wakeAll();
}

SimUsbResult SimHeadset::Reset(quint64 generation)
{
    QString path;
    Mode next = Mode::Application;
    bool returns = false;
    int delay = 0;
    {
        QMutexLocker lock(&m_mutex);
        if (!IsCurrent(generation))
            return SimUsbResult::NoDevice;
        AdvanceLocked();
        ++m_resets;
        // A reset during a detach enters the boot loader; any other reset boots the application if
        // there is a whole one to boot.
        next = BootModeLocked(m_mode == Mode::Application && m_state == AppDetach);
        if (m_profile.faults.wrongModeAfterReset && m_profile.invalidFirmware.isEmpty())
            next = next == Mode::Dfu ? Mode::Application : Mode::Dfu;
        returns = !m_profile.faults.neverReturnAfterReset;
        if (returns && next == m_mode && m_profile.resetInPlace) {
            RestartLocked(); // the same enumeration goes on
            return SimUsbResult::Ok;
        }
        delay = m_profile.timing.reenumerationMs;
        path = DetachLocked();
    }
    m_bus->PostRemoval(path);
    if (returns)
        m_bus->ScheduleArrival(this, next, delay);
    return SimUsbResult::Ok;
}

void SimHeadset::RestartLocked()
{
    // What a restart of the chip wipes; its mode decides where the DFU state machine starts.
    m_state = m_mode == Mode::Application ? AppIdle : DfuIdle;
    m_status = StatusOk;
    m_blockPending = false;
    m_manifested = false;
    m_download.clear();
    m_rewriting = -1;
    m_manifesting = -1; // a manifestation cut short leaves its firmware invalid
    m_events.clear();
    m_commandFragments.clear();
}

void SimHeadset::Plug()
{
    PlugAfter(0);
}

void SimHeadset::PlugAfter(int delayMs)
{
    Mode mode = Mode::Application;
    {
        QMutexLocker lock(&m_mutex);
        if (m_plugged)
            return;
        m_plugged = true;
        mode = PowerOnModeLocked();
    }
    m_bus->ScheduleArrival(this, mode, delayMs);
}

void SimHeadset::Unplug()
{
    QString path;
    {
        QMutexLocker lock(&m_mutex);
        AdvanceLocked(); // a manifestation whose time has run out did finish before the power went
        m_plugged = false;
        ++m_arrivalToken; // a pending arrival will not happen
        if (m_connected)
            path = DetachLocked();
    }
    if (!path.isEmpty())
        m_bus->PostRemoval(path);
}

bool SimHeadset::IsConnected() const
{
    QMutexLocker lock(&m_mutex);
    return m_connected;
}

SimHeadset::Mode SimHeadset::CurrentMode() const
{
    QMutexLocker lock(&m_mutex);
    return m_mode;
}

bool SimHeadset::FirmwareValid() const
{
    QMutexLocker lock(&m_mutex);
    return m_profile.invalidFirmware.isEmpty();
}

QString SimHeadset::Path() const
{
    QMutexLocker lock(&m_mutex);
    return m_path;
}

quint64 SimHeadset::Generation() const
{
    QMutexLocker lock(&m_mutex);
    return m_generation;
}

std::uint8_t SimHeadset::DfuState()
{
    QMutexLocker lock(&m_mutex);
    AdvanceLocked();
    return m_state;
}

std::uint8_t SimHeadset::DfuStatus() const
{
    QMutexLocker lock(&m_mutex);
    return m_status;
}

bool SimHeadset::HasPsKey(std::uint16_t key) const
{
    QMutexLocker lock(&m_mutex);
    return m_profile.psStore.contains(key);
}

QVector<std::uint16_t> SimHeadset::PsKey(std::uint16_t key) const
{
    QMutexLocker lock(&m_mutex);
    return m_profile.psStore.value(key);
}

void SimHeadset::SetPsKey(std::uint16_t key, const QVector<std::uint16_t>& words)
{
    QMutexLocker lock(&m_mutex);
    m_profile.psStore.insert(key, words);
}

std::uint16_t SimHeadset::BuildId() const
{
    QMutexLocker lock(&m_mutex);
    return m_profile.buildId;
}

QList<ReceivedImage> SimHeadset::ReceivedImages() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

int SimHeadset::BlocksReceived() const
{
    QMutexLocker lock(&m_mutex);
    return m_blocks;
}

int SimHeadset::ResetCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_resets;
}

HeadsetProfile SimHeadset::Profile() const
{
    QMutexLocker lock(&m_mutex);
    return m_profile;
}

void SimHeadset::SetTiming(const SimTiming& timing)
{
    QMutexLocker lock(&m_mutex);
    m_profile.timing = timing;
}

void SimHeadset::SetFaults(const SimFaults& faults)
{
    QMutexLocker lock(&m_mutex);
    m_profile.faults = faults;
    m_transfers = 0;
    m_blocks = 0;
}

} // namespace Sim
