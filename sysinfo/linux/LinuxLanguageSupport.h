#pragma once

#include "app/LazyInstance.h"
#include "sysinfo/ILanguageSupport.h"

#include <QFontDatabase>
#include <QList>
#include <QLocale>

#include <functional>
#include <memory>
#include <optional>

namespace OrvoCommon {

// The LANGID of a locale, from a table of every language we ship and their common regions. A region
// missing from the table gives the bare primary language, which still matches a generic entry.
// 0 when the language is not in the table (C, POSIX, unknown).
unsigned LangIdForLocale(const QLocale& locale);

// The writing system a LANGID's language is written in (a regional LANGID may differ from its
// primary language, as Chinese does); Any when the language is not in the table.
QFontDatabase::WritingSystem WritingSystemForLangId(unsigned langId);

// Language support for the Qt interface: the user's language from QLocale::system(); a language
// counts as installed when the machine's fonts cover its writing system. The C library's locales
// do not matter here: the interface draws its texts with Qt's own fonts and translations, and a
// fresh Debian lists no locale but C.UTF-8. English is always installed.
class LinuxLanguageSupport : public ILanguageSupport
{
public:
    using UserLangIdSource = std::function<unsigned()>;
    using WritingSystemsSource = std::function<QList<QFontDatabase::WritingSystem>()>;

    // The sources default to the system's; tests hand in their own.
    explicit LinuxLanguageSupport(UserLangIdSource userLangId = {}, WritingSystemsSource writingSystems = {});

    QString GetUserLanguage() override;
    bool IsLanguageInstalled(const QString& abbreviation) override;
    void SetLanguageMap(const LanguageMap& map) override { m_map = map; }

    static unsigned SystemUserLangId();
    // What the fonts on this machine can write; nothing without a GUI application to ask.
    static QList<QFontDatabase::WritingSystem> SystemWritingSystems();

private:
    LanguageMap m_map;
    UserLangIdSource m_userLangId;
    WritingSystemsSource m_writingSystemsSource;
    // Asked on the first question that needs it; fonts installed later are not seen.
    std::optional<QList<QFontDatabase::WritingSystem>> m_writingSystems;
};

class LinuxLanguageSupportFactory : public LanguageSupportFactory
{
public:
    LinuxLanguageSupportFactory() { Register(this); }
    ILanguageSupport* CreateLanguageSupport() override;

private:
    LazyInstance<LinuxLanguageSupport> m_instance;
};

// Keeps the registering object linked into the program; call once from main.
void LinkLinuxLanguageSupport();

} // namespace OrvoCommon
