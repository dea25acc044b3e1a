#pragma once

#include "usb/ICsrDevice.h"
#include "usb/IUsbTransportDevice.h"

#include <QMutex>
#include <QRecursiveMutex>
#include <QString>

#include <atomic>
#include <memory>

namespace OrvoCommon {

class ILogger;
class IUsbTransport;

// The platform-neutral CSR device: opens its node through the transport at construction, reads and
// walks the descriptors, and turns every operation into one transport request under the device's
// recursive mutex, with the log lines the support staff know. A request that finds the device gone
// closes it.
class CsrDevice : public ICsrDevice
{
public:
    // Cap on the configuration descriptor buffer: wTotalLength is 16 bits.
    static constexpr int MaxConfigBufferSize = 65536;
    static constexpr int InitialConfigBufferSize = 279;
    static constexpr int MaxHciEventSize = 64;

    // Throws OrvoException ("internal-error") when there is no logger; any other failure leaves the
    // device closed.
    CsrDevice(const QString& path, IUsbTransport* transport);
    ~CsrDevice() override;

    const QString& GetPath() const { return m_path; }
    // Closes the node; a blocked HCI read ends at once, a transfer under way is waited for.
    void Close();
    // Marks the device closed and ends a blocked HCI read at once, without waiting for anything; the
    // node itself goes with Close or the object. For the end of the program.
    void Interrupt();

    std::uint16_t GetVendorId() override { return m_vendorId; }
    std::uint16_t GetProductId() override { return m_productId; }
    bool IsOpen() override { return m_open; }
    std::uint16_t GetTransferSize() override { return m_transferSize; }
    std::uint16_t GetDeviceRelease() override { return m_deviceRelease; }
    std::uint8_t GetHciInterface() override { return m_hciInterface; }
    std::uint8_t GetDfuInterface() override { return m_dfuInterface; }
    int GetDfuAttributes() override { return m_dfuAttributes; }
    bool IsDfuMode() override;
    bool Reset() override;
    bool ControlReadTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                             std::uint16_t length, QByteArray* data) override;
    bool ControlWriteTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                              const QByteArray& data) override;
    bool GetHciEvent(int timeoutMs, QByteArray* event) override;

    // The log's hex form: lower-case pairs separated by spaces, the first 30 bytes, then "...".
    static QString HexForm(const QByteArray& bytes);

private:
    bool ReadDescriptors();
    bool ReadConfiguration(QByteArray* descriptors);
    QString Ids() const;
    // Closes the device when the result says it has gone.
    UsbTransferResult Checked(UsbTransferResult result);

    std::uint16_t m_vendorId = 0;
    std::uint16_t m_productId = 0;
    std::unique_ptr<IUsbTransportDevice> m_handle;
    std::atomic<bool> m_open{false};
    const QString m_path;
    std::uint16_t m_transferSize = 0;
    std::uint16_t m_deviceRelease = 0;
    std::uint8_t m_hciInterface = 0xFF;
    std::uint8_t m_dfuInterface = 0xFF;
    int m_dfuAttributes = 0;
    ILogger* m_logger = nullptr;
    // Held for the whole of every request, and to replace the handle.
    QRecursiveMutex m_mutex;
    // Held only to interrupt the handle and to replace it, never across a request, so that an
    // interruption reaches a request that holds m_mutex.
    QMutex m_handleMutex;
};

} // namespace OrvoCommon
