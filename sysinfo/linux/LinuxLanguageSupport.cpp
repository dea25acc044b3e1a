#include "sysinfo/linux/LinuxLanguageSupport.h"

#include <QProcess>

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

QList<unsigned>& InstalledList()
{
    static QList<unsigned> list;
    return list;
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

LinuxLanguageSupport::LinuxLanguageSupport(UserLangIdSource userLangId, LocaleNamesSource localeNames)
    : m_userLangId(userLangId ? std::move(userLangId) : UserLangIdSource(&SystemUserLangId)),
      m_localeNames(localeNames ? std::move(localeNames) : LocaleNamesSource(&SystemLocaleNames))
{
}

unsigned LinuxLanguageSupport::SystemUserLangId()
{
    return LangIdForLocale(QLocale::system());
}

QStringList LinuxLanguageSupport::SystemLocaleNames()
{
    QProcess process;
    process.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
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

    QList<unsigned>& installed = InstalledList();
    if (installed.isEmpty()) {
        const QStringList names = m_localeNames();
        for (const QString& name : names) {
            // "de_DE.utf8" and "de_DE@euro" name the same language and region.
            const QString bare = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
            const unsigned langId = LangIdForLocale(QLocale(bare));
            if (langId == 0 || bare == QLatin1String("C") || bare == QLatin1String("POSIX"))
                continue;
            installed.append(langId);
            if (!installed.contains(langId & PrimaryLanguageMask))
                installed.append(langId & PrimaryLanguageMask);
        }
        installed.append(English);
    }
    return installed.lastIndexOf(key) >= 0;
}

const QList<unsigned>& LinuxLanguageSupport::InstalledLanguages()
{
    return InstalledList();
}

void LinuxLanguageSupport::ResetInstalledLanguagesForTests()
{
    InstalledList().clear();
}

ILanguageSupport* LinuxLanguageSupportFactory::CreateLanguageSupport()
{
    if (!m_instance)
        m_instance.reset(new (std::nothrow) LinuxLanguageSupport);
    return m_instance.get();
}

namespace {
LinuxLanguageSupportFactory g_linuxLanguageSupportFactory;
}

void LinkLinuxLanguageSupport()
{
    (void)&g_linuxLanguageSupportFactory;
}

} // namespace OrvoCommon
