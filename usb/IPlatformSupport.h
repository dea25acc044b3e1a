#pragma once

#include <QString>

namespace OrvoCommon {

// Opens a URL or file with the desktop's default handler.
class IPlatformSupport
{
public:
    virtual void OpenUrl(const QString& url) = 0;
    virtual ~IPlatformSupport() = default;
};

class PlatformSupportFactory
{
public:
    virtual ~PlatformSupportFactory() = default;
    virtual IPlatformSupport* CreatePlatformSupport() { return nullptr; }

    static PlatformSupportFactory* Registered() { return s_factory; }

protected:
    static void Register(PlatformSupportFactory* factory) { s_factory = factory; }

private:
    static inline PlatformSupportFactory* s_factory = nullptr;
};

} // namespace OrvoCommon
