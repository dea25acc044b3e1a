// Signed index files and image digests, fetched from a real local web server: every way of forging
// an index file or swapping an image is refused with its code before there is an image list to
// flash, and an index file is taken unsigned as before when no key is trusted.

#include "firmware/Crc32.h"
#include "firmware/Ed25519Key.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/FirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "firmware/Sha256.h"
#include "tests/support/AcquisitionProcess.h"
#include "tests/support/IndexXml.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/TestEnvironment.h"
#include "web/WebInterfaceTest.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace OrvoCommon;

namespace {

constexpr int CompletionTimeoutMs = 30000;
const QString IndexName = QStringLiteral("index.xml");
const QString SignatureName = QStringLiteral("index.xml.sig");
const QString ImageName = QStringLiteral("zr3h.dfu");
const QString KeyName = QStringLiteral("index-key.pem");

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

} // namespace

class TestAuthenticFirmware : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::LocalWebServer> m_server;
    QTemporaryDir m_startFolder;
    std::unique_ptr<TestSupport::TemporaryBundle> m_bundle;
    std::unique_ptr<FirmwareProcessing> m_processing;
    Ed25519Key m_key;
    Ed25519Key m_foreignKey;
    // Two releases of the same image, of one length.
    QByteArray m_newImage;
    QByteArray m_oldImage;

    QByteArray Index(bool digest) const
    {
        const QString sha256 = QStringLiteral("SHA256=\"%1\"").arg(Hex(Sha256::Of(m_newImage)));
        return ServedIndexXml(ImageXmlOf(ImageName, m_newImage, digest ? sha256 : QString()), m_server->HostWithPort(),
                              QStringLiteral("01.01.00"))
            .toUtf8();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(PrepareAcquisitionProcess(QStringLiteral("TestAuthenticFirmware"), m_startFolder.path()));
        m_server = std::make_unique<TestSupport::LocalWebServer>();
        QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));
        m_key = Ed25519Key::Generate();
        m_foreignKey = Ed25519Key::Generate();
        QVERIFY(!m_key.IsNull() && !m_foreignKey.IsNull());
        const QString sample = TestSupport::BinaryDirectory() + QStringLiteral("/FirmwareFiles/");
        m_newImage = TestSupport::ReadFile(sample + QStringLiteral("zr3h_010100_sub0.dfu"));
        m_oldImage = TestSupport::ReadFile(sample + QStringLiteral("zr3h_010000_sub0.dfu"));
        // What makes the swap invisible without a digest: a valid DFU file's suffix CRC cancels out
        // of its whole-file CRC, so releases of one length pass the same CRC and length checks.
        QVERIFY(!m_newImage.isEmpty() && m_newImage != m_oldImage);
        QCOMPARE(m_oldImage.size(), m_newImage.size());
        QCOMPARE(Crc32::Of(m_oldImage), Crc32::Of(m_newImage));
    }

    void init()
    {
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
        m_bundle = std::make_unique<TestSupport::TemporaryBundle>();
        QVERIFY(TestSupport::WriteFile(m_bundle->FilePath(KeyName), m_key.PublicPem()));
        qputenv("TESSARY_APP_DIR", QFile::encodeName(m_bundle->Path()));
        m_processing = std::make_unique<FirmwareProcessing>();
        for (const QString& name : {IndexName, SignatureName, ImageName})
            QFile::remove(m_server->RootPath() + QStringLiteral("/firmware/") + name);
    }

    void cleanup()
    {
        m_processing.reset();
        m_bundle.reset();
    }

    void acquisition_data()
    {
        QTest::addColumn<QString>("forgery");
        QTest::addColumn<int>("signatureRequests");
        QTest::addColumn<QString>("failure");

        const QString notSigned = QStringLiteral("index-corrupted: The index file index.xml does not match its "
                                                 "signature index.xml.sig under any trusted key");
        QTest::newRow("signed, with digests") << "" << 1 << QString();
        // A downloaded index file takes its signature from the server too.
        QTest::newRow("an older signature left in the program folder") << "stale signature" << 1 << QString();
        QTest::newRow("one byte of the index file changed") << "index byte" << 1 << notSigned;
        QTest::newRow("signed by another key") << "foreign key" << 1 << notSigned;
        QTest::newRow("signature missing") << "no signature" << 3
                                           << "index-corrupted: The index file signature index.xml.sig could not be "
                                              "downloaded: A status code of 22 was received from download";
        QTest::newRow("signature truncated")
            << "truncated signature" << 1
            << "index-corrupted: The index file signature index.xml.sig is 40 bytes long instead of 64";
        QTest::newRow("an IMAGE without SHA256")
            << "no digest" << 1 << "index-corrupted: The image zr3h.dfu has no SHA256 in the signed index file";
        QTest::newRow("image swapped for an older release of its length")
            << "older image" << 1
            << "firmware-corrupted: SHA-256 of image file [zr3h.dfu] is %1 instead of expected %2";
        // A broken key stops updates rather than quietly letting unsigned files through.
        QTest::newRow("configured key file absent")
            << "absent key" << 0 << "config-file-error: Unable to open trusted key file: %1";
        QTest::newRow("no key configured, unsigned index without digests") << "unsigned" << 0 << QString();
    }

    void acquisition()
    {
        QFETCH(QString, forgery);
        QFETCH(int, signatureRequests);
        QFETCH(QString, failure);

        const bool unsignedIndex = forgery == QLatin1String("unsigned");
        QString keys = unsignedIndex ? QString() : KeyName;
        if (forgery == QLatin1String("absent key")) {
            keys = QStringLiteral("absent.pem");
            failure = failure.arg(m_bundle->FilePath(keys));
        }
        m_bundle->WriteConfig(
            QStringLiteral("<NoCacheConfig/>\n<IndexFileTrustedKeys>%1</IndexFileTrustedKeys>\n").arg(keys));
        const QByteArray index = Index(forgery != QLatin1String("no digest") && !unsignedIndex);
        QByteArray signature = (forgery == QLatin1String("foreign key") ? m_foreignKey : m_key).Sign(index);
        QByteArray served = index;
        if (forgery == QLatin1String("index byte"))
            served.replace("<RELEASE REVISION=\"01.01.00\"", "<RELEASE REVISION=\"01.01.01\"");
        if (forgery == QLatin1String("truncated signature"))
            signature.truncate(40);
        QVERIFY(m_server->AddFile(QStringLiteral("firmware/") + IndexName, served));
        if (forgery != QLatin1String("no signature") && !unsignedIndex)
            QVERIFY(m_server->AddFile(QStringLiteral("firmware/") + SignatureName, signature));
        if (forgery == QLatin1String("stale signature"))
            QVERIFY(TestSupport::WriteFile(m_bundle->FilePath(SignatureName), m_key.Sign("an older index file")));
        const bool older = forgery == QLatin1String("older image");
        QVERIFY(m_server->AddFile(QStringLiteral("firmware/") + ImageName, older ? m_oldImage : m_newImage));
        if (older)
            failure = failure.arg(Hex(Sha256::Of(m_oldImage)), Hex(Sha256::Of(m_newImage)));
        const QString signaturePath = QStringLiteral("/firmware/") + SignatureName;
        const int signatureRequestsBefore = m_server->RequestCount(signaturePath);

        const QList<QVariant> indexResult = AwaitCompletion(
            m_processing.get(), &IFirmwareProcessing::AcquireIndexFileComplete,
            [&] { m_processing->AcquireIndexFile(IndexName, m_server->HostWithPort(), QStringLiteral("/firmware/")); },
            CompletionTimeoutMs);
        QCOMPARE(indexResult.size(), 2);
        QCOMPARE(m_server->RequestCount(signaturePath) - signatureRequestsBefore, signatureRequests);
        ExceptionPtr exception = indexResult.at(1).value<ExceptionPtr>();
        auto* indexFile = indexResult.at(0).value<IIndexFile*>();
        FirmwareImageList images;
        if (indexFile) {
            const FirmwareImageDescriptorList descriptors =
                indexFile->GetImageDescriptors("01.01.00", {0x1F20, "01.00.00"});
            const QList<QVariant> imageResult = AwaitCompletion(
                m_processing.get(), &IFirmwareProcessing::AcquireFirmwareImageFilesComplete,
                [&] { m_processing->AcquireImageFiles(descriptors); }, CompletionTimeoutMs);
            QCOMPARE(imageResult.size(), 2);
            images = imageResult.at(0).value<FirmwareImageList>();
            exception = imageResult.at(1).value<ExceptionPtr>();
        }

        QCOMPARE(TestSupport::FailureText(exception), failure);
        if (failure.isEmpty()) {
            QCOMPARE(images.size(), 1);
            return;
        }
        QVERIFY(images.isEmpty());
        // What was fetched and refused is gone again.
        QVERIFY(!QFile::exists(m_bundle->FilePath(ImageName)));
        if (!indexFile) {
            QVERIFY(!QFile::exists(m_bundle->FilePath(IndexName)));
            QVERIFY(!QFile::exists(m_bundle->FilePath(SignatureName)));
        }
    }
};

QTEST_GUILESS_MAIN(TestAuthenticFirmware)
#include "TestAuthenticFirmware.moc"
