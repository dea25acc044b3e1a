#pragma once

#include "usb/IUsbTransportDevice.h"

#include <QList>

struct libusb_device_handle;

namespace OrvoCommon {

// One opened USB device through libusb. Owns the handle and the interfaces it claimed (the kernel's
// Bluetooth driver is detached from them while claimed and given them back on release). HCI events
// come from the HCI interface's interrupt-IN endpoint, reassembled to one complete event per read.
class LibusbTransportDevice : public IUsbTransportDevice
{
public:
    // A control transfer that has not finished by then has failed: the device has hung.
    static constexpr int ControlTimeoutMs = 5000;
    static constexpr int InterruptPacketSize = 64;

    // Takes ownership of the handle and releases the claimed interfaces when it goes.
    LibusbTransportDevice(libusb_device_handle* handle, QList<int> claimedInterfaces, int eventEndpoint);
    ~LibusbTransportDevice() override;

    UsbTransferResult ReadDeviceDescriptor(QByteArray* descriptor) override;
    UsbTransferResult ReadConfigDescriptor(int bufferSize, QByteArray* descriptors) override;
    UsbTransferResult ControlTransfer(const QByteArray& setup, std::uint16_t readLength, const QByteArray& dataOut,
                                      QByteArray* dataIn) override;
    UsbTransferResult ReadHciEvent(int timeoutMs, QByteArray* event) override;
    UsbTransferResult Reset() override;

    static UsbTransferResult Translate(int libusbError);

private:
    bool TakeCompleteEvent(QByteArray* event);

    libusb_device_handle* m_handle;
    QList<int> m_claimed;
    int m_eventEndpoint;     // -1 without an HCI interface
    QByteArray m_eventBytes; // received but not yet handed out
    bool m_reset = false;
};

} // namespace OrvoCommon
