#include "sysinfo/linux/LinuxLanguageSupport.h"

#include <QGuiApplication>

#include <new>

namespace OrvoCommon {

namespace {

constexpr unsigned PrimaryLanguageMask = 0x3FF;
constexpr unsigned NotFound = 127;
constexpr unsigned English = 9;

struct LangIdEntry
{
    QLocale::Language language;
    QLocale::Country country;
    unsigned langId;
};

// Primary languages first (country AnyCountry), then the regional identifiers we know.
const LangIdEntry LangIdTable[] = {
    {QLocale::Arabic, QLocale::AnyCountry, 0x01},
    {QLocale::Bulgarian, QLocale::AnyCountry, 0x02},
    {QLocale::Catalan, QLocale::AnyCountry, 0x03},
    {QLocale::Chinese, QLocale::AnyCountry, 0x04},
    {QLocale::Czech, QLocale::AnyCountry, 0x05},
    {QLocale::Danish, QLocale::AnyCountry, 0x06},
    {QLocale::German, QLocale::AnyCountry, 0x07},
    {QLocale::Greek, QLocale::AnyCountry, 0x08},
    {QLocale::English, QLocale::AnyCountry, 0x09},
    {QLocale::Spanish, QLocale::AnyCountry, 0x0A},
    {QLocale::Finnish, QLocale::AnyCountry, 0x0B},
    {QLocale::French, QLocale::AnyCountry, 0x0C},
    {QLocale::Hebrew, QLocale::AnyCountry, 0x0D},
    {QLocale::Hungarian, QLocale::AnyCountry, 0x0E},
    {QLocale::Italian, QLocale::AnyCountry, 0x10},
    {QLocale::Japanese, QLocale::AnyCountry, 0x11},
    {QLocale::Korean, QLocale::AnyCountry, 0x12},
    {QLocale::Dutch, QLocale::AnyCountry, 0x13},
    {QLocale::NorwegianBokmal, QLocale::AnyCountry, 0x14},
    {QLocale::NorwegianNynorsk, QLocale::AnyCountry, 0x14},
    {QLocale::Polish, QLocale::AnyCountry, 0x15},
    {QLocale::Portuguese, QLocale::AnyCountry, 0x16},
    {QLocale::Romanian, QLocale::AnyCountry, 0x18},
    {QLocale::Russian, QLocale::AnyCountry, 0x19},
    {QLocale::Croatian, QLocale::AnyCountry, 0x1A},
    {QLocale::Slovak, QLocale::AnyCountry, 0x1B},
    {QLocale::Swedish, QLocale::AnyCountry, 0x1D},
    {QLocale::Thai, QLocale::AnyCountry, 0x1E},
    {QLocale::Turkish, QLocale::AnyCountry, 0x1F},
    {QLocale::Ukrainian, QLocale::AnyCountry, 0x22},
    {QLocale::Slovenian, QLocale::AnyCountry, 0x24},
    {QLocale::Estonian, QLocale::AnyCountry, 0x25},
    {QLocale::Latvian, QLocale::AnyCountry, 0x26},
    {QLocale::Lithuanian, QLocale::AnyCountry, 0x27},

    {QLocale::Arabic, QLocale::SaudiArabia, 0x0401},
    {QLocale::Chinese, QLocale::Taiwan, 0x0404},
    {QLocale::Chinese, QLocale::China, 0x0804},
    {QLocale::Chinese, QLocale::HongKong, 0x0C04},
    {QLocale::Czech, QLocale::CzechRepublic, 0x0405},
    {QLocale::Danish, QLocale::Denmark, 0x0406},
    {QLocale::German, QLocale::Germany, 0x0407},
    {QLocale::German, QLocale::Switzerland, 0x0807},
    {QLocale::German, QLocale::Austria, 0x0C07},
    {QLocale::Greek, QLocale::Greece, 0x0408},
    {QLocale::English, QLocale::UnitedStates, 0x0409},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809},
    {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},
    {QLocale::English, QLocale::Ireland, 0x1809},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A},
    {QLocale::Spanish, QLocale::Mexico, 0x080A},
    {QLocale::Finnish, QLocale::Finland, 0x040B},
    {QLocale::French, QLocale::France, 0x040C},
    {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::French, QLocale::Canada, 0x0C0C},
    {QLocale::French, QLocale::Switzerland, 0x100C},
    {QLocale::Hebrew, QLocale::Israel, 0x040D},
    {QLocale::Hungarian, QLocale::Hungary, 0x040E},
    {QLocale::Italian, QLocale::Italy, 0x0410},
    {QLocale::Japanese, QLocale::Japan, 0x0411},
    {QLocale::Korean, QLocale::SouthKorea, 0x0412},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413},
    {QLocale::Dutch, QLocale::Belgium, 0x0813},
    {QLocale::NorwegianBokmal, QLocale::Norway, 0x0414},
    {QLocale::NorwegianNynorsk, QLocale::Norway, 0x0814},
    {QLocale::Polish, QLocale::Poland, 0x0415},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816},
    {QLocale::Romanian, QLocale::Romania, 0x0418},
    {QLocale::Russian, QLocale::Russia, 0x0419},
    {QLocale::Slovak, QLocale::Slovakia, 0x041B},
    {QLocale::Swedish, QLocale::Sweden, 0x041D},
    {QLocale::Swedish, QLocale::Finland, 0x081D},
    {QLocale::Thai, QLocale::Thailand, 0x041E},
    {QLocale::Turkish, QLocale::Turkey, 0x041F},
    {QLocale::Ukrainian, QLocale::Ukraine, 0x0422},
};

// The locale that stands for a LANGID: its own table entry, else its primary language's.
std::optional<QLocale> LocaleForLangId(unsigned langId)
{
    const LangIdEntry* primary = nullptr;
    for (const LangIdEntry& entry : LangIdTable) {
        if (entry.langId == langId)
            return QLocale(entry.language, entry.country);
        if (!primary && entry.country == QLocale::AnyCountry && entry.langId == (langId & PrimaryLanguageMask))
            primary = &entry;
    }
    if (primary)
        return QLocale(primary->language, primary->country);
    return std::nullopt;
}

QFontDatabase::WritingSystem WritingSystemForScript(QLocale::Script script)
{
    switch (script) {
    case QLocale::LatinScript:
        return QFontDatabase::Latin;
    case QLocale::ArabicScript:
        return QFontDatabase::Arabic;
    case QLocale::CyrillicScript:
        return QFontDatabase::Cyrillic;
    case QLocale::GreekScript:
        return QFontDatabase::Greek;
    case QLocale::HebrewScript:
        return QFontDatabase::Hebrew;
    case QLocale::ThaiScript:
        return QFontDatabase::Thai;
    case QLocale::SimplifiedHanScript:
        return QFontDatabase::SimplifiedChinese;
    case QLocale::TraditionalHanScript:
        return QFontDatabase::TraditionalChinese;
    case QLocale::JapaneseScript:
        return QFontDatabase::Japanese;
    case QLocale::KoreanScript:
    case QLocale::HangulScript:
        return QFontDatabase::Korean;
    default:
        return QFontDatabase::Any;
    }
}

} // namespace

unsigned LangIdForLocale(const QLocale& locale)
{
    unsigned primary = 0;
    for (const LangIdEntry& entry : LangIdTable) {
        if (entry.language != locale.language())
            continue;
        if (entry.country == locale.country())
            return entry.langId;
        if (entry.country == QLocale::AnyCountry && primary == 0)
            primary = entry.langId;
    }
    return primary;
}

QFontDatabase::WritingSystem WritingSystemForLangId(unsigned langId)
{
    const std::optional<QLocale> locale = LocaleForLangId(langId);
    return locale ? WritingSystemForScript(locale->script()) : QFontDatabase::Any;
}

LinuxLanguageSupport::LinuxLanguageSupport(UserLangIdSource userLangId, WritingSystemsSource writingSystems)
    : m_userLangId(userLangId ? std::move(userLangId) : UserLangIdSource(&SystemUserLangId)),
      m_writingSystemsSource(writingSystems ? std::move(writingSystems) : WritingSystemsSource(&SystemWritingSystems))
{
}

unsigned LinuxLanguageSupport::SystemUserLangId()
{
    return LangIdForLocale(QLocale::system());
}

QList<QFontDatabase::WritingSystem> LinuxLanguageSupport::SystemWritingSystems()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    return QFontDatabase().writingSystems();
}

QString LinuxLanguageSupport::GetUserLanguage()
{
    const unsigned langId = m_userLangId();
    const auto exact = m_map.constFind(langId);
    if (exact != m_map.constEnd())
        return exact.value();
    const auto primary = m_map.constFind(langId & PrimaryLanguageMask);
    if (primary != m_map.constEnd())
        return primary.value();
    return QString();
}

bool LinuxLanguageSupport::IsLanguageInstalled(const QString& abbreviation)
{
    unsigned key = NotFound;
    for (auto it = m_map.constBegin(); it != m_map.constEnd(); ++it) {
        if (it.value() == abbreviation) {
            key = it.key();
            break;
        }
    }
    if (key == NotFound)
        return false;
    // Every English LANGID, so English is offered whatever region the configuration gives it.
    if ((key & PrimaryLanguageMask) == English)
        return true;

    const QFontDatabase::WritingSystem writingSystem = WritingSystemForLangId(key);
    if (writingSystem == QFontDatabase::Any)
        return false;
    if (!m_writingSystems)
        m_writingSystems = m_writingSystemsSource();
    return m_writingSystems->contains(writingSystem);
}

ILanguageSupport* LinuxLanguageSupportFactory::CreateLanguageSupport()
{
    return m_instance.Get(
        [] { return std::unique_ptr<LinuxLanguageSupport>(new (std::nothrow) LinuxLanguageSupport); });
}

namespace {
LinuxLanguageSupportFactory g_linuxLanguageSupportFactory;
}

void LinkLinuxLanguageSupport()
{
    (void)&g_linuxLanguageSupportFactory;
}

} // namespace OrvoCommon
