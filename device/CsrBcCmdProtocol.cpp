#include "device/CsrBcCmdProtocol.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/BcCmdConstants.h"
#include "device/DeviceText.h"
#include "usb/WireWords.h"

namespace OrvoCommon {

CsrBcCmdProtocol::CsrBcCmdProtocol() : m_logger(RequireLogger()) {}

bool CsrBcCmdProtocol::BcCmdGet(ICsrDevice* device, std::uint16_t varid, const QByteArray& payload, int timeoutMs,
                                QByteArray* value)
{
    return Request(device, BcCmd::GetReq, varid, payload, timeoutMs, value);
}

bool CsrBcCmdProtocol::BcCmdSet(ICsrDevice* device, std::uint16_t varid, const QByteArray& payload, int timeoutMs)
{
    QByteArray ignored;
    return Request(device, BcCmd::SetReq, varid, payload, timeoutMs, &ignored);
}

bool CsrBcCmdProtocol::Request(ICsrDevice* device, std::uint16_t type, std::uint16_t varid, const QByteArray& payload,
                               int timeoutMs, QByteArray* value)
{
    QByteArray padded = payload;
    if (padded.size() < BcCmd::MinPayloadSize)
        padded.append(BcCmd::MinPayloadSize - padded.size(), '\0');
    ++m_sequence;

    QByteArray message;
    message.reserve(BcCmd::HeaderSize + padded.size());
    AppendWord(&message, type);
    AppendWord(&message, static_cast<std::uint16_t>((BcCmd::HeaderSize + padded.size()) / 2));
    AppendWord(&message, m_sequence);
    AppendWord(&message, varid);
    AppendWord(&message, BcCmd::StatusOk);
    message.append(padded);
    if (!m_extensions.SendHciExtCommand(device, CsrHciExt::ChannelBcCmd, message))
        return false;
    return WaitForResponse(device, timeoutMs, value);
}

bool CsrBcCmdProtocol::WaitForResponse(ICsrDevice* device, int timeoutMs, QByteArray* value)
{
    // Events that are not our answer (another user's, a late one) are skipped; each read may wait the
    // full time-out again.
    for (;;) {
        std::uint8_t channel = 0;
        QByteArray response;
        if (!m_extensions.GetHciExtEvent(device, timeoutMs, &channel, &response)) {
            m_logger->LogError(QStringLiteral("GetHciExtEvent failed - %1").arg(DeviceIdsText(device)));
            return false;
        }
        if (response.size() < BcCmd::HeaderSize) {
            m_logger->LogError(QStringLiteral("GetHciExtEvent returned too few bytes (%1)").arg(response.size()));
            continue;
        }
        const std::uint16_t type = WordAt(response, BcCmd::TypeOffset);
        if (type != BcCmd::GetResp) {
            m_logger->LogError(QStringLiteral("Received unexpected type (%1) waiting for GET_RESP").arg(type));
            continue;
        }
        const std::uint16_t sequence = WordAt(response, BcCmd::SequenceOffset);
        if (sequence != m_sequence) {
            m_logger->LogError(
                QStringLiteral("Received unexpected BCCMD seq no (%1) - expecting %2").arg(sequence).arg(m_sequence));
            continue;
        }
        const std::uint16_t status = WordAt(response, BcCmd::StatusOffset);
        if (status != BcCmd::StatusOk) {
            m_logger->LogError(QStringLiteral("Received problem status in HCI event (0x%1)").arg(Hex4(status)));
            return false;
        }
        *value = response.mid(BcCmd::HeaderSize);
        return true;
    }
}

bool CsrBcCmdProtocol::GetPsKeySize(ICsrDevice* device, std::uint16_t key, int timeoutMs, std::uint16_t* words)
{
    QByteArray payload;
    AppendWord(&payload, key);
    AppendWord(&payload, 0);
    QByteArray value;
    if (!BcCmdGet(device, BcCmd::VaridPsKeySize, payload, timeoutMs, &value))
        return false;
    if (value.size() < 4) {
        m_logger->LogError(QStringLiteral("Get PS key size response returned too few bytes (%1) - %2")
                               .arg(value.size())
                               .arg(DeviceIdsText(device)));
        return false;
    }
    *words = WordAt(value, 2);
    return true;
}

bool CsrBcCmdProtocol::GetPsKeyValue(ICsrDevice* device, std::uint16_t key, int timeoutMs, std::uint16_t words,
                                     QByteArray* value)
{
    QByteArray payload;
    AppendWord(&payload, key);
    AppendWord(&payload, words);
    AppendWord(&payload, BcCmd::PsStoreDefault);
    payload.append(2 * words, '\0');
    QByteArray response;
    if (!BcCmdGet(device, BcCmd::VaridPsKeyValue, payload, timeoutMs, &response))
        return false;
    if (response.size() < payload.size()) {
        m_logger->LogError(QStringLiteral("Get PS key value response returned too few bytes (%1) - %2")
                               .arg(response.size())
                               .arg(DeviceIdsText(device)));
        return false;
    }
    // Only the words asked for: the chip may pad its answer.
    *value = response.mid(BcCmd::PsValueHeaderSize, 2 * words);
    return true;
}

bool CsrBcCmdProtocol::GetPsKey(ICsrDevice* device, std::uint16_t key, int timeoutMs, QByteArray* value)
{
    std::uint16_t words = 0;
    return GetPsKeySize(device, key, timeoutMs, &words) && GetPsKeyValue(device, key, timeoutMs, words, value);
}

bool CsrBcCmdProtocol::SetPsKey(ICsrDevice* device, std::uint16_t key, int timeoutMs, const QByteArray& value)
{
    QByteArray payload;
    AppendWord(&payload, key);
    AppendWord(&payload, static_cast<std::uint16_t>(value.size() / 2));
    AppendWord(&payload, BcCmd::PsStoreDefault);
    payload.append(value);
    return BcCmdSet(device, BcCmd::VaridPsKeyValue, payload, timeoutMs);
}

bool CsrBcCmdProtocol::ColdReset(ICsrDevice* device)
{
    return BcCmdSet(device, BcCmd::VaridColdReset, QByteArray(), BcCmd::ColdResetTimeoutMs);
}

} // namespace OrvoCommon
