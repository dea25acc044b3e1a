#include "app/Logger.h"

#include "app/FixedDateFormat.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/ProgramDirectory.h"
#include "app/TempFileList.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QTextStream>

namespace OrvoCommon {

namespace {
constexpr char ErrorPrefix[] = "Error,    ";
constexpr char ExceptionPrefix[] = "Exception,";
constexpr char WarningPrefix[] = "Warning,  ";
constexpr char InfoPrefix[] = "Info,     ";
} // namespace

QMutex& Logger::Mutex()
{
    static QMutex mutex;
    return mutex;
}

Logger::Logger() : m_path(TempDirectoryWithSlash() + QStringLiteral("OrvoError.log"))
{
    // Not yet shared, so no lock; the temp-file list has its own mutex, taken after the logger's.
    TempFileList::Instance()->RegisterTempFile(m_path);
}

Logger::~Logger()
{
    m_file.reset();
}

void Logger::SetLogFile(const QString& name, bool registerForCleanup)
{
    const QString path = TempDirectoryWithSlash() + name;
    {
        QMutexLocker lock(&Mutex());
        m_path = path;
    }
    if (registerForCleanup)
        TempFileList::Instance()->RegisterTempFile(path);
}

void Logger::SetLoggingLevel(unsigned level)
{
    m_level = level;
}

void Logger::LogError(const QString& message)
{
    Write(LevelErrors, ErrorPrefix, message);
}

void Logger::LogException(const OrvoException& exception)
{
    Write(LevelErrors, ExceptionPrefix, exception.GetErrorCode() + QStringLiteral(": ") + exception.GetMessage());
}

void Logger::LogWarning(const QString& message)
{
    Write(LevelWarnings, WarningPrefix, message);
}

void Logger::LogInformation(const QString& message)
{
    Write(LevelInformation, InfoPrefix, message);
}

void Logger::Write(unsigned levelBit, const char* prefix, const QString& message)
{
    if ((m_level & levelBit) == 0)
        return;
    const QString line = FixedDateTimeText(QDateTime::currentDateTime(), QStringLiteral("M/d/yyyy hh:mm:ss.zzz")) +
                         QStringLiteral(",  ") + QLatin1String(prefix) + QStringLiteral("  ") + message +
                         QLatin1Char('\n');
    QMutexLocker lock(&Mutex());
    if (m_path.isEmpty())
        return;
    if (!m_file) {
        auto file = std::make_unique<QFile>(m_path);
        if (!file->open(QIODevice::Append | QIODevice::Text))
            return;
        m_file = std::move(file);
    }
    m_file->write(line.toLocal8Bit());
    m_file->flush();
}

QStringList Logger::GetErrorLines()
{
    QStringList result;
    QMutexLocker lock(&Mutex());
    if (m_path.isEmpty())
        return result;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList parts = line.split(QLatin1Char(','));
        if (parts.size() < 2)
            continue;
        if (parts.at(1).contains(QLatin1String("Error")) || parts.at(1).contains(QLatin1String("Exception")))
            result.append(line);
    }
    return result;
}

void Logger::Close()
{
    QMutexLocker lock(&Mutex());
    m_file.reset();
}

QString Logger::GetLogFilePath() const
{
    QMutexLocker lock(&Mutex());
    return m_path;
}

LoggerFactory* LoggerFactory::Instance()
{
    static LoggerFactory factory;
    return &factory;
}

// Made under the logger's own mutex, as every write is, so that the one lock order (the logger's,
// then the temp-file list's) holds here too.
LoggerFactory::LoggerFactory() : m_logger(&Logger::Mutex()) {}

LoggerFactory::~LoggerFactory() = default;

ILogger* LoggerFactory::CreateLogger()
{
    return m_logger.Get();
}

ILogger* GetLogger()
{
    return LoggerFactory::Instance()->CreateLogger();
}

ILogger* RequireLogger(const char* errorCode)
{
    ILogger* logger = GetLogger();
    if (!logger)
        throw OrvoException(QLatin1String(errorCode), QStringLiteral("Unable to get ILogger"));
    return logger;
}

} // namespace OrvoCommon
