// Config.xml's UsbBackend and SimulatedHeadset choose what the process-wide USB interface talks to.
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "usb/CsrUsbInterface.h"
#include "usb/CsrUsbInterfaceFactory.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace OrvoCommon;

class TestUsbBackend : public QObject
{
    Q_OBJECT

private:
    TestSupport::TemporaryBundle m_bundle{QStringLiteral("<NoCacheConfig/>")};

private slots:
    void initTestCase()
    {
        QVERIFY(m_bundle.IsValid());
        qputenv("TESSARY_APP_DIR", m_bundle.Path().toLocal8Bit());
        QVERIFY(QFile::copy(TestSupport::BinaryDirectory() + QStringLiteral("/SimulatedHeadset.xml"),
                            m_bundle.FilePath(QStringLiteral("SimulatedHeadset.xml"))));
        QVERIFY(
            TestSupport::WriteFile(m_bundle.FilePath(QStringLiteral("profiles/Broken.xml")), "<SimulatedHeadsets>"));
    }

    void cleanup() { CsrUsbInterfaceFactory::Instance()->Destroy(); }

    void backendSelection_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("devices");
        QTest::addColumn<QString>("errorLine");

        QTest::newRow("simulator, sample profile by default") << "<UsbBackend>simulator</UsbBackend>" << 1 << "";
        QTest::newRow("simulator, profile in a subfolder")
            << "<UsbBackend>simulator</UsbBackend><SimulatedHeadset>profiles/Broken.xml</SimulatedHeadset>" << 0
            << "Simulated headset profile " + m_bundle.FilePath(QStringLiteral("profiles/Broken.xml"));
        QTest::newRow("simulator, missing profile")
            << "<UsbBackend>simulator</UsbBackend><SimulatedHeadset>Nowhere.xml</SimulatedHeadset>" << 0
            << "Nowhere.xml";
        QTest::newRow("unknown backend") << "<UsbBackend>carrier-pigeon</UsbBackend>" << 0
                                         << "USB backend carrier-pigeon is not available; no devices will be found";
    }

    void backendSelection()
    {
        QFETCH(QString, config);
        QFETCH(int, devices);
        QFETCH(QString, errorLine);
        TestSupport::LogCapture log;
        m_bundle.WriteConfig(QStringLiteral("<NoCacheConfig/>") + config);

        auto* usb = static_cast<CsrUsbInterface*>(GetCsrUsbInterface());
        QVERIFY(usb);
        QSignalSpy connected(usb, &ICsrUsbInterface::DeviceConnected);
        usb->StartDeviceDetection(0x0A12, {0x1F20, 0x1F21});
        QCOMPARE(connected.size(), devices);
        if (!errorLine.isEmpty())
            QVERIFY2(log.HasError(errorLine), qPrintable(log.Lines().join('\n')));
        else
            QVERIFY(!log.HasError(QString()));
    }
};

QTEST_GUILESS_MAIN(TestUsbBackend)
#include "TestUsbBackend.moc"
