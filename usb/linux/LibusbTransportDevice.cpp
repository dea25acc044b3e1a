#include "usb/linux/LibusbTransportDevice.h"

#include "usb/WireWords.h"
#include "usb/linux/LibusbTransport.h"

#include <QElapsedTimer>
#include <QMutexLocker>

#include <libusb.h>

#include <algorithm>

namespace OrvoCommon {

namespace {

constexpr int HciEventHeaderSize = 2; // event code, parameter length
constexpr int ConfigHeaderSize = 9;

} // namespace

LibusbTransportDevice::LibusbTransportDevice(IUsbTransport* transport, libusb_context* context,
                                             libusb_device_handle* handle, QList<int> claimedInterfaces,
                                             int eventEndpoint)
    : m_transport(transport), m_context(context), m_handle(handle), m_claimed(std::move(claimedInterfaces)),
      m_eventEndpoint(eventEndpoint)
{
}

LibusbTransportDevice::~LibusbTransportDevice()
{
    // After a reset that re-enumerated the device it has left; there is nothing to give back.
    if (!m_reset) {
        for (int interface : qAsConst(m_claimed))
            libusb_release_interface(m_handle, interface);
    }
    libusb_close(m_handle);
}

UsbTransferResult LibusbTransportDevice::Translate(int libusbError)
{
    switch (libusbError) {
    case LIBUSB_SUCCESS:
        return UsbTransferResult::Ok;
    case LIBUSB_ERROR_PIPE:
        return UsbTransferResult::Stall;
    case LIBUSB_ERROR_TIMEOUT:
        return UsbTransferResult::Timeout;
    case LIBUSB_ERROR_NO_DEVICE:
        return UsbTransferResult::NoDevice;
    default:
        return UsbTransferResult::Error;
    }
}

UsbTransferResult LibusbTransportDevice::ReadDeviceDescriptor(QByteArray* descriptor)
{
    libusb_device_descriptor d{};
    const int result = libusb_get_device_descriptor(libusb_get_device(m_handle), &d);
    if (result != LIBUSB_SUCCESS)
        return Translate(result);
    // libusb hands the fields over in host order; the descriptor on the wire is little-endian.
    QByteArray bytes;
    const auto byte = [&bytes](int value) { bytes.append(static_cast<char>(value & 0xFF)); };
    byte(d.bLength);
    byte(d.bDescriptorType);
    AppendWord(&bytes, d.bcdUSB);
    byte(d.bDeviceClass);
    byte(d.bDeviceSubClass);
    byte(d.bDeviceProtocol);
    byte(d.bMaxPacketSize0);
    AppendWord(&bytes, d.idVendor);
    AppendWord(&bytes, d.idProduct);
    AppendWord(&bytes, d.bcdDevice);
    byte(d.iManufacturer);
    byte(d.iProduct);
    byte(d.iSerialNumber);
    byte(d.bNumConfigurations);
    *descriptor = bytes;
    return UsbTransferResult::Ok;
}

UsbTransferResult LibusbTransportDevice::ReadConfigDescriptor(int bufferSize, QByteArray* descriptors)
{
    // The headset has one configuration; its whole set comes from the device itself, as the CSR
    // driver returned it, including the class descriptors libusb does not parse.
    unsigned char header[ConfigHeaderSize];
    int result = libusb_get_descriptor(m_handle, LIBUSB_DT_CONFIG, 0, header, ConfigHeaderSize);
    if (result < 0)
        return Translate(result);
    if (result < 4)
        return UsbTransferResult::Error;
    const int total = header[2] | header[3] << 8;
    if (total > bufferSize)
        return UsbTransferResult::BufferTooSmall;
    QByteArray bytes(total, '\0');
    result =
        libusb_get_descriptor(m_handle, LIBUSB_DT_CONFIG, 0, reinterpret_cast<unsigned char*>(bytes.data()), total);
    if (result < 0)
        return Translate(result);
    bytes.truncate(result);
    *descriptors = bytes;
    return UsbTransferResult::Ok;
}

UsbTransferResult LibusbTransportDevice::ControlTransfer(const QByteArray& setup, std::uint16_t readLength,
                                                         const QByteArray& dataOut, QByteArray* dataIn)
{
    if (setup.size() != 6)
        return UsbTransferResult::Error;
    const auto requestType = static_cast<std::uint8_t>(setup.at(0));
    const auto request = static_cast<std::uint8_t>(setup.at(1));
    const auto value = static_cast<std::uint16_t>(static_cast<std::uint8_t>(setup.at(2)) |
                                                  static_cast<std::uint8_t>(setup.at(3)) << 8);
    const auto index = static_cast<std::uint16_t>(static_cast<std::uint8_t>(setup.at(4)) |
                                                  static_cast<std::uint8_t>(setup.at(5)) << 8);
    if (requestType & LIBUSB_ENDPOINT_IN) {
        QByteArray buffer(readLength, '\0');
        const int result =
            libusb_control_transfer(m_handle, requestType, request, value, index,
                                    reinterpret_cast<unsigned char*>(buffer.data()), readLength, ControlTimeoutMs);
        if (result < 0)
            return Translate(result);
        buffer.truncate(result);
        if (dataIn)
            *dataIn = buffer;
        return UsbTransferResult::Ok;
    }
    if (dataOut.size() > 0xFFFF)
        return UsbTransferResult::Error;
    QByteArray buffer = dataOut; // libusb wants a writable buffer even for data to the device
    const int result = libusb_control_transfer(m_handle, requestType, request, value, index,
                                               reinterpret_cast<unsigned char*>(buffer.data()),
                                               static_cast<std::uint16_t>(buffer.size()), ControlTimeoutMs);
    return result < 0 ? Translate(result) : UsbTransferResult::Ok;
}

bool LibusbTransportDevice::TakeCompleteEvent(QByteArray* event)
{
    if (m_eventBytes.size() < HciEventHeaderSize)
        return false;
    const int size = HciEventHeaderSize + static_cast<std::uint8_t>(m_eventBytes.at(1));
    if (m_eventBytes.size() < size)
        return false;
    *event = m_eventBytes.left(size);
    m_eventBytes.remove(0, size);
    return true;
}

UsbTransferResult LibusbTransportDevice::ReadHciEvent(int timeoutMs, QByteArray* event)
{
    if (m_eventEndpoint < 0)
        return UsbTransferResult::Error;
    QElapsedTimer clock;
    clock.start();
    // An event longer than the endpoint's packets arrives in pieces; the read ends with the event.
    // The driver's wait of 0 ms is a quick look; libusb would read 0 as "wait for ever".
    const int budget = std::max(1, timeoutMs);
    while (!TakeCompleteEvent(event)) {
        const int remaining = budget - static_cast<int>(clock.elapsed());
        if (remaining <= 0)
            return UsbTransferResult::Timeout;
        QByteArray packet;
        const int result = ReadPacket(remaining, &packet);
        m_eventBytes.append(packet);
        if (result != LIBUSB_SUCCESS)
            return TakeCompleteEvent(event) ? UsbTransferResult::Ok : Translate(result);
    }
    return UsbTransferResult::Ok;
}

namespace {

void LIBUSB_CALL OnPacketDone(libusb_transfer* transfer)
{
    *static_cast<int*>(transfer->user_data) = 1;
}

int ErrorOf(const libusb_transfer& transfer, bool interrupted)
{
    switch (transfer.status) {
    case LIBUSB_TRANSFER_COMPLETED:
        return LIBUSB_SUCCESS;
    case LIBUSB_TRANSFER_TIMED_OUT:
        return LIBUSB_ERROR_TIMEOUT;
    case LIBUSB_TRANSFER_CANCELLED:
        return interrupted ? LIBUSB_ERROR_NO_DEVICE : LIBUSB_ERROR_INTERRUPTED;
    case LIBUSB_TRANSFER_STALL:
        return LIBUSB_ERROR_PIPE;
    case LIBUSB_TRANSFER_NO_DEVICE:
        return LIBUSB_ERROR_NO_DEVICE;
    case LIBUSB_TRANSFER_OVERFLOW:
        return LIBUSB_ERROR_OVERFLOW;
    case LIBUSB_TRANSFER_ERROR:
        break;
    }
    return LIBUSB_ERROR_IO;
}

} // namespace

int LibusbTransportDevice::ReadPacket(int timeoutMs, QByteArray* packet)
{
    libusb_transfer* transfer = libusb_alloc_transfer(0);
    if (!transfer)
        return LIBUSB_ERROR_NO_MEM;
    unsigned char buffer[InterruptPacketSize];
    int completed = 0;
    libusb_fill_interrupt_transfer(transfer, m_handle, static_cast<unsigned char>(m_eventEndpoint), buffer,
                                   InterruptPacketSize, &OnPacketDone, &completed, static_cast<unsigned>(timeoutMs));
    {
        QMutexLocker lock(&m_transferMutex);
        const int submitted = m_interrupted ? LIBUSB_ERROR_NO_DEVICE : libusb_submit_transfer(transfer);
        if (submitted != LIBUSB_SUCCESS) {
            libusb_free_transfer(transfer);
            return submitted;
        }
        m_pending = transfer;
    }
    // This thread handles libusb's events itself (the transport's event thread may meanwhile), until
    // its transfer has completed, timed out or been cancelled.
    while (!completed) {
        const int result = libusb_handle_events_completed(m_context, &completed);
        if (result < 0 && result != LIBUSB_ERROR_INTERRUPTED)
            libusb_cancel_transfer(transfer);
    }
    {
        QMutexLocker lock(&m_transferMutex);
        m_pending = nullptr;
    }
    *packet = QByteArray(reinterpret_cast<const char*>(buffer), transfer->actual_length);
    const int result = ErrorOf(*transfer, m_interrupted);
    libusb_free_transfer(transfer);
    return result;
}

void LibusbTransportDevice::Interrupt()
{
    QMutexLocker lock(&m_transferMutex);
    m_interrupted = true;
    if (m_pending)
        libusb_cancel_transfer(m_pending);
}

UsbTransferResult LibusbTransportDevice::Reset()
{
    const int result = libusb_reset_device(m_handle);
    // NOT_FOUND: the device came back with other descriptors (application to boot loader and back),
    // so it is a new device now, which is what a reset of the headset is for.
    if (result == LIBUSB_ERROR_NOT_FOUND) {
        m_reset = true;
        return UsbTransferResult::Ok;
    }
    // Success: the kernel reset it in place, keeping its address, and sends no notices; it is a new
    // device all the same.
    if (result == LIBUSB_SUCCESS) {
        m_transport->AnnounceResetInPlace(LibusbTransport::DevicePath(libusb_get_device(m_handle)));
        return UsbTransferResult::Ok;
    }
    return Translate(result);
}

} // namespace OrvoCommon
