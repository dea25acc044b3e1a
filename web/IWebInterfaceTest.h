#pragma once

#include <QString>

#include <cstdint>

namespace OrvoCommon {

// Fault injection and endpoint overrides for the web layer.
class IWebInterfaceTest
{
public:
    virtual ~IWebInterfaceTest() = default;
    virtual void SetWebServerCommFault(bool on) = 0;
    virtual void SetWebDownloadCorruption(bool on) = 0;
    virtual void SetDownloadPort(std::uint16_t port) = 0;
    virtual void SetUploadPort(std::uint16_t port) = 0;
    virtual void SetHostText(const QString& host) = 0;
};

} // namespace OrvoCommon
