#pragma once

#include "app/IConfiguration.h"

#include <QHash>
#include <QMutex>

namespace OrvoCommon {

class ILogger;

class Configuration : public IConfiguration
{
public:
    // Throws "internal-error" when no logger can be had.
    Configuration();

    QString GetIndexFileHost() override;
    void SetIndexFileHost(const QString& host) override;
    QString GetIndexFilePath() override;
    void SetIndexFilePath(const QString& path) override;
    QString GetIndexFileName() override;
    void SetIndexFileName(const QString& name) override;
    unsigned GetLoggingLevel() override;
    QString GetString(const QString& key, const QString& defaultValue) override;
    QString GetString(const QString& key) override;
    unsigned GetNumber(const QString& key, unsigned defaultValue) override;
    unsigned GetNumber(const QString& key) override;
    bool GetBool(const QString& key, bool defaultValue) override;
    bool GetBool(const QString& key) override;
    QList<LanguageInfo> GetLanguages() override;
    bool HasAsciiVersionNumber() override;
    bool UseAlternateUsb64BitDriverLocation() override;

    // Forgets everything loaded and every override, as if just created. For tests that point the
    // program directory at another Config.xml within one process.
    void Reset();

private:
    // Both run with m_mutex held.
    void EnsureLoaded();
    [[noreturn]] void Fail(const QString& message);

    bool Lookup(const QString& key, QString* value);
    QString Override(const QString* overrideValue, const char* key);

    // Serialises loading and lookups, so that the no-cache mode (a reload on every access) is safe
    // from several threads too.
    QMutex m_mutex;
    ILogger* m_logger;
    QHash<QString, QString> m_values;
    QList<LanguageInfo> m_languages;
    QString m_hostOverride;
    QString m_pathOverride;
    QString m_nameOverride;
    bool m_caching = true;
};

// Reads an unsigned 32-bit number in C notation (decimal, 0x hexadecimal, leading-0 octal).
// Out-of-range values are not numbers.
bool ParseCNumber(const QString& text, unsigned* value);

} // namespace OrvoCommon
