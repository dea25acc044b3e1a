#pragma once

#include "app/ILogger.h"

#include <QFile>
#include <QMutex>

#include <atomic>
#include <memory>

namespace OrvoCommon {

class Logger : public ILogger
{
public:
    // Every write, GetErrorLines and Close take this one mutex; the factory creates the logger
    // under it too.
    static QMutex& Mutex();

    Logger();
    ~Logger() override;

    void SetLogFile(const QString& name, bool registerForCleanup) override;
    void SetLoggingLevel(unsigned level) override;
    void LogError(const QString& message) override;
    void LogException(const OrvoException& exception) override;
    void LogWarning(const QString& message) override;
    void LogInformation(const QString& message) override;
    QStringList GetErrorLines() override;
    void Close() override;

    // The path of the log file; empty when logging is off.
    QString GetLogFilePath() const;

private:
    void Write(unsigned levelBit, const char* prefix, const QString& message);

    std::atomic<unsigned> m_level{7};
    QString m_path;
    std::unique_ptr<QFile> m_file;
};

} // namespace OrvoCommon
