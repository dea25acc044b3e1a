#include "device/CsrHciExtensionsProtocol.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/BcCmdConstants.h"
#include "device/DeviceText.h"

namespace OrvoCommon {

CsrHciExtensionsProtocol::CsrHciExtensionsProtocol() : m_logger(RequireLogger()) {}

bool CsrHciExtensionsProtocol::SendHciExtCommand(ICsrDevice* device, std::uint8_t channel, const QByteArray& payload)
{
    QByteArray parameters;
    parameters.reserve(1 + payload.size());
    parameters.append(
        static_cast<char>(CsrHciExt::FragmentFirst | CsrHciExt::FragmentLast | (channel & CsrHciExt::ChannelMask)));
    parameters.append(payload);
    return m_hci.SendHciCommand(device, Hci::VendorOgf, Hci::VendorOcf, parameters);
}

bool CsrHciExtensionsProtocol::GetHciExtEvent(ICsrDevice* device, int timeoutMs, std::uint8_t* channel,
                                              QByteArray* payload)
{
    QByteArray parameters;
    if (!m_hci.GetHciEvent(device, timeoutMs, &parameters)) {
        m_logger->LogError(QStringLiteral("GetHciEvent failed - %1").arg(DeviceIdsText(device)));
        return false;
    }
    if (parameters.isEmpty()) {
        m_logger->LogError(QStringLiteral("GetHciEvent returned too few bytes (%1) - %2")
                               .arg(parameters.size())
                               .arg(DeviceIdsText(device)));
        return false;
    }
    *channel = static_cast<std::uint8_t>(parameters.at(0)) & CsrHciExt::ChannelMask;
    *payload = parameters.mid(1);
    return true;
}

} // namespace OrvoCommon
