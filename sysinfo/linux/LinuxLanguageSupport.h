#pragma once

#include "sysinfo/ILanguageSupport.h"

#include <QList>
#include <QLocale>
#include <QStringList>

#include <functional>
#include <memory>

namespace OrvoCommon {

// The LANGID of a locale, from a table of every language we ship and their common regions. A region
// missing from the table gives the bare primary language, which still matches a generic entry.
// 0 when the language is not in the table (C, POSIX, unknown).
unsigned LangIdForLocale(const QLocale& locale);

// Language support from the C library: the user's language from QLocale::system(), the installed
// locales from `locale -a`.
class LinuxLanguageSupport : public ILanguageSupport
{
public:
    using UserLangIdSource = std::function<unsigned()>;
    using LocaleNamesSource = std::function<QStringList()>;

    // The sources default to the system's; tests hand in their own.
    explicit LinuxLanguageSupport(UserLangIdSource userLangId = {}, LocaleNamesSource localeNames = {});

    QString GetUserLanguage() override;
    bool IsLanguageInstalled(const QString& abbreviation) override;
    void SetLanguageMap(const LanguageMap& map) override { m_map = map; }

    // The process-wide list of installed LANGIDs, built at most once per process.
    static const QList<unsigned>& InstalledLanguages();
    static void ResetInstalledLanguagesForTests();

    static unsigned SystemUserLangId();
    static QStringList SystemLocaleNames();

private:
    LanguageMap m_map;
    UserLangIdSource m_userLangId;
    LocaleNamesSource m_localeNames;
};

class LinuxLanguageSupportFactory : public LanguageSupportFactory
{
public:
    LinuxLanguageSupportFactory() { Register(this); }
    ILanguageSupport* CreateLanguageSupport() override;

private:
    std::unique_ptr<LinuxLanguageSupport> m_instance;
};

// Keeps the registering object linked into the program; call once from main.
void LinkLinuxLanguageSupport();

} // namespace OrvoCommon
