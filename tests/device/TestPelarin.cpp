// The device facade and the comm driver over the simulated headsets and the real USB layer: from
// plugged in to updated through IPelarin alone, the lock-in and signal rules, refusals and failed
// installs.
#include "app/ErrorCodes.h"
#include "device/DfuThread.h"
#include "device/IPelarin.h"
#include "device/IPelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/PsKeys.h"
#include "sim/SimHeadset.h"
#include "tests/support/FakeUsbTree.h"
#include "tests/support/ProgrammingFixtures.h"
#include "tests/support/SimFixtures.h"
#include "usb/CsrUsbInterface.h"
#include "usb/ICsrDevice.h"
#include "usb/linux/CsrDeviceInfo.h"
#include "usb/linux/MonitorFailedCsrInstallThread.h"

#include <QSignalSpy>
#include <QtTest>

using namespace OrvoCommon;
using DeviceTest::ImageCatalogue;
using DeviceTest::ReleaseImages;
using UpdatePelarin::IPelarin;

Q_DECLARE_METATYPE(OrvoCommon::ICsrUsbInterface::FailedInstallReason)

namespace {

constexpr int WaitMs = 20000;
const QString V100 = QStringLiteral("01.00.00");
const QString V102 = QStringLiteral("01.02.00");

QString CodeOf(const QList<QVariant>& signal)
{
    const ExceptionPtr exception = signal.value(0).value<ExceptionPtr>();
    return exception ? exception->GetErrorCode() : QString();
}

} // namespace

class TestPelarin : public DeviceTest::ProgrammingTestCase
{
    Q_OBJECT

private:
    IPelarin* Facade() const { return m_stack->Facade(); }

    void Start(const QList<ImageCatalogue::Image>& images = ReleaseImages(V102, V102)) { StartStack(images); }

    // Registers detection and waits until the facade has this many ready devices.
    bool WaitReady(int count)
    {
        Facade()->RegisterDeviceDetection(m_catalogue->Index());
        return QTest::qWaitFor([&] { return Facade()->IsReady() == count; }, WaitMs);
    }

    // One headset, ready; null when it did not become ready.
    Sim::SimHeadset* StartReady(const Sim::HeadsetProfile& profile = TestSupport::SampleHeadsetProfile(),
                                const QList<ImageCatalogue::Image>& images = ReleaseImages(V102, V102))
    {
        Start(images);
        Sim::SimHeadset* headset = m_stack->AddHeadset(profile);
        return WaitReady(1) ? headset : nullptr;
    }

private slots:
    void pluggedInToUpdatedThroughTheFacade()
    {
        Start();
        Sim::SimHeadset* headset = m_stack->AddHeadset(TestSupport::SampleHeadsetProfile());
        QSignalSpy connected(Facade(), &IPelarin::DeviceConnected);
        QSignalSpy ready(Facade(), &IPelarin::DeviceReady);
        QSignalSpy disconnected(Facade(), &IPelarin::DeviceDisconnected);
        QSignalSpy errors(Facade(), &IPelarin::DeviceError);
        QVERIFY(WaitReady(1));
        QCOMPARE(connected.size(), 1);
        QCOMPARE(ready.size(), 1);

        Facade()->LockInCurrentDevice();
        const ProductIdentity identity = Facade()->GetOrvoProductId();
        QCOMPARE(identity.productId, std::uint16_t(0x1F20));
        QCOMPARE(identity.hardwareRevision, QStringLiteral("01.00.00"));
        QCOMPARE(Facade()->GetReleaseVersion(), V100);
        QCOMPARE(Facade()->GetBluetoothDeviceName(), QStringLiteral("Orvo ZR3h"));
        const UpdatePelarin::WebPelarinInfo info = Facade()->GetDeviceInfo();
        QCOMPARE(info.deviceId, std::uint16_t(0x1F20));
        QCOMPARE(QStringList({info.hardwareVersion, info.deviceName, info.firmwareVersion, info.serialNumber,
                              info.bluetoothAddress}),
                 QStringList({"01.00.00", "Orvo ZR3h", V100, "ZR3H00012345", "00:02:5B:00:A1:B2"}));
        QCOMPARE(info.bluetoothPairingList.size(), 2);

        QSignalSpy progress(Facade(), &IPelarin::ProgramProgress);
        QSignalSpy done(Facade(), &IPelarin::ProgramFirmwareComplete);
        int connectedAtCompletion = -1;
        int disconnectedAtCompletion = -1;
        connect(Facade(), &IPelarin::ProgramFirmwareComplete, this, [&] {
            connectedAtCompletion = connected.size();
            disconnectedAtCompletion = disconnected.size();
        });
        Facade()->ProgramFirmwareAsync(m_catalogue->Files(), false);
        QVERIFY(done.wait(WaitMs));
        QVERIFY(DeviceTest::WaitForProgrammingThreads());
        QCOMPARE(done.size(), 1);
        QVERIFY(!done.first().at(0).value<ExceptionPtr>());
        QVERIFY(!progress.isEmpty());
        // The device left and came back twice on its way through DFU mode, and silently.
        QCOMPARE(connectedAtCompletion, 1);
        QCOMPARE(disconnectedAtCompletion, 0);
        QCOMPARE(errors.size(), 0);
        QCOMPARE(headset->ReceivedImages().size(), 2);

        const UpdatePelarin::WebVersionInfo versionInfo = Facade()->GetWebVersionInfo(m_catalogue->Files());
        QCOMPARE(versionInfo.deviceId, std::uint16_t(0x1F20));
        QCOMPARE(versionInfo.hardwareRevision, QStringLiteral("01.00.00"));
        QCOMPARE(versionInfo.serialNumber, QStringLiteral("ZR3H00012345"));
        QCOMPARE(versionInfo.subcomponents.value(0), qMakePair(V100, V102));
        QCOMPARE(versionInfo.subcomponents.value(1), qMakePair(V100, V102));

        // The cold reset that ends the run takes the locked-in headset off the bus; it comes back as a
        // new device, updated, and is reported once the lock is released.
        QVERIFY(QTest::qWaitFor([&] { return disconnected.size() == 1 && connected.size() == 2; }, WaitMs));
        Facade()->ReleaseCurrentDevice();
        QVERIFY(QTest::qWaitFor([&] { return Facade()->IsReady() == 1; }, WaitMs));
        QCOMPARE(Facade()->GetReleaseVersion(), V102);
        QCOMPARE(Facade()->GetDeviceInfo().firmwareVersion, V102);
    }

    // A headset an interrupted update left in its boot loader is ready, without versions, under its
    // boot loader's product id; a whole update brings it back into its application, confirmed.
    void headsetLeftInItsBootLoaderIsProgrammedBack()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.invalidFirmware = {0, 1};
        Sim::SimHeadset* headset = StartReady(profile);
        QVERIFY(headset);
        Facade()->LockInCurrentDevice();
        QCOMPARE(Facade()->GetOrvoProductId().productId, std::uint16_t(0x1F21));
        QCOMPARE(Facade()->GetReleaseVersion(), QString());

        QSignalSpy done(Facade(), &IPelarin::ProgramFirmwareComplete);
        QSignalSpy connected(Facade(), &IPelarin::DeviceConnected);
        QSignalSpy disconnected(Facade(), &IPelarin::DeviceDisconnected);
        Facade()->ProgramFirmwareAsync(m_catalogue->Files(), false);
        QVERIFY(done.wait(WaitMs));
        QCOMPARE(CodeOf(done.first()), QString());
        QCOMPARE(headset->ReceivedImages().size(), 2);
        QVERIFY(headset->FirmwareValid());
        QCOMPARE(headset->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({1}));

        // Read afresh once the cold reset that ends the run has taken it off the bus and back.
        QVERIFY(QTest::qWaitFor([&] { return disconnected.size() == 1 && connected.size() == 1; }, WaitMs));
        Facade()->ReleaseCurrentDevice();
        QVERIFY(QTest::qWaitFor([&] { return Facade()->IsReady() == 1; }, WaitMs));
        QCOMPARE(Facade()->GetOrvoProductId().productId, std::uint16_t(0x1F20));
        QCOMPARE(Facade()->GetReleaseVersion(), V102);
        QCOMPARE(headset->CurrentMode(), Sim::SimHeadset::Mode::Application);
    }

    void versionErrorStillMakesTheDeviceReady()
    {
        Start();
        PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()->SetHciCommFault(true);
        m_stack->AddHeadset(TestSupport::SampleHeadsetProfile());
        QSignalSpy errors(Facade(), &IPelarin::DeviceError);
        QVERIFY(WaitReady(1));
        QCOMPARE(errors.size(), 0);
        QCOMPARE(Facade()->GetReleaseVersion(), QString());
        QCOMPARE(Facade()->GetBluetoothDeviceName(), QString());
        QVERIFY(m_log->HasError(QStringLiteral("Error reading versions from device")));
    }

    void twoDevicesRefuseLockInAndProgramming()
    {
        Start();
        Sim::HeadsetProfile slow = TestSupport::SampleHeadsetProfile();
        slow.timing.latencyMs = 40;
        m_stack->AddHeadset(TestSupport::SampleHeadsetProfile());
        m_stack->AddHeadset(slow);
        QSignalSpy done(Facade(), &IPelarin::ProgramFirmwareComplete);
        Facade()->RegisterDeviceDetection(m_catalogue->Index());
        QCOMPARE(Facade()->ConnectedDeviceCount(), 2);
        // Nothing is ready yet: the queries have only just started.
        Facade()->ProgramFirmwareAsync(m_catalogue->Files(), false);
        QCOMPARE(done.size(), 1);
        QCOMPARE(CodeOf(done.takeFirst()), QString::fromLatin1(ErrorCodes::DeviceDisconnected));

        QVERIFY(QTest::qWaitFor([&] { return Facade()->IsReady() >= 1; }, WaitMs));
        Facade()->ProgramFirmwareAsync(m_catalogue->Files(), false);
        QCOMPARE(done.size(), 1);
        QCOMPARE(CodeOf(done.takeFirst()), QString::fromLatin1(ErrorCodes::MultipleDevices));
        QVERIFY(m_log->Contains(QStringLiteral("Multiple devices are connected for programming")));

        try {
            Facade()->LockInCurrentDevice();
            QFAIL("LockInCurrentDevice accepted two devices");
        } catch (const OrvoException& exception) {
            QCOMPARE(exception.GetErrorCode(), QString::fromLatin1(ErrorCodes::MultipleDevices));
        }
        QVERIFY(QTest::qWaitFor([&] { return Facade()->IsReady() == 2; }, WaitMs));
    }

    void queriesWithoutDevicesThrow_data()
    {
        QTest::addColumn<int>("query");
        QTest::addColumn<QString>("message");
        QTest::newRow("lock-in") << 0 << QStringLiteral("LockInCurrentDevice: No devices are connected");
        QTest::newRow("product id") << 1 << QStringLiteral("GetOrvoProductId: No devices are connected");
        QTest::newRow("release version") << 2 << QStringLiteral("GetReleaseVersion: No devices are ready");
        QTest::newRow("device name") << 3 << QStringLiteral("GetBluetoothDeviceName: No devices are ready");
    }

    void queriesWithoutDevicesThrow()
    {
        QFETCH(int, query);
        QFETCH(QString, message);
        Start();
        Facade()->RegisterDeviceDetection(m_catalogue->Index());
        try {
            if (query == 0)
                Facade()->LockInCurrentDevice();
            else if (query == 1)
                Facade()->GetOrvoProductId();
            else if (query == 2)
                Facade()->GetReleaseVersion();
            else
                Facade()->GetBluetoothDeviceName();
            QFAIL("no exception");
        } catch (const OrvoException& exception) {
            QCOMPARE(exception.GetErrorCode(), QString::fromLatin1(ErrorCodes::DeviceDisconnected));
            QCOMPARE(exception.GetMessage(), message);
        }
        QVERIFY(m_log->Contains(message));
        // Without a device the record carries only the index file's first product id.
        const UpdatePelarin::WebPelarinInfo info = Facade()->GetDeviceInfo();
        QCOMPARE(info.deviceId, std::uint16_t(0x1F20));
        QCOMPARE(info.serialNumber, QString());
    }

    void lockedInDeviceHidesTheOthers_data()
    {
        QTest::addColumn<bool>("lockIn");
        QTest::newRow("locked in: the other device is not reported") << true;
        QTest::newRow("nothing locked in: every device is reported") << false;
    }

    void lockedInDeviceHidesTheOthers()
    {
        QFETCH(bool, lockIn);
        QVERIFY(StartReady());
        if (lockIn)
            Facade()->LockInCurrentDevice();
        QSignalSpy connected(Facade(), &IPelarin::DeviceConnected);
        QSignalSpy disconnected(Facade(), &IPelarin::DeviceDisconnected);
        QSignalSpy errors(Facade(), &IPelarin::DeviceError);
        QSignalSpy ready(Facade(), &IPelarin::DeviceReady);

        // A second headset whose version query is still running when its cable is pulled: it never answers.
        Sim::HeadsetProfile silent = TestSupport::SampleHeadsetProfile();
        silent.faults.bcCmd = Sim::SimFaults::BcCmd::Silent;
        Sim::SimHeadset* second = m_stack->AddHeadset(silent);
        QVERIFY(connected.size() == 1 || connected.wait(WaitMs));
        second->Unplug();
        QVERIFY(QTest::qWaitFor([&] { return m_log->Contains(QStringLiteral("The version query failed")); }, WaitMs));
        QCOMPARE(Facade()->ConnectedDeviceCount(), 1);
        QCOMPARE(errors.size(), lockIn ? 0 : 1);
        if (!lockIn)
            QCOMPARE(CodeOf(errors.first()), QString::fromLatin1(ErrorCodes::DeviceDisconnected));
        QCOMPARE(disconnected.size(), lockIn ? 0 : 1);
        QCOMPARE(ready.size(), 0);
    }

    void lockedInDeviceThatLeavesBecomesTheGoneMarker()
    {
        Sim::SimHeadset* first = StartReady();
        QVERIFY(first);
        Facade()->LockInCurrentDevice();
        QSignalSpy disconnected(Facade(), &IPelarin::DeviceDisconnected);
        QSignalSpy ready(Facade(), &IPelarin::DeviceReady);
        first->Unplug();
        QVERIFY(disconnected.wait(WaitMs));
        // The gone marker matches no device: a newcomer becomes ready unannounced until released.
        m_stack->AddHeadset(TestSupport::SampleHeadsetProfile());
        QVERIFY(QTest::qWaitFor([&] { return Facade()->IsReady() == 1; }, WaitMs));
        QCOMPARE(ready.size(), 0);
        Facade()->ReleaseCurrentDevice();
        Facade()->LockInCurrentDevice();
        QCOMPARE(Facade()->GetOrvoProductId().productId, std::uint16_t(0x1F20));
    }

    void imagesMustCoverSubIds0And1_data()
    {
        QTest::addColumn<int>("missingSubId");
        QTest::addColumn<QString>("message");
        QTest::newRow("sub ID 1 only") << 0 << QStringLiteral("No sub ID 0 image was found");
        QTest::newRow("sub ID 0 only") << 1 << QStringLiteral("No sub ID 1 image was found");
    }

    void imagesMustCoverSubIds0And1()
    {
        QFETCH(int, missingSubId);
        QFETCH(QString, message);
        QList<ImageCatalogue::Image> images = ReleaseImages(V102, V102);
        images.removeAt(missingSubId);
        QVERIFY(StartReady(TestSupport::SampleHeadsetProfile(), images));
        QSignalSpy done(Facade(), &IPelarin::ProgramFirmwareComplete);
        Facade()->ProgramFirmwareAsync(m_catalogue->Files(), false);
        QCOMPARE(done.size(), 1);
        QCOMPARE(CodeOf(done.first()), QString::fromLatin1(ErrorCodes::IndexCorrupted));
        QCOMPARE(done.first().at(0).value<ExceptionPtr>()->GetMessage(), message);
        QCOMPARE(DfuThread::LiveCount(), 0);
    }

    void failedProgrammingReleasesADisconnectedLockedInDevice()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.unplugAfterBlocks = 2;
        QVERIFY(StartReady(profile));
        Facade()->LockInCurrentDevice();
        QSignalSpy done(Facade(), &IPelarin::ProgramFirmwareComplete);
        QSignalSpy disconnected(Facade(), &IPelarin::DeviceDisconnected);
        Facade()->ProgramFirmwareAsync(m_catalogue->Files(), false);
        QVERIFY(done.wait(WaitMs));
        QCOMPARE(CodeOf(done.first()), QString::fromLatin1(ErrorCodes::DeviceDisconnected));
        QVERIFY(m_log->Contains(QStringLiteral("Program firmware failed")));
        QCOMPARE(disconnected.size(), 0);
        QCOMPARE(Facade()->ConnectedDeviceCount(), 0);
        // The lock was released: a headset plugged in now is reported.
        QSignalSpy ready(Facade(), &IPelarin::DeviceReady);
        m_stack->AddHeadset(TestSupport::SampleHeadsetProfile());
        QVERIFY(ready.wait(WaitMs));
    }

    // The platform's monitor over a sysfs tree with two nodes whose install failed and two whose DFU
    // interface another driver holds.
    void failedInstallsAreSummarised()
    {
        TestSupport::FakeUsbTree tree;
        for (int node = 1; node <= 4; ++node) {
            const QString name = QStringLiteral("1-%1").arg(node);
            tree.AddDevice(name, "0a12", "1f21", node);
            if (node <= 2)
                tree.DenyDeviceFile(node);
            else
                tree.AddInterface(name, "1.0", "fe/01/02", "usbhid");
        }
        QStringList uninstalled;
        CsrUsbInterface::PlatformServices services;
        services.createMonitor = [&tree] {
            auto* monitor = new MonitorFailedCsrInstallThread(tree.Sys(), tree.Dev());
            monitor->SetPollIntervalMs(10);
            return monitor;
        };
        services.uninstallDevice = [&uninstalled](const QString& instance) {
            uninstalled.append(instance);
            return instance != QLatin1String("1-2");
        };
        CsrUsbInterface::SetPlatformServices(services);
        CsrDeviceInfo::SetRegisteredIds(0x0A12, {0x1F20, 0x1F21});
        Start();
        QSignalSpy reported(m_stack->Interface(), &ICsrUsbInterface::FailedInstall);
        QSignalSpy failed(Facade(), &IPelarin::FailedInstall);
        Facade()->StartFailedInstallMonitoring();
        // The facade has seen every report by the time this spy, connected after it, has.
        QTRY_COMPARE_WITH_TIMEOUT(reported.size(), 4, WaitMs);
        Facade()->StopFailedInstallMonitoring();
        QCOMPARE(failed.size(), 2);
        QCOMPARE(failed.at(0).at(0).value<ICsrUsbInterface::FailedInstallReason>(), ICsrUsbInterface::InstallFailed);
        QCOMPARE(failed.at(1).at(0).value<ICsrUsbInterface::FailedInstallReason>(), ICsrUsbInterface::WrongDriver);
        QVERIFY(m_log->HasError(QStringLiteral("Config error detected for device: 1-1")));
        QVERIFY(m_log->HasError(QStringLiteral("Wrong driver detected for device: 1-3")));
        QVERIFY(!m_log->Contains(QStringLiteral("device: 1-4")));
        // Every collected device is tried, in order; one failure makes the whole answer false.
        QVERIFY(!Facade()->UninstallFailedDevices());
        QCOMPARE(uninstalled, QStringList({"1-1", "1-2"}));
    }

    void commDriverRefusesBusyAndDfuModeDevices()
    {
        Start();
        m_stack->AddHeadset(TestSupport::SampleHeadsetProfile());
        ICsrDevice* device = m_stack->DetectWithDriver();
        QVERIFY(device);
        IPelarinUsbCommDriver* driver = m_stack->Driver();

        QSignalSpy versions(driver, &IPelarinUsbCommDriver::QueryVersionsComplete);
        driver->QueryVersionsAsync(device);
        driver->QueryVersionsAsync(device);
        // The refusal is emitted inside the call.
        QCOMPARE(versions.size(), 1);
        QCOMPARE(versions.first().at(2).toString(), QString::fromLatin1(ErrorCodes::DeviceBusy));
        QVERIFY(versions.first().at(1).value<QList<QString>>().isEmpty());
        QVERIFY(versions.wait(WaitMs));
        QCOMPARE(versions.at(1).at(2).toString(), QString());
        QCOMPARE(versions.at(1).at(1).value<QList<QString>>(), QList<QString>({V100, V100, V100}));
    }

    void dfuModeDeviceIsRefusedQueriesButProgrammed()
    {
        Start();
        Sim::SimHeadset* headset = m_stack->AddHeadset(TestSupport::DfuModeHeadsetProfile());
        ICsrDevice* device = m_stack->DetectWithDriver();
        QVERIFY(device);
        IPelarinUsbCommDriver* driver = m_stack->Driver();
        QSignalSpy info(driver, &IPelarinUsbCommDriver::QueryInfoComplete);
        driver->QueryInfoAsync(device);
        QCOMPARE(info.size(), 1);
        QCOMPARE(info.first().at(2).toString(), QString::fromLatin1(ErrorCodes::DeviceNotAppMode));

        QSignalSpy done(driver, &IPelarinUsbCommDriver::ProgramComplete);
        DeviceRecord record;
        record.versions = {V100, V100, V100};
        driver->ProgramAsync(device, m_catalogue->Index(), m_catalogue->Files(), false, record);
        // Busy while programming.
        driver->ProgramAsync(device, m_catalogue->Index(), m_catalogue->Files(), false, record);
        QCOMPARE(done.size(), 1);
        QCOMPARE(done.first().at(1).toString(), QString::fromLatin1(ErrorCodes::DeviceBusy));
        QCOMPARE(done.first().at(2).value<QList<QString>>(), record.versions);
        QVERIFY(done.wait(WaitMs));
        QCOMPARE(done.at(1).at(1).toString(), QString());
        QCOMPARE(headset->ReceivedImages().size(), 2);
    }

    void resetDeviceInBothModes_data()
    {
        QTest::addColumn<bool>("dfuMode");
        QTest::newRow("application mode: BCCMD cold reset") << false;
        QTest::newRow("DFU mode: USB reset") << true;
    }

    void resetDeviceInBothModes()
    {
        QFETCH(bool, dfuMode);
        Start();
        QVERIFY(!Facade()->ResetDevice());
        Sim::SimHeadset* headset =
            m_stack->AddHeadset(dfuMode ? TestSupport::DfuModeHeadsetProfile() : TestSupport::SampleHeadsetProfile());
        QVERIFY(WaitReady(1));
        QSignalSpy disconnected(Facade(), &IPelarin::DeviceDisconnected);
        QVERIFY(Facade()->ResetDevice());
        QCOMPARE(headset->ResetCount(), 1);
        // Either way the headset restarts into its application and is found again.
        QVERIFY(disconnected.wait(WaitMs));
        QVERIFY(QTest::qWaitFor([&] { return Facade()->IsReady() == 1; }, WaitMs));
        QCOMPARE(Facade()->GetOrvoProductId().productId, std::uint16_t(0x1F20));
    }

    void deviceThatCannotDownloadIsIgnored()
    {
        Start();
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.runtimeAttributes = 0x04;
        m_stack->AddHeadset(profile);
        QSignalSpy connected(Facade(), &IPelarin::DeviceConnected);
        QSignalSpy usbConnected(m_stack->Interface(), &ICsrUsbInterface::DeviceConnected);
        Facade()->RegisterDeviceDetection(m_catalogue->Index());
        QCOMPARE(usbConnected.size(), 1);
        QCOMPARE(connected.size(), 0);
        QCOMPARE(Facade()->ConnectedDeviceCount(), 0);
        QVERIFY(m_log->HasError(QStringLiteral("Detected device does not support download and will be ignored")));
        QVERIFY(m_log->Contains(QStringLiteral("Device 0x0a12/0x1f20 connected ")));
    }
};

QTEST_GUILESS_MAIN(TestPelarin)
#include "TestPelarin.moc"
