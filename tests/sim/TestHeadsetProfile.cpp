#include "sim/HeadsetProfile.h"
#include "sim/SimBus.h"
#include "tests/support/SimFixtures.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

class TestHeadsetProfile : public QObject
{
    Q_OBJECT

private slots:
    void sampleProfileMatchesSampleBundle()
    {
        QList<Sim::HeadsetProfile> profiles;
        QString error;
        const QString path = TestSupport::BinaryDirectory() + QStringLiteral("/SimulatedHeadset.xml");
        QVERIFY2(Sim::LoadHeadsetProfiles(path, &profiles, &error), qPrintable(error));
        QCOMPARE(profiles.size(), 1);
        const Sim::HeadsetProfile& p = profiles.at(0);
        const Sim::HeadsetProfile expected = TestSupport::SampleHeadsetProfile();
        QCOMPARE(p.vendorId, std::uint16_t(0x0A12));
        QCOMPARE(p.productId, std::uint16_t(0x1F20));
        QCOMPARE(p.dfuProductId, std::uint16_t(0x1F21));
        QCOMPARE(p.deviceRelease, std::uint16_t(0x0100));
        QCOMPARE(p.buildId, std::uint16_t(0x0100));
        QCOMPARE(p.psStore, expected.psStore);
        QVERIFY(p.invalidFirmware.isEmpty());
        QVERIFY(p.dfuModeAttributes & 0x04); // several images need a manifestation-tolerant boot loader
    }

    void malformedProfileNamesFileAndProblem_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("problem");

        QTest::newRow("not XML") << QByteArray("<SimulatedHeadsets><Headset>") << "column";
        QTest::newRow("wrong root") << QByteArray("<Headsets/>") << "not SimulatedHeadsets";
        QTest::newRow("no headset") << QByteArray("<SimulatedHeadsets/>") << "no Headset element";
        QTest::newRow("unknown element") << TestSupport::ProfileXml("<Colour>red</Colour>") << "unknown element Colour";
        QTest::newRow("bad number") << TestSupport::ProfileXml("<VendorId>0xZZ</VendorId>") << "\"0xZZ\"";
        QTest::newRow("number too big") << TestSupport::ProfileXml("<ProductId>0x10000</ProductId>") << "0x10000";
        QTest::newRow("bad mode") << TestSupport::ProfileXml("<StartMode>boot</StartMode>") << "StartMode";
        QTest::newRow("bad version") << TestSupport::ProfileXml("<StackVersion>1.0</StackVersion>") << "1.0";
        QTest::newRow("bad key type") << TestSupport::ProfileXml("<PsStore><Key id=\"1\" type=\"x\">1</Key></PsStore>")
                                      << "unknown key type";
        QTest::newRow("bad address") << TestSupport::ProfileXml(
                                            "<PsStore><Key id=\"1\" type=\"address\">00:11</Key></PsStore>")
                                     << "address";
        QTest::newRow("zero transfer size") << TestSupport::ProfileXml("<Dfu transferSize=\"0\"/>") << "transferSize";
        QTest::newRow("negative time") << TestSupport::ProfileXml("<Timing latency=\"-1\"/>") << "negative";
        QTest::newRow("bad fault") << TestSupport::ProfileXml("<Faults bccmd=\"loud\"/>") << "bccmd";
        QTest::newRow("bad firmware state") << TestSupport::ProfileXml("<Firmware valid=\"half\"/>") << "valid";
        QTest::newRow("string too long")
            << TestSupport::ProfileXml(QStringLiteral("<Strings product=\"%1\"/>").arg(QString(127, QLatin1Char('x'))))
            << "longer than a string descriptor";
        QTest::newRow("bad bool") << TestSupport::ProfileXml("<PluggedIn>maybe</PluggedIn>") << "maybe";
        QTest::newRow("bad raw descriptor")
            << TestSupport::ProfileXml("<ApplicationConfiguration>0902x</ApplicationConfiguration>") << "hexadecimal";
    }

    void malformedProfileNamesFileAndProblem()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Broken.xml"));
        QVERIFY(TestSupport::WriteFile(path, xml));
        Sim::SimBus bus;
        QString error;
        QVERIFY(!bus.LoadProfile(path, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY2(error.contains(problem), qPrintable(error));
        QVERIFY(bus.Headsets().isEmpty());

        QVERIFY(!bus.LoadProfile(dir.filePath(QStringLiteral("Missing.xml")), &error));
        QVERIFY(error.contains(QStringLiteral("Missing.xml")));
    }

    void valueEncodings_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVector<std::uint16_t>>("words");

        // NAP 0x0002, UAP 0x5B, LAP 0x00A1B2: LAP high, LAP low, UAP, NAP.
        QTest::newRow("address") << "address"
                                 << "00:02:5B:00:A1:B2" << QVector<std::uint16_t>{0x0000, 0xA1B2, 0x5B, 0x02};
        QTest::newRow("text, odd length") << "text"
                                          << "abc" << QVector<std::uint16_t>{0x6261, 0x0063};
        QTest::newRow("utf16") << "utf16"
                               << "Z1" << QVector<std::uint16_t>{'Z', '1'};
        QTest::newRow("version") << "version"
                                 << "01.02.BA" << QVector<std::uint16_t>{0x0102, 0x4241};
        QTest::newRow("words") << "words"
                               << "0x0001 7  0xFFFF" << QVector<std::uint16_t>{1, 7, 0xFFFF};
        QTest::newRow("leading zero is decimal") << "words"
                                                 << "010" << QVector<std::uint16_t>{10};
    }

    void valueEncodings()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(QVector<std::uint16_t>, words);
        QList<Sim::HeadsetProfile> profiles;
        QString error;
        const QByteArray xml = TestSupport::ProfileXml(
            QStringLiteral("<PsStore><Key id=\"0x0100\" type=\"%1\">%2</Key></PsStore>").arg(type, text));
        QVERIFY2(Sim::ParseHeadsetProfiles(xml, QStringLiteral("p.xml"), &profiles, &error), qPrintable(error));
        QCOMPARE(profiles.at(0).psStore.value(0x0100), words);
    }

    void timingAndFaultsAreRead()
    {
        QList<Sim::HeadsetProfile> profiles;
        QString error;
        const QByteArray xml = TestSupport::ProfileXml(QStringLiteral(
            "<StartMode>dfu</StartMode><PluggedIn>false</PluggedIn><Reset inPlace=\"true\"/><Firmware valid=\"false\"/>"
            "<Strings manufacturer=\"M\" product=\"\" serial=\"S1\"/>"
            "<Timing latency=\"1\" flashPerBlock=\"2\" manifest=\"3\" reenumeration=\"4\" plugDelay=\"5\"/>"
            "<Faults unplugAfterBlocks=\"7\" replugAfter=\"10\" stallAfterTransfers=\"8\" stallTransfers=\"9\" "
            "neverReturnAfterReset=\"true\""
            " wrongModeAfterReset=\"1\" bccmd=\"error\" bccmdErrorStatus=\"5\" dfuErrorAtBlock=\"3\" "
            "dfuErrorStatus=\"6\""
            " dfuErrorTimes=\"2\"><ReportedVersion subId=\"1\">09.09.00</ReportedVersion></Faults>"));
        QVERIFY2(Sim::ParseHeadsetProfiles(xml, QStringLiteral("p.xml"), &profiles, &error), qPrintable(error));
        const Sim::HeadsetProfile& p = profiles.at(0);
        QVERIFY(p.startInDfuMode);
        QVERIFY(!p.pluggedIn);
        QVERIFY(p.resetInPlace);
        QCOMPARE(QStringList({p.manufacturer, p.product, p.serialNumber}), QStringList({"M", "", "S1"}));
        QCOMPARE(p.timing.latencyMs + p.timing.flashPerBlockMs + p.timing.manifestMs, 6);
        QCOMPARE(p.timing.reenumerationMs, 4);
        QCOMPARE(p.timing.plugDelayMs, 5);
        QCOMPARE(p.invalidFirmware, (QSet<std::uint16_t>{0, 1}));
        QCOMPARE(p.faults.unplugAfterBlocks, 7);
        QCOMPARE(p.faults.replugAfterMs, 10);
        QCOMPARE(p.faults.stallAfterTransfers, 8);
        QCOMPARE(p.faults.stallTransfers, 9);
        QVERIFY(p.faults.neverReturnAfterReset);
        QVERIFY(p.faults.wrongModeAfterReset);
        QCOMPARE(p.faults.bcCmd, Sim::SimFaults::BcCmd::Error);
        QCOMPARE(p.faults.bcCmdErrorStatus, std::uint16_t(5));
        QCOMPARE(p.faults.dfuErrorAtBlock, 3);
        QCOMPARE(p.faults.dfuErrorStatus, std::uint8_t(6));
        QCOMPARE(p.faults.dfuErrorTimes, 2);
        QCOMPARE(p.faults.reportedVersions.value(1), QStringLiteral("09.09.00"));
    }
};

QTEST_GUILESS_MAIN(TestHeadsetProfile)
#include "TestHeadsetProfile.moc"
