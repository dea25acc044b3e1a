#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/ProgramDirectory.h"
#include "firmware/Crc32.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IndexFile.h"
#include "tests/support/IndexXml.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

using namespace OrvoCommon;

namespace {

const QString LogName = QStringLiteral("TessaryTestIndexFile.log");

ProductIdentity Identity(std::uint16_t productId, const QString& hardware = QStringLiteral("01.00.00"),
                         std::int16_t variant = -1)
{
    ProductIdentity identity;
    identity.productId = productId;
    identity.hardwareRevision = hardware;
    identity.variant = variant;
    return identity;
}

} // namespace

class TestIndexFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString LogPath() const { return TempDirectoryWithSlash() + LogName; }

    std::unique_ptr<IIndexFile> Load(const QString& xml)
    {
        const QString path = m_dir.filePath(QStringLiteral("index.xml"));
        TestSupport::WriteFile(path, xml.toUtf8());
        return IndexFile::Create(path);
    }

    // Loads the text and returns the message of the "index-corrupted" it must raise.
    QString LoadFailure(const QByteArray& content)
    {
        const QString path = m_dir.filePath(QStringLiteral("bad.xml"));
        TestSupport::WriteFile(path, content);
        try {
            IndexFile::Create(path);
        } catch (const OrvoException& exception) {
            if (exception.GetErrorCode() != QLatin1String(ErrorCodes::IndexCorrupted))
                return QStringLiteral("wrong code ") + exception.GetErrorCode();
            return exception.GetMessage();
        }
        return QStringLiteral("loaded");
    }

    static const IFirmwareImageDescriptor* Only(const FirmwareImageDescriptorList& list)
    {
        return list.size() == 1 ? list.first() : nullptr;
    }

private slots:
    void initTestCase()
    {
        GetLogger()->SetLogFile(LogName, false);
        GetLogger()->SetLoggingLevel(ILogger::LevelErrors | ILogger::LevelWarnings | ILogger::LevelInformation);
    }
    void init()
    {
        // Closed first: the logger keeps its file open and would go on writing to the removed one.
        GetLogger()->Close();
        QFile::remove(LogPath());
    }

    void crcCheckValues()
    {
        const QByteArray nine("123456789");
        QCOMPARE(Crc32::Of(nine), 0xCBF43926u);
        QCOMPARE(Crc32::Of(nine, Crc32::NoFinalXor), 0x340BC6D9u);
        QCOMPARE(Crc32::Of("abc", Crc32::NoFinalXor), 0xCADBBE3Du);
        QCOMPARE(Crc32::Of("abc"), ~0xCADBBE3Du);
        Crc32 pieces;
        pieces.Update(nine.left(4));
        pieces.Update(nine.mid(4));
        QCOMPARE(pieces.Value(), 0xCBF43926u);
        QCOMPARE(Crc32().Value(), 0u);
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        auto image = [](const QString& attributes) { return IndexXml(DeviceXml(ImageXml(attributes))).toUtf8(); };

        QTest::newRow("lower-case root") << QByteArray("<index/>")
                                         << "The index file does not contain a top-level INDEX node.";
        QTest::newRow("image under hardware")
            << IndexXml("<DEVICE ID=\"1\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\">" + ImageXml() +
                        "</HARDWARE></DEVICE>")
                   .toUtf8()
            << "The node does not have a parent RELEASE node";
        QTest::newRow("release under device")
            << IndexXml("<DEVICE ID=\"1\" PRODUCTNAME=\"P\"><RELEASE REVISION=\"01.00.00\">" + ImageXml() +
                        "</RELEASE></DEVICE>")
                   .toUtf8()
            << "The node does not have a parent HARDWARE node";
        QTest::newRow("image at top") << IndexXml(ImageXml()).toUtf8()
                                      << "The node does not have a parent RELEASE node";
        QTest::newRow("sub ID out of range")
            << image("SUBID=\"0x100\"") << "The index file node SUBID value (0x100) is out of range";
        QTest::newRow("length beyond 32 bits")
            << image("LENGTH=\"0x100000000\"") << "The index file node LENGTH value (0x100000000) is out of range";
        QTest::newRow("CRC beyond 32 bits")
            << image("CRC=\"4294967296\"") << "The index file node CRC value (4294967296) is out of range";
        QTest::newRow("long digit run") << image("FLAGS=\"99999999999999999999999\"")
                                        << "The index file node FLAGS value (99999999999999999999999) is out of range";
        QTest::newRow("letters in length")
            << image("LENGTH=\"12ab\"") << "The index file node LENGTH value (12ab) is not numeric";
        QTest::newRow("negative length") << image("LENGTH=\"-1\"")
                                         << "The index file node LENGTH value (-1) is not numeric";
        QTest::newRow("bad octal") << image("SUBID=\"08\"") << "The index file node SUBID value (08) is not numeric";
        QTest::newRow("bare prefix") << image("CRC=\"0x\"") << "The index file node CRC value (0x) is not numeric";
        QTest::newRow("empty number") << image("LENGTH=\"\"") << "The index file node LENGTH value () is not numeric";
        QTest::newRow("missing file name")
            << image("FILENAME=") << "The node FILENAME could not be read from the index file";
        QTest::newRow("missing CRC") << image("CRC=") << "The node CRC could not be read from the index file";
        QTest::newRow("missing product name") << IndexXml(DeviceXml(ImageXml(), "ID=\"1\"")).toUtf8()
                                              << "The node PRODUCTNAME could not be read from the index file";
        QTest::newRow("device ID out of range")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"0x10000\" PRODUCTNAME=\"P\"")).toUtf8()
            << "The index file node ID value (0x10000) is out of range";
        QTest::newRow("variant out of range")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"1\" PRODUCTNAME=\"P\" VARIANT=\"65536\"")).toUtf8()
            << "The index file node VARIANT value (65536) is out of range";
        QTest::newRow("bad release version")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"1\" PRODUCTNAME=\"P\"", "01.00.00", "1.0.0")).toUtf8()
            << "The version 1.0.0 in the index file is invalid";
        QTest::newRow("bad hardware version")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"1\" PRODUCTNAME=\"P\"", "01.00.0!")).toUtf8()
            << "The version 01.00.0! in the index file is invalid";
        QTest::newRow("bad image version")
            << image("REVISION=\"01.0G.00\"") << "The version 01.0G.00 in the index file is invalid";
        QTest::newRow("compression 8") << image("COMPRESSION=\"8\"")
                                       << "The index file contains an invalid compression type: 8";
        QTest::newRow("compression in hex")
            << image("COMPRESSION=\"0x11\"") << "The index file contains an invalid compression type: 17";
        QTest::newRow("file name climbs up")
            << image("FILENAME=\"../x.dfu\"")
            << "The index file node FILENAME value (../x.dfu) is not a plain file name";
        QTest::newRow("file name in folder")
            << image("FILENAME=\"sub/x.dfu\"")
            << "The index file node FILENAME value (sub/x.dfu) is not a plain file name";
        QTest::newRow("absolute file name")
            << image("FILENAME=\"/etc/passwd\"")
            << "The index file node FILENAME value (/etc/passwd) is not a plain file name";
        QTest::newRow("backslash") << image("FILENAME=\"..\\x.dfu\"")
                                   << "The index file node FILENAME value (..\\x.dfu) is not a plain file name";
        QTest::newRow("parent folder") << image("FILENAME=\"..\"")
                                       << "The index file node FILENAME value (..) is not a plain file name";
        QTest::newRow("empty file name") << image("FILENAME=\"\"")
                                         << "The index file node FILENAME value () is not a plain file name";
        QTest::newRow("bad regex sub ID")
            << IndexXml("<DEVICE ID=\"1\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\"><PATTERNMATCH>"
                        "<REGEX SUBID=\"x\" MATCH=\"m\"/></PATTERNMATCH><RELEASE REVISION=\"01.00.00\">" +
                        ImageXml() + "</RELEASE></HARDWARE></DEVICE>")
                   .toUtf8()
            << "The index file node SUBID value (x) is not numeric";
        QTest::newRow("SHA256 of 63 digits")
            << image("SHA256=\"" + QString(63, 'a') + "\"")
            << "The index file node SHA256 value (" + QString(63, 'a') + ") is not 64 hexadecimal digits";
        QTest::newRow("SHA256 with a letter past f")
            << image("SHA256=\"" + QString(63, 'a') + "g\"")
            << "The index file node SHA256 value (" + QString(63, 'a') + "g) is not 64 hexadecimal digits";
        QTest::newRow("device without ID")
            << IndexXml("<DEVICE PRODUCTNAME=\"P\"/>").toUtf8() << "The node ID could not be read from the index file";
        QTest::newRow("device ID not numeric") << IndexXml("<DEVICE ID=\"abc\" PRODUCTNAME=\"P\"/>").toUtf8()
                                               << "The index file node ID (abc) is not numeric";
        QTest::newRow("device without name")
            << IndexXml("<DEVICE ID=\"1\"/>").toUtf8() << "The node PRODUCTNAME could not be read from the index file";
    }
    void rejected()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QCOMPARE(LoadFailure(content), message);
        // Logged once, as an exception line, where it was raised.
        const QStringList lines = TestSupport::LinesContaining(LogPath(), message);
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QLatin1String("Exception,")));
    }

    void unparsable_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe garbage", 12);
        QTest::newRow("truncated") << IndexXml(DeviceXml(ImageXml())).toUtf8().left(60);
        QTest::newRow("two roots") << QByteArray("<INDEX/><INDEX/>");
    }
    void unparsable()
    {
        QFETCH(QByteArray, content);
        const QString message = LoadFailure(content);
        QVERIFY2(message.startsWith(QLatin1String("Error parsing index file: ")), qPrintable(message));
        QVERIFY(message.size() > QStringLiteral("Error parsing index file: ").size());
    }

    void hugeFileIsRefused()
    {
        QByteArray content = "<INDEX>" + QByteArray(IndexFile::MaximumFileSize, ' ') + "</INDEX>";
        QCOMPARE(LoadFailure(content), QStringLiteral("Error parsing index file: the file is larger than %1 bytes")
                                           .arg(IndexFile::MaximumFileSize));
    }

    void deepNestingIsNoCrash()
    {
        const int depth = 200000;
        QByteArray content = "<INDEX>";
        for (int i = 0; i < depth; ++i)
            content += "<A>";
        const QString message = LoadFailure(content);
        QVERIFY2(message.startsWith(QLatin1String("Error parsing index file: ")), qPrintable(message));
    }

    void missingFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("absent.xml"));
        try {
            IndexFile::Create(path);
            QFAIL("loaded");
        } catch (const OrvoException& exception) {
            QCOMPARE(exception.GetErrorCode(), QLatin1String(ErrorCodes::IndexCorrupted));
            QCOMPARE(exception.GetMessage(), QStringLiteral("Unable to open index file: ") + path);
        }
    }

    void descriptorValues_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<QString>("getter");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("hex sub ID") << "SUBID=\"0x0A\""
                                    << "subId" << QVariant(10);
        QTest::newRow("octal sub ID") << "SUBID=\"010\""
                                      << "subId" << QVariant(8);
        QTest::newRow("CRC at 32 bits") << "CRC=\"0xFFFFFFFF\""
                                        << "crc" << QVariant(0xFFFFFFFFu);
        QTest::newRow("compression 0") << "COMPRESSION=\"0\""
                                       << "compression" << QVariant(0);
        QTest::newRow("compression 16") << "COMPRESSION=\"16\""
                                        << "compression" << QVariant(1);
        QTest::newRow("flags") << "FLAGS=\"0x80000001\""
                               << "flags" << QVariant(0x80000001u);
        QTest::newRow("relative path") << "URLPATH=\"firmware/v1\""
                                       << "urlPath" << QVariant("/firmware/v1/");
        QTest::newRow("path from release") << ""
                                           << "urlPath" << QVariant("/rel/");
        QTest::newRow("empty image path wins") << "URLPATH=\"\""
                                               << "urlPath" << QVariant("");
        QTest::newRow("host from release") << ""
                                           << "httpHost" << QVariant("release.example");
        QTest::newRow("own host") << "HTTPHOST=\"image.example\""
                                  << "httpHost" << QVariant("image.example");
        QTest::newRow("forced by default") << ""
                                           << "forced" << QVariant(true);
        QTest::newRow("noforce 1") << "NOFORCE=\"1\""
                                   << "forced" << QVariant(false);
        QTest::newRow("image version") << "REVISION=\"01.02.0z\""
                                       << "imageRevision" << QVariant("01.02.0z");
        QTest::newRow("post-upgrade path") << ""
                                           << "postUpgrade" << QVariant("/after");
        QTest::newRow("no variant") << ""
                                    << "variant" << QVariant(-1);
        QTest::newRow("no digest") << ""
                                   << "sha256" << QVariant(QByteArray());
        QTest::newRow("digest in either case") << "SHA256=\"" + QString(32, 'A') + QString(32, 'f') + "\""
                                               << "sha256" << QVariant(QByteArray(16, '\xAA') + QByteArray(16, '\xFF'));
    }
    void descriptorValues()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, getter);
        QFETCH(QVariant, expected);
        const QString xml = IndexXml(
            "<DEVICE ID=\"0x1F20\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\"><RELEASE REVISION=\"01.00.00\" "
            "HTTPHOST=\"release.example\" URLPATH=\"rel\" POSTUPGRADEURLPATH=\"/after\">" +
            ImageXml(attributes) + "</RELEASE></HARDWARE></DEVICE>");
        const auto index = Load(xml);
        const IFirmwareImageDescriptor* d = Only(index->GetImageDescriptors("01.00.00", Identity(0x1F20)));
        QVERIFY(d);
        const QHash<QString, QVariant> values = {
            {"subId", int(d->GetSubId())},
            {"crc", d->GetCrc()},
            {"compression", d->GetCompression()},
            {"flags", d->GetFlags()},
            {"urlPath", d->GetUrlPath()},
            {"httpHost", d->GetHttpHost()},
            {"forced", d->IsForced()},
            {"imageRevision", d->GetImageRevision()},
            {"releaseRevision", d->GetReleaseRevision()},
            {"postUpgrade", d->GetPostUpgradeUrlPath()},
            {"variant", int(d->GetVariant())},
            {"hasPersonality", d->HasPersonality()},
            {"sha256", d->GetSha256()},
        };
        QCOMPARE(values.value(getter), expected);
        QCOMPARE(d->GetDeviceId(), std::uint16_t(0x1F20));
        QCOMPARE(d->GetProductName(), QStringLiteral("P"));
        QCOMPARE(d->GetHardwareRevision(), QStringLiteral("01.00.00"));
    }

    void matchPattern_data()
    {
        QTest::addColumn<QString>("hardwareContent");
        QTest::addColumn<QString>("expected");
        const QString regexes = "<REGEX SUBID=\"1\" MATCH=\"vm\"/><REGEX SUBID=\"0\" MATCH=\"stack\"/>";
        QTest::newRow("single pattern match") << "<PATTERNMATCH>" + regexes + "</PATTERNMATCH>"
                                              << "stack";
        QTest::newRow("two pattern matches") << "<PATTERNMATCH>" + regexes + "</PATTERNMATCH><PATTERNMATCH/>"
                                             << "";
        QTest::newRow("no regex for the sub ID") << "<PATTERNMATCH><REGEX SUBID=\"1\" MATCH=\"vm\"/></PATTERNMATCH>"
                                                 << "";
        QTest::newRow("none") << ""
                              << "";
    }
    void matchPattern()
    {
        QFETCH(QString, hardwareContent);
        QFETCH(QString, expected);
        const auto index =
            Load(IndexXml("<DEVICE ID=\"0x1F20\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\">" + hardwareContent +
                          "<RELEASE REVISION=\"01.00.00\">" + ImageXml() + "</RELEASE></HARDWARE></DEVICE>"));
        const IFirmwareImageDescriptor* d = Only(index->GetImageDescriptors("01.00.00", Identity(0x1F20)));
        QVERIFY(d);
        QCOMPARE(d->GetMatchPattern(), expected);
    }

    void variants_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("no variant takes all") << -1 << QStringList{"plain.dfu", "v2.dfu", "v3.dfu"};
        QTest::newRow("own variant only") << 2 << QStringList{"v2.dfu"};
        QTest::newRow("unknown variant falls back to plain") << 7 << QStringList{"plain.dfu"};
    }
    void variants()
    {
        QFETCH(int, variant);
        QFETCH(QStringList, files);
        const auto index =
            Load(IndexXml(DeviceXml(ImageXml("FILENAME=\"plain.dfu\"")) +
                          DeviceXml(ImageXml("FILENAME=\"v2.dfu\""), "ID=\"0x1F20\" PRODUCTNAME=\"P\" VARIANT=\"2\"") +
                          DeviceXml(ImageXml("FILENAME=\"v3.dfu\""), "ID=\"0x1F20\" PRODUCTNAME=\"P\" VARIANT=\"3\"") +
                          DeviceXml(ImageXml("FILENAME=\"other.dfu\""), "ID=\"0x1F21\" PRODUCTNAME=\"P\"") +
                          DeviceXml(ImageXml("FILENAME=\"hw2.dfu\""), "ID=\"0x1F20\" PRODUCTNAME=\"P\"", "02.00.00")));
        QStringList found;
        const auto list = index->GetImageDescriptors("01.00.00", Identity(0x1F20, "01.00.00", std::int16_t(variant)));
        for (const IFirmwareImageDescriptor* d : list)
            found.append(d->GetFileName());
        QCOMPARE(found, files);
        QCOMPARE(index->GetVersions(Identity(0x1F20, "01.00.00", std::int16_t(variant))), QStringList{"01.00.00"});
    }

    void versions_data()
    {
        QTest::addColumn<QStringList>("releases");
        QTest::addColumn<QStringList>("versions");
        QTest::addColumn<QString>("newest");
        QTest::newRow("ascending") << QStringList{"01.00.00", "02.00.00"} << QStringList{"01.00.00", "02.00.00"}
                                   << "02.00.00";
        QTest::newRow("descending") << QStringList{"02.00.00", "01.00.00"} << QStringList{"02.00.00", "01.00.00"}
                                    << "02.00.00";
        QTest::newRow("numeric minor") << QStringList{"01.10.00", "01.0F.zz", "01.10.00"}
                                       << QStringList{"01.10.00", "01.0F.zz"} << "01.10.00";
        QTest::newRow("none") << QStringList{} << QStringList{} << "";
    }
    void versions()
    {
        QFETCH(QStringList, releases);
        QFETCH(QStringList, versions);
        QFETCH(QString, newest);
        QString devices;
        for (const QString& release : releases)
            devices += DeviceXml(ImageXml(), "ID=\"0x1F20\" PRODUCTNAME=\"P\"", "01.00.00", release);
        devices += DeviceXml(ImageXml(), "ID=\"0x1F20\" PRODUCTNAME=\"P\"", "03.00.00", "09.00.00");
        const auto index = Load(IndexXml(devices));
        QCOMPARE(index->GetVersions(Identity(0x1F20)), versions);
        QCOMPARE(index->GetNewestVersion(Identity(0x1F20)), newest);
        QVERIFY(index->GetNewestVersion(Identity(0x1F22)).isEmpty());
    }

    void duplicateSubIdIsLoggedAndReturned()
    {
        const auto index = Load(IndexXml(DeviceXml(ImageXml("FILENAME=\"a.dfu\"") + ImageXml("FILENAME=\"b.dfu\"") +
                                                   ImageXml("SUBID=\"1\" FILENAME=\"c.dfu\""))));
        QCOMPARE(index->GetImageDescriptors("01.00.00", Identity(0x1F20)).size(), 3);
        const QStringList lines = TestSupport::LinesContaining(
            LogPath(),
            QStringLiteral("Index file contains more than one image for sub ID 0 in release version 01.00.00"));
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QLatin1String("Error,")));
        QVERIFY(index->GetImageDescriptors("01.00.01", Identity(0x1F20)).isEmpty());
    }

    void products()
    {
        const auto index = Load(IndexXml("<DEVICE ID=\"0x1000\" PRODUCTNAME=\"Headset\"/>"
                                         "<DEVICE ID=\"0x1001\" PRODUCTNAME=\"Headset\"/>"
                                         "<DEVICE ID=\"0x2000\" PRODUCTNAME=\"Old name\"/>"
                                         "<DEVICE ID=\"8192\" PRODUCTNAME=\"Dongle\"/>"
                                         "<DEVICE ID=\"0x3000\" PRODUCTNAME=\"\"/>"));
        std::uint16_t sibling = 0;
        QVERIFY(index->GetSiblingProductId(0x1000, &sibling));
        QCOMPARE(sibling, std::uint16_t(0x1001));
        QVERIFY(index->GetSiblingProductId(0x1001, &sibling));
        QCOMPARE(sibling, std::uint16_t(0x1000));
        QVERIFY(!index->GetSiblingProductId(0x2000, &sibling));
        // An unknown id has no name, so the DEVICE with an empty name is not its sibling.
        QVERIFY(!index->GetSiblingProductId(0x4000, &sibling));
        QCOMPARE(index->GetProductName(0x2000), QStringLiteral("Dongle"));
        QVERIFY(index->GetProductName(0x4000).isEmpty());
        QCOMPARE(index->GetProductIds(), (QList<std::uint16_t>{0x1000, 0x1001, 0x2000, 0x3000}));
    }

    void fileCrcIsOfTheBytesOnDisk()
    {
        const QByteArray content = IndexXml(DeviceXml(ImageXml())).toUtf8();
        const QString path = m_dir.filePath(QStringLiteral("crc.xml"));
        TestSupport::WriteFile(path, content);
        const auto index = IndexFile::Create(path);
        QCOMPARE(index->GetIndexFileCrc(),
                 std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(content.constData()), uInt(content.size()))));
    }
};

QTEST_GUILESS_MAIN(TestIndexFile)

#include "TestIndexFile.moc"
