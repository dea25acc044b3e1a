#pragma once

#include "device/HciProtocol.h"

#include <QByteArray>

#include <cstdint>

namespace OrvoCommon {

// The CSR vendor HCI extension: a channel payload behind one descriptor byte, sent as the vendor
// command and received as vendor events. Outgoing payloads always go as one fragment; the fragment
// bits of incoming events are not looked at, so an answer must fit in one event.
class CsrHciExtensionsProtocol
{
public:
    // Throws OrvoException ("internal-error") when the logger or the test switches are missing.
    CsrHciExtensionsProtocol();

    bool SendHciExtCommand(ICsrDevice* device, std::uint8_t channel, const QByteArray& payload);
    bool GetHciExtEvent(ICsrDevice* device, int timeoutMs, std::uint8_t* channel, QByteArray* payload);

private:
    ILogger* m_logger;
    HciProtocol m_hci;
};

} // namespace OrvoCommon
