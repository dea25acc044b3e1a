#include "device/HciProtocol.h"

#include "app/ILogger.h"
#include "device/BcCmdConstants.h"
#include "device/DeviceServices.h"
#include "device/DeviceText.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "usb/ICsrDevice.h"
#include "usb/WireWords.h"

namespace OrvoCommon {

HciProtocol::HciProtocol() : m_logger(RequireLogger()), m_test(RequireTestSwitches()) {}

bool HciProtocol::SendHciCommand(ICsrDevice* device, std::uint8_t ogf, std::uint16_t ocf, const QByteArray& parameters)
{
    if (m_test->IsHciCommFault()) {
        m_logger->LogInformation(QStringLiteral("SendHciCommand failing due to set fault"));
        return false;
    }
    const std::uint8_t hciInterface = device->GetHciInterface();
    if (hciInterface == Hci::NoInterface) {
        m_logger->LogError(QStringLiteral("Attempt to SendHciCommand on device without HCI interface - %1")
                               .arg(DeviceIdsText(device)));
        return false;
    }
    // The length is one byte: a longer command would go out with a wrong length and be misread.
    if (parameters.size() > Hci::MaxParameterSize) {
        m_logger->LogError(QStringLiteral("HCI command parameters too long (%1) - %2")
                               .arg(parameters.size())
                               .arg(DeviceIdsText(device)));
        return false;
    }
    const auto opcode = static_cast<std::uint16_t>((ogf << Hci::OcfBits) | (ocf & Hci::OcfMask));
    QByteArray command;
    command.reserve(Hci::CommandHeaderSize + parameters.size());
    AppendWord(&command, opcode);
    command.append(static_cast<char>(parameters.size()));
    command.append(parameters);
    if (!device->ControlWriteTransfer(Hci::CommandRequestType, Hci::CommandRequest, 0, hciInterface, command)) {
        m_logger->LogError(
            QStringLiteral("ControlWriteTransfer failed in SendHciCommand - %1").arg(DeviceIdsText(device)));
        return false;
    }
    return true;
}

bool HciProtocol::GetHciEvent(ICsrDevice* device, int timeoutMs, QByteArray* parameters)
{
    if (m_test->IsHciCommFault()) {
        m_logger->LogInformation(QStringLiteral("GetHciEvent failing due to set fault"));
        return false;
    }
    QByteArray event;
    if (!device->GetHciEvent(timeoutMs, &event)) {
        m_logger->LogError(QStringLiteral("GetHciEvent failed - %1").arg(DeviceIdsText(device)));
        return false;
    }
    if (event.size() < Hci::EventHeaderSize) {
        m_logger->LogError(QStringLiteral("GetHciEvent returned too few bytes (%1) - %2")
                               .arg(event.size())
                               .arg(DeviceIdsText(device)));
        return false;
    }
    *parameters = event.mid(Hci::EventHeaderSize);
    return true;
}

} // namespace OrvoCommon
