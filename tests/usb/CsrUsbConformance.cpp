#include "tests/usb/CsrUsbConformance.h"

#include "sim/SimBus.h"
#include "sim/SimImage.h"
#include "tests/support/LogCapture.h"
#include "tests/support/RawPackets.h"
#include "tests/support/SimFixtures.h"
#include "usb/CsrDevice.h"
#include "usb/CsrUsbInterface.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace OrvoCommon;
using namespace TestSupport::Raw;

namespace {

constexpr quint16 Vid = 0x0A12;
constexpr quint16 AppPid = 0x1F20;
constexpr quint16 DfuPid = 0x1F21;
constexpr int EventTimeoutMs = 1000;

enum : quint8
{
    DfuDetach = 0,
    DfuDnload = 1,
    DfuGetStatus = 3,
    DfuGetState = 5,
    StateDfuIdle = 2,
    StateDnbusy = 4,
    StateDnloadIdle = 5,
    StateManifest = 7,
};

QByteArray Configuration(const QByteArray& bodyHex, int interfaces)
{
    QByteArray config = QByteArray::fromHex("090200000001008032");
    config[4] = static_cast<char>(interfaces);
    config += QByteArray::fromHex(bodyHex);
    PutLe16(&config, 2, config.size());
    return config;
}

// Sends a BCCMD request as an HCI vendor command and reads the matching answer's value.
bool RawBcCmdGet(ICsrDevice* device, int seq, int varid, const QByteArray& payload, QByteArray* value)
{
    const QByteArray command = HciVendorCommand(BcCmd(0, seq, varid, payload));
    if (!device->ControlWriteTransfer(0x20, 0, 0, device->GetHciInterface(), command))
        return false;
    QByteArray event;
    if (!device->GetHciEvent(EventTimeoutMs, &event) || event.size() < 3 + 10)
        return false;
    const QByteArray message = event.mid(3);
    if (qFromLittleEndian<quint16>(message.constData()) != 1 ||
        qFromLittleEndian<quint16>(message.constData() + 4) != seq ||
        qFromLittleEndian<quint16>(message.constData() + 8) != 0)
        return false;
    *value = message.mid(10);
    return true;
}

bool RawPsKey(ICsrDevice* device, int key, QByteArray* value)
{
    QByteArray size;
    if (!RawBcCmdGet(device, 1, 0x3006, Words({key, 0}), &size))
        return false;
    const int words = qFromLittleEndian<quint16>(size.constData() + 2);
    QByteArray answer;
    if (!RawBcCmdGet(device, 2, 0x7003, Words({key, words, 0}) + QByteArray(2 * words, '\0'), &answer))
        return false;
    *value = answer.mid(6, 2 * words);
    return true;
}

// GETSTATUS until the device reports the wanted state, waiting bwPollTimeout between polls.
bool PollUntil(ICsrDevice* device, int wanted)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray status;
        if (!device->ControlReadTransfer(0xA1, DfuGetStatus, 0, device->GetDfuInterface(), 6, &status) ||
            status.size() != 6)
            return false;
        const int state = quint8(status.at(4));
        if (state == wanted)
            return true;
        if (state != StateDnbusy && state != StateManifest)
            return false;
        QThread::msleep(quint8(status.at(1)) | quint8(status.at(2)) << 8 | quint8(status.at(3)) << 16);
    }
    return false;
}

// The interface and device logic checked against the simulated headset through a transport; every
// transport runs the same cases.
class CsrUsbConformance : public QObject
{
    Q_OBJECT

public:
    explicit CsrUsbConformance(TransportUnderTest* transport) : m_transport(transport) {}

private:
    TransportUnderTest* m_transport;
    std::shared_ptr<Sim::SimBus> m_bus;
    std::unique_ptr<CsrUsbInterface> m_usb;
    std::unique_ptr<TestSupport::LogCapture> m_log;

    void Start(const QList<Sim::HeadsetProfile>& profiles)
    {
        m_bus = std::make_shared<Sim::SimBus>();
        for (const Sim::HeadsetProfile& profile : profiles)
            m_bus->AddHeadset(profile);
        m_usb = std::make_unique<CsrUsbInterface>(m_transport->Create(m_bus));
    }

    // One headset, detected and open.
    ICsrDevice* StartOne(const Sim::HeadsetProfile& profile = TestSupport::SampleHeadsetProfile())
    {
        Start({profile});
        m_usb->StartDeviceDetection(Vid, {AppPid, DfuPid});
        return m_usb->Devices().value(0);
    }

    ICsrDevice* WaitForDevice(bool dfuMode)
    {
        QSignalSpy connected(m_usb.get(), &ICsrUsbInterface::DeviceConnected);
        if (!connected.wait(5000))
            return nullptr;
        auto* device = connected.at(0).at(0).value<ICsrDevice*>();
        return device->IsDfuMode() == dfuMode ? device : nullptr;
    }

private slots:
    void init() { m_log = std::make_unique<TestSupport::LogCapture>(); }

    void cleanup()
    {
        m_usb.reset();
        m_bus.reset();
        m_log.reset();
    }

    void enumerationAndHotPlugOrder()
    {
        Sim::HeadsetProfile second = TestSupport::SampleHeadsetProfile();
        second.name = QStringLiteral("second");
        Sim::HeadsetProfile later = TestSupport::SampleHeadsetProfile();
        later.pluggedIn = false;
        Start({TestSupport::SampleHeadsetProfile(), second, later});
        QSignalSpy connected(m_usb.get(), &ICsrUsbInterface::DeviceConnected);
        QSignalSpy disconnected(m_usb.get(), &ICsrUsbInterface::DeviceDisconnected);

        m_usb->StartDeviceDetection(Vid, {AppPid, DfuPid});
        QCOMPARE(connected.size(), 2);
        auto* first = connected.at(0).at(0).value<ICsrDevice*>();
        auto* next = connected.at(1).at(0).value<ICsrDevice*>();
        QCOMPARE(m_usb->Devices(), (QList<ICsrDevice*>{first, next}));
        QVERIFY(m_log->Contains(QStringLiteral("Existing device: ") + m_transport->PathOf(m_bus->Headset(0))));
        QVERIFY(m_log->Contains(QStringLiteral("Existing device: ") + m_transport->PathOf(m_bus->Headset(1))));

        m_bus->Headset(2)->Plug();
        QVERIFY(connected.wait(5000));
        auto* third = connected.at(2).at(0).value<ICsrDevice*>();
        QCOMPARE(m_usb->Devices(), (QList<ICsrDevice*>{first, next, third}));

        m_bus->Headset(0)->Unplug();
        QVERIFY(disconnected.wait(5000));
        QCOMPARE(disconnected.at(0).at(0).value<ICsrDevice*>(), first);
        QVERIFY(!first->IsOpen());
        QCOMPARE(first->GetVendorId(), Vid); // the object stays valid for comparison
        QCOMPARE(m_usb->Devices(), (QList<ICsrDevice*>{next, third}));

        // Plugged in again it is a new device object; a second detection announces every device again.
        m_bus->Headset(0)->Plug();
        QVERIFY(connected.wait(5000));
        QVERIFY(connected.at(3).at(0).value<ICsrDevice*>() != first);
        connected.clear();
        m_usb->StartDeviceDetection(Vid, {AppPid, DfuPid});
        QCOMPARE(connected.size(), 3);
    }

    // A repeated arrival of a present device and the removal of one nobody saw change nothing.
    void strayNoticesChangeNothing()
    {
        Sim::HeadsetProfile later = TestSupport::SampleHeadsetProfile();
        later.pluggedIn = false;
        Start({TestSupport::SampleHeadsetProfile(), later});
        m_usb->StartDeviceDetection(Vid, {AppPid});
        QCOMPARE(m_usb->Devices().size(), 1);
        QSignalSpy connected(m_usb.get(), &ICsrUsbInterface::DeviceConnected);
        QSignalSpy disconnected(m_usb.get(), &ICsrUsbInterface::DeviceDisconnected);
        m_transport->RepeatArrival(m_bus->Headset(0));
        m_transport->AnnounceUnknownRemoval();
        // Notices arrive in order: once the second headset is announced, the others have been seen.
        m_bus->Headset(1)->Plug();
        QVERIFY(connected.wait(5000));
        QCOMPARE(connected.size(), 1);
        QCOMPARE(disconnected.size(), 0);
        QCOMPARE(m_usb->Devices().size(), 2);
        QCOMPARE(m_usb->Devices().at(1), connected.at(0).at(0).value<ICsrDevice*>());
        QVERIFY(m_usb->Devices().at(0)->IsOpen());
    }

    void unregisteredIdsAreNotListed()
    {
        Sim::HeadsetProfile other = TestSupport::SampleHeadsetProfile();
        other.productId = 0x1234;
        Start({other});
        QSignalSpy connected(m_usb.get(), &ICsrUsbInterface::DeviceConnected);
        m_usb->StartDeviceDetection(Vid, {AppPid, DfuPid});
        QCOMPARE(connected.size(), 0);
        QVERIFY(m_log->HasError(QStringLiteral("Device 0x0a12/0x1234 does not have a registered VID/PID")));
    }

    void descriptorWalk_data()
    {
        QTest::addColumn<QByteArray>("configuration");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<int>("hci");
        QTest::addColumn<int>("dfu");
        QTest::addColumn<int>("transferSize");
        QTest::addColumn<int>("attributes");

        const QByteArray hci = "0904000003e0010100";
        const QByteArray dfu = "0904020000fe010100";
        const auto functional = [](const char* attributes, const char* size) {
            return QByteArray("0921") + attributes + "8813" + size + "1001";
        };
        QTest::newRow("Bluetooth and DFU run-time")
            << Configuration((hci + dfu + functional("05", "ff03")), 2) << true << 0 << 2 << 1023 << 5;
        QTest::newRow("no DFU functional descriptor: never listed")
            << Configuration((hci + dfu), 2) << false << 0 << 0 << 0 << 0;
        QTest::newRow("last functional descriptor wins")
            << Configuration((hci + functional("01", "4000") + dfu + functional("07", "0002")), 2) << true << 0 << 2
            << 512 << 7;
        QTest::newRow("zero-length descriptor ends the walk")
            << Configuration((hci + functional("05", "0001") + "0005" + dfu + functional("07", "0002")), 2) << true << 0
            << 0xFF << 256 << 5;
        QTest::newRow("first Bluetooth and first DFU interface") << Configuration(("0904030003e0010100"
                                                                                   "0904010003e0010100"
                                                                                   "0904040000fe010100"
                                                                                   "0904050000fe010200" +
                                                                                   functional("05", "ff03")),
                                                                                  4)
                                                                 << true << 3 << 4 << 1023 << 5;
        QTest::newRow("Bluetooth class of another subclass is no HCI")
            << Configuration((QByteArray("0904000003e0020100") + dfu + functional("05", "ff03")), 2) << true << 0xFF
            << 2 << 1023 << 5;
        QTest::newRow("truncated functional descriptor")
            << Configuration((hci + dfu + "092105"), 2) << false << 0 << 0 << 0 << 0;
        QByteArray padding;
        for (int i = 0; i < 50; ++i)
            padding += "07250000000000";
        QTest::newRow("set longer than the first buffer")
            << Configuration((hci + padding + dfu + functional("05", "ff03")), 2) << true << 0 << 2 << 1023 << 5;
    }

    void descriptorWalk()
    {
        QFETCH(QByteArray, configuration);
        QFETCH(bool, listed);
        QFETCH(int, hci);
        QFETCH(int, dfu);
        QFETCH(int, transferSize);
        QFETCH(int, attributes);

        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.applicationConfiguration = configuration;
        Start({profile});
        QSignalSpy connected(m_usb.get(), &ICsrUsbInterface::DeviceConnected);
        m_usb->StartDeviceDetection(Vid, {AppPid});
        QCOMPARE(connected.size(), listed ? 1 : 0);
        if (!listed) {
            QVERIFY(m_log->HasError(QStringLiteral("Unable to read configuration and other descriptors")));
            return;
        }
        ICsrDevice* device = m_usb->Devices().at(0);
        QCOMPARE(int(device->GetHciInterface()), hci);
        QCOMPARE(int(device->GetDfuInterface()), dfu);
        QCOMPARE(int(device->GetTransferSize()), transferSize);
        QCOMPARE(device->GetDfuAttributes(), attributes);
    }

    void dfuModeDevice()
    {
        ICsrDevice* boot = StartOne(TestSupport::DfuModeHeadsetProfile());
        QVERIFY(boot);
        QVERIFY(boot->IsOpen());
        QVERIFY(boot->IsDfuMode());
        QCOMPARE(int(boot->GetHciInterface()), 0xFF);
        QCOMPARE(int(boot->GetDfuInterface()), 0);
        QCOMPARE(boot->GetProductId(), DfuPid);
        QCOMPARE(boot->GetDeviceRelease(), quint16(0x0100));
        QCOMPARE(boot->GetTransferSize(), quint16(1023));
        QVERIFY(boot->GetDfuAttributes() & 0x01);
    }

    void logHexForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QByteArray thirty;
        QString thirtyText;
        for (int i = 0; i < 30; ++i) {
            thirty.append(static_cast<char>(0xA0 + i));
            thirtyText += QStringLiteral("%1 ").arg(0xA0 + i, 2, 16);
        }
        thirtyText.chop(1);
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("30 bytes") << thirty << thirtyText;
        QTest::newRow("31 bytes") << thirty + "\x01" << thirtyText + "...";
    }

    void logHexForm()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(CsrDevice::HexForm(bytes), text);
        if (bytes.size() < 6)
            return;
        // The same form in a real log line: a 6-byte setup header followed by the rest as data.
        ICsrDevice* device = StartOne();
        QVERIFY(device);
        const auto value = qFromLittleEndian<quint16>(bytes.constData() + 2);
        const auto index = qFromLittleEndian<quint16>(bytes.constData() + 4);
        device->ControlWriteTransfer(quint8(bytes.at(0)), quint8(bytes.at(1)), value, index, bytes.mid(6));
        const QStringList lines = m_log->LinesContaining(QStringLiteral("0x0a12/0x1f20 - "));
        QVERIFY(!lines.isEmpty());
        QVERIFY2(lines.last().endsWith(QStringLiteral(" - ") + text), qPrintable(lines.last()));
    }

    void controlTransfersAndTheirLogLines()
    {
        ICsrDevice* device = StartOne();
        QVERIFY(device);
        QByteArray data;
        QVERIFY(device->ControlReadTransfer(0xA1, DfuGetStatus, 0, device->GetDfuInterface(), 64, &data));
        QCOMPARE(data, QByteArray::fromHex("000000000000")); // shorter than asked
        QVERIFY(
            m_log->Contains(QStringLiteral("Control read from 0x0a12/0x1f20 - a1 03 00 00 02 00 00 00 00 00 00 00")));
        // DFU_DNLOAD is no run-time request: the device stalls it.
        QVERIFY(
            !device->ControlWriteTransfer(0x21, DfuDnload, 0, device->GetDfuInterface(), QByteArray("\x01\x02", 2)));
        QVERIFY(m_log->HasError(QStringLiteral("Control write failed to 0x0a12/0x1f20 - 21 01 00 00 02 00 01 02")));
        data = "unchanged";
        QVERIFY(!device->ControlReadTransfer(0xA1, 2, 0, device->GetDfuInterface(), 16, &data));
        QVERIFY(m_log->HasError(QStringLiteral("Control read failed for 0x0a12/0x1f20")));
        QCOMPARE(data, QByteArray("unchanged"));
        QVERIFY(device->IsOpen());
    }

    void resetThenEveryTransferFails_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("the headset re-enumerates") << false;
        QTest::newRow("the kernel keeps the headset in place") << true;
    }

    void resetThenEveryTransferFails()
    {
        QFETCH(bool, inPlace);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.resetInPlace = inPlace;
        ICsrDevice* device = StartOne(profile);
        QVERIFY(device);
        const quint64 generation = m_bus->Headset(0)->Generation();
        QSignalSpy disconnected(m_usb.get(), &ICsrUsbInterface::DeviceDisconnected);
        QVERIFY(device->Reset());
        QVERIFY(!device->IsOpen());
        m_log->Mark();
        QByteArray data;
        QVERIFY(!device->ControlReadTransfer(0xA1, DfuGetState, 0, 2, 1, &data));
        QVERIFY(!device->ControlWriteTransfer(0x21, DfuDetach, 1000, 2, QByteArray()));
        QVERIFY(!device->GetHciEvent(1000, &data));
        QVERIFY(!device->Reset());
        QCOMPARE(m_log->Lines(), QStringList());

        // The headset comes back as a new device, whether or not it left the bus; the old one leaves the
        // list.
        ICsrDevice* back = WaitForDevice(false);
        QVERIFY(back);
        QVERIFY(back != device);
        QCOMPARE(disconnected.size(), 1);
        QCOMPARE(disconnected.at(0).at(0).value<ICsrDevice*>(), device);
        QCOMPARE(m_usb->Devices(), QList<ICsrDevice*>{back});
        QCOMPARE(m_bus->Headset(0)->Generation() == generation, inPlace);
        QVERIFY(back->ControlReadTransfer(0xA1, DfuGetState, 0, back->GetDfuInterface(), 1, &data));
        QCOMPARE(data, QByteArray(1, '\0')); // appIDLE
    }

    void removalEndsAWaitingRequest_data()
    {
        QTest::addColumn<bool>("eventRead");
        QTest::newRow("an HCI event read") << true;
        QTest::newRow("a control transfer under way") << false;
    }

    void removalEndsAWaitingRequest()
    {
        QFETCH(bool, eventRead);
        ICsrDevice* device = StartOne();
        QVERIFY(device);
        Sim::SimHeadset* headset = m_bus->Headset(0);
        Sim::SimTiming slow;
        slow.latencyMs = 60000; // the control transfer stays under way until the cable is pulled
        if (!eventRead)
            headset->SetTiming(slow);
        const int begun = headset->ControlTransfersBegun();
        std::atomic<int> result{-1};
        std::thread requester([device, eventRead, &result] {
            QByteArray data;
            result =
                (eventRead ? device->GetHciEvent(20000, &data)
                           : device->ControlReadTransfer(0xA1, DfuGetState, 0, device->GetDfuInterface(), 1, &data))
                    ? 1
                    : 0;
        });
        const auto join = qScopeGuard([&] {
            headset->Unplug();
            requester.join();
        });
        QSignalSpy disconnected(m_usb.get(), &ICsrUsbInterface::DeviceDisconnected);
        if (eventRead)
            QTRY_COMPARE_WITH_TIMEOUT(m_transport->EventReadsWaiting(headset), 1, 5000);
        else
            QTRY_COMPARE_WITH_TIMEOUT(headset->ControlTransfersBegun(), begun + 1, 5000);
        QElapsedTimer clock;
        clock.start();
        headset->Unplug();
        QVERIFY(disconnected.wait(5000));
        QTRY_COMPARE_WITH_TIMEOUT(result.load(), 0, 5000);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(m_log->HasError(QStringLiteral("Control read failed for 0x0a12/0x1f20")), !eventRead);
        QVERIFY(!device->IsOpen());
    }

    void concurrentRequestsOnOneDevice()
    {
        ICsrDevice* device = StartOne();
        QVERIFY(device);
        constexpr int rounds = 50;
        std::atomic<int> bccmd{0};
        std::atomic<int> dfu{0};
        std::thread query([device, &bccmd] {
            for (int i = 1; i <= rounds; ++i) {
                QByteArray value;
                if (RawBcCmdGet(device, i, 0x2819, QByteArray(), &value) && value.startsWith(Le16(0x0100)))
                    ++bccmd;
            }
        });
        std::thread state([device, &dfu] {
            for (int i = 0; i < rounds; ++i) {
                QByteArray value;
                if (device->ControlReadTransfer(0xA1, DfuGetState, 0, device->GetDfuInterface(), 1, &value) &&
                    value == QByteArray(1, '\0'))
                    ++dfu;
            }
        });
        query.join();
        state.join();
        QCOMPARE(bccmd.load(), rounds);
        QCOMPARE(dfu.load(), rounds);
    }

    // A BCCMD read built here from the layout, after reads that timed out: those must not swallow the
    // answers that come later.
    void rawBcCmdAfterAbandonedReads()
    {
        ICsrDevice* device = StartOne();
        QVERIFY(device);
        QElapsedTimer clock;
        clock.start();
        QByteArray value;
        QVERIFY(!device->GetHciEvent(100, &value));
        QVERIFY2(clock.elapsed() >= 95 && clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        const QStringList lines = m_log->Lines();
        const int timeout =
            lines.indexOf(QRegularExpression(QStringLiteral(".*Error,.*Timeout waiting for USB transfer$")));
        QVERIFY(timeout >= 0);
        QVERIFY(
            lines.value(timeout + 1)
                .contains(QRegularExpression(QStringLiteral("Error,.*Block for HCI event failed for 0x0a12/0x1f20$"))));
        for (int i = 0; i < 2; ++i)
            QVERIFY(!device->GetHciEvent(20, &value));
        QVERIFY(RawPsKey(device, 0x02C3, &value));
        QString serial;
        for (int i = 0; i + 1 < value.size(); i += 2)
            serial += QChar(qFromLittleEndian<quint16>(value.constData() + i));
        QCOMPARE(serial, QStringLiteral("ZR3H00012345"));
        QVERIFY(
            m_log->Contains(QStringLiteral("Control write to 0x0a12/0x1f20 - 20 00 00 00 00 00 00 fc 13 c2 00 00")));
        QVERIFY(m_log->Contains(QStringLiteral("Got HCI event for 0x0a12/0x1f20 - ff 13 c2 01 00")));
        QVERIFY(device->IsOpen());
    }

    void rawDfuProgramsPackerImages_data()
    {
        QTest::addColumn<bool>("timed");
        QTest::newRow("instant") << false;
        QTest::newRow("with poll, manifest and re-enumeration times") << true;
    }

    void rawDfuProgramsPackerImages()
    {
        QFETCH(bool, timed);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        if (timed)
            profile.timing = Sim::SimTiming{1, 5, 30, 50, 0};
        ICsrDevice* device = StartOne(profile);
        QVERIFY(device);

        // Application mode: DFU_DETACH, then a USB reset brings up the boot loader as a new device.
        QVERIFY(device->ControlWriteTransfer(0x21, DfuDetach, 2000, device->GetDfuInterface(), QByteArray()));
        QVERIFY(device->Reset());
        device = WaitForDevice(true);
        QVERIFY(device);
        QCOMPARE(device->GetProductId(), DfuPid);

        const QList<QByteArray> files{TestSupport::PackerImage(0, QStringLiteral("01.01.00"), 3000),
                                      TestSupport::PackerImage(1, QStringLiteral("01.01.00"), 5000)};
        for (const QByteArray& file : files) {
            const int suffixLength = quint8(file.at(file.size() - 5));
            const QByteArray body = file.left(file.size() - suffixLength);
            const int blockSize = device->GetTransferSize();
            int block = 0;
            for (int offset = 0; offset < body.size(); offset += blockSize, ++block) {
                QVERIFY(device->ControlWriteTransfer(0x21, DfuDnload, block, 0, body.mid(offset, blockSize)));
                QVERIFY(PollUntil(device, StateDnloadIdle));
            }
            QVERIFY(device->ControlWriteTransfer(0x21, DfuDnload, block, 0, QByteArray()));
            QVERIFY(PollUntil(device, StateDfuIdle)); // manifestation tolerant: back to dfuIDLE
        }
        QVERIFY(device->Reset());
        device = WaitForDevice(false);
        QVERIFY(device);

        QByteArray buildId;
        QVERIFY(RawBcCmdGet(device, 1, 0x2819, QByteArray(), &buildId));
        QCOMPARE(NumericVersion(buildId.left(2)), QStringLiteral("01.01.00"));
        QByteArray vm;
        QVERIFY(RawPsKey(device, 0x0292, &vm));
        QCOMPARE(NumericVersion(vm), QStringLiteral("01.01.00"));
        const QList<Sim::ReceivedImage> received = m_bus->Headset(0)->ReceivedImages();
        QCOMPARE(received.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QByteArray body;
            QVERIFY(Sim::SplitDfuFile(files.at(i), &body, nullptr));
            QCOMPARE(received.at(i).body, body);
            QVERIFY(received.at(i).verified);
        }
    }
};

} // namespace

int RunCsrUsbConformance(TransportUnderTest* transport, int argc, char** argv)
{
    CsrUsbConformance conformance(transport);
    return QTest::qExec(&conformance, argc, argv);
}

#include "CsrUsbConformance.moc"
