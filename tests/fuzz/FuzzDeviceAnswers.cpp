// Feeds arbitrary bytes to the host as a device would send them: descriptors, HCI events carrying
// BCCMD answers, DFU status replies. Everything from the device is untrusted: the descriptor walk,
// the event and BCCMD decoding and the value formats must cope with any of it.
//
// The input is a list of chunks, each a length byte (low six bits) and that many bytes: the device
// descriptor, the configuration descriptor set, then the answers in the order the host asks for
// them (HCI events and control reads alike). Bit 7 of a length byte makes the answer carry the
// sequence number of the request it answers, which random bytes would rarely hit.

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/CsrBcCmdProtocol.h"
#include "device/DfuProtocol.h"
#include "device/PsValueText.h"
#include "usb/CsrDevice.h"
#include "usb/IUsbTransport.h"

#include <QList>

#include <cstdint>
#include <memory>

namespace {

using namespace OrvoCommon;

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    // The next chunk; false when the input is used up.
    bool Next(QByteArray* chunk, bool* echoSequence)
    {
        if (m_offset >= m_size)
            return false;
        const std::uint8_t header = m_data[m_offset++];
        const std::size_t length = std::min<std::size_t>(header & 0x3F, m_size - m_offset);
        *chunk = QByteArray(reinterpret_cast<const char*>(m_data + m_offset), static_cast<int>(length));
        *echoSequence = header & 0x80;
        m_offset += length;
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

class FuzzDevice : public IUsbTransportDevice
{
public:
    explicit FuzzDevice(FuzzInput* input) : m_input(input) {}

    UsbTransferResult ReadDeviceDescriptor(QByteArray* descriptor) override { return Answer(descriptor); }
    UsbTransferResult ReadConfigDescriptor(int bufferSize, QByteArray* descriptors) override
    {
        const UsbTransferResult result = Answer(descriptors);
        return result == UsbTransferResult::Ok && descriptors->size() > bufferSize ? UsbTransferResult::BufferTooSmall
                                                                                   : result;
    }
    UsbTransferResult ControlTransfer(const QByteArray& setup, std::uint16_t readLength, const QByteArray& dataOut,
                                      QByteArray* dataIn) override
    {
        // The sequence number of a BCCMD request: HCI command header (3), channel (1), then word 2.
        if (dataOut.size() >= 10)
            m_sequence = dataOut.mid(8, 2);
        if (!(static_cast<std::uint8_t>(setup.at(0)) & 0x80))
            return UsbTransferResult::Ok;
        QByteArray answer;
        const UsbTransferResult result = Answer(&answer);
        if (dataIn)
            *dataIn = answer.left(readLength);
        return result;
    }
    UsbTransferResult ReadHciEvent(int, QByteArray* event) override
    {
        const UsbTransferResult result = Answer(event);
        // Event code, length, channel, then the BCCMD message whose third word is the sequence number.
        if (result == UsbTransferResult::Ok && m_echo && event->size() >= 9)
            event->replace(7, 2, m_sequence);
        return result;
    }
    UsbTransferResult Reset() override { return UsbTransferResult::Ok; }
    void Interrupt() override {}

private:
    UsbTransferResult Answer(QByteArray* bytes)
    {
        if (!m_input->Next(bytes, &m_echo))
            return UsbTransferResult::Timeout;
        return UsbTransferResult::Ok;
    }

    FuzzInput* m_input;
    QByteArray m_sequence{2, '\0'};
    bool m_echo = false;
};

class FuzzTransport : public IUsbTransport
{
public:
    explicit FuzzTransport(FuzzInput* input) : m_input(input) {}
    QStringList PresentDevicePaths() override { return {QStringLiteral("fuzz")}; }
    bool PeekIds(const QString&, std::uint16_t*, std::uint16_t*) override { return false; }
    std::unique_ptr<IUsbTransportDevice> Open(const QString&, QString*) override
    {
        return std::make_unique<FuzzDevice>(m_input);
    }

private:
    FuzzInput* m_input;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    GetLogger()->SetLoggingLevel(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    FuzzTransport transport(&input);
    CsrDevice device(QStringLiteral("fuzz"), &transport);
    if (!device.IsOpen())
        return 0;

    // What the query threads read and how they turn it into text.
    CsrBcCmdProtocol bcCmd;
    QByteArray value;
    for (const std::uint16_t key : {0x0001, 0x02B3, 0x02C3, 0x0108, 0x029D, 0x0292, 0x03CD}) {
        if (bcCmd.GetPsKey(&device, key, 0, &value)) {
            PsValueText::Address(value);
            PsValueText::NumericVersion(value);
            PsValueText::CharacterVersion(value);
            PsValueText::SerialNumber(value);
            PsValueText::DeviceName(value);
        }
    }
    bcCmd.BcCmdGet(&device, 0x2819, QByteArray(), 0, &value);

    // What the programming thread reads in DFU mode.
    DfuProtocol dfu;
    dfu.SetMessageRetries(0);
    dfu.SetDevice(&device);
    std::uint8_t status = 0;
    std::uint8_t state = 0;
    std::uint32_t pollTimeout = 0;
    dfu.GetStatus(&status, &pollTimeout, &state);
    dfu.GetState(&state);
    DfuProtocol::StateName(state);
    DfuProtocol::StatusName(status);
    return 0;
}
