#include "app/Configuration.h"
#include "app/OrvoException.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <QThread>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using namespace OrvoCommon;
using TestSupport::TemporaryBundle;

namespace {

// Runs the call and returns the exception it throws; a code of "none" when it throws nothing.
OrvoException Thrown(const std::function<void()>& call)
{
    try {
        call();
    } catch (const OrvoException& exception) {
        return exception;
    }
    return OrvoException(QStringLiteral("none"), QString());
}

} // namespace

class TestConfiguration : public QObject
{
    Q_OBJECT

private:
    TestSupport::LogCapture m_log;
    std::unique_ptr<TemporaryBundle> m_bundle;

    void UseBundle(const QString& body, bool mandatory = true)
    {
        m_bundle = std::make_unique<TemporaryBundle>(body, mandatory);
        qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
    }

private slots:
    void init() { m_log.Mark(); }

    void booleans_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("TRUE") << "<Flag>TRUE</Flag>" << false << true;
        QTest::newRow("1") << "<Flag>1</Flag>" << false << true;
        QTest::newRow("yes") << "<Flag>yes</Flag>" << true << false;
        QTest::newRow("empty gives default") << "<Flag/>" << true << true;
        QTest::newRow("absent gives default") << "" << true << true;
        QTest::newRow("list type is not a setting") << "<Flag type=\"list\">true</Flag>" << false << false;
        QTest::newRow("later element wins") << "<Flag>true</Flag><Flag>false</Flag>" << true << false;
    }

    void booleans()
    {
        QFETCH(QString, element);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        UseBundle(element);
        Configuration configuration;
        QCOMPARE(configuration.GetBool(QStringLiteral("Flag"), defaultValue), expected);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<unsigned>("expected");
        QTest::newRow("hexadecimal") << "0x10" << 16u;
        QTest::newRow("octal") << "010" << 8u;
        QTest::newRow("largest") << "0xFFFFFFFF" << 0xFFFFFFFFu;
        QTest::newRow("overflow is not a number") << "0x100000000" << 77u;
        QTest::newRow("negative is not a number") << "-1" << 77u;
        QTest::newRow("empty") << "" << 77u;
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(unsigned, expected);
        UseBundle(QStringLiteral("<Value>%1</Value>").arg(text));
        Configuration configuration;
        QCOMPARE(configuration.GetNumber(QStringLiteral("Value"), 77u), expected);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("mandatory");
        QTest::addColumn<QString>("expectedMessage");
        QTest::newRow("not numeric") << "<LoggingLevel>abc</LoggingLevel>" << true
                                     << "The config file node LoggingLevel value (abc) is not numeric";
        QTest::newRow("missing key") << "<Other>1</Other>" << false << "No configuration string for key: LoggingLevel";
        QTest::newRow("malformed") << "<LoggingLevel>7</Logging" << true << "Error parsing config file: ";
    }

    void errors()
    {
        QFETCH(QString, body);
        QFETCH(bool, mandatory);
        QFETCH(QString, expectedMessage);
        UseBundle(body, mandatory);
        Configuration configuration;
        const OrvoException thrown = Thrown([&] { configuration.GetLoggingLevel(); });
        QCOMPARE(thrown.GetErrorCode(), QStringLiteral("config-file-error"));
        QVERIFY2(thrown.GetMessage().startsWith(expectedMessage), qPrintable(thrown.GetMessage()));
        // Logged once, where it was raised.
        QCOMPARE(m_log.LinesContaining(QStringLiteral("Exception,  config-file-error: ") + thrown.GetMessage()).size(),
                 1);
    }

    void missingFile()
    {
        UseBundle(QString());
        QFile::remove(m_bundle->FilePath(QStringLiteral("Config.xml")));
        Configuration configuration;
        const OrvoException thrown = Thrown([&] { configuration.GetString(QStringLiteral("IndexFileHost")); });
        QCOMPARE(thrown.GetErrorCode(), QStringLiteral("config-file-error"));
        QCOMPARE(thrown.GetMessage(),
                 QStringLiteral("Unable to open config file: ") + m_bundle->Path() + QStringLiteral("/Config.xml"));
    }

    void cachingSurvivesDeletionUnlessNoCache()
    {
        UseBundle(QStringLiteral("<Key>cached</Key>"));
        Configuration cached;
        QCOMPARE(cached.GetString(QStringLiteral("Key")), QStringLiteral("cached"));
        QFile::remove(m_bundle->FilePath(QStringLiteral("Config.xml")));
        QCOMPARE(cached.GetString(QStringLiteral("Key")), QStringLiteral("cached"));

        UseBundle(QStringLiteral("<Key>fresh</Key><NoCacheConfig/>"));
        Configuration uncached;
        QCOMPARE(uncached.GetString(QStringLiteral("Key")), QStringLiteral("fresh"));
        m_bundle->WriteConfig(QStringLiteral("<Key>changed</Key><NoCacheConfig/>"));
        QCOMPARE(uncached.GetString(QStringLiteral("Key")), QStringLiteral("changed"));
        QFile::remove(m_bundle->FilePath(QStringLiteral("Config.xml")));
        QCOMPARE(Thrown([&] { uncached.GetString(QStringLiteral("Key")); }).GetErrorCode(),
                 QStringLiteral("config-file-error"));
    }

    void noCacheReloadsSafelyFromManyThreads()
    {
        UseBundle(QStringLiteral("<HciRetries>3</HciRetries><NoCacheConfig/>"));
        Configuration configuration;
        std::atomic<int> wrong{0};
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back(QThread::create([&]() {
                for (int i = 0; i < 200; ++i) {
                    if (configuration.GetNumber(QStringLiteral("HciRetries"), 0) != 3)
                        ++wrong;
                }
            }));
            threads.back()->start();
        }
        for (auto& thread : threads)
            QVERIFY(thread->wait(30000));
        QCOMPARE(wrong.load(), 0);
    }

    // A host given on the command line stands in for a missing mandatory key.
    void overrideSuppliesAMissingKey()
    {
        UseBundle(QStringLiteral("<LoggingLevel>7</LoggingLevel>"), false);
        Configuration configuration;
        QCOMPARE(Thrown([&] { configuration.GetIndexFileHost(); }).GetMessage(),
                 QStringLiteral("No configuration string for key: IndexFileHost"));
        configuration.SetIndexFileHost(QStringLiteral("127.0.0.1:8080"));
        QCOMPARE(configuration.GetIndexFileHost(), QStringLiteral("127.0.0.1:8080"));
    }

    void presenceKeysDoNotLoad()
    {
        UseBundle(QStringLiteral("<AsciiVersionNumber>no</AsciiVersionNumber>"));
        Configuration configuration;
        QVERIFY(!configuration.HasAsciiVersionNumber());
        configuration.GetString(QStringLiteral("IndexFileHost"));
        QVERIFY(configuration.HasAsciiVersionNumber());
        QVERIFY(!configuration.UseAlternateUsb64BitDriverLocation());
    }

    void languages()
    {
        UseBundle(QStringLiteral("<LanguageInfo type=\"list\">"
                                 "<Language><Code>de</Code><DisplayName>Deutsch</DisplayName>"
                                 "<Locale>0x0407</Locale><RTL>false</RTL></Language>"
                                 "<Language><Code>he</Code><Locale>1037</Locale><RTL>true</RTL></Language>"
                                 "<Language><Code>xx</Code><Locale>abc</Locale><RTL>TRUE</RTL></Language>"
                                 "</LanguageInfo>"));
        Configuration configuration;
        const QList<LanguageInfo> languages = configuration.GetLanguages();
        QCOMPARE(languages.size(), 3);
        QCOMPARE(languages.at(0).code, QStringLiteral("de"));
        QCOMPARE(languages.at(0).displayName, QStringLiteral("Deutsch"));
        QCOMPARE(languages.at(0).locale, 0x0407u);
        QCOMPARE(languages.at(1).displayName, QString());
        QCOMPARE(languages.at(1).locale, 1037u);
        QVERIFY(languages.at(1).rtl);
        QCOMPARE(languages.at(2).locale, 0u);
        QVERIFY(!languages.at(2).rtl);
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "TestConfiguration.moc"
