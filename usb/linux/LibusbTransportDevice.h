#pragma once

#include "usb/IUsbTransportDevice.h"

#include <QList>
#include <QMutex>

#include <atomic>

struct libusb_context;
struct libusb_device_handle;
struct libusb_transfer;

namespace OrvoCommon {

class IUsbTransport;

// One opened USB device through libusb. Owns the handle and the interfaces it claimed (the kernel's
// Bluetooth driver is detached from them while claimed and given them back on release). HCI events
// come from the HCI interface's interrupt-IN endpoint, reassembled to one complete event per read;
// a read waits for its own transfer, which Interrupt cancels.
class LibusbTransportDevice : public IUsbTransportDevice
{
public:
    // A control transfer that has not finished by then has failed: the device has hung.
    static constexpr int ControlTimeoutMs = 5000;
    static constexpr int InterruptPacketSize = 64;

    // Takes ownership of the handle and releases the claimed interfaces when it goes. The transport
    // (which outlives its devices) is told of a reset that kept the device in place.
    LibusbTransportDevice(IUsbTransport* transport, libusb_context* context, libusb_device_handle* handle,
                          QList<int> claimedInterfaces, int eventEndpoint);
    ~LibusbTransportDevice() override;

    UsbTransferResult ReadDeviceDescriptor(QByteArray* descriptor) override;
    UsbTransferResult ReadConfigDescriptor(int bufferSize, QByteArray* descriptors) override;
    UsbTransferResult ControlTransfer(const QByteArray& setup, std::uint16_t readLength, const QByteArray& dataOut,
                                      QByteArray* dataIn) override;
    UsbTransferResult ReadHciEvent(int timeoutMs, QByteArray* event) override;
    UsbTransferResult Reset() override;
    void Interrupt() override;

    static UsbTransferResult Translate(int libusbError);

private:
    bool TakeCompleteEvent(QByteArray* event);
    // One interrupt-IN transfer of at most one packet; a libusb error code.
    int ReadPacket(int timeoutMs, QByteArray* packet);

    IUsbTransport* m_transport;
    libusb_context* m_context;
    libusb_device_handle* m_handle;
    QList<int> m_claimed;
    int m_eventEndpoint;     // -1 without an HCI interface
    QByteArray m_eventBytes; // received but not yet handed out
    bool m_reset = false;
    // Guards the transfer under way against a cancellation from another thread.
    QMutex m_transferMutex;
    libusb_transfer* m_pending = nullptr;
    std::atomic<bool> m_interrupted{false};
};

} // namespace OrvoCommon
