#pragma once

#include <QList>
#include <QString>

namespace OrvoCommon {

// One interface language offered to the user, from Config.xml's LanguageInfo.
struct LanguageInfo
{
    QString code;
    QString displayName;
    unsigned locale = 0;
    bool rtl = false;
};

// Typed access to Config.xml in the program directory. The getters without a default throw
// "config-file-error" (already logged) when the key is missing or not numeric. Handed out by
// ConfigurationFactory, which owns the single instance.
class IConfiguration
{
public:
    virtual ~IConfiguration() = default;
    virtual QString GetIndexFileHost() = 0;
    virtual void SetIndexFileHost(const QString& host) = 0;
    virtual QString GetIndexFilePath() = 0;
    virtual void SetIndexFilePath(const QString& path) = 0;
    virtual QString GetIndexFileName() = 0;
    virtual void SetIndexFileName(const QString& name) = 0;
    virtual unsigned GetLoggingLevel() = 0;
    virtual QString GetString(const QString& key, const QString& defaultValue) = 0;
    virtual QString GetString(const QString& key) = 0;
    virtual unsigned GetNumber(const QString& key, unsigned defaultValue) = 0;
    virtual unsigned GetNumber(const QString& key) = 0;
    virtual bool GetBool(const QString& key, bool defaultValue) = 0;
    virtual bool GetBool(const QString& key) = 0;
    virtual QList<LanguageInfo> GetLanguages() = 0;
    virtual bool HasAsciiVersionNumber() = 0;
    virtual bool UseAlternateUsb64BitDriverLocation() = 0;
};

} // namespace OrvoCommon
