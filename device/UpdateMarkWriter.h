#pragma once

#include <QString>

#include <cstdint>

namespace OrvoCommon {

class CsrBcCmdProtocol;
class ICsrDevice;
class ILogger;

// The marks an update leaves in the headset's persistent store, so that an interrupted one is known by
// the next run: the boot mode (updating while images are written, done once the device is back) and
// the release version (00.00.00 until the new one is confirmed). The release version goes in the ASCII
// or the hexadecimal encoding, whichever the configuration selects when it is written. Used from the
// programming thread and from its slots on the owner's thread, never at once; requests go through the
// programming thread's own BCCMD protocol, which it lends, so that its request numbers count on.
class UpdateMarkWriter
{
public:
    static constexpr std::uint16_t BootModeUpdating = 0;
    static constexpr std::uint16_t BootModeDone = 1;

    UpdateMarkWriter(CsrBcCmdProtocol* bcCmd, ILogger* logger, int hciTimeoutMs);

    bool ReadBootMode(ICsrDevice* device, std::uint16_t* bootMode);
    // Logs the outcome; the course of the update does not depend on it.
    void SetBootMode(ICsrDevice* device, std::uint16_t bootMode);
    // False, without a log line, when the text does not parse in the selected encoding.
    bool SetReleaseVersion(ICsrDevice* device, const QString& text);

private:
    static bool EncodeReleaseVersion(const QString& text, QByteArray* value);

    CsrBcCmdProtocol* m_bcCmd;
    ILogger* m_logger;
    const int m_hciTimeoutMs;
};

} // namespace OrvoCommon
