#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "firmware/Crc32.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IndexFile.h"
#include "tests/support/IndexXml.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

using namespace OrvoCommon;

namespace {

// The fields an IMAGE and its ancestors give a descriptor, on one line.
QString Fields(const IFirmwareImageDescriptor* d)
{
    return QStringLiteral("%1 %2 %3: sub=%4 crc=%5 compression=%6 flags=%7 forced=%8 variant=%9 ")
               .arg(d->GetDeviceId(), 0, 16)
               .arg(d->GetProductName(), d->GetHardwareRevision())
               .arg(d->GetSubId())
               .arg(d->GetCrc(), 0, 16)
               .arg(d->GetCompression())
               .arg(d->GetFlags(), 0, 16)
               .arg(int(d->IsForced()))
               .arg(d->GetVariant()) +
           QStringLiteral("revision=%1 host=%2 path=%3 after=%4 sha256=%5")
               .arg(d->GetImageRevision(), d->GetHttpHost(), d->GetUrlPath(), d->GetPostUpgradeUrlPath(),
                    QString::fromLatin1(d->GetSha256().toHex()));
}

} // namespace

class TestIndexFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TestSupport::LogCapture m_log;

    std::unique_ptr<IIndexFile> Load(const QString& xml)
    {
        const QString path = m_dir.filePath(QStringLiteral("index.xml"));
        TestSupport::WriteFile(path, xml.toUtf8());
        return IndexFile::Create(path);
    }

    // Loads the text (the file, when given a path) and returns the message of the "index-corrupted" it
    // must raise.
    QString LoadFailure(const QByteArray& content, QString path = QString())
    {
        if (path.isEmpty()) {
            path = m_dir.filePath(QStringLiteral("bad.xml"));
            TestSupport::WriteFile(path, content);
        }
        try {
            IndexFile::Create(path);
        } catch (const OrvoException& exception) {
            if (exception.GetErrorCode() != QLatin1String(ErrorCodes::IndexCorrupted))
                return QStringLiteral("wrong code ") + exception.GetErrorCode();
            return exception.GetMessage();
        }
        return QStringLiteral("loaded");
    }

    QStringList FileNames(const IIndexFile& index, const QString& release, const ProductIdentity& identity)
    {
        QStringList names;
        for (const IFirmwareImageDescriptor* d : index.GetImageDescriptors(release, identity))
            names.append(d->GetFileName());
        return names;
    }

private slots:
    void init() { m_log.Mark(); }

    void crcCheckValues()
    {
        const QByteArray nine("123456789");
        QCOMPARE(Crc32::Of(nine), 0xCBF43926u);
        QCOMPARE(Crc32::Of(nine, Crc32::NoFinalXor), 0x340BC6D9u);
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
        // One row per reading branch: NAME="value" on an IMAGE, and what the value is.
        auto number = [&](const char* tag, const QString& name, const QString& value, const QString& problem) {
            QTest::newRow(tag) << image(name + "=\"" + value + "\"")
                               << "The index file node " + name + " value (" + value + ") is " + problem;
        };
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
        number("sub ID out of range", "SUBID", "0x100", "out of range");
        number("CRC beyond 32 bits", "CRC", "4294967296", "out of range");
        number("long digit run", "FLAGS", "99999999999999999999999", "out of range");
        number("bad octal", "SUBID", "08", "not numeric");
        number("bare prefix", "CRC", "0x", "not numeric");
        number("file name climbs up", "FILENAME", "../x.dfu", "not a plain file name");
        number("backslash", "FILENAME", "..\\x.dfu", "not a plain file name");
        number("parent folder", "FILENAME", "..", "not a plain file name");
        number("empty file name", "FILENAME", "", "not a plain file name");
        number("SHA256 of 63 digits", "SHA256", QString(63, 'a'), "not 64 hexadecimal digits");
        number("SHA256 with a letter past f", "SHA256", QString(63, 'a') + 'g', "not 64 hexadecimal digits");
        QTest::newRow("missing CRC") << image("CRC=") << "The node CRC could not be read from the index file";
        QTest::newRow("device ID out of range")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"0x10000\" PRODUCTNAME=\"P\"")).toUtf8()
            << "The index file node ID value (0x10000) is out of range";
        QTest::newRow("variant out of range")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"1\" PRODUCTNAME=\"P\" VARIANT=\"65536\"")).toUtf8()
            << "The index file node VARIANT value (65536) is out of range";
        QTest::newRow("bad release version")
            << IndexXml(DeviceXml(ImageXml(), "ID=\"1\" PRODUCTNAME=\"P\"", "01.00.00", "1.0.0")).toUtf8()
            << "The version 1.0.0 in the index file is invalid";
        QTest::newRow("compression in hex")
            << image("COMPRESSION=\"0x11\"") << "The index file contains an invalid compression type: 17";
        QTest::newRow("bad regex sub ID")
            << IndexXml("<DEVICE ID=\"1\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\"><PATTERNMATCH>"
                        "<REGEX SUBID=\"x\" MATCH=\"m\"/></PATTERNMATCH><RELEASE REVISION=\"01.00.00\">" +
                        ImageXml() + "</RELEASE></HARDWARE></DEVICE>")
                   .toUtf8()
            << "The index file node SUBID value (x) is not numeric";
        // A DEVICE without images is read for the product table alone.
        QTest::newRow("device ID not numeric") << IndexXml("<DEVICE ID=\"abc\" PRODUCTNAME=\"P\"/>").toUtf8()
                                               << "The index file node ID (abc) is not numeric";
    }
    void rejected()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QCOMPARE(LoadFailure(content), message);
        // Logged once, as an exception line, where it was raised.
        const QStringList lines = m_log.LinesContaining(message);
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QLatin1String("Exception,")));
    }

    void unparsable_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated") << IndexXml(DeviceXml(ImageXml())).toUtf8().left(60);
        QTest::newRow("nested 200000 deep") << "<INDEX>" + QByteArray("<A>").repeated(200000);
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

    void missingFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("absent.xml"));
        QCOMPARE(LoadFailure(QByteArray(), path), QStringLiteral("Unable to open index file: ") + path);
    }

    // What each attribute becomes, and what an image takes from its RELEASE when it has none.
    void descriptorValues()
    {
        const auto index = Load(IndexXml(
            "<DEVICE ID=\"0x1F20\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\"><RELEASE REVISION=\"01.00.00\" "
            "HTTPHOST=\"release.example\" URLPATH=\"rel\" POSTUPGRADEURLPATH=\"/after\">" +
            ImageXml() +
            ImageXml("SUBID=\"0x0A\" CRC=\"0xFFFFFFFF\" COMPRESSION=\"16\" FLAGS=\"0x80000001\" NOFORCE=\"1\" "
                     "URLPATH=\"firmware/v1\" HTTPHOST=\"image.example\" REVISION=\"01.02.0z\" SHA256=\"" +
                     QString(32, 'A') + QString(32, 'f') + "\"") +
            ImageXml("SUBID=\"010\" COMPRESSION=\"0\" URLPATH=\"\"") + "</RELEASE></HARDWARE></DEVICE>"));
        const FirmwareImageDescriptorList list = index->GetImageDescriptors("01.00.00", {0x1F20, "01.00.00"});
        QCOMPARE(list.size(), 3);
        QCOMPARE(Fields(list.at(0)),
                 QStringLiteral("1f20 P 01.00.00: sub=0 crc=1234 compression=0 flags=0 forced=1 variant=-1 "
                                "revision=01.00.00 host=release.example path=/rel/ after=/after sha256="));
        QCOMPARE(Fields(list.at(1)), "1f20 P 01.00.00: sub=10 crc=ffffffff compression=1 flags=80000001 forced=0 "
                                     "variant=-1 revision=01.02.0z host=image.example path=/firmware/v1/ after=/after "
                                     "sha256=" +
                                         QString(32, 'a') + QString(32, 'f'));
        // An empty path of the image's own wins over the release's.
        QCOMPARE(Fields(list.at(2)),
                 QStringLiteral("1f20 P 01.00.00: sub=8 crc=1234 compression=0 flags=0 forced=1 variant=-1 "
                                "revision=01.00.00 host=release.example path= after=/after sha256="));
    }

    void matchPattern_data()
    {
        QTest::addColumn<QString>("hardwareContent");
        QTest::addColumn<QString>("expected");
        const QString regexes = "<REGEX SUBID=\"1\" MATCH=\"vm\"/><REGEX SUBID=\"0\" MATCH=\"stack\"/>";
        QTest::newRow("one pattern match") << "<PATTERNMATCH>" + regexes + "</PATTERNMATCH>"
                                           << "stack";
        QTest::newRow("two pattern matches") << "<PATTERNMATCH>" + regexes + "</PATTERNMATCH><PATTERNMATCH/>"
                                             << "";
        QTest::newRow("no regex for the sub ID") << "<PATTERNMATCH><REGEX SUBID=\"1\" MATCH=\"vm\"/></PATTERNMATCH>"
                                                 << "";
    }
    void matchPattern()
    {
        QFETCH(QString, hardwareContent);
        QFETCH(QString, expected);
        const auto index =
            Load(IndexXml("<DEVICE ID=\"0x1F20\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\">" + hardwareContent +
                          "<RELEASE REVISION=\"01.00.00\">" + ImageXml() + "</RELEASE></HARDWARE></DEVICE>"));
        const FirmwareImageDescriptorList list = index->GetImageDescriptors("01.00.00", {0x1F20, "01.00.00"});
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first()->GetMatchPattern(), expected);
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
        const ProductIdentity identity{0x1F20, "01.00.00", 0, std::int16_t(variant)};
        QCOMPARE(FileNames(*index, "01.00.00", identity), files);
        QCOMPARE(index->GetVersions(identity), QStringList{"01.00.00"});
    }

    void versions_data()
    {
        QTest::addColumn<QStringList>("releases");
        QTest::addColumn<QStringList>("versions");
        QTest::addColumn<QString>("newest");
        QTest::newRow("newest first") << QStringList{"02.00.00", "01.00.00"} << QStringList{"02.00.00", "01.00.00"}
                                      << "02.00.00";
        QTest::newRow("numeric minor, repeated release")
            << QStringList{"01.10.00", "01.0F.zz", "01.10.00"} << QStringList{"01.10.00", "01.0F.zz"} << "01.10.00";
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
        QCOMPARE(index->GetVersions({0x1F20, "01.00.00"}), versions);
        QCOMPARE(index->GetNewestVersion({0x1F20, "01.00.00"}), newest);
        QVERIFY(index->GetNewestVersion({0x1F22, "01.00.00"}).isEmpty());
    }

    void duplicateSubIdIsLoggedAndReturned()
    {
        const auto index = Load(IndexXml(DeviceXml(ImageXml("FILENAME=\"a.dfu\"") + ImageXml("FILENAME=\"b.dfu\"") +
                                                   ImageXml("SUBID=\"1\" FILENAME=\"c.dfu\""))));
        QCOMPARE(FileNames(*index, "01.00.00", {0x1F20, "01.00.00"}), (QStringList{"a.dfu", "b.dfu", "c.dfu"}));
        const QStringList lines = m_log.LinesContaining(
            QStringLiteral("Index file contains more than one image for sub ID 0 in release version 01.00.00"));
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QLatin1String("Error,")));
        QVERIFY(index->GetImageDescriptors("01.00.01", {0x1F20, "01.00.00"}).isEmpty());
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
        const auto index = Load(QString::fromUtf8(content));
        QCOMPARE(index->GetIndexFileCrc(),
                 std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(content.constData()), uInt(content.size()))));
    }
};

QTEST_GUILESS_MAIN(TestIndexFile)

#include "TestIndexFile.moc"
