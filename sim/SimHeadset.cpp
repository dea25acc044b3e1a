#include "sim/SimHeadset.h"

#include "sim/SimBcCmd.h"
#include "sim/SimBus.h"
#include "sim/SimDescriptors.h"
#include "sim/SimProtocol.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <algorithm>

namespace Sim {

using namespace SimProtocol;

namespace {

constexpr std::uint8_t RequestDirectionIn = 0x80;
constexpr std::uint8_t RequestKindMask = 0x60;
constexpr std::uint8_t RequestKindStandard = 0x00;
constexpr std::uint8_t RequestKindClass = 0x20;
constexpr std::uint8_t RequestRecipientMask = 0x1F;
constexpr std::uint8_t RequestRecipientInterface = 0x01;

} // namespace

SimHeadset::SimHeadset(SimBus* bus, int number, const HeadsetProfile& profile)
    : m_bus(bus), m_number(number), m_profile(profile), m_psStore(profile.psStore),
      m_dfu(&m_profile, &m_psStore, &m_clock)
{
    m_profile.psStore.clear(); // one copy of the store: the chip's
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
    m_hci.Clear();
    m_eventReady.wakeAll();
    m_enumerationEnded.wakeAll();
    const QString path = m_path;
    m_path.clear();
    return path;
}

void SimHeadset::RestartLocked()
{
    // What a restart of the chip wipes; its mode decides where the DFU state machine starts.
    m_dfu.Restart(m_mode);
    m_hci.Clear();
}

SimUsbResult SimHeadset::ReadDeviceDescriptor(quint64 generation, QByteArray* descriptor)
{
    QMutexLocker lock(&m_mutex);
    if (!IsCurrent(generation))
        return SimUsbResult::NoDevice;
    *descriptor = DeviceDescriptor(m_profile, m_mode);
    return SimUsbResult::Ok;
}

SimUsbResult SimHeadset::ReadConfigDescriptor(quint64 generation, QByteArray* descriptors)
{
    QMutexLocker lock(&m_mutex);
    if (!IsCurrent(generation))
        return SimUsbResult::NoDevice;
    *descriptors = ConfigurationDescriptors(m_profile, m_mode);
    return SimUsbResult::Ok;
}

bool SimHeadset::AnswerDueLocked(quint64 generation)
{
    // A pulled cable ends a transfer under way at once, as the host controller does.
    const QDeadlineTimer answer(std::max(m_profile.timing.latencyMs, 0));
    while (IsCurrent(generation) && !answer.hasExpired())
        m_enumerationEnded.wait(&m_mutex, answer);
    return IsCurrent(generation);
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
    bool coldReset = false;
    bool unplug = false;
    SimUsbResult result = SimUsbResult::Stall;
    {
        QMutexLocker lock(&m_mutex);
        ++m_transfersBegun;
        if (!AnswerDueLocked(generation))
            return SimUsbResult::NoDevice;
        m_dfu.Advance();
        if (StalledByFaultLocked())
            return SimUsbResult::Stall;
        const bool isIn = (setup.requestType & RequestDirectionIn) != 0;
        const int kind = setup.requestType & RequestKindMask;
        const int recipient = setup.requestType & RequestRecipientMask;
        QByteArray answer;
        if (kind == RequestKindStandard) {
            result = StandardRequest(m_profile, m_mode, setup, &answer);
        } else if (setup.requestType == HciCommandRequestType && setup.request == HciCommandRequest) {
            if (m_mode == Mode::Application) {
                HciCommandLocked(dataOut, &coldReset);
                result = SimUsbResult::Ok;
            }
        } else if (kind == RequestKindClass && recipient == RequestRecipientInterface) {
            if (m_mode == Mode::Application && setup.index == RuntimeDfuInterface)
                result = m_dfu.RuntimeRequest(setup, &answer);
            else if (m_mode == Mode::Dfu && setup.index == DfuModeInterface)
                result = m_dfu.BootLoaderRequest(setup, dataOut, &answer, &unplug);
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

void SimHeadset::HciCommandLocked(const QByteArray& command, bool* coldReset)
{
    const QByteArray request = m_hci.Command(command);
    if (!request.isEmpty()) {
        QByteArray response;
        switch (AnswerBcCmd(request, m_profile.faults, m_profile.buildId, &m_psStore, &response)) {
        case SimBcCmdOutcome::Answered:
            m_hci.SendBcCmd(response);
            break;
        case SimBcCmdOutcome::Restart:
            *coldReset = true;
            break;
        case SimBcCmdOutcome::Ignored:
            break;
        }
    }
    if (m_hci.HasEvent())
        m_eventReady.wakeAll();
}

SimUsbResult SimHeadset::ReadHciEvent(quint64 generation, int timeoutMs, QByteArray* event,
                                      const std::atomic<bool>* interrupted)
{
    const auto isInterrupted = [interrupted] { return interrupted && interrupted->load(); };
    QMutexLocker lock(&m_mutex);
    QDeadlineTimer deadline(std::max(timeoutMs, 0));
    while (IsCurrent(generation) && m_mode == Mode::Application && !m_hci.HasEvent() && !isInterrupted()) {
        bool woken = false;
        if (!deadline.hasExpired()) {
            ++m_eventReadsWaiting;
            woken = m_eventReady.wait(&m_mutex, deadline);
            --m_eventReadsWaiting;
        }
        if (!woken && !m_hci.HasEvent() && IsCurrent(generation) && !isInterrupted())
            return SimUsbResult::Timeout;
    }
    if (!IsCurrent(generation) || isInterrupted())
        return SimUsbResult::NoDevice;
    if (m_mode != Mode::Application)
        return SimUsbResult::Error;
    *event = m_hci.TakeEvent();
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
        m_dfu.Advance();
        ++m_resets;
        // A reset during a detach enters the boot loader; any other reset boots the application if
        // there is a whole one to boot.
        next = BootModeLocked(m_mode == Mode::Application && m_dfu.Detaching());
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
        m_dfu.Advance(); // a manifestation whose time has run out did finish before the power went
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
    m_dfu.Advance();
    return m_dfu.State();
}

std::uint8_t SimHeadset::DfuStatus() const
{
    QMutexLocker lock(&m_mutex);
    return m_dfu.Status();
}

bool SimHeadset::HasPsKey(std::uint16_t key) const
{
    QMutexLocker lock(&m_mutex);
    return m_psStore.Contains(key);
}

QVector<std::uint16_t> SimHeadset::PsKey(std::uint16_t key) const
{
    QMutexLocker lock(&m_mutex);
    return m_psStore.Value(key);
}

void SimHeadset::SetPsKey(std::uint16_t key, const QVector<std::uint16_t>& words)
{
    QMutexLocker lock(&m_mutex);
    m_psStore.Write(key, words);
}

std::uint16_t SimHeadset::BuildId() const
{
    QMutexLocker lock(&m_mutex);
    return m_profile.buildId;
}

QList<ReceivedImage> SimHeadset::ReceivedImages() const
{
    QMutexLocker lock(&m_mutex);
    return m_dfu.Received();
}

int SimHeadset::BlocksReceived() const
{
    QMutexLocker lock(&m_mutex);
    return m_dfu.BlocksReceived();
}

int SimHeadset::ResetCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_resets;
}

int SimHeadset::ControlTransfersBegun() const
{
    QMutexLocker lock(&m_mutex);
    return m_transfersBegun;
}

int SimHeadset::EventReadsWaiting() const
{
    QMutexLocker lock(&m_mutex);
    return m_eventReadsWaiting;
}

HeadsetProfile SimHeadset::Profile() const
{
    QMutexLocker lock(&m_mutex);
    HeadsetProfile profile = m_profile;
    profile.psStore = m_psStore.All();
    return profile;
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
    m_dfu.RestartBlockCount();
}

} // namespace Sim
