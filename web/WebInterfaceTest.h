#pragma once

#include "web/IWebInterfaceTest.h"

#include <QMutex>

#include <atomic>
#include <optional>

namespace OrvoCommon {

class WebInterfaceTest : public IWebInterfaceTest
{
public:
    void SetWebServerCommFault(bool on) override { m_commFault = on; }
    void SetWebDownloadCorruption(bool on) override { m_downloadCorruption = on; }
    void SetDownloadPort(std::uint16_t port) override { m_downloadPort = port | PortSet; }
    void SetUploadPort(std::uint16_t port) override { m_uploadPort = port | PortSet; }
    void SetHostText(const QString& host) override;

    bool IsWebServerCommFault() const { return m_commFault; }
    bool IsWebDownloadCorruption() const { return m_downloadCorruption; }
    std::optional<std::uint16_t> GetDownloadPort() const { return Port(m_downloadPort); }
    std::optional<std::uint16_t> GetUploadPort() const { return Port(m_uploadPort); }
    QString GetHostText() const;

    // Back to the initial values; for test harnesses only, scripts never reset a switch.
    void ResetForTests();

private:
    // A port override and its "set" state in one atomic word: bit 16 set means overridden.
    static constexpr std::uint32_t PortSet = 0x10000;
    static std::optional<std::uint16_t> Port(std::uint32_t word)
    {
        if (!(word & PortSet))
            return std::nullopt;
        return static_cast<std::uint16_t>(word & 0xFFFF);
    }

    std::atomic<bool> m_commFault{false};
    std::atomic<bool> m_downloadCorruption{false};
    std::atomic<std::uint32_t> m_downloadPort{0};
    std::atomic<std::uint32_t> m_uploadPort{0};
    mutable QMutex m_hostMutex;
    QString m_hostText;
};

// Hands out the single web-layer switch object, created on first request.
class WebInterfaceTestFactory
{
public:
    static WebInterfaceTest* CreateWebInterfaceTest();
};

} // namespace OrvoCommon
