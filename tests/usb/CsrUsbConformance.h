#pragma once

#include "sim/HeadsetProfile.h"
#include "usb/IUsbTransport.h"

#include <QString>

#include <memory>

namespace Sim {
class SimBus;
class SimHeadset;
} // namespace Sim

// How the cases reach the simulated headsets through one transport: the in-process transport, or a
// real USB stack in front of the same model.
class TransportUnderTest
{
public:
    virtual ~TransportUnderTest() = default;
    // A transport for the headsets of a bus that is fully populated when it is called.
    virtual std::unique_ptr<OrvoCommon::IUsbTransport> Create(const std::shared_ptr<Sim::SimBus>& bus) = 0;
    // The device path the transport reports for the headset as it is enumerated now.
    virtual QString PathOf(Sim::SimHeadset* headset) = 0;
    // Raw notices as a USB stack sometimes delivers them: the arrival of a present device once more
    // (in another letter case where paths have one), and the removal of a device nobody saw.
    virtual void RepeatArrival(Sim::SimHeadset* headset) = 0;
    virtual void AnnounceUnknownRemoval() = 0;
    // HCI event reads that wait at the headset now, as far as the transport has brought them.
    virtual int EventReadsWaiting(Sim::SimHeadset* headset) = 0;
};

// Runs the interface and device cases against the simulated headset through the transport; the
// number of failed cases.
int RunCsrUsbConformance(TransportUnderTest* transport, int argc, char** argv);
