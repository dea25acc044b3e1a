#include "tests/support/LogCapture.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QUuid>

namespace TestSupport {

LogCapture::LogCapture()
    : m_name(QStringLiteral("tessary-test-%1.log").arg(QUuid::createUuid().toString(QUuid::Id128))),
      m_path(OrvoCommon::TempDirectoryWithSlash() + m_name)
{
    OrvoCommon::ILogger* logger = OrvoCommon::GetLogger();
    logger->Close();
    logger->SetLogFile(m_name, false);
    logger->SetLoggingLevel(OrvoCommon::ILogger::LevelErrors | OrvoCommon::ILogger::LevelWarnings |
                            OrvoCommon::ILogger::LevelInformation);
}

LogCapture::~LogCapture()
{
    OrvoCommon::GetLogger()->Close();
    QFile::remove(m_path);
}

void LogCapture::Mark()
{
    m_offset = QFile(m_path).size();
}

QStringList LogCapture::Lines() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    file.seek(m_offset);
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList LogCapture::LinesContaining(const QString& text) const
{
    QStringList result;
    const QStringList lines = Lines();
    for (const QString& line : lines) {
        if (line.contains(text))
            result.append(line);
    }
    return result;
}

bool LogCapture::HasError(const QString& text) const
{
    const QStringList lines = LinesContaining(text);
    for (const QString& line : lines) {
        if (line.contains(QLatin1String(",  Error,")))
            return true;
    }
    return false;
}

} // namespace TestSupport
