#pragma once

#include "app/ErrorCodes.h"
#include "app/LazyInstance.h"

namespace OrvoCommon {

class ILogger;
class Logger;

// Hands out the single logger, creating it on first request from any thread. The factory owns it
// for the life of the process.
class LoggerFactory
{
public:
    static LoggerFactory* Instance();
    LoggerFactory();
    ~LoggerFactory();

    ILogger* CreateLogger();

private:
    LazyInstance<Logger> m_logger;
};

// Shorthand for LoggerFactory::Instance()->CreateLogger().
ILogger* GetLogger();

// The logger for a constructor that cannot work without one: throws OrvoException with errorCode
// and "Unable to get ILogger" instead of handing out null.
ILogger* RequireLogger(const char* errorCode = ErrorCodes::InternalError);

} // namespace OrvoCommon
