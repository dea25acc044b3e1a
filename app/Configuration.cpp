#include "app/Configuration.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LazyInstance.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/ProgramDirectory.h"

#include <QDomDocument>
#include <QFile>
#include <QMutexLocker>

namespace OrvoCommon {

bool ParseCNumber(const QString& text, unsigned* value)
{
    bool ok = false;
    const unsigned parsed = text.toUInt(&ok, 0);
    if (ok)
        *value = parsed;
    return ok;
}

Configuration::Configuration() : m_logger(RequireLogger()) {}

void Configuration::Fail(const QString& message)
{
    const OrvoException exception(QLatin1String(ErrorCodes::ConfigFileError), message);
    m_logger->LogException(exception);
    throw exception;
}

void Configuration::EnsureLoaded()
{
    if (!m_values.isEmpty() && m_caching)
        return;
    m_values.clear();
    const QString path = ProgramDirectory() + QStringLiteral("/Config.xml");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Unable to open config file: ") + path);
    QDomDocument document;
    QString parserMessage;
    if (!document.setContent(&file, &parserMessage)) {
        file.close();
        Fail(QStringLiteral("Error parsing config file: ") + parserMessage);
    }
    file.close();

    const QDomElement root = document.documentElement();
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        if (element.isNull())
            continue;
        if (element.attribute(QStringLiteral("type"), QStringLiteral("value")) == QLatin1String("value"))
            m_values.insert(element.tagName(), element.text());
    }
    if (m_values.contains(QLatin1String(ConfigKeys::NoCacheConfig)))
        m_caching = false;

    if (!m_languages.isEmpty())
        return;
    const QDomElement languageInfo = root.firstChildElement(QLatin1String(ConfigKeys::LanguageInfo));
    for (QDomElement language = languageInfo.firstChildElement(QStringLiteral("Language")); !language.isNull();
         language = language.nextSiblingElement(QStringLiteral("Language"))) {
        LanguageInfo info;
        info.code = language.firstChildElement(QStringLiteral("Code")).text();
        info.displayName = language.firstChildElement(QStringLiteral("DisplayName")).text();
        if (!ParseCNumber(language.firstChildElement(QStringLiteral("Locale")).text(), &info.locale))
            info.locale = 0;
        info.rtl = language.firstChildElement(QStringLiteral("RTL")).text() == QLatin1String("true");
        m_languages.append(info);
    }
}

bool Configuration::Lookup(const QString& key, QString* value)
{
    EnsureLoaded();
    const auto it = m_values.constFind(key);
    if (it == m_values.constEnd())
        return false;
    *value = it.value();
    return true;
}

QString Configuration::Override(const QString* overrideValue, const char* key)
{
    QMutexLocker lock(&m_mutex);
    if (!overrideValue->isEmpty())
        return *overrideValue;
    QString value;
    if (!Lookup(QLatin1String(key), &value))
        Fail(QStringLiteral("No configuration string for key: ") + QLatin1String(key));
    return value;
}

QString Configuration::GetIndexFileHost()
{
    return Override(&m_hostOverride, ConfigKeys::IndexFileHost);
}

void Configuration::SetIndexFileHost(const QString& host)
{
    QMutexLocker lock(&m_mutex);
    m_hostOverride = host;
}

QString Configuration::GetIndexFilePath()
{
    return Override(&m_pathOverride, ConfigKeys::IndexFilePath);
}

void Configuration::SetIndexFilePath(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_pathOverride = path;
}

QString Configuration::GetIndexFileName()
{
    return Override(&m_nameOverride, ConfigKeys::IndexFileName);
}

void Configuration::SetIndexFileName(const QString& name)
{
    QMutexLocker lock(&m_mutex);
    m_nameOverride = name;
}

unsigned Configuration::GetLoggingLevel()
{
    return GetNumber(QLatin1String(ConfigKeys::LoggingLevel));
}

QString Configuration::GetString(const QString& key, const QString& defaultValue)
{
    QMutexLocker lock(&m_mutex);
    QString value;
    return Lookup(key, &value) ? value : defaultValue;
}

QString Configuration::GetString(const QString& key)
{
    QMutexLocker lock(&m_mutex);
    QString value;
    if (!Lookup(key, &value))
        Fail(QStringLiteral("No configuration string for key: ") + key);
    return value;
}

unsigned Configuration::GetNumber(const QString& key, unsigned defaultValue)
{
    QMutexLocker lock(&m_mutex);
    QString text;
    unsigned value = 0;
    if (!Lookup(key, &text) || text.isEmpty() || !ParseCNumber(text, &value))
        return defaultValue;
    return value;
}

unsigned Configuration::GetNumber(const QString& key)
{
    QMutexLocker lock(&m_mutex);
    QString text;
    if (!Lookup(key, &text))
        Fail(QStringLiteral("No configuration string for key: ") + key);
    unsigned value = 0;
    if (!ParseCNumber(text, &value))
        Fail(QStringLiteral("The config file node ") + key + QStringLiteral(" value (") + text +
             QStringLiteral(") is not numeric"));
    return value;
}

static bool IsTrueText(const QString& text)
{
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
}

bool Configuration::GetBool(const QString& key, bool defaultValue)
{
    QMutexLocker lock(&m_mutex);
    QString text;
    if (!Lookup(key, &text) || text.isEmpty())
        return defaultValue;
    return IsTrueText(text);
}

bool Configuration::GetBool(const QString& key)
{
    return IsTrueText(GetString(key));
}

QList<LanguageInfo> Configuration::GetLanguages()
{
    QMutexLocker lock(&m_mutex);
    EnsureLoaded();
    return m_languages;
}

bool Configuration::HasAsciiVersionNumber()
{
    QMutexLocker lock(&m_mutex);
    return m_values.contains(QLatin1String(ConfigKeys::AsciiVersionNumber));
}

bool Configuration::UseAlternateUsb64BitDriverLocation()
{
    QMutexLocker lock(&m_mutex);
    return m_values.contains(QLatin1String(ConfigKeys::UseAlternateUsb64BitDriverLocation));
}

void Configuration::Reset()
{
    QMutexLocker lock(&m_mutex);
    m_values.clear();
    m_languages.clear();
    m_hostOverride.clear();
    m_pathOverride.clear();
    m_nameOverride.clear();
    m_caching = true;
}

ConfigurationFactory* ConfigurationFactory::Instance()
{
    static ConfigurationFactory factory;
    return &factory;
}

IConfiguration* ConfigurationFactory::CreateConfiguration()
{
    // Created on first use; a logger failure propagates and the next request tries again.
    static LazyInstance<Configuration> instance;
    return instance.Get();
}

IConfiguration* GetConfiguration()
{
    return ConfigurationFactory::Instance()->CreateConfiguration();
}

} // namespace OrvoCommon
