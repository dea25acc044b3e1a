#include "sim/umockdev/UsbfsDeviceHandler.h"

#include "sim/SimHeadset.h"
#include "sim/SimProtocol.h"

// GLib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <umockdev.h>
#pragma pop_macro("signals")

#include <asm/ioctl.h>
#include <linux/usbdevice_fs.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace Sim {

namespace {

constexpr int SetupSize = 8;
constexpr unsigned PollIntervalMs = 2;
constexpr std::uint32_t Capabilities = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION |
                                       USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
constexpr int TransferControl = 0;
constexpr int TransferIsochronous = 1;
constexpr int TransferInterrupt = 3;

usbdevfs_urb* UrbOf(UMockdevIoctlData* data)
{
    return reinterpret_cast<usbdevfs_urb*>(data->data);
}

// The memory an ioctl argument points to, copied from the client; null on failure.
UMockdevIoctlData* Resolve(UMockdevIoctlData* data, std::size_t offset, std::size_t length)
{
    GError* error = nullptr;
    UMockdevIoctlData* resolved = umockdev_ioctl_data_resolve(data, offset, length, &error);
    if (error)
        g_error_free(error);
    return resolved;
}

void Complete(UMockdevIoctlClient* client, long result)
{
    if (result < 0)
        umockdev_ioctl_client_complete(client, -1, static_cast<int>(-result));
    else
        umockdev_ioctl_client_complete(client, result, 0);
}

} // namespace

UsbfsDeviceHandler::UsbfsDeviceHandler(SimHeadset* headset, quint64 generation)
    : m_headset(headset), m_generation(generation), m_base(umockdev_ioctl_base_new())
{
    m_handlerId = g_signal_connect(m_base, "handle-ioctl", G_CALLBACK(&UsbfsDeviceHandler::OnIoctl), this);
}

UsbfsDeviceHandler::~UsbfsDeviceHandler()
{
    if (m_poll) {
        g_source_destroy(m_poll);
        g_source_unref(m_poll);
    }
    g_signal_handler_disconnect(m_base, m_handlerId);
    for (Urb& urb : m_done)
        Release(&urb);
    for (Urb& urb : m_pending)
        Release(&urb);
    for (Waiter& waiter : m_waiters)
        Release(&waiter);
    g_object_unref(m_base);
}

UsbfsCounters UsbfsDeviceHandler::Counters() const
{
    UsbfsCounters counters;
    counters.control = m_control;
    counters.downloads = m_downloads;
    counters.statusPolls = m_statusPolls;
    counters.interruptIn = m_interruptIn;
    counters.waiting = m_waiting;
    counters.eventReads = m_eventReads;
    return counters;
}

void UsbfsDeviceHandler::Release(Urb* urb)
{
    if (urb->buffer)
        g_object_unref(urb->buffer);
    if (urb->urb)
        g_object_unref(urb->urb);
    if (urb->client)
        g_object_unref(urb->client);
    *urb = Urb();
}

void UsbfsDeviceHandler::Release(Waiter* waiter)
{
    if (waiter->data)
        g_object_unref(waiter->data);
    if (waiter->client)
        g_object_unref(waiter->client);
    *waiter = Waiter();
}

int UsbfsDeviceHandler::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self)
{
    static_cast<UsbfsDeviceHandler*>(self)->Handle(client);
    return TRUE;
}

bool UsbfsDeviceHandler::IsCurrent() const
{
    return m_headset->IsConnected() && m_headset->Generation() == m_generation;
}

void UsbfsDeviceHandler::DropVanishedClients()
{
    const auto vanished = [](UMockdevIoctlClient* client) { return !umockdev_ioctl_client_get_connected(client); };
    for (std::deque<Urb>* list : {&m_done, &m_pending}) {
        for (auto it = list->begin(); it != list->end();) {
            if (vanished(it->client)) {
                Release(&*it);
                it = list->erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto it = m_waiters.begin(); it != m_waiters.end();) {
        if (vanished(it->client)) {
            Release(&*it);
            it = m_waiters.erase(it);
        } else {
            ++it;
        }
    }
    CountWaiting();
}

void UsbfsDeviceHandler::CountWaiting()
{
    const auto readsEvent = [](const Urb& urb) {
        const usbdevfs_urb* raw = UrbOf(urb.urb);
        return raw->type == USBDEVFS_URB_TYPE_INTERRUPT && (raw->endpoint & 0x80);
    };
    const auto waitsForEvent = [](const Waiter& waiter) { return waiter.endpoint != 0; };
    m_waiting = static_cast<int>(m_waiters.size());
    m_eventReads = static_cast<int>(std::count_if(m_pending.begin(), m_pending.end(), readsEvent) +
                                    std::count_if(m_waiters.begin(), m_waiters.end(), waitsForEvent));
}

void UsbfsDeviceHandler::Handle(UMockdevIoctlClient* client)
{
    DropVanishedClients();
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    const auto fail = [client](int error) { umockdev_ioctl_client_complete(client, -1, error); };
    const auto succeed = [client] { umockdev_ioctl_client_complete(client, 0, 0); };

    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        UMockdevIoctlData* data = Resolve(arg, 0, sizeof(std::uint32_t));
        if (!data)
            return fail(EFAULT);
        std::memcpy(data->data, &Capabilities, sizeof(Capabilities));
        g_object_unref(data);
        return succeed();
    }
    case USBDEVFS_CONTROL: {
        if (!IsCurrent())
            return fail(ENODEV);
        UMockdevIoctlData* transfer = Resolve(arg, 0, sizeof(usbdevfs_ctrltransfer));
        if (!transfer)
            return fail(EFAULT);
        const auto* raw = reinterpret_cast<const usbdevfs_ctrltransfer*>(transfer->data);
        std::uint8_t setup[SetupSize] = {raw->bRequestType,
                                         raw->bRequest,
                                         static_cast<std::uint8_t>(raw->wValue & 0xFF),
                                         static_cast<std::uint8_t>(raw->wValue >> 8),
                                         static_cast<std::uint8_t>(raw->wIndex & 0xFF),
                                         static_cast<std::uint8_t>(raw->wIndex >> 8),
                                         static_cast<std::uint8_t>(raw->wLength & 0xFF),
                                         static_cast<std::uint8_t>(raw->wLength >> 8)};
        const int length = raw->wLength;
        UMockdevIoctlData* data = nullptr;
        if (length > 0) {
            data = Resolve(transfer, offsetof(usbdevfs_ctrltransfer, data), static_cast<std::size_t>(length));
            if (!data) {
                g_object_unref(transfer);
                return fail(EFAULT);
            }
        }
        const int result = Control(setup, data ? data->data : nullptr, length);
        if (data)
            g_object_unref(data);
        g_object_unref(transfer);
        return Complete(client, result);
    }
    case USBDEVFS_BULK:
        return Bulk(client, arg);
    case USBDEVFS_SUBMITURB: {
        if (!IsCurrent())
            return fail(ENODEV);
        UMockdevIoctlData* data = Resolve(arg, 0, sizeof(usbdevfs_urb));
        if (!data)
            return fail(EFAULT);
        const int error = Submit(client, data);
        return error ? fail(error) : succeed();
    }
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY: {
        UMockdevIoctlData* slot = Resolve(arg, 0, sizeof(void*));
        if (!slot)
            return fail(EFAULT);
        Urb urb;
        if (TakeReapable(client, &urb))
            return CompleteReap(client, slot, &urb);
        // The kernel's REAPURB sleeps until one of the caller's URBs completes; only the NDELAY form
        // answers at once.
        if (request == USBDEVFS_REAPURB && IsCurrent()) {
            Waiter waiter;
            waiter.client = static_cast<UMockdevIoctlClient*>(g_object_ref(client));
            waiter.data = slot;
            return Wait(waiter);
        }
        g_object_unref(slot);
        return fail(IsCurrent() ? EAGAIN : ENODEV);
    }
    case USBDEVFS_DISCARDURB: {
        unsigned long address = 0;
        std::memcpy(&address, arg->data, sizeof(address));
        const int error = Discard(client, address);
        return error ? fail(error) : succeed();
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_DISCONNECT_CLAIM:
        // libusb claims its interfaces again right after a reset; the node still accepts that, so a
        // reset reports success as dfu-util and we expect.
        return IsCurrent() || m_reset ? succeed() : fail(ENODEV);
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
        return IsCurrent() ? succeed() : fail(ENODEV);
    case USBDEVFS_GETDRIVER:
    case USBDEVFS_DISCONNECT:
        return IsCurrent() ? fail(ENODATA) : fail(ENODEV);
    case USBDEVFS_RESET:
        // The headset leaves the bus and re-enumerates (or, with the same descriptors, stays); what
        // was claimed here is gone with it.
        if (m_headset->Reset(m_generation) != SimUsbResult::Ok)
            return fail(ENODEV);
        m_reset = true;
        return succeed();
    default:
        return fail(ENOTTY);
    }
}

int UsbfsDeviceHandler::Control(const std::uint8_t* setupBytes, std::uint8_t* data, int length)
{
    SimSetup setup;
    setup.requestType = setupBytes[0];
    setup.request = setupBytes[1];
    setup.value = static_cast<std::uint16_t>(setupBytes[2] | setupBytes[3] << 8);
    setup.index = static_cast<std::uint16_t>(setupBytes[4] | setupBytes[5] << 8);
    setup.length = static_cast<std::uint16_t>(length);
    const bool isIn = (setup.requestType & 0x80) != 0;
    const QByteArray dataOut =
        isIn || length == 0 ? QByteArray() : QByteArray(reinterpret_cast<const char*>(data), length);

    ++m_control;
    if (setup.requestType == SimProtocol::DfuRequestOut && setup.request == SimProtocol::DfuDnload && length > 0)
        ++m_downloads;
    if (setup.requestType == SimProtocol::DfuRequestIn && setup.request == SimProtocol::DfuGetStatus)
        ++m_statusPolls;

    QByteArray dataIn;
    switch (m_headset->ControlTransfer(m_generation, setup, dataOut, &dataIn)) {
    case SimUsbResult::Ok: {
        if (!isIn)
            return length;
        const int count = std::min(dataIn.size(), length);
        std::memcpy(data, dataIn.constData(), static_cast<std::size_t>(count));
        return count;
    }
    case SimUsbResult::Stall:
        return -EPIPE;
    case SimUsbResult::NoDevice:
        return -ESHUTDOWN; // unplugged while the request was under way
    case SimUsbResult::Timeout:
        return -ETIMEDOUT;
    case SimUsbResult::Error:
        break;
    }
    return -EPROTO;
}

int UsbfsDeviceHandler::EndpointType(unsigned endpoint) const
{
    QByteArray configuration;
    if (m_headset->ReadConfigDescriptor(m_generation, &configuration) != SimUsbResult::Ok || configuration.isEmpty())
        return -1;
    for (int offset = static_cast<std::uint8_t>(configuration.at(0)); offset + 3 < configuration.size();) {
        const int length = static_cast<std::uint8_t>(configuration.at(offset));
        if (length == 0)
            break;
        if (configuration.at(offset + 1) == SimProtocol::DescriptorEndpoint &&
            static_cast<std::uint8_t>(configuration.at(offset + 2)) == endpoint)
            return configuration.at(offset + 3) & 0x03;
        offset += length;
    }
    return -1;
}

void UsbfsDeviceHandler::Bulk(UMockdevIoctlClient* client, UMockdevIoctlData* arg)
{
    if (!IsCurrent())
        return Complete(client, -ENODEV);
    UMockdevIoctlData* transfer = Resolve(arg, 0, sizeof(usbdevfs_bulktransfer));
    if (!transfer)
        return Complete(client, -EFAULT);
    const auto* raw = reinterpret_cast<const usbdevfs_bulktransfer*>(transfer->data);
    const unsigned endpoint = raw->ep & 0xFF;
    const int length = static_cast<int>(std::min<unsigned>(raw->len, 0xFFFF));
    const unsigned timeoutMs = raw->timeout;
    const int type = EndpointType(endpoint);
    // As the kernel: an endpoint the configuration lacks is not found; isochronous ones have no
    // synchronous transfer.
    if (type < 0 || type == TransferControl || type == TransferIsochronous) {
        g_object_unref(transfer);
        return Complete(client, type < 0 ? -ENOENT : -EINVAL);
    }
    if (!(endpoint & 0x80)) {
        // The chip takes what the host sends on its data endpoints; the model has no use for it.
        g_object_unref(transfer);
        return Complete(client, length);
    }
    UMockdevIoctlData* data =
        length > 0 ? Resolve(transfer, offsetof(usbdevfs_bulktransfer, data), static_cast<std::size_t>(length))
                   : nullptr;
    g_object_unref(transfer);
    if (length > 0 && !data)
        return Complete(client, -EFAULT);
    Waiter waiter;
    waiter.client = static_cast<UMockdevIoctlClient*>(g_object_ref(client));
    waiter.data = data;
    waiter.reap = false;
    waiter.endpoint = type == TransferInterrupt ? endpoint : 0; // only the event endpoint ever has data
    waiter.length = length;
    waiter.deadline = timeoutMs == 0 ? -1 : g_get_monotonic_time() / 1000 + timeoutMs;
    Wait(waiter);
}

void UsbfsDeviceHandler::Wait(const Waiter& waiter)
{
    m_waiters.push_back(waiter);
    if (Serve(&m_waiters.back())) {
        Release(&m_waiters.back());
        m_waiters.pop_back();
        return;
    }
    CountWaiting();
    if (!m_poll) {
        // On the worker's own context: the poll runs on the thread that handles the ioctls.
        m_poll = g_timeout_source_new(PollIntervalMs);
        g_source_set_callback(m_poll, &UsbfsDeviceHandler::OnPoll, this, nullptr);
        GMainContext* context = g_main_context_ref_thread_default();
        g_source_attach(m_poll, context);
        g_main_context_unref(context);
    }
}

int UsbfsDeviceHandler::OnPoll(void* self)
{
    auto* handler = static_cast<UsbfsDeviceHandler*>(self);
    handler->DropVanishedClients();
    for (auto it = handler->m_waiters.begin(); it != handler->m_waiters.end();) {
        if (handler->Serve(&*it)) {
            Release(&*it);
            it = handler->m_waiters.erase(it);
        } else {
            ++it;
        }
    }
    handler->CountWaiting();
    if (!handler->m_waiters.empty())
        return G_SOURCE_CONTINUE;
    g_source_unref(handler->m_poll);
    handler->m_poll = nullptr;
    return G_SOURCE_REMOVE;
}

bool UsbfsDeviceHandler::Serve(Waiter* waiter)
{
    if (waiter->reap) {
        Urb urb;
        if (TakeReapable(waiter->client, &urb)) {
            CompleteReap(waiter->client, waiter->data, &urb);
            waiter->data = nullptr; // completing gave it back
            return true;
        }
        if (!IsCurrent()) {
            Complete(waiter->client, -ENODEV);
            return true;
        }
        return false;
    }
    if (!IsCurrent()) {
        Complete(waiter->client, -ENODEV);
        return true;
    }
    if (waiter->endpoint != 0) {
        std::uint8_t* bytes = waiter->data ? waiter->data->data : nullptr;
        const int count = NextEventBytes(bytes, waiter->length);
        if (count >= 0) {
            Complete(waiter->client, count);
            return true;
        }
    }
    if (waiter->deadline >= 0 && g_get_monotonic_time() / 1000 >= waiter->deadline) {
        Complete(waiter->client, -ETIMEDOUT);
        return true;
    }
    return false;
}

int UsbfsDeviceHandler::Submit(UMockdevIoctlClient* client, UMockdevIoctlData* data)
{
    usbdevfs_urb* raw = UrbOf(data);
    Urb urb;
    urb.client = static_cast<UMockdevIoctlClient*>(g_object_ref(client));
    urb.urb = data;
    if (raw->buffer_length < 0) {
        Release(&urb);
        return EINVAL;
    }
    if (raw->buffer_length > 0) {
        urb.buffer = Resolve(data, offsetof(usbdevfs_urb, buffer), static_cast<std::size_t>(raw->buffer_length));
        if (!urb.buffer) {
            Release(&urb);
            return EFAULT;
        }
    }
    raw = UrbOf(data);
    raw->status = 0;
    raw->actual_length = 0;
    if (raw->type == USBDEVFS_URB_TYPE_CONTROL) {
        if (raw->buffer_length < SetupSize) {
            Release(&urb);
            return EINVAL;
        }
        RunControl(urb);
        m_done.push_back(urb);
        return 0;
    }
    m_pending.push_back(urb);
    CountWaiting();
    return 0;
}

void UsbfsDeviceHandler::RunControl(const Urb& urb)
{
    usbdevfs_urb* raw = UrbOf(urb.urb);
    std::uint8_t* bytes = urb.buffer->data;
    const int length = std::min<int>(bytes[6] | bytes[7] << 8, raw->buffer_length - SetupSize);
    const int result = Control(bytes, bytes + SetupSize, length);
    if (result >= 0)
        raw->actual_length = result;
    else
        raw->status = result == -ETIMEDOUT ? -EPROTO : result;
}

int UsbfsDeviceHandler::NextEventBytes(std::uint8_t* data, int length)
{
    if (m_eventRest.isEmpty()) {
        QByteArray event;
        if (m_headset->ReadHciEvent(m_generation, 0, &event) != SimUsbResult::Ok)
            return -1;
        m_eventRest = event;
    }
    const int count = std::min(m_eventRest.size(), length);
    if (count > 0)
        std::memcpy(data, m_eventRest.constData(), static_cast<std::size_t>(count));
    m_eventRest.remove(0, count);
    ++m_interruptIn;
    return count;
}

bool UsbfsDeviceHandler::CompleteInterrupt(const Urb& urb)
{
    usbdevfs_urb* raw = UrbOf(urb.urb);
    if (!IsCurrent()) {
        raw->status = -ESHUTDOWN;
        return true;
    }
    // Only the event endpoint ever has data; the ACL and SCO endpoints stay quiet.
    if (raw->type != USBDEVFS_URB_TYPE_INTERRUPT || !(raw->endpoint & 0x80) || !urb.buffer)
        return false;
    const int count = NextEventBytes(urb.buffer->data, raw->buffer_length);
    if (count < 0)
        return false;
    raw->actual_length = count;
    return true;
}

bool UsbfsDeviceHandler::TakeReapable(UMockdevIoctlClient* client, Urb* urb)
{
    const auto mine = [client](const Urb& candidate) { return candidate.client == client; };
    auto done = std::find_if(m_done.begin(), m_done.end(), mine);
    if (done == m_done.end()) {
        for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
            if (mine(*it) && CompleteInterrupt(*it)) {
                m_done.push_back(*it);
                m_pending.erase(it);
                CountWaiting();
                break;
            }
        }
        done = std::find_if(m_done.begin(), m_done.end(), mine);
    }
    if (done == m_done.end())
        return false;
    *urb = *done;
    m_done.erase(done);
    return true;
}

void UsbfsDeviceHandler::CompleteReap(UMockdevIoctlClient* client, UMockdevIoctlData* slot, Urb* urb)
{
    // The client learns which of its URBs finished; the URB and its buffer go back with it.
    umockdev_ioctl_data_set_ptr(slot, 0, urb->urb);
    g_object_unref(slot);
    Release(urb);
    umockdev_ioctl_client_complete(client, 0, 0);
}

int UsbfsDeviceHandler::Discard(UMockdevIoctlClient* client, unsigned long clientAddress)
{
    for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
        if (it->client == client && it->urb->client_addr == clientAddress) {
            UrbOf(it->urb)->status = -ENOENT;
            m_done.push_back(*it);
            m_pending.erase(it);
            CountWaiting();
            return 0;
        }
    }
    return EINVAL; // already finished: the client reaps it with its real status
}

} // namespace Sim
