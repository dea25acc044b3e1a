#pragma once

#include "tests/support/DeviceFixtures.h"

#include <QList>
#include <QString>

#include <memory>

namespace OrvoCommon {
class ICsrDevice;
class IPelarinUsbCommDriver;
} // namespace OrvoCommon

namespace UpdatePelarin {
class IPelarin;
}

namespace DeviceTest {

// The whole device stack made anew over a fresh bus of simulated headsets: the process's real USB
// interface, comm driver and facade. Ending it waits for every programming thread to finish first.
class SimulatedStack
{
public:
    SimulatedStack();
    ~SimulatedStack();

    Sim::SimBus* Bus() const { return m_bus.get(); }
    // Announced at once when detection runs (or has run); a plug delay in the profile postpones it.
    Sim::SimHeadset* AddHeadset(const Sim::HeadsetProfile& profile);
    OrvoCommon::IPelarinUsbCommDriver* Driver() const;
    UpdatePelarin::IPelarin* Facade() const;
    OrvoCommon::ICsrUsbInterface* Interface() const;
    // Starts the comm driver's detection and gives the first headset it announces (null after 5 s).
    OrvoCommon::ICsrDevice* DetectWithDriver() const;

private:
    std::shared_ptr<Sim::SimBus> m_bus;
};

// The base of the programming tests: a device test case whose StartStack makes the whole stack anew and
// writes the release's image files with their index into the bundle. Cleanup ends the stack first.
class ProgrammingTestCase : public DeviceTestCase
{
    Q_OBJECT

protected:
    void StartStack(const QList<ImageCatalogue::Image>& images, const QString& config = QString());

    std::unique_ptr<ImageCatalogue> m_catalogue;
    std::unique_ptr<SimulatedStack> m_stack;

protected slots:
    void cleanup();
};

// True once every programming thread has ended and deleted itself.
bool WaitForProgrammingThreads(int timeoutMs = 20000);

// The sample release: a stack image (sub ID 0) and a VM application image (sub ID 1) of the given
// versions, as packer images for the sample headset.
QList<ImageCatalogue::Image> ReleaseImages(const QString& stackVersion, const QString& vmVersion,
                                           int payloadSize = 3000);

} // namespace DeviceTest
