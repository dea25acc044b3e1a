#pragma once

#include "web/SystemInfo.h"

#include <QString>

namespace OrvoCommon {

// Facts about the computer the program runs on: the system information shown to the user and sent
// to support, and the bundle path, the folder of the package the program was started from (the
// folder of the process that started the launcher), where local firmware files and the support page
// sit. Handed out by the registered SystemInfoReaderFactory, which owns it.
class ISystemInfoReader
{
public:
    virtual ~ISystemInfoReader() = default;
    // Never throws: a source that fails leaves its fields at their initial values.
    virtual SystemInfo GetSystemInfo() = 0;
    // Empty when the processes could not be looked up; an empty answer is not remembered.
    virtual QString GetBundlePath() = 0;
};

// Platform services register their factory in the process-wide pointer; users reach the service
// only through it. The base factory creates nothing.
class SystemInfoReaderFactory
{
public:
    virtual ~SystemInfoReaderFactory() = default;
    virtual ISystemInfoReader* CreateSystemInfoReader() { return nullptr; }

    static SystemInfoReaderFactory* Registered() { return s_factory; }

protected:
    static void Register(SystemInfoReaderFactory* factory) { s_factory = factory; }

private:
    static inline SystemInfoReaderFactory* s_factory = nullptr;
};

} // namespace OrvoCommon
