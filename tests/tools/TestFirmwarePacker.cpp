#include "firmware/Crc32.h"
#include "firmware/Ed25519Key.h"
#include "firmware/FirmwareFileLocator.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IndexFile.h"
#include "firmware/TrustedKeys.h"
#include "sim/SimImage.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace OrvoCommon;

namespace {

TrustedKeys KeyFrom(const QString& publicKeyPath)
{
    TrustedKeys keys;
    QString error;
    Ed25519Key key = Ed25519Key::FromPem(TestSupport::ReadFile(publicKeyPath), false, &error);
    if (!key.IsNull())
        keys.Add(publicKeyPath, std::move(key));
    return keys;
}

} // namespace

class TestFirmwarePacker : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    static int Run(const QString& program, const QStringList& arguments, QString* output = nullptr)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(30000))
            return -1;
        if (output)
            *output = QString::fromLocal8Bit(process.readAll());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int Pack(const QStringList& arguments)
    {
        return Run(QDir(TestSupport::BinaryDirectory()).filePath(QStringLiteral("tessary-pack")), arguments);
    }

    // Packs one image of a headset (vendor 0x0A12, hardware 01.00.00) and enters it into the index file.
    int PackImage(const QString& output, int subId, const QString& version, int payloadSize, const QString& productId,
                  const QString& index, const QStringList& more = {})
    {
        return Pack(QStringList{"--output", output, "--sub-id", QString::number(subId), "--version", version,
                                "--payload-size", QString::number(payloadSize), "--vendor-id", "0x0A12", "--product-id",
                                productId, "--index", index, "--product-name", "Headset", "--hardware", "01.00.00"} +
                    more);
    }

    // dfu-util's own check of the suffix: signature, length and CRC.
    static void CheckWithDfuSuffix(const QString& path, const QString& vendorId, const QString& productId,
                                   const QString& bcdDevice)
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("dfu-suffix"));
        if (tool.isEmpty())
            QSKIP("dfu-suffix (Debian package dfu-util) is not installed");
        QString output;
        QCOMPARE(Run(tool, {QStringLiteral("-c"), path}, &output), 0);
        QVERIFY2(output.contains(QStringLiteral("contains a DFU suffix")), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Vendor ID:\t") + vendorId), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Product ID:\t") + productId), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("BCD device:\t") + bcdDevice), qPrintable(output));
    }

    // What the simulated headset will find in the image.
    static void CheckSimImage(const QString& path, std::uint16_t subId, const QString& version)
    {
        QByteArray body;
        Sim::DfuSuffix suffix;
        QVERIFY(Sim::SplitDfuFile(TestSupport::ReadFile(path), &body, &suffix));
        Sim::SimImageInfo info;
        QCOMPARE(Sim::ParseSimImageBody(body, &info), Sim::SimImageCheck::Ok);
        QCOMPARE(info.subId, subId);
        QCOMPARE(info.version, version);
    }

private slots:
    void initTestCase()
    {
        // The bundle is the build's program folder, so the sample is found in its FirmwareFiles; images
        // packed by the tests are found in the program folder, which is then the test's own folder.
        LinkLinuxSystemInfoReader();
        qputenv("TESSARY_APP_DIR", QFile::encodeName(TestSupport::BinaryDirectory()));
        QCOMPARE(QDir(FirmwareFileLocator::Instance()->BundlePath()).canonicalPath(),
                 QDir(TestSupport::BinaryDirectory()).canonicalPath());
        qputenv("TESSARY_APP_DIR", QFile::encodeName(m_dir.path()));
    }

    void packedImageVerifies_data()
    {
        QTest::addColumn<int>("subId");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("payloadSize");
        QTest::addColumn<QString>("productId");
        QTest::newRow("VM application, DFU id") << 1 << "01.02.0a" << 0 << "0x1F21";
        QTest::newRow("odd size, decimal id") << 7 << "FF.FF.zz" << 4097 << "7968";
    }
    void packedImageVerifies()
    {
        QFETCH(int, subId);
        QFETCH(QString, version);
        QFETCH(int, payloadSize);
        QFETCH(QString, productId);
        const QString image = Path(QStringLiteral("image%1.dfu").arg(subId));
        const QString index = Path(QStringLiteral("verify%1.xml").arg(subId));
        QCOMPARE(PackImage(image, subId, version, payloadSize, productId, index, {"--bcd-device", "0x0100"}), 0);

        const QByteArray content = TestSupport::ReadFile(image);
        QCOMPARE(content.size(), 32 + payloadSize + 16);
        CheckSimImage(image, std::uint16_t(subId), version);
        const auto indexFile = IndexFile::Create(index);
        const std::uint16_t id = std::uint16_t(productId.toUInt(nullptr, 0));
        const auto descriptors = indexFile->GetImageDescriptors(version, {id, "01.00.00"});
        QCOMPARE(descriptors.size(), 1);
        QCOMPARE(descriptors.first()->GetLength(), std::uint32_t(content.size()));
        QCOMPARE(descriptors.first()->GetCrc(), Crc32::Of(content));
        QCOMPARE(descriptors.first()->GetImageRevision(), version);
        QVERIFY(FirmwareImageFile::Create(descriptors.first()));
        CheckWithDfuSuffix(image, "0x0A12",
                           QStringLiteral("0x%1").arg(id, 4, 16, QLatin1Char('0')).toUpper().replace("0X", "0x"),
                           "0x0100");
    }

    void indexEntryIsUpdatedInPlace()
    {
        const QString index = Path(QStringLiteral("update.xml"));
        const QStringList release = {"--sibling-id", "0x1F21", "--release", "02.00.00"};
        QCOMPARE(PackImage(Path("u0.dfu"), 0, "02.00.00", 100, "0x1F20", index, release), 0);
        QCOMPARE(PackImage(Path("u1.dfu"), 1, "02.00.01", 50, "0x1F20", index, release), 0);
        // Packed again, larger: the same entry gets the new length and CRC.
        QCOMPARE(PackImage(Path("u0.dfu"), 0, "02.00.00", 200, "0x1F20", index, release), 0);

        // One release per product id: the sibling lists the same one.
        QDomDocument document;
        QVERIFY(document.setContent(TestSupport::ReadFile(index)));
        QCOMPARE(document.elementsByTagName("DEVICE").size(), 2);
        QCOMPARE(document.elementsByTagName("RELEASE").size(), 2);
        QCOMPARE(document.elementsByTagName("IMAGE").size(), 4);

        const auto indexFile = IndexFile::Create(index);
        std::uint16_t sibling = 0;
        QVERIFY(indexFile->GetSiblingProductId(0x1F21, &sibling));
        QCOMPARE(sibling, std::uint16_t(0x1F20));
        for (const std::uint16_t productId : {0x1F20, 0x1F21}) {
            const auto descriptors = indexFile->GetImageDescriptors("02.00.00", {productId, "01.00.00"});
            QCOMPARE(descriptors.size(), 2);
            QCOMPARE(descriptors.at(0)->GetLength(), std::uint32_t(32 + 200 + 16));
            QCOMPARE(descriptors.at(1)->GetImageRevision(), QStringLiteral("02.00.01"));
            for (const IFirmwareImageDescriptor* descriptor : descriptors)
                QVERIFY(FirmwareImageFile::Create(descriptor));
        }
    }

    void signsWithItsOwnKey()
    {
        const QString privateKey = Path(QStringLiteral("signing.private.pem"));
        const QString publicKey = Path(QStringLiteral("signing.pem"));
        QCOMPARE(Pack({"--generate-key", privateKey, "--public-key", publicKey}), 0);
        QCOMPARE(QFileInfo(privateKey).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

        const QString index = Path(QStringLiteral("signed.xml"));
        QCOMPARE(PackImage(Path("signed.dfu"), 0, "01.00.00", 100, "0x1F20", index, {"--sign", privateKey}), 0);
        const auto indexFile = IndexFile::Create(index, index + QStringLiteral(".sig"), KeyFrom(publicKey));
        const auto descriptors = indexFile->GetImageDescriptors("01.00.00", {0x1F20, "01.00.00"});
        QCOMPARE(descriptors.size(), 1);
        QVERIFY(FirmwareImageFile::Create(descriptors.first()));

        // An index file the program would refuse once signed is not signed.
        const QString bare = Path(QStringLiteral("bare.xml"));
        QByteArray content = TestSupport::ReadFile(index);
        QVERIFY(content.contains(" SHA256=\""));
        content.replace(" SHA256=\"", " SHA257=\"");
        QVERIFY(TestSupport::WriteFile(bare, content));
        QCOMPARE(Pack({"--index", bare, "--sign", privateKey}), 1);
        QVERIFY(!QFile::exists(bare + QStringLiteral(".sig")));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        const QStringList image = {"--output", "bad.dfu", "--vendor-id", "0x0A12", "--product-id", "0x1F20"};
        QTest::newRow("bad version") << image +
                                            QStringList{"--sub-id", "0", "--version", "1.0.0", "--payload-size", "1"};
        QTest::newRow("sub ID too big") << image + QStringList{"--sub-id",       "256", "--version", "01.00.00",
                                                               "--payload-size", "1"};
        QTest::newRow("no payload") << image + QStringList{"--sub-id", "0", "--version", "01.00.00"};
        QTest::newRow("vendor id too big")
            << QStringList{"--output", "bad.dfu", "--vendor-id", "0x10000",  "--product-id",   "1",
                           "--sub-id", "0",       "--version",   "01.00.00", "--payload-size", "1"};
        QTest::newRow("index without hardware")
            << image + QStringList{"--sub-id", "0",       "--version", "01.00.00",       "--payload-size",
                                   "1",        "--index", "bad.xml",   "--product-name", "P"};
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        for (QString& argument : arguments) {
            if (argument.startsWith(QLatin1String("bad.")))
                argument = Path(argument);
        }
        QCOMPARE(Pack(arguments), 1);
        QVERIFY(!QFile::exists(Path("bad.xml")));
    }

    void sampleBundle()
    {
        // Shipped signed, with every image's digest.
        const QString folder = QDir(TestSupport::BinaryDirectory()).filePath(QStringLiteral("FirmwareFiles"));
        const auto index =
            IndexFile::Create(folder + QStringLiteral("/index.xml"), folder + QStringLiteral("/index.xml.sig"),
                              KeyFrom(folder + QStringLiteral("/sample-index-key.pem")));
        std::uint16_t sibling = 0;
        QVERIFY(index->GetSiblingProductId(0x1F20, &sibling));
        QCOMPARE(sibling, std::uint16_t(0x1F21));
        QVERIFY(index->GetSiblingProductId(0x1F21, &sibling));
        QCOMPARE(sibling, std::uint16_t(0x1F20));

        // A headset in its boot loader (0x1F21) is offered what it is offered in its application.
        for (const std::uint16_t productId : {0x1F20, 0x1F21}) {
            const ProductIdentity identity{productId, "01.00.00"};
            QCOMPARE(index->GetVersions(identity), (QStringList{"01.00.00", "01.01.00"}));
            QCOMPARE(index->GetNewestVersion(identity), QStringLiteral("01.01.00"));
            for (const QString& release : index->GetVersions(identity)) {
                const auto descriptors = index->GetImageDescriptors(release, identity);
                QCOMPARE(descriptors.size(), 2);
                for (int subId = 0; subId < 2; ++subId) {
                    const IFirmwareImageDescriptor* descriptor = descriptors.at(subId);
                    QCOMPARE(descriptor->GetSubId(), std::uint16_t(subId));
                    // Found in the bundle's FirmwareFiles and verified by length, CRC and digest.
                    QVERIFY(FirmwareImageFile::Create(descriptor));
                    const QString path = folder + '/' + descriptor->GetFileName();
                    CheckSimImage(path, std::uint16_t(subId), descriptor->GetImageRevision());
                    CheckWithDfuSuffix(path, "0x0A12", "0x1F20", "0x0100");
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFirmwarePacker)
#include "TestFirmwarePacker.moc"
