#pragma once

#include <QByteArray>

#include <cstdint>

namespace OrvoCommon {

// One CSR USB device as the update engine sees it. Objects belong to the USB interface and stay
// valid after the device leaves (closed, never reopened), so receivers may compare pointers and call
// operations, which then fail. Operations may be called from any thread; each driver request is
// exclusive on its device. No operation throws: failures are a false result and a log line.
class ICsrDevice
{
public:
    virtual ~ICsrDevice() = default;

    virtual std::uint16_t GetVendorId() = 0;
    virtual std::uint16_t GetProductId() = 0;
    // False once the device has left: from its removal notice, or from the first request that found it
    // gone, whichever comes first.
    virtual bool IsOpen() = 0;
    virtual std::uint16_t GetTransferSize() = 0;
    virtual std::uint16_t GetDeviceRelease() = 0;
    virtual std::uint8_t GetHciInterface() = 0; // 0xFF when there is none
    virtual std::uint8_t GetDfuInterface() = 0; // 0xFF when there is none
    virtual int GetDfuAttributes() = 0;
    // Running the DFU boot loader: a DFU interface and no HCI interface.
    virtual bool IsDfuMode() = 0;
    // USB reset; on success the device is closed and comes back as a new device object.
    virtual bool Reset() = 0;
    // On success data holds exactly the bytes the device returned, at most length.
    virtual bool ControlReadTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                     std::uint16_t index, std::uint16_t length, QByteArray* data) = 0;
    virtual bool ControlWriteTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                      std::uint16_t index, const QByteArray& data) = 0;
    // Waits up to timeoutMs for one HCI event: event code, parameter length, parameters (at most 64 bytes).
    virtual bool GetHciEvent(int timeoutMs, QByteArray* event) = 0;
};

} // namespace OrvoCommon
