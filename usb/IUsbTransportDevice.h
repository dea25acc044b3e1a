#pragma once

#include <QByteArray>

#include <cstdint>

namespace OrvoCommon {

enum class UsbTransferResult
{
    Ok,
    Stall,
    Timeout,
    NoDevice,       // the device has left
    BufferTooSmall, // the configuration descriptor set is longer than the buffer offered
    Error,
};

// One open USB device node. Calls are serialised by the owning CsrDevice (Interrupt excepted); a
// transfer never blocks longer than its time-out and returns NoDevice soon after the device leaves.
class IUsbTransportDevice
{
public:
    virtual ~IUsbTransportDevice() = default;

    virtual UsbTransferResult ReadDeviceDescriptor(QByteArray* descriptor) = 0;
    // The whole configuration descriptor set, if it fits into bufferSize bytes.
    virtual UsbTransferResult ReadConfigDescriptor(int bufferSize, QByteArray* descriptors) = 0;
    // Control transfer on endpoint 0. setup is the 6-byte header (bmRequestType, bRequest, wValue,
    // wIndex, little-endian); a device-to-host transfer reads up to readLength bytes into dataIn, a
    // host-to-device transfer sends dataOut.
    virtual UsbTransferResult ControlTransfer(const QByteArray& setup, std::uint16_t readLength,
                                              const QByteArray& dataOut, QByteArray* dataIn) = 0;
    // One complete HCI event from the event endpoint, at most 64 bytes.
    virtual UsbTransferResult ReadHciEvent(int timeoutMs, QByteArray* event) = 0;
    virtual UsbTransferResult Reset() = 0;
    // Ends a read under way and every later one with NoDevice, at once. The only call that may come
    // from another thread while a request runs.
    virtual void Interrupt() = 0;
};

} // namespace OrvoCommon
