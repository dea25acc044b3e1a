#include "sysinfo/linux/LinuxLanguageSupport.h"

#include "app/Configuration.h"

#include <QtTest>

using namespace OrvoCommon;

using WritingSystems = QList<QFontDatabase::WritingSystem>;
Q_DECLARE_METATYPE(WritingSystems)

class TestLanguageSupport : public QObject
{
    Q_OBJECT

private:
    int m_fontQueries = 0;
    QTemporaryDir m_temp;

    LinuxLanguageSupport Make(unsigned userLangId, const WritingSystems& writingSystems)
    {
        return LinuxLanguageSupport([userLangId] { return userLangId; },
                                    [this, writingSystems] {
                                        ++m_fontQueries;
                                        return writingSystems;
                                    });
    }

private slots:
    void initTestCase() { qputenv("TMPDIR", m_temp.path().toLocal8Bit()); }
    void init() { m_fontQueries = 0; }

    void userLanguage_data()
    {
        QTest::addColumn<unsigned>("user");
        QTest::addColumn<LanguageMap>("map");
        QTest::addColumn<QString>("expected");
        QTest::newRow("primary fallback") << 0x0407u << LanguageMap{{0x0007, "de"}} << "de";
        QTest::newRow("exact wins") << 0x0407u << LanguageMap{{0x0407, "de-DE"}, {0x0007, "de"}} << "de-DE";
        QTest::newRow("no match") << 0x040Cu << LanguageMap{{0x0407, "de"}} << "";
        QTest::newRow("regional entry does not serve another region") << 0x0C07u << LanguageMap{{0x0407, "de"}} << "";
        QTest::newRow("C locale matches nothing") << 0u << LanguageMap{{0x0009, "en"}} << "";
    }

    void userLanguage()
    {
        QFETCH(unsigned, user);
        QFETCH(LanguageMap, map);
        QFETCH(QString, expected);
        LinuxLanguageSupport support = Make(user, {});
        support.SetLanguageMap(map);
        QCOMPARE(support.GetUserLanguage(), expected);
    }

    void emptyMapNeverAsksTheFonts()
    {
        LinuxLanguageSupport support = Make(0x0409, {QFontDatabase::Latin});
        QVERIFY(!support.IsLanguageInstalled(QStringLiteral("en")));
        QVERIFY(!support.IsLanguageInstalled(QString()));
        QCOMPARE(m_fontQueries, 0);
    }

    void installed_data()
    {
        QTest::addColumn<WritingSystems>("fonts");
        QTest::addColumn<LanguageMap>("map");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("expected");
        QTest::newRow("English region without any font")
            << WritingSystems{} << LanguageMap{{0x0809, "en"}} << "en" << true;
        QTest::newRow("German with Latin fonts")
            << WritingSystems{QFontDatabase::Latin} << LanguageMap{{0x0407, "de"}} << "de" << true;
        QTest::newRow("German region missing from the table")
            << WritingSystems{QFontDatabase::Latin} << LanguageMap{{0x1407, "de"}} << "de" << true;
        QTest::newRow("Arabic without Arabic fonts")
            << WritingSystems{QFontDatabase::Latin} << LanguageMap{{0x0001, "ar"}} << "ar" << false;
        QTest::newRow("Arabic with Arabic fonts") << WritingSystems{QFontDatabase::Latin, QFontDatabase::Arabic}
                                                  << LanguageMap{{0x0401, "ar"}} << "ar" << true;
        QTest::newRow("Taiwan needs traditional Chinese")
            << WritingSystems{QFontDatabase::SimplifiedChinese} << LanguageMap{{0x0404, "zh-TW"}} << "zh-TW" << false;
        QTest::newRow("language we know nothing about")
            << WritingSystems{QFontDatabase::Latin} << LanguageMap{{0x0039, "hi"}} << "hi" << false;
        QTest::newRow("key 127 never installed")
            << WritingSystems{QFontDatabase::Latin} << LanguageMap{{127, "xx"}} << "xx" << false;
        QTest::newRow("codes are case-sensitive")
            << WritingSystems{QFontDatabase::Latin} << LanguageMap{{0x0407, "de"}} << "De" << false;
    }

    void installed()
    {
        QFETCH(WritingSystems, fonts);
        QFETCH(LanguageMap, map);
        QFETCH(QString, code);
        QFETCH(bool, expected);
        LinuxLanguageSupport support = Make(0x0409, fonts);
        support.SetLanguageMap(map);
        QCOMPARE(support.IsLanguageInstalled(code), expected);
    }

    void fontsAreAskedOnce()
    {
        LinuxLanguageSupport support = Make(0x0409, {QFontDatabase::Latin});
        support.SetLanguageMap({{0x0407, "de"}, {0x040C, "fr"}, {0x0401, "ar"}});
        QVERIFY(support.IsLanguageInstalled(QStringLiteral("de")));
        QVERIFY(support.IsLanguageInstalled(QStringLiteral("fr")));
        QVERIFY(!support.IsLanguageInstalled(QStringLiteral("ar")));
        QCOMPARE(m_fontQueries, 1);
    }

    // The machine these tests run on has no locale but C.UTF-8; every shipped language must still
    // be offered, because its fonts (DejaVu) cover Latin and Arabic.
    void shippedLanguagesAreInstalledHere()
    {
        qputenv("TESSARY_APP_DIR", qgetenv("TESSARY_SOURCE_DIR") + "/dist");
        Configuration configuration;
        const QList<LanguageInfo> languages = configuration.GetLanguages();
        LanguageMap map;
        QStringList codes;
        for (const LanguageInfo& language : languages) {
            map.insert(language.locale, language.code);
            codes << language.code;
        }
        QCOMPARE(codes, (QStringList{"en", "de", "fr", "ar"}));

        LinuxLanguageSupport support;
        support.SetLanguageMap(map);
        for (const QString& code : qAsConst(codes))
            QVERIFY2(support.IsLanguageInstalled(code), qPrintable(code));

        LinkLinuxLanguageSupport();
        QVERIFY(LanguageSupportFactory::Registered() != nullptr);
        QVERIFY(LanguageSupportFactory::Registered()->CreateLanguageSupport() != nullptr);
    }
};

QTEST_MAIN(TestLanguageSupport)
#include "TestLanguageSupport.moc"
