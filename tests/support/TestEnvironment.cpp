#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestSupport {

QString BinaryDirectory()
{
    const QString fromCtest = qEnvironmentVariable("TESSARY_BIN_DIR");
    return fromCtest.isEmpty() ? QCoreApplication::applicationDirPath() : fromCtest;
}

QString SourceDirectory()
{
    const QString fromCtest = qEnvironmentVariable("TESSARY_SOURCE_DIR");
    return fromCtest.isEmpty() ? QStringLiteral(TESSARY_SOURCE_DIR) : fromCtest;
}

bool WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

TemporaryBundle::TemporaryBundle(const QString& configBody, bool addMandatoryKeys)
{
    WriteConfig(configBody, addMandatoryKeys);
}

void TemporaryBundle::WriteConfig(const QString& configBody, bool addMandatoryKeys)
{
    QString body;
    if (addMandatoryKeys) {
        if (!configBody.contains(QLatin1String("<IndexFileHost")))
            body += QStringLiteral("<IndexFileHost>127.0.0.1</IndexFileHost>\n");
        if (!configBody.contains(QLatin1String("<IndexFilePath")))
            body += QStringLiteral("<IndexFilePath>/firmware/</IndexFilePath>\n");
        if (!configBody.contains(QLatin1String("<IndexFileName")))
            body += QStringLiteral("<IndexFileName>index.xml</IndexFileName>\n");
        if (!configBody.contains(QLatin1String("<LoggingLevel")))
            body += QStringLiteral("<LoggingLevel>7</LoggingLevel>\n");
    }
    body += configBody;
    WriteFile(m_dir.filePath(QStringLiteral("Config.xml")),
              (QStringLiteral("<?xml version=\"1.0\"?>\n<Config>\n") + body + QStringLiteral("</Config>\n")).toUtf8());
}

QStringList LinesContaining(const QString& path, const QString& text)
{
    QStringList result;
    const QStringList lines = QString::fromLocal8Bit(ReadFile(path)).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.contains(text))
            result.append(line);
    }
    return result;
}

QString FailureText(const OrvoCommon::ExceptionPtr& exception)
{
    return exception ? exception->GetErrorCode() + QStringLiteral(": ") + exception->GetMessage() : QString();
}

} // namespace TestSupport
