#pragma once

#include <QByteArray>

#include <cstdint>

namespace UpdatePelarin {
class PelarinUsbCommDriverTest;
}

namespace OrvoCommon {

class ICsrDevice;
class ILogger;

// HCI commands as control transfers to the device's HCI interface, and HCI events from it. Used by
// value inside the CSR extension layer; one thread at a time. Honours the HCI comm fault switch.
class HciProtocol
{
public:
    // Throws OrvoException ("internal-error") when the logger or the test switches are missing.
    HciProtocol();

    bool SendHciCommand(ICsrDevice* device, std::uint8_t ogf, std::uint16_t ocf, const QByteArray& parameters);
    // On success parameters holds the event without its code and length bytes.
    bool GetHciEvent(ICsrDevice* device, int timeoutMs, QByteArray* parameters);

private:
    ILogger* m_logger;
    UpdatePelarin::PelarinUsbCommDriverTest* m_test;
};

} // namespace OrvoCommon
