// The USB interface and device logic over the libusb transport, with the simulated headset behind
// umockdev: the same cases as over the in-process transport.
#include "tests/usb/CsrUsbConformance.h"

#include <QCoreApplication>
#include <QtTest>

#ifdef TESSARY_HAVE_UMOCKDEV
#include "sim/SimBus.h"
#include "sim/umockdev/UmockdevHeadsetBed.h"
#include "tests/support/LogCapture.h"
#include "tests/support/SimFixtures.h"
#include "tests/support/TestEnvironment.h"
#include "usb/CsrUsbInterface.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/linux/LibusbTransport.h"
#include "usb/linux/LinuxPlatformServices.h"

#include <QSignalSpy>

namespace {

// libusb in front of a testbed: the testbed comes first and goes last.
class BedTransport : public OrvoCommon::IUsbTransport
{
public:
    explicit BedTransport(const std::shared_ptr<Sim::SimBus>& bus)
        : m_bed(std::make_unique<Sim::UmockdevHeadsetBed>(bus)),
          m_libusb(std::make_unique<OrvoCommon::LibusbTransport>())
    {
        connect(m_libusb.get(), &IUsbTransport::DeviceArrived, this, &IUsbTransport::DeviceArrived);
        connect(m_libusb.get(), &IUsbTransport::DeviceRemoved, this, &IUsbTransport::DeviceRemoved);
    }
    ~BedTransport() override { m_libusb.reset(); }

    Sim::UmockdevHeadsetBed* Bed() const { return m_bed.get(); }
    QStringList PresentDevicePaths() override { return m_libusb->PresentDevicePaths(); }
    bool PeekIds(const QString& path, std::uint16_t* vendorId, std::uint16_t* productId) override
    {
        return m_libusb->PeekIds(path, vendorId, productId);
    }
    std::unique_ptr<OrvoCommon::IUsbTransportDevice> Open(const QString& path, QString* error) override
    {
        return m_libusb->Open(path, error);
    }

private:
    std::unique_ptr<Sim::UmockdevHeadsetBed> m_bed;
    std::unique_ptr<OrvoCommon::LibusbTransport> m_libusb;
};

class LibusbUnderTest : public TransportUnderTest
{
public:
    std::unique_ptr<OrvoCommon::IUsbTransport> Create(const std::shared_ptr<Sim::SimBus>& bus) override
    {
        auto transport = std::make_unique<BedTransport>(bus);
        m_bed = transport->Bed();
        return transport;
    }
    QString PathOf(Sim::SimHeadset* headset) override { return m_bed->NodePath(headset); }
    void RepeatArrival(Sim::SimHeadset* headset) override { m_bed->RepeatArrival(headset); }
    void AnnounceUnknownRemoval() override { m_bed->AnnounceUnknownRemoval(); }
    int EventReadsWaiting(Sim::SimHeadset* headset) override { return m_bed->Counters(headset).eventReads; }

private:
    Sim::UmockdevHeadsetBed* m_bed = nullptr; // owned by the transport the interface holds
};

} // namespace

// Without a UsbBackend in Config.xml the program's interface runs over libusb, once the Linux services
// are registered as the programs do.
class TestLibusbBackend : public QObject
{
    Q_OBJECT

private slots:
    void libusbIsTheDefault()
    {
        TestSupport::TemporaryBundle bundle(QStringLiteral("<NoCacheConfig/>"));
        QVERIFY(bundle.IsValid());
        qputenv("TESSARY_APP_DIR", bundle.Path().toLocal8Bit());
        OrvoCommon::LinkLinuxUsbPlatformServices();
        auto bus = std::make_shared<Sim::SimBus>();
        bus->AddHeadset(TestSupport::SampleHeadsetProfile());
        Sim::UmockdevHeadsetBed bed(bus);
        auto* usb = static_cast<OrvoCommon::CsrUsbInterface*>(OrvoCommon::GetCsrUsbInterface());
        QVERIFY(qobject_cast<OrvoCommon::LibusbTransport*>(usb->Transport()));
        QSignalSpy connected(usb, &OrvoCommon::ICsrUsbInterface::DeviceConnected);
        usb->StartDeviceDetection(0x0A12, {0x1F20, 0x1F21});
        QCOMPARE(connected.size(), 1);
        QCOMPARE(usb->Devices().at(0)->GetProductId(), quint16(0x1F20));
        OrvoCommon::CsrUsbInterfaceFactory::Instance()->Destroy(); // libusb goes before the testbed
    }

    // The computer's own Bluetooth adapter keeps its driver: only the registered ids are opened.
    void foreignBluetoothAdaptersAreNeverOpened()
    {
        TestSupport::LogCapture log;
        auto bus = std::make_shared<Sim::SimBus>();
        bus->AddHeadset(TestSupport::SampleHeadsetProfile());
        Sim::HeadsetProfile later = TestSupport::SampleHeadsetProfile();
        later.pluggedIn = false;
        Sim::SimHeadset* second = bus->AddHeadset(later);
        auto transport = std::make_unique<BedTransport>(bus);
        Sim::UmockdevHeadsetBed* bed = transport->Bed();
        const QString present = bed->AddForeignBluetoothAdapter(0x8087, 0x0026);
        OrvoCommon::CsrUsbInterface usb(std::move(transport));
        QSignalSpy connected(&usb, &OrvoCommon::ICsrUsbInterface::DeviceConnected);
        usb.StartDeviceDetection(0x0A12, {0x1F20, 0x1F21});
        QCOMPARE(connected.size(), 1);

        // One arrives while we watch; the headset plugged in after it is announced after it was seen.
        const QString arriving = bed->AddForeignBluetoothAdapter(0x0A5C, 0x21E8);
        second->Plug();
        QVERIFY(connected.wait(5000));
        QCOMPARE(usb.Devices().size(), 2);
        QCOMPARE(bed->ForeignRequests(present), 0);
        QCOMPARE(bed->ForeignRequests(arriving), 0);
        // Not the maker's: not even worth a line.
        QVERIFY(!log.Contains(QStringLiteral("does not have a registered VID/PID")));
        QVERIFY(!log.Contains(QStringLiteral("Unable to open device")));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    LibusbUnderTest transport;
    TestLibusbBackend backend;
    const int failed = RunCsrUsbConformance(&transport, argc, argv);
    return failed + QTest::qExec(&backend, argc, argv);
}

#include "TestCsrUsbLibusb.moc"
#else
class TestCsrUsbLibusb : public QObject
{
    Q_OBJECT

private slots:
    void withoutUmockdev() { QSKIP("umockdev is not installed"); }
};

QTEST_GUILESS_MAIN(TestCsrUsbLibusb)
#include "TestCsrUsbLibusb.moc"
#endif
