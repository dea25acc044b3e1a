#include "app/ArgumentMap.h"
#include "app/QtSettingsSnapshot.h"
#include "app/SingleInstanceGuard.h"
#include "app/StaleFolderCleanup.h"
#include "app/TempFileList.h"
#include "tests/support/TestEnvironment.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <thread>

#include <unistd.h>

using namespace OrvoCommon;
using TestSupport::WriteFile;

using OptionMap = QMap<QString, QString>;

class TestStartupHelpers : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;
    // Made before TMPDIR moves, so outside the temporary directory: a program folder and a folder
    // the program never writes to.
    QTemporaryDir m_outside;

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
        qputenv("TESSARY_APP_DIR", m_outside.filePath(QStringLiteral("program")).toLocal8Bit());
    }

    void argumentMap_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<OptionMap>("expected");
        QTest::newRow("program path ignored") << QStringList{"/opt/Tessary"} << OptionMap{};
        QTest::newRow("equals form") << QStringList{"Tessary", "-nocleanup=1"} << OptionMap{{"nocleanup", "1"}};
        QTest::newRow("separate value") << QStringList{"Tessary", "-nocleanup", "1"} << OptionMap{{"nocleanup", "1"}};
        QTest::newRow("second equals dropped") << QStringList{"-a=b=c"} << OptionMap{{"a", "b"}};
        QTest::newRow("dangling option ignored")
            << QStringList{"-script", "s.js", "-nocleanup"} << OptionMap{{"script", "s.js"}};
        QTest::newRow("last occurrence wins") << QStringList{"-listen=1", "-listen", "2"} << OptionMap{{"listen", "2"}};
        QTest::newRow("value may start with a dash") << QStringList{"-light", "-x"} << OptionMap{{"light", "-x"}};
    }

    void argumentMap()
    {
        QFETCH(QStringList, arguments);
        QFETCH(OptionMap, expected);
        const ArgumentMap map(arguments);
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
            QVERIFY2(map.Contains(it.key()), qPrintable(it.key()));
            QCOMPARE(map.Value(it.key()), it.value());
        }
        for (const QString& absent : {QStringLiteral("nocleanup"), QStringLiteral("script")}) {
            if (!expected.contains(absent))
                QVERIFY(!map.Contains(absent));
        }
    }

    void numbers()
    {
        const ArgumentMap map(QStringList{"-nocleanup=0", "-listen=abc", "-results=7"});
        QCOMPARE(map.Number(QStringLiteral("nocleanup")), 0);
        QCOMPARE(map.Number(QStringLiteral("listen")), 0);
        QCOMPARE(map.Number(QStringLiteral("results")), 7);
        QCOMPARE(map.Number(QStringLiteral("absent")), 0);
    }

    void urlPath()
    {
        QCOMPARE(NormaliseUrlPath(QStringLiteral("firmware")), QStringLiteral("/firmware/"));
        QCOMPARE(NormaliseUrlPath(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
        QCOMPARE(NormaliseUrlPath(QStringLiteral("/firmware/")), QStringLiteral("/firmware/"));
        QCOMPARE(NormaliseUrlPath(QString()), QStringLiteral("/"));
    }

    void undeletableFileKeepsTheList()
    {
        TempFileList* list = TempFileList::Instance();
        list->SetListFileName(QStringLiteral("list-kept.txt"));
        // A non-empty folder cannot be removed as a file, whoever runs the test.
        const QString stubborn = m_temp.filePath(QStringLiteral("stubborn"));
        QVERIFY(WriteFile(stubborn + QStringLiteral("/inside"), "x"));
        const QString b = m_temp.filePath(QStringLiteral("b.tmp"));
        QVERIFY(WriteFile(b, "b"));
        list->RegisterTempFile(stubborn);
        list->RegisterTempFile(b);
        list->DeleteTempFiles();
        QVERIFY(!QFile::exists(b));
        QVERIFY(QFile::exists(list->GetListFilePath()));
        const QByteArray remaining = TestSupport::ReadFile(list->GetListFilePath());
        QVERIFY(remaining.contains(stubborn.toLocal8Bit()));
    }

    // The list lives in a folder anybody can write to and used to take names from the network, so
    // it is only trusted for the places the program writes to.
    void tempFileListDeletesOnlyWhereTheProgramWrites_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("deleted");

        QTest::newRow("a download in the program folder") << "%P/download.bin" << true << "%P/download.bin" << true;
        QTest::newRow("a file in the temporary folder") << "%T/a.tmp" << true << "%T/a.tmp" << true;
        QTest::newRow("a relative name") << "victim.txt" << false << "%V/victim.txt" << false;
        QTest::newRow("a path climbing out of the program folder")
            << "%P/../victims/victim.txt" << false << "%V/victim.txt" << false;
        QTest::newRow("a name holding a line break") << "%P/a\nvictim.txt" << true << "%V/victim.txt" << false;
    }

    void tempFileListDeletesOnlyWhereTheProgramWrites()
    {
        QFETCH(QString, entry);
        QFETCH(bool, registered);
        QFETCH(QString, file);
        QFETCH(bool, deleted);

        const QString program = m_outside.filePath(QStringLiteral("program"));
        const QString victims = m_outside.filePath(QStringLiteral("victims"));
        const auto place = [&](QString text) {
            return text.replace(QLatin1String("%P"), program)
                .replace(QLatin1String("%V"), victims)
                .replace(QLatin1String("%T"), m_temp.path());
        };
        entry = place(entry);
        file = place(file);
        QVERIFY(WriteFile(file, "precious"));
        // Relative names resolve against the folder the program was started in.
        const QString startFolder = QDir::currentPath();
        QVERIFY(QDir().mkpath(victims));
        QVERIFY(QDir::setCurrent(victims));

        TempFileList* list = TempFileList::Instance();
        list->SetListFileName(QStringLiteral("list-places.txt"));
        // An entry whose file is gone already does not keep the list.
        list->RegisterTempFile(m_temp.filePath(QStringLiteral("never-existed.tmp")));
        if (registered) {
            list->RegisterTempFile(entry);
        } else {
            QFile raw(list->GetListFilePath());
            QVERIFY(raw.open(QIODevice::Append));
            raw.write(entry.toLocal8Bit() + '\n');
        }
        list->DeleteTempFiles();
        QDir::setCurrent(startFolder);

        QCOMPARE(!QFile::exists(file), deleted);
        QFile::remove(file);
        // Lines it will not act on are not worth keeping the list for.
        QVERIFY(!QFile::exists(list->GetListFilePath()));
    }

    // Only complete copies of this program go; with TESSARY_APP_DIR the bundle folder is the program's
    // folder, also here: a bundle unpacked as 7zS*.tmp beside stale copies must survive.
    void staleExtractionFolders()
    {
        const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        const auto makeFolder = [&](const QString& folder, const QStringList& files) {
            for (const QString& file : files)
                QVERIFY(WriteFile(m_temp.filePath(folder + QLatin1Char('/') + file), "x"));
        };
        const QStringList complete{name, "Config.xml", "eula_en.htm"};
        makeFolder(QStringLiteral("7zSRUN.tmp"), complete);
        makeFolder(QStringLiteral("7zSOLD.tmp"), complete + QStringList{"sub/deeper/file"});
        makeFolder(QStringLiteral("7zS3C4D.tmp"), {"Config.xml"});
        makeFolder(QStringLiteral("other.tmp"), complete);
        qputenv("TESSARY_APP_DIR", m_temp.filePath(QStringLiteral("7zSRUN.tmp")).toLocal8Bit());
        RemoveStaleExtractionFoldersOfThisProgram();
        qunsetenv("TESSARY_APP_DIR");
        QVERIFY(QFileInfo::exists(m_temp.filePath(QStringLiteral("7zSRUN.tmp/Config.xml"))));
        QVERIFY(!QFileInfo::exists(m_temp.filePath(QStringLiteral("7zSOLD.tmp"))));
        QVERIFY(QFileInfo::exists(m_temp.filePath(QStringLiteral("7zS3C4D.tmp/Config.xml"))));
        QVERIFY(QFileInfo::exists(m_temp.filePath(QStringLiteral("other.tmp/Config.xml"))));
    }

    // A listen that failed leaves nothing behind that a second attempt would take for success.
    void failedListenIsRetried()
    {
        const QString key = QStringLiteral("TessaryGuardTest");
        const QString socketPath =
            QDir::tempPath() + QLatin1Char('/') + key + QLatin1Char('-') + QString::number(::getuid());
        QVERIFY(QDir().mkpath(socketPath)); // a folder where the socket must go: listen() fails
        SingleInstanceGuard guard(key);
        QVERIFY(!guard.StartListening());
        QVERIFY(!guard.StartListening());
        QVERIFY(QDir(socketPath).removeRecursively());
        QVERIFY(guard.StartListening());
        QSignalSpy received(&guard, &SingleInstanceGuard::MessageReceived);
        SingleInstanceGuard second(key);
        // The answer comes from this thread's event loop, so the sender runs on another.
        std::thread sender([&second] { second.SendMessage(QStringLiteral("hello"), 5000); });
        const bool arrived = received.wait(5000);
        sender.join();
        QVERIFY(arrived);
        QCOMPARE(received.first().first().toString(), QStringLiteral("hello"));
    }

    void qtSettingsAbsentOrganisationIsRemoved()
    {
        QTemporaryDir config;
        QtSettingsSnapshot snapshot(config.path());
        snapshot.Take();
        QSettings(config.filePath("Trolltech.conf"), QSettings::IniFormat).setValue("Qt/style", "Fusion");
        QVERIFY(WriteFile(config.filePath("Trolltech/Tessary.conf"), "[General]\nx=1\n"));
        snapshot.Restore();
        QVERIFY(!QFileInfo::exists(config.filePath("Trolltech.conf")));
        QVERIFY(!QFileInfo::exists(config.filePath("Trolltech")));
    }

    void qtSettingsNewGroupsAreRemoved()
    {
        QTemporaryDir config;
        {
            QSettings before(config.filePath("Trolltech.conf"), QSettings::IniFormat);
            before.setValue("Qt/Palette/active", "x");
            before.setValue("Mine/keep", "1");
        }
        QtSettingsSnapshot snapshot(config.path());
        snapshot.Take();
        {
            QSettings during(config.filePath("Trolltech.conf"), QSettings::IniFormat);
            during.setValue("Qt/Fonts/size", "9");
            during.setValue("Added/value", "1");
        }
        snapshot.Restore();
        QSettings after(config.filePath("Trolltech.conf"), QSettings::IniFormat);
        QCOMPARE(after.value("Mine/keep").toString(), QStringLiteral("1"));
        QCOMPARE(after.value("Qt/Palette/active").toString(), QStringLiteral("x"));
        QVERIFY(!after.contains("Qt/Fonts/size"));
        QVERIFY(!after.childGroups().contains("Added"));
    }

    void qtSettingsOnlyFolderExistedDropsDefaults()
    {
        QTemporaryDir config;
        QVERIFY(WriteFile(config.filePath("Trolltech/Other.conf"), "[General]\nx=1\n"));
        QtSettingsSnapshot snapshot(config.path());
        snapshot.Take();
        QSettings(config.filePath("Trolltech.conf"), QSettings::IniFormat).setValue("Qt/style", "Fusion");
        snapshot.Restore();
        QVERIFY(!QFileInfo::exists(config.filePath("Trolltech.conf")));
        QVERIFY(QFileInfo::exists(config.filePath("Trolltech/Other.conf")));
    }
};

QTEST_GUILESS_MAIN(TestStartupHelpers)
#include "TestStartupHelpers.moc"
