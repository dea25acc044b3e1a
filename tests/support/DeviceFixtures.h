#pragma once

#include "firmware/FirmwareImageList.h"
#include "firmware/IFirmwareImageFile.h"
#include "firmware/IIndexFile.h"
#include "sim/HeadsetProfile.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace OrvoCommon {
class ICsrDevice;
class ICsrUsbInterface;
} // namespace OrvoCommon

namespace Sim {
class SimBus;
class SimHeadset;
} // namespace Sim

namespace DeviceTest {

// A temporary program folder whose Config.xml selects the simulator backend (reloaded on every read,
// so a test may rewrite it), with TESSARY_APP_DIR pointing at it for as long as the object lives.
class SimulatorBundle
{
public:
    explicit SimulatorBundle(const QString& configBody = QString());
    ~SimulatorBundle();
    void WriteConfig(const QString& configBody);
    QString Path() const { return m_bundle.Path(); }

private:
    TestSupport::TemporaryBundle m_bundle;
};

// One simulated headset on a fresh bus, reached through the process's real USB interface (the one
// the query threads connect to), already announced and open.
class SimulatedDevice
{
public:
    explicit SimulatedDevice(const Sim::HeadsetProfile& profile);
    ~SimulatedDevice();

    OrvoCommon::ICsrDevice* Device() const { return m_device; }
    Sim::SimHeadset* Headset() const { return m_headset; }
    Sim::SimBus* Bus() const { return m_bus.get(); }
    OrvoCommon::ICsrUsbInterface* Interface() const;
    // Waits for the headset's next arrival (after a reset) and makes it the device.
    OrvoCommon::ICsrDevice* WaitForArrival(int timeoutMs = 5000);

private:
    std::shared_ptr<Sim::SimBus> m_bus;
    Sim::SimHeadset* m_headset = nullptr;
    OrvoCommon::ICsrDevice* m_device = nullptr;
};

// The base of the device tests: each case gets a fresh log capture and simulator bundle, and Start
// plugs in one simulated headset. Cleanup ends them and sets the device layer's test switches back.
class DeviceTestCase : public QObject
{
    Q_OBJECT

protected:
    // Writes Config.xml's body, plugs in the headset and marks the log once it is open.
    void Start(const Sim::HeadsetProfile& profile, const QString& config = QString());
    OrvoCommon::ICsrDevice* Device() const { return m_sim->Device(); }

    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<SimulatorBundle> m_bundle;
    std::unique_ptr<SimulatedDevice> m_sim;

protected slots:
    void init();
    void cleanup();
};

// Image files on disk in the program folder, described by a real index file, opened as the
// programming thread gets them.
class ImageCatalogue
{
public:
    struct Image
    {
        QString fileName;
        std::uint16_t subId = 0;
        QString version;
        QByteArray content;
        // Off writes NOFORCE="1": manual mode then programs the image only when its version differs.
        bool forced = true;
    };

    // Writes the files into folder and an index file listing them for product 0x1F20 (and 0x1F21
    // under the same product name when withSibling is set).
    ImageCatalogue(const QString& folder, const QList<Image>& images, bool withSibling = true);
    ~ImageCatalogue();

    bool IsValid() const { return m_index && static_cast<int>(m_files.size()) == m_images.size(); }
    const OrvoCommon::IIndexFile* Index() const { return m_index.get(); }
    OrvoCommon::FirmwareImageList Files() const;
    OrvoCommon::IFirmwareImageFile* File(int i) const { return m_files.at(static_cast<std::size_t>(i)).get(); }

private:
    QList<Image> m_images;
    std::unique_ptr<OrvoCommon::IIndexFile> m_index;
    std::vector<std::unique_ptr<OrvoCommon::IFirmwareImageFile>> m_files;
};

// A file with a DFU suffix: body, then bcdDevice, idProduct, idVendor, bcdDFU, "UFD", bLength and the
// CRC of everything before it. suffixLength above 16 puts extra bytes in front of the 16.
QByteArray DfuFile(const QByteArray& body, std::uint16_t vendorId, std::uint16_t productId, int suffixLength = 16);

} // namespace DeviceTest
