#include "usb/CsrDevice.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "usb/IUsbTransport.h"
#include "usb/WireWords.h"

#include <QMutexLocker>

namespace OrvoCommon {

namespace {

constexpr std::uint8_t DescriptorInterface = 4;
constexpr std::uint8_t DescriptorDfuFunctional = 0x21;
constexpr int FunctionalDescriptorSize = 7;
constexpr int InterfaceDescriptorSize = 9;
constexpr int HexFormLimit = 30;
// The Linux stand-in for the driver request's wait: the transport's own time-out.
constexpr char TimeoutMessage[] = "Timeout waiting for USB transfer";

QByteArray SetupHeader(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index)
{
    QByteArray header;
    header.append(static_cast<char>(requestType));
    header.append(static_cast<char>(request));
    AppendWord(&header, value);
    AppendWord(&header, index);
    return header;
}

} // namespace

CsrDevice::CsrDevice(const QString& path, IUsbTransport* transport) : m_path(path)
{
    m_logger = RequireLogger();
    QMutexLocker lock(&m_mutex);
    m_logger->LogInformation(QStringLiteral("Opening CSR device"));
    QString why;
    {
        QMutexLocker handleLock(&m_handleMutex);
        m_handle = transport->Open(path, &why);
    }
    if (!m_handle) {
        m_logger->LogError(QStringLiteral("Unable to open device %1").arg(path));
        return;
    }
    m_open = true;
    if (!ReadDescriptors())
        Close();
}

CsrDevice::~CsrDevice() = default;

void CsrDevice::Interrupt()
{
    m_open = false;
    QMutexLocker handleLock(&m_handleMutex);
    if (m_handle)
        m_handle->Interrupt();
}

void CsrDevice::Close()
{
    Interrupt();
    QMutexLocker lock(&m_mutex);
    QMutexLocker handleLock(&m_handleMutex);
    m_handle.reset();
}

QString CsrDevice::Ids() const
{
    return QStringLiteral("0x%1/0x%2")
        .arg(m_vendorId, 4, 16, QLatin1Char('0'))
        .arg(m_productId, 4, 16, QLatin1Char('0'));
}

QString CsrDevice::HexForm(const QByteArray& bytes)
{
    QString text = QString::fromLatin1(bytes.left(HexFormLimit).toHex(' '));
    if (bytes.size() > HexFormLimit)
        text += QStringLiteral("...");
    return text;
}

bool CsrDevice::ReadDescriptors()
{
    m_logger->LogInformation(QStringLiteral("Reading CSR device descriptor"));
    QByteArray device;
    if (m_handle->ReadDeviceDescriptor(&device) != UsbTransferResult::Ok || device.size() < 14) {
        m_logger->LogError(QStringLiteral("Unable to read device descriptor"));
        return false;
    }
    m_vendorId = WordAt(device, 8);
    m_productId = WordAt(device, 10);
    m_deviceRelease = WordAt(device, 12);

    m_logger->LogInformation(QStringLiteral("Reading CSR config descriptor"));
    QByteArray config;
    const bool read = ReadConfiguration(&config);
    QList<QByteArray> interfaces;
    QByteArray functional;
    if (read && !config.isEmpty()) {
        int offset = static_cast<std::uint8_t>(config.at(0));
        while (offset + 1 < config.size()) {
            const int length = static_cast<std::uint8_t>(config.at(offset));
            if (length == 0)
                break; // a zero length would visit the same descriptor for ever
            const auto type = static_cast<std::uint8_t>(config.at(offset + 1));
            if (type == DescriptorInterface && length >= InterfaceDescriptorSize &&
                offset + InterfaceDescriptorSize <= config.size())
                interfaces.append(config.mid(offset, length));
            else if (type == DescriptorDfuFunctional && length >= FunctionalDescriptorSize &&
                     offset + FunctionalDescriptorSize <= config.size())
                functional = config.mid(offset, FunctionalDescriptorSize); // the last one wins
            offset += length;
        }
    }
    if (!read || functional.isEmpty()) {
        m_logger->LogError(QStringLiteral("Unable to read configuration and other descriptors"));
        return false;
    }
    for (const QByteArray& interface : interfaces) {
        const auto number = static_cast<std::uint8_t>(interface.at(2));
        const auto cls = static_cast<std::uint8_t>(interface.at(5));
        const auto subclass = static_cast<std::uint8_t>(interface.at(6));
        const auto protocol = static_cast<std::uint8_t>(interface.at(7));
        if (m_hciInterface == 0xFF && cls == 0xE0 && subclass == 0x01 && protocol == 0x01)
            m_hciInterface = number;
        if (m_dfuInterface == 0xFF && cls == 0xFE && subclass == 0x01)
            m_dfuInterface = number;
    }
    m_dfuAttributes = static_cast<std::uint8_t>(functional.at(2));
    m_transferSize = WordAt(functional, 5);
    return true;
}

bool CsrDevice::ReadConfiguration(QByteArray* descriptors)
{
    for (int size = InitialConfigBufferSize; size <= MaxConfigBufferSize; size *= 2) {
        const UsbTransferResult result = m_handle->ReadConfigDescriptor(size, descriptors);
        if (result == UsbTransferResult::Ok)
            return descriptors->size() <= size;
        if (result != UsbTransferResult::BufferTooSmall)
            return false;
    }
    return false;
}

UsbTransferResult CsrDevice::Checked(UsbTransferResult result)
{
    // The first request that finds the device gone closes it, so that whoever asked learns it at
    // once: the removal notice comes some milliseconds later.
    if (result == UsbTransferResult::NoDevice)
        Close();
    return result;
}

bool CsrDevice::IsDfuMode()
{
    return m_hciInterface == 0xFF && m_dfuInterface != 0xFF;
}

bool CsrDevice::Reset()
{
    if (!m_open)
        return false;
    QMutexLocker lock(&m_mutex);
    if (!m_handle)
        return false;
    if (Checked(m_handle->Reset()) != UsbTransferResult::Ok)
        return false;
    Close();
    return true;
}

bool CsrDevice::ControlReadTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                    std::uint16_t index, std::uint16_t length, QByteArray* data)
{
    if (!m_open)
        return false;
    QMutexLocker lock(&m_mutex);
    if (!m_handle)
        return false;
    const QByteArray header = SetupHeader(requestType, request, value, index);
    QByteArray received;
    if (Checked(m_handle->ControlTransfer(header, length, QByteArray(), &received)) != UsbTransferResult::Ok) {
        m_logger->LogError(QStringLiteral("Control read failed for %1").arg(Ids()));
        return false;
    }
    received.truncate(length);
    m_logger->LogInformation(
        QStringLiteral("Control read from %1 - %2 %3").arg(Ids(), HexForm(header), HexForm(received)));
    if (data)
        *data = received;
    return true;
}

bool CsrDevice::ControlWriteTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                     std::uint16_t index, const QByteArray& data)
{
    if (!m_open)
        return false;
    QMutexLocker lock(&m_mutex);
    if (!m_handle)
        return false;
    const QByteArray header = SetupHeader(requestType, request, value, index);
    if (Checked(m_handle->ControlTransfer(header, 0, data, nullptr)) != UsbTransferResult::Ok) {
        m_logger->LogError(QStringLiteral("Control write failed to %1 - %2").arg(Ids(), HexForm(header + data)));
        return false;
    }
    m_logger->LogInformation(QStringLiteral("Control write to %1 - %2").arg(Ids(), HexForm(header + data)));
    return true;
}

bool CsrDevice::GetHciEvent(int timeoutMs, QByteArray* event)
{
    if (!m_open)
        return false;
    QMutexLocker lock(&m_mutex);
    if (!m_handle)
        return false;
    QByteArray received;
    const UsbTransferResult result = Checked(m_handle->ReadHciEvent(timeoutMs, &received));
    if (result != UsbTransferResult::Ok) {
        if (result == UsbTransferResult::Timeout)
            m_logger->LogError(QLatin1String(TimeoutMessage));
        m_logger->LogError(QStringLiteral("Block for HCI event failed for %1").arg(Ids()));
        return false;
    }
    if (received.isEmpty() || received.size() > MaxHciEventSize) {
        m_logger->LogError(QStringLiteral("Get of HCI event failed for %1").arg(Ids()));
        return false;
    }
    m_logger->LogInformation(QStringLiteral("Got HCI event for %1 - %2").arg(Ids(), HexForm(received)));
    if (event)
        *event = received;
    return true;
}

} // namespace OrvoCommon
