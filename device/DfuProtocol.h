#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace UpdatePelarin {
class PelarinUsbCommDriverTest;
}

namespace OrvoCommon {

class ICsrDevice;
class ILogger;

// The DFU 1.1 class requests on the device's DFU interface, each tried up to message retries + 1
// times 200 ms apart, and the USB reset. Belongs to one programming thread; the device is set by that
// thread whenever one (re)connects. Honours the DFU comm fault switch. Nothing throws after
// construction: failures are a false result and one error line.
class DfuProtocol
{
public:
    // Throws OrvoException ("internal-error") when the logger or the test switches are missing.
    DfuProtocol();
    virtual ~DfuProtocol();

    void SetDevice(ICsrDevice* device) { m_device = device; }
    ICsrDevice* GetDevice() const { return m_device; }
    void SetMessageRetries(int retries) { m_messageRetries = retries; }
    int GetMessageRetries() const { return m_messageRetries; }

    bool Detach(std::uint16_t timeoutMs);
    bool Download(std::uint16_t block, const QByteArray& data);
    // Each out-value may be null.
    bool GetStatus(std::uint8_t* status, std::uint32_t* pollTimeoutMs, std::uint8_t* state);
    bool ClearStatus();
    bool GetState(std::uint8_t* state);
    bool Abort();
    bool Reset();

    static QString StateName(int state);
    static QString StatusName(int status);

private:
    bool ControlRead(std::uint8_t request, std::uint16_t length, QByteArray* data);
    bool ControlWrite(std::uint8_t request, std::uint16_t value, const QByteArray& data);
    // Fault switch, then attempts while the device is open, processing this thread's events between them.
    bool WithRetries(const QString& faultLine, const std::function<bool()>& attempt);
    // Logs the success or the failure line and passes the result on.
    bool Logged(bool ok, const QString& success, const QString& failure);

    ICsrDevice* m_device = nullptr;
    ILogger* m_logger;
    int m_messageRetries;
    UpdatePelarin::PelarinUsbCommDriverTest* m_test;
};

} // namespace OrvoCommon
