// The DFU suffix check on real image files described by a real index file.
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/DfuFileSuffix.h"
#include "firmware/Crc32.h"
#include "tests/support/DeviceFixtures.h"
#include "tests/support/LogCapture.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace OrvoCommon;
using DeviceTest::DfuFile;
using DeviceTest::ImageCatalogue;
using DeviceTest::SimulatorBundle;

namespace {

const QByteArray Body = QByteArray("firmware image body, not sent beyond its suffix").repeated(3);

} // namespace

class TestDfuFileSuffix : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<SimulatorBundle> m_bundle;

private slots:
    void init()
    {
        m_log = std::make_unique<TestSupport::LogCapture>();
        m_bundle = std::make_unique<SimulatorBundle>();
    }

    void cleanup()
    {
        m_bundle.reset();
        m_log.reset();
    }

    void crc_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("suffixCrc");
        QTest::newRow("abc") << QByteArray("abc") << 0xCADBBE3Du;
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

    void validate_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<uint>("deviceVendor");
        QTest::addColumn<uint>("deviceProduct");
        QTest::addColumn<bool>("withSibling");
        QTest::addColumn<bool>("acceptNonMatching");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("length");

        const QByteArray good = DfuFile(Body, 0x0A12, 0x1F20);
        const QString corrupted = QLatin1String(ErrorCodes::FirmwareCorrupted);
        const QString mismatch = QLatin1String(ErrorCodes::DfuFileMismatch);
        QTest::newRow("matching device") << good << 0x0A12u << 0x1F20u << true << false << ""
                                         << "" << 16;
        QTest::newRow("longer suffix") << DfuFile(Body, 0x0A12, 0x1F20, 20) << 0x0A12u << 0x1F20u << true << false << ""
                                       << "" << 20;
        QTest::newRow("bLength 15") << DfuFile(Body, 0x0A12, 0x1F20, 15) << 0x0A12u << 0x1F20u << true << false
                                    << corrupted << "DFU suffix size 15 is too small" << 15;
        QTest::newRow("bLength beyond the file")
            << DfuFile(QByteArray(), 0x0A12, 0x1F20, 200).right(30) << 0x0A12u << 0x1F20u << true << false << corrupted
            << "Unable to seek to end of DFU file" << 200;
        QTest::newRow("file shorter than the length field") << QByteArray("DFU") << 0x0A12u << 0x1F20u << true << false
                                                            << corrupted << "Unable to seek to end of DFU file" << 0;
        QByteArray unsigned_ = good;
        unsigned_[unsigned_.size() - 7] = 'X';
        QTest::newRow("no signature") << unsigned_ << 0x0A12u << 0x1F20u << true << false << corrupted
                                      << "DFU file suffix does not contain DFU signature" << 16;
        QByteArray damaged = good;
        damaged[3] = static_cast<char>(damaged[3] ^ 0x01);
        QTest::newRow("damaged body") << damaged << 0x0A12u << 0x1F20u << true << false << corrupted
                                      << "DFU suffix CRC does not match" << 16;
        QTest::newRow("any device") << DfuFile(Body, 0xFFFF, 0xFFFF) << 0x1234u << 0x5678u << false << false << ""
                                    << "" << 16;
        QTest::newRow("any product of the vendor")
            << DfuFile(Body, 0x0A12, 0xFFFF) << 0x0A12u << 0x1F20u << true << false << ""
            << "" << 16;
        QTest::newRow("sibling product id")
            << DfuFile(Body, 0x0A12, 0x1F21) << 0x0A12u << 0x1F20u << true << false << ""
            << "" << 16;
        QTest::newRow("other product without a sibling")
            << DfuFile(Body, 0x0A12, 0x1F21) << 0x0A12u << 0x1F20u << false << false << mismatch
            << "DFU file is for 0a12/1f21, connected device is 0a12/1f20" << 16;
        QTest::newRow("product id 0 is no sibling")
            << DfuFile(Body, 0x0A12, 0x0000) << 0x0A12u << 0x1F20u << false << false << mismatch
            << "DFU file is for 0a12/0000, connected device is 0a12/1f20" << 16;
        QTest::newRow("other vendor") << DfuFile(Body, 0x0A13, 0x1F20) << 0x0A12u << 0x1F20u << true << false
                                      << mismatch << "DFU file is for 0a13/1f20, connected device is 0a12/1f20" << 16;
        QTest::newRow("mismatch accepted") << DfuFile(Body, 0x0A13, 0x1F20) << 0x0A12u << 0x1F20u << true << true << ""
                                           << "" << 16;
    }

    void validate()
    {
        QFETCH(QByteArray, file);
        QFETCH(uint, deviceVendor);
        QFETCH(uint, deviceProduct);
        QFETCH(bool, withSibling);
        QFETCH(bool, acceptNonMatching);
        QFETCH(QString, error);
        QFETCH(QString, message);
        QFETCH(int, length);

        ImageCatalogue catalogue(m_bundle->Path(), {{QStringLiteral("image.dfu"), 0, QStringLiteral("01.02.00"), file}},
                                 withSibling);
        QVERIFY(catalogue.IsValid());
        m_log->Mark();
        const DfuFileSuffix::Result result = DfuFileSuffix::Validate(
            catalogue.File(0), static_cast<std::uint16_t>(deviceVendor), static_cast<std::uint16_t>(deviceProduct),
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
