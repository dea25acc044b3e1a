#include "tests/support/ProgrammingFixtures.h"

#include "app/ConfigKeys.h"
#include "device/DeviceEngine.h"
#include "device/DfuThread.h"
#include "device/IPelarinUsbCommDriver.h"
#include "device/PelarinFactory.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/PelarinUsbIds.h"
#include "firmware/FirmwareProcessingTest.h"
#include "sim/SimBus.h"
#include "tests/support/SimFixtures.h"
#include "usb/CsrUsbInterface.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/SimulatorTransport.h"

#include <QtTest>

namespace DeviceTest {

using namespace OrvoCommon;

SimulatedStack::SimulatedStack() : m_bus(std::make_shared<Sim::SimBus>())
{
    DeviceEngine::ShutDown();
    std::shared_ptr<Sim::SimBus> bus = m_bus;
    CsrUsbInterfaceFactory::Instance()->RegisterTransport(QLatin1String(ConfigKeys::UsbBackendSimulator),
                                                          [bus] { return std::make_unique<SimulatorTransport>(bus); });
}

SimulatedStack::~SimulatedStack()
{
    QVERIFY(DeviceEngine::ShutDown());
}

Sim::SimHeadset* SimulatedStack::AddHeadset(const Sim::HeadsetProfile& profile)
{
    return m_bus->AddHeadset(profile);
}

IPelarinUsbCommDriver* SimulatedStack::Driver() const
{
    return PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver();
}

UpdatePelarin::IPelarin* SimulatedStack::Facade() const
{
    return UpdatePelarin::PelarinFactory::CreatePelarin();
}

ICsrUsbInterface* SimulatedStack::Interface() const
{
    return GetCsrUsbInterface();
}

ICsrDevice* SimulatedStack::DetectWithDriver() const
{
    IPelarinUsbCommDriver* driver = Driver();
    QSignalSpy connected(driver, &IPelarinUsbCommDriver::DeviceConnected);
    driver->StartDeviceDetection(UpdatePelarin::OrvoUsbVendorId, {0x1F20, 0x1F21});
    if (connected.isEmpty() && !connected.wait(5000))
        return nullptr;
    return connected.first().at(0).value<ICsrDevice*>();
}

void ProgrammingTestCase::StartStack(const QList<ImageCatalogue::Image>& images, const QString& config)
{
    m_bundle->WriteConfig(config);
    m_stack = std::make_unique<SimulatedStack>();
    m_catalogue = std::make_unique<ImageCatalogue>(m_bundle->Path(), images);
    QVERIFY(m_catalogue->IsValid());
    m_log->Mark();
}

void ProgrammingTestCase::cleanup()
{
    m_stack.reset();
    m_catalogue.reset();
    DeviceTestCase::cleanup();
    UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetColdResetAfterUpdate(true);
    FirmwareProcessingTest::Instance()->SetFirmwareImageCorruption(false);
    DfuThread::SetFailsafeSecondForTest(1000);
    DfuThread::SetColdResetTimeoutForTest(5000);
    CsrUsbInterface::SetPlatformServices({});
}

bool WaitForProgrammingThreads(int timeoutMs)
{
    return QTest::qWaitFor([] { return DfuThread::LiveCount() == 0; }, timeoutMs);
}

QList<ImageCatalogue::Image> ReleaseImages(const QString& stackVersion, const QString& vmVersion, int payloadSize)
{
    ImageCatalogue::Image stack;
    stack.fileName = QStringLiteral("stack.dfu");
    stack.subId = 0;
    stack.version = stackVersion;
    stack.content = TestSupport::PackerImage(0, stackVersion, payloadSize);
    ImageCatalogue::Image vm = stack;
    vm.fileName = QStringLiteral("vm.dfu");
    vm.subId = 1;
    vm.version = vmVersion;
    vm.content = TestSupport::PackerImage(1, vmVersion, payloadSize);
    return {stack, vm};
}

} // namespace DeviceTest
