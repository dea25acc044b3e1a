// The DFU suffix check on real image files described by a real index file.
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/DfuFileSuffix.h"
#include "firmware/Crc32.h"
#include "tests/support/DeviceFixtures.h"

#include <QtTest>

using namespace OrvoCommon;
using DeviceTest::DfuFile;

namespace {

const QByteArray Body = QByteArray("firmware image body, not sent beyond its suffix").repeated(3);

} // namespace

class TestDfuFileSuffix : public DeviceTest::DeviceTestCase
{
    Q_OBJECT

private slots:
    void crc_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("suffixCrc");
        QTest::newRow("123456789") << QByteArray("123456789") << 0x340BC6D9u;
        QTest::newRow("nothing") << QByteArray() << 0xFFFFFFFFu;
    }

    void crc()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(uint, suffixCrc);
        QCOMPARE(DfuFileSuffix::Crc(bytes), suffixCrc);
        // The index and image checks use the ordinary CRC-32: the complement.
        QCOMPARE(Crc32::Of(bytes), ~suffixCrc);
    }

    // Each file is checked for a device 0a12/1f20, whose index lists the sibling 0a12/1f21 unless said.
    void validate_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("withSibling");
        QTest::addColumn<bool>("acceptNonMatching");
        const auto row = [](const char* name, const QByteArray& file, const char* error, const char* message,
                            int length, bool withSibling = true, bool acceptNonMatching = false) {
            QTest::newRow(name) << file << QString::fromLatin1(error) << QString::fromLatin1(message) << length
                                << withSibling << acceptNonMatching;
        };
        const char* corrupted = ErrorCodes::FirmwareCorrupted;
        const char* mismatch = ErrorCodes::DfuFileMismatch;
        const QByteArray good = DfuFile(Body, 0x0A12, 0x1F20);
        QByteArray unsigned_ = good;
        unsigned_[unsigned_.size() - 7] = 'X';
        QByteArray damaged = good;
        damaged[3] = static_cast<char>(damaged[3] ^ 0x01);

        row("matching device", good, "", "", 16);
        row("longer suffix", DfuFile(Body, 0x0A12, 0x1F20, 20), "", "", 20);
        row("bLength 15", DfuFile(Body, 0x0A12, 0x1F20, 15), corrupted, "DFU suffix size 15 is too small", 15);
        row("bLength beyond the file", DfuFile(QByteArray(), 0x0A12, 0x1F20, 200).right(30), corrupted,
            "Unable to seek to end of DFU file", 200);
        row("file shorter than the length field", "DFU", corrupted, "Unable to seek to end of DFU file", 0);
        row("no signature", unsigned_, corrupted, "DFU file suffix does not contain DFU signature", 16);
        row("damaged body", damaged, corrupted, "DFU suffix CRC does not match", 16);
        row("any device", DfuFile(Body, 0xFFFF, 0xFFFF), "", "", 16, false);
        row("any product of the vendor", DfuFile(Body, 0x0A12, 0xFFFF), "", "", 16);
        row("sibling product id", DfuFile(Body, 0x0A12, 0x1F21), "", "", 16);
        row("other product without a sibling", DfuFile(Body, 0x0A12, 0x1F21), mismatch,
            "DFU file is for 0a12/1f21, connected device is 0a12/1f20", 16, false);
        row("product id 0 is no sibling", DfuFile(Body, 0x0A12, 0x0000), mismatch,
            "DFU file is for 0a12/0000, connected device is 0a12/1f20", 16, false);
        row("other vendor", DfuFile(Body, 0x0A13, 0x1F20), mismatch,
            "DFU file is for 0a13/1f20, connected device is 0a12/1f20", 16);
        row("mismatch accepted", DfuFile(Body, 0x0A13, 0x1F20), "", "", 16, true, true);
    }

    void validate()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        QFETCH(QString, message);
        QFETCH(int, length);
        QFETCH(bool, withSibling);
        QFETCH(bool, acceptNonMatching);

        DeviceTest::ImageCatalogue catalogue(
            m_bundle->Path(), {{QStringLiteral("image.dfu"), 0, QStringLiteral("01.02.00"), file}}, withSibling);
        QVERIFY(catalogue.IsValid());
        m_log->Mark();
        const DfuFileSuffix::Result result = DfuFileSuffix::Validate(catalogue.File(0), 0x0A12, 0x1F20,
                                                                     catalogue.Index(), acceptNonMatching, GetLogger());
        QCOMPARE(result.errorCode, error);
        QCOMPARE(result.lengthRead, length > 0);
        QCOMPARE(int(result.length), length);
        if (message.isEmpty())
            QCOMPARE(m_log->LinesContaining(QStringLiteral("Error,")).size(), 0);
        else
            QVERIFY2(m_log->Contains(message), qPrintable(m_log->Lines().join(QLatin1Char('\n'))));
        // The check leaves the file closed, whichever way it ended.
        QVERIFY(catalogue.File(0)->Open());
        catalogue.File(0)->Close();
    }
};

QTEST_GUILESS_MAIN(TestDfuFileSuffix)
#include "TestDfuFileSuffix.moc"
