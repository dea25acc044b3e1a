#pragma once

#include <QHash>
#include <QString>

namespace OrvoCommon {

// Windows language identifiers (LANGID): the low 10 bits are the primary language.
using LanguageMap = QHash<unsigned, QString>;

// Which configured languages the system can show, and which one is the user's own.
// Handed out by the registered LanguageSupportFactory, which owns it.
class ILanguageSupport
{
public:
    // The configured code of the user's display language (exact LANGID first, then its primary
    // language), or empty.
    virtual QString GetUserLanguage() = 0;
    virtual bool IsLanguageInstalled(const QString& abbreviation) = 0;
    virtual void SetLanguageMap(const LanguageMap& map) = 0;
    virtual ~ILanguageSupport() = default;
};

// Platform services register their factory in the process-wide pointer; users reach the service
// only through it. The base factory creates nothing.
class LanguageSupportFactory
{
public:
    virtual ~LanguageSupportFactory() = default;
    virtual ILanguageSupport* CreateLanguageSupport() { return nullptr; }

    static LanguageSupportFactory* Registered() { return s_factory; }

protected:
    static void Register(LanguageSupportFactory* factory) { s_factory = factory; }

private:
    static inline LanguageSupportFactory* s_factory = nullptr;
};

} // namespace OrvoCommon
