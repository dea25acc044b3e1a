#include "device/UpdateMarkWriter.h"

#include "app/ConfigurationFactory.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "device/CsrBcCmdProtocol.h"
#include "device/PsKeys.h"
#include "device/ReleaseVersionKey.h"
#include "firmware/VersionNumbers.h"
#include "usb/ICsrDevice.h"
#include "usb/WireWords.h"

namespace OrvoCommon {

namespace {

constexpr int BootModeSize = 2;

// Two characters as the chip stores them in one word: the first in the high byte.
std::uint16_t CharacterWord(const QString& pair)
{
    return static_cast<std::uint16_t>((pair.at(0).toLatin1() << 8) | static_cast<std::uint8_t>(pair.at(1).toLatin1()));
}

} // namespace

UpdateMarkWriter::UpdateMarkWriter(CsrBcCmdProtocol* bcCmd, ILogger* logger, int hciTimeoutMs)
    : m_bcCmd(bcCmd), m_logger(logger), m_hciTimeoutMs(hciTimeoutMs)
{
}

bool UpdateMarkWriter::ReadBootMode(ICsrDevice* device, std::uint16_t* bootMode)
{
    QByteArray value;
    if (!m_bcCmd->GetPsKey(device, PsKeys::BootMode, m_hciTimeoutMs, &value)) {
        m_logger->LogError(QStringLiteral("Unable to get boot mode"));
        return false;
    }
    if (value.size() < BootModeSize) {
        m_logger->LogError(QStringLiteral("Boot mode data size is too small - %1").arg(value.size()));
        return false;
    }
    *bootMode = WordAt(value, 0);
    m_logger->LogInformation(QStringLiteral("Read boot mode is %1").arg(*bootMode));
    return true;
}

void UpdateMarkWriter::SetBootMode(ICsrDevice* device, std::uint16_t bootMode)
{
    QByteArray value;
    AppendWord(&value, bootMode);
    if (m_bcCmd->SetPsKey(device, PsKeys::BootMode, m_hciTimeoutMs, value))
        m_logger->LogInformation(QStringLiteral("Set boot mode to %1").arg(bootMode));
    else
        m_logger->LogError(QStringLiteral("Unable to set boot mode to %1").arg(bootMode));
}

bool UpdateMarkWriter::SetReleaseVersion(ICsrDevice* device, const QString& text)
{
    QByteArray value;
    if (!EncodeReleaseVersion(text, &value))
        return false;
    if (!m_bcCmd->SetPsKey(device, ReleaseVersionKey::ForProduct(device->GetProductId()), m_hciTimeoutMs, value)) {
        m_logger->LogError(QStringLiteral("Unable to set release version to %1").arg(text));
        return false;
    }
    m_logger->LogInformation(QStringLiteral("Set release version to %1").arg(text));
    return true;
}

bool UpdateMarkWriter::EncodeReleaseVersion(const QString& text, QByteArray* value)
{
    if (GetConfiguration()->HasAsciiVersionNumber()) {
        QString field1, field2, field3;
        if (!ParseAsciiVersion(text, &field1, &field2, &field3))
            return false;
        AppendWord(value, CharacterWord(field1));
        AppendWord(value, CharacterWord(field2));
        AppendWord(value, CharacterWord(field3));
    } else {
        short major = 0, minor = 0;
        QString build;
        if (!ParseVersion(text, &major, &minor, &build))
            return false;
        AppendWord(value, static_cast<std::uint16_t>(((major & 0xFF) << 8) | (minor & 0xFF)));
        AppendWord(value, CharacterWord(build));
    }
    return true;
}

} // namespace OrvoCommon
