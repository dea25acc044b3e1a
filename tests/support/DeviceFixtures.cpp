#include "tests/support/DeviceFixtures.h"

#include "app/ConfigKeys.h"
#include "device/DfuFileSuffix.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/ReleaseVersionKey.h"
#include "firmware/Crc32.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/IndexFile.h"
#include "sim/SimBus.h"
#include "sim/SimHeadset.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/ICsrUsbInterface.h"
#include "usb/SimulatorTransport.h"
#include "usb/WireWords.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace DeviceTest {

using namespace OrvoCommon;

namespace {

constexpr std::uint16_t VendorId = 0x0A12;
constexpr std::uint16_t AppProductId = 0x1F20;
constexpr std::uint16_t DfuProductId = 0x1F21;

QString SimulatorConfig(const QString& body)
{
    return QStringLiteral("<%1>%2</%1><NoCacheConfig/>")
               .arg(QLatin1String(ConfigKeys::UsbBackend), QLatin1String(ConfigKeys::UsbBackendSimulator)) +
           body;
}

} // namespace

SimulatorBundle::SimulatorBundle(const QString& configBody) : m_bundle(SimulatorConfig(configBody))
{
    qputenv("TESSARY_APP_DIR", QFile::encodeName(m_bundle.Path()));
}

SimulatorBundle::~SimulatorBundle()
{
    qunsetenv("TESSARY_APP_DIR");
}

void SimulatorBundle::WriteConfig(const QString& configBody)
{
    m_bundle.WriteConfig(SimulatorConfig(configBody));
}

SimulatedDevice::SimulatedDevice(const Sim::HeadsetProfile& profile) : m_bus(std::make_shared<Sim::SimBus>())
{
    m_headset = m_bus->AddHeadset(profile);
    std::shared_ptr<Sim::SimBus> bus = m_bus;
    CsrUsbInterfaceFactory* factory = CsrUsbInterfaceFactory::Instance();
    factory->Destroy();
    factory->RegisterTransport(QLatin1String(ConfigKeys::UsbBackendSimulator),
                               [bus] { return std::make_unique<SimulatorTransport>(bus); });
    ICsrUsbInterface* usb = factory->CreateCsrUsbInterface();
    QSignalSpy connected(usb, &ICsrUsbInterface::DeviceConnected);
    usb->StartDeviceDetection(VendorId, {AppProductId, DfuProductId});
    if (connected.isEmpty())
        connected.wait(5000);
    if (!connected.isEmpty())
        m_device = connected.last().at(0).value<ICsrDevice*>();
}

SimulatedDevice::~SimulatedDevice()
{
    CsrUsbInterfaceFactory::Instance()->Destroy();
}

ICsrUsbInterface* SimulatedDevice::Interface() const
{
    return GetCsrUsbInterface();
}

ICsrDevice* SimulatedDevice::WaitForArrival(int timeoutMs)
{
    QSignalSpy connected(Interface(), &ICsrUsbInterface::DeviceConnected);
    if (!connected.wait(timeoutMs))
        return nullptr;
    m_device = connected.last().at(0).value<ICsrDevice*>();
    return m_device;
}

void DeviceTestCase::init()
{
    m_log = std::make_unique<TestSupport::LogCapture>();
    m_bundle = std::make_unique<SimulatorBundle>();
}

void DeviceTestCase::cleanup()
{
    m_sim.reset();
    m_bundle.reset();
    m_log.reset();
    ReleaseVersionKey::ReloadForTest();
    UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetHciCommFault(false);
    UpdatePelarin::PelarinUsbCommDriverTest::Instance()->SetDfuCommFault(false);
}

void DeviceTestCase::Start(const Sim::HeadsetProfile& profile, const QString& config)
{
    m_bundle->WriteConfig(config);
    ReleaseVersionKey::ReloadForTest();
    m_sim = std::make_unique<SimulatedDevice>(profile);
    QVERIFY(Device());
    m_log->Mark();
}

ImageCatalogue::ImageCatalogue(const QString& folder, const QList<Image>& images, bool withSibling) : m_images(images)
{
    LinkLinuxSystemInfoReader();
    QString imageXml;
    for (const Image& image : images) {
        TestSupport::WriteFile(QDir(folder).filePath(image.fileName), image.content);
        imageXml += QStringLiteral("<IMAGE SUBID=\"%1\" FILENAME=\"%2\" LENGTH=\"%3\" CRC=\"%4\" REVISION=\"%5\"%6/>")
                        .arg(image.subId)
                        .arg(image.fileName)
                        .arg(image.content.size())
                        .arg(Crc32::Of(image.content))
                        .arg(image.version, image.forced ? QString() : QStringLiteral(" NOFORCE=\"1\""));
    }
    const QString release =
        QStringLiteral("<HARDWARE REVISION=\"01.00.00\"><RELEASE REVISION=\"01.02.00\">%1</RELEASE></HARDWARE>")
            .arg(imageXml);
    QString devices = QStringLiteral("<DEVICE ID=\"0x1F20\" PRODUCTNAME=\"Orvo ZR3h\">%1</DEVICE>").arg(release);
    if (withSibling)
        devices += QStringLiteral("<DEVICE ID=\"0x1F21\" PRODUCTNAME=\"Orvo ZR3h\">%1</DEVICE>").arg(release);
    const QString indexPath = QDir(folder).filePath(QStringLiteral("index-under-test.xml"));
    TestSupport::WriteFile(
        indexPath,
        (QStringLiteral("<?xml version=\"1.0\"?>\n<INDEX>") + devices + QStringLiteral("</INDEX>\n")).toUtf8());
    m_index = IndexFile::Create(indexPath);
    ProductIdentity identity;
    identity.productId = AppProductId;
    identity.hardwareRevision = QStringLiteral("01.00.00");
    for (const IFirmwareImageDescriptor* descriptor :
         m_index->GetImageDescriptors(QStringLiteral("01.02.00"), identity))
        m_files.push_back(FirmwareImageFile::Create(descriptor));
}

ImageCatalogue::~ImageCatalogue() = default;

FirmwareImageList ImageCatalogue::Files() const
{
    FirmwareImageList list;
    for (const auto& file : m_files)
        list.append(file.get());
    return list;
}

QByteArray DfuFile(const QByteArray& body, std::uint16_t vendorId, std::uint16_t productId, int suffixLength)
{
    QByteArray file = body;
    file.append(suffixLength - 16, '\x5A');
    AppendWord(&file, 0x0100); // bcdDevice
    AppendWord(&file, productId);
    AppendWord(&file, vendorId);
    AppendWord(&file, 0x0100); // bcdDFU
    file.append("UFD");
    file.append(static_cast<char>(suffixLength));
    const std::uint32_t crc = DfuFileSuffix::Crc(file);
    AppendWord(&file, static_cast<std::uint16_t>(crc & 0xFFFF));
    AppendWord(&file, static_cast<std::uint16_t>(crc >> 16));
    return file;
}

} // namespace DeviceTest
