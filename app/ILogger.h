#pragma once

#include <QString>
#include <QStringList>

namespace OrvoCommon {

class OrvoException;

// The process-wide error log in the user's temporary directory. Safe to use from any thread.
// Handed out by LoggerFactory, which owns it; users never delete it.
class ILogger
{
public:
    enum Level : unsigned
    {
        LevelErrors = 1,
        LevelWarnings = 2,
        LevelInformation = 4,
    };

    virtual ~ILogger() = default;
    virtual void SetLogFile(const QString& name, bool registerForCleanup) = 0;
    virtual void SetLoggingLevel(unsigned level) = 0;
    virtual void LogError(const QString& message) = 0;
    virtual void LogException(const OrvoException& exception) = 0;
    virtual void LogWarning(const QString& message) = 0;
    virtual void LogInformation(const QString& message) = 0;
    // The error and exception lines of the log, for the error-log section of the system information.
    virtual QStringList GetErrorLines() = 0;
    virtual void Close() = 0;
};

} // namespace OrvoCommon
