#pragma once

#include "device/CsrHciExtensionsProtocol.h"

#include <QByteArray>

#include <cstdint>

namespace OrvoCommon {

// BCCMD requests on the CSR extension's channel 2: numbered requests, the wait for the matching
// answer, and persistent-store reads and writes. Each query thread, the programming thread and the
// comm driver own one; sequence numbers count per object (the first request carries 1). Nothing here
// retries: callers do. Failures are a false result and an error line.
class CsrBcCmdProtocol
{
public:
    // Throws OrvoException ("internal-error") when the logger or the test switches are missing.
    CsrBcCmdProtocol();

    bool BcCmdGet(ICsrDevice* device, std::uint16_t varid, const QByteArray& payload, int timeoutMs, QByteArray* value);
    bool BcCmdSet(ICsrDevice* device, std::uint16_t varid, const QByteArray& payload, int timeoutMs);

    bool GetPsKeySize(ICsrDevice* device, std::uint16_t key, int timeoutMs, std::uint16_t* words);
    bool GetPsKeyValue(ICsrDevice* device, std::uint16_t key, int timeoutMs, std::uint16_t words, QByteArray* value);
    bool GetPsKey(ICsrDevice* device, std::uint16_t key, int timeoutMs, QByteArray* value);
    bool SetPsKey(ICsrDevice* device, std::uint16_t key, int timeoutMs, const QByteArray& value);

    // Restarts the chip. It does not answer, so this normally fails after the full wait; nobody
    // looks at the result.
    bool ColdReset(ICsrDevice* device);

    // The number the last request carried.
    std::uint16_t GetSequenceNumber() const { return m_sequence; }

private:
    bool Request(ICsrDevice* device, std::uint16_t type, std::uint16_t varid, const QByteArray& payload, int timeoutMs,
                 QByteArray* value);
    bool WaitForResponse(ICsrDevice* device, int timeoutMs, QByteArray* value);

    ILogger* m_logger;
    CsrHciExtensionsProtocol m_extensions;
    std::uint16_t m_sequence = 0;
};

} // namespace OrvoCommon
