#pragma once

#include <memory>

namespace OrvoCommon {

class ILogger;
class Logger;

// Hands out the single logger, creating it on first request from any thread. The factory owns it
// for the life of the process.
class LoggerFactory
{
public:
    static LoggerFactory* Instance();
    ~LoggerFactory();

    ILogger* CreateLogger();

private:
    friend class Logger;
    void Forget(Logger* logger);

    Logger* m_logger = nullptr;
    std::unique_ptr<Logger> m_owned;
};

// Shorthand for LoggerFactory::Instance()->CreateLogger().
ILogger* GetLogger();

} // namespace OrvoCommon
