#include "sysinfo/linux/LinuxLanguageSupport.h"

#include <QtTest>

using namespace OrvoCommon;

class TestLanguageSupport : public QObject
{
    Q_OBJECT

private:
    int m_enumerations = 0;

    LinuxLanguageSupport Make(unsigned userLangId, const QStringList& locales)
    {
        return LinuxLanguageSupport([userLangId] { return userLangId; },
                                    [this, locales] {
                                        ++m_enumerations;
                                        return locales;
                                    });
    }

private slots:
    void init()
    {
        LinuxLanguageSupport::ResetInstalledLanguagesForTests();
        m_enumerations = 0;
    }

    void userLanguage_data()
    {
        QTest::addColumn<unsigned>("user");
        QTest::addColumn<LanguageMap>("map");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty map") << 0x0407u << LanguageMap{} << "";
        QTest::newRow("primary fallback") << 0x0407u << LanguageMap{{0x0007, "de"}} << "de";
        QTest::newRow("exact wins") << 0x0407u << LanguageMap{{0x0407, "de-DE"}, {0x0007, "de"}} << "de-DE";
        QTest::newRow("no match") << 0x040Cu << LanguageMap{{0x0407, "de"}} << "";
        QTest::newRow("regional entry does not serve another region") << 0x0C07u << LanguageMap{{0x0407, "de"}} << "";
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

    void emptyMapNeverEnumerates()
    {
        LinuxLanguageSupport support = Make(0x0409, {QStringLiteral("de_DE.utf8")});
        QVERIFY(!support.IsLanguageInstalled(QStringLiteral("en")));
        QVERIFY(!support.IsLanguageInstalled(QString()));
        QCOMPARE(m_enumerations, 0);
    }

    void installed_data()
    {
        QTest::addColumn<QStringList>("locales");
        QTest::addColumn<LanguageMap>("map");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("expected");
        QTest::newRow("generic English always installed") << QStringList{} << LanguageMap{{9, "en"}} << "en" << true;
        QTest::newRow("English region needs the locale")
            << QStringList{"C.utf8", "POSIX"} << LanguageMap{{0x0809, "en"}} << "en" << false;
        QTest::newRow("English region reported")
            << QStringList{"en_GB.utf8"} << LanguageMap{{0x0809, "en"}} << "en" << true;
        QTest::newRow("primary part added") << QStringList{"de_AT.utf8"} << LanguageMap{{0x0007, "de"}} << "de" << true;
        QTest::newRow("other region not installed")
            << QStringList{"de_AT.utf8"} << LanguageMap{{0x0407, "de"}} << "de" << false;
        QTest::newRow("euro modifier") << QStringList{"fr_FR@euro"} << LanguageMap{{0x040C, "fr"}} << "fr" << true;
        QTest::newRow("key 127 never installed") << QStringList{} << LanguageMap{{127, "xx"}} << "xx" << false;
        QTest::newRow("unknown code") << QStringList{"de_DE.utf8"} << LanguageMap{{0x0407, "de"}} << "De" << false;
    }

    void installed()
    {
        QFETCH(QStringList, locales);
        QFETCH(LanguageMap, map);
        QFETCH(QString, code);
        QFETCH(bool, expected);
        LinuxLanguageSupport support = Make(0x0409, locales);
        support.SetLanguageMap(map);
        QCOMPARE(support.IsLanguageInstalled(code), expected);
    }

    void installedListIsBuiltOnce()
    {
        LinuxLanguageSupport support = Make(0x0409, {QStringLiteral("de_DE.utf8"), QStringLiteral("de_CH.utf8")});
        support.SetLanguageMap({{0x0407, "de"}, {0x040C, "fr"}});
        QVERIFY(support.IsLanguageInstalled(QStringLiteral("de")));
        QVERIFY(!support.IsLanguageInstalled(QStringLiteral("fr")));
        QCOMPARE(m_enumerations, 1);
        QCOMPARE(LinuxLanguageSupport::InstalledLanguages(), (QList<unsigned>{0x0407, 0x0007, 0x0807, 9}));
    }

    void systemSourcesWork()
    {
        // This machine's own C library and locale: no crash, English always there.
        LinuxLanguageSupport support;
        support.SetLanguageMap({{9, "en"}});
        QVERIFY(support.IsLanguageInstalled(QStringLiteral("en")));
        LinkLinuxLanguageSupport();
        QVERIFY(LanguageSupportFactory::Registered() != nullptr);
        QVERIFY(LanguageSupportFactory::Registered()->CreateLanguageSupport() != nullptr);
    }
};

QTEST_GUILESS_MAIN(TestLanguageSupport)
#include "TestLanguageSupport.moc"
