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

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace Sim {

namespace {

constexpr int SetupSize = 8;
constexpr std::uint32_t Capabilities = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION |
                                       USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;

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

} // namespace

UsbfsDeviceHandler::UsbfsDeviceHandler(SimHeadset* headset, quint64 generation)
    : m_headset(headset), m_generation(generation), m_base(umockdev_ioctl_base_new())
{
    m_handlerId = g_signal_connect(m_base, "handle-ioctl", G_CALLBACK(&UsbfsDeviceHandler::OnIoctl), this);
}

UsbfsDeviceHandler::~UsbfsDeviceHandler()
{
    g_signal_handler_disconnect(m_base, m_handlerId);
    for (Urb& urb : m_done)
        Release(&urb);
    for (Urb& urb : m_pending)
        Release(&urb);
    g_object_unref(m_base);
}

UsbfsCounters UsbfsDeviceHandler::Counters() const
{
    UsbfsCounters counters;
    counters.control = m_control;
    counters.downloads = m_downloads;
    counters.statusPolls = m_statusPolls;
    counters.interruptIn = m_interruptIn;
    return counters;
}

void UsbfsDeviceHandler::Release(Urb* urb)
{
    if (urb->buffer)
        g_object_unref(urb->buffer);
    if (urb->urb)
        g_object_unref(urb->urb);
    *urb = Urb();
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

void UsbfsDeviceHandler::Handle(UMockdevIoctlClient* client)
{
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
    case USBDEVFS_SUBMITURB: {
        if (!IsCurrent())
            return fail(ENODEV);
        UMockdevIoctlData* data = Resolve(arg, 0, sizeof(usbdevfs_urb));
        if (!data)
            return fail(EFAULT);
        const int error = Submit(data);
        return error ? fail(error) : succeed();
    }
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY: {
        Urb urb;
        if (!TakeReapable(&urb))
            return fail(IsCurrent() ? EAGAIN : ENODEV);
        UMockdevIoctlData* slot = Resolve(arg, 0, sizeof(void*));
        if (!slot) {
            Release(&urb);
            return fail(EFAULT);
        }
        // The client learns which of its URBs finished; the URB and its buffer go back with it.
        umockdev_ioctl_data_set_ptr(slot, 0, urb.urb);
        g_object_unref(slot);
        Release(&urb);
        return succeed();
    }
    case USBDEVFS_DISCARDURB: {
        unsigned long address = 0;
        std::memcpy(&address, arg->data, sizeof(address));
        const int error = Discard(address);
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
        // The headset leaves the bus and re-enumerates; what was claimed here is gone with it.
        if (m_headset->Reset(m_generation) != SimUsbResult::Ok)
            return fail(ENODEV);
        m_reset = true;
        return succeed();
    default:
        return fail(ENOTTY);
    }
}

int UsbfsDeviceHandler::Submit(UMockdevIoctlData* data)
{
    usbdevfs_urb* raw = UrbOf(data);
    Urb urb;
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
    return 0;
}

void UsbfsDeviceHandler::RunControl(const Urb& urb)
{
    usbdevfs_urb* raw = UrbOf(urb.urb);
    const std::uint8_t* bytes = urb.buffer->data;
    SimSetup setup;
    setup.requestType = bytes[0];
    setup.request = bytes[1];
    setup.value = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
    setup.index = static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8);
    const int length = std::min<int>(bytes[6] | bytes[7] << 8, raw->buffer_length - SetupSize);
    setup.length = static_cast<std::uint16_t>(length);
    const bool isIn = (setup.requestType & 0x80) != 0;
    const QByteArray dataOut =
        isIn ? QByteArray() : QByteArray(reinterpret_cast<const char*>(bytes + SetupSize), length);

    ++m_control;
    if (setup.requestType == SimProtocol::DfuRequestOut && setup.request == SimProtocol::DfuDnload && length > 0)
        ++m_downloads;
    if (setup.requestType == SimProtocol::DfuRequestIn && setup.request == SimProtocol::DfuGetStatus)
        ++m_statusPolls;

    QByteArray dataIn;
    switch (m_headset->ControlTransfer(m_generation, setup, dataOut, &dataIn)) {
    case SimUsbResult::Ok: {
        const int count = isIn ? std::min(dataIn.size(), length) : length;
        if (isIn)
            std::memcpy(urb.buffer->data + SetupSize, dataIn.constData(), static_cast<std::size_t>(count));
        raw->actual_length = count;
        break;
    }
    case SimUsbResult::Stall:
        raw->status = -EPIPE;
        break;
    case SimUsbResult::NoDevice:
        raw->status = -ESHUTDOWN; // unplugged while the request was under way
        break;
    case SimUsbResult::Timeout:
    case SimUsbResult::Error:
        raw->status = -EPROTO;
        break;
    }
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
    if (m_eventRest.isEmpty()) {
        QByteArray event;
        if (m_headset->ReadHciEvent(m_generation, 0, &event) != SimUsbResult::Ok)
            return false;
        m_eventRest = event;
    }
    const int count = std::min(m_eventRest.size(), raw->buffer_length);
    std::memcpy(urb.buffer->data, m_eventRest.constData(), static_cast<std::size_t>(count));
    m_eventRest.remove(0, count);
    raw->actual_length = count;
    ++m_interruptIn;
    return true;
}

bool UsbfsDeviceHandler::TakeReapable(Urb* urb)
{
    if (m_done.empty()) {
        for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
            if (CompleteInterrupt(*it)) {
                m_done.push_back(*it);
                m_pending.erase(it);
                break;
            }
        }
    }
    if (m_done.empty())
        return false;
    *urb = m_done.front();
    m_done.pop_front();
    return true;
}

int UsbfsDeviceHandler::Discard(unsigned long clientAddress)
{
    for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
        if (it->urb->client_addr == clientAddress) {
            UrbOf(it->urb)->status = -ENOENT;
            m_done.push_back(*it);
            m_pending.erase(it);
            return 0;
        }
    }
    return EINVAL; // already finished: the client reaps it with its real status
}

} // namespace Sim
