#pragma once

#include "sim/HeadsetProfile.h"
#include "usb/IUsbTransport.h"

#include <QObject>

#include <memory>

namespace Sim {
class SimBus;
class SimHeadset;
} // namespace Sim
namespace OrvoCommon {
class CsrUsbInterface;
class ICsrDevice;
} // namespace OrvoCommon
namespace TestSupport {
class LogCapture;
}

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

// The interface and device logic checked against the simulated headset through a transport; every
// transport runs the same cases.
class CsrUsbConformance : public QObject
{
    Q_OBJECT

public:
    explicit CsrUsbConformance(TransportUnderTest* transport);
    ~CsrUsbConformance() override;

private slots:
    void init();
    void cleanup();

    void enumerationAndHotPlugOrder();
    void repeatedArrivalAddsNothing();
    void removalOfUnknownPathEmitsNothing();
    void unregisteredIdsAreNotListed();
    void descriptorWalk_data();
    void descriptorWalk();
    void dfuModeDevice();
    void hciEventTimeoutLogsBothLines();
    void controlReadShorterThanAsked();
    void logHexForm_data();
    void logHexForm();
    void failedTransfersLogErrors();
    void resetThenEveryTransferFails_data();
    void resetThenEveryTransferFails();
    void removalEndsWaitingHciRead();
    void concurrentRequestsOnOneDevice();
    void timedOutReadLosesNoEvent();
    void unplugDuringControlTransfer();
    void rawBcCmdReadsSerialNumber();
    void rawDfuProgramsPackerImages_data();
    void rawDfuProgramsPackerImages();

private:
    void Start(const QList<Sim::HeadsetProfile>& profiles);
    OrvoCommon::ICsrDevice* WaitForDevice(bool dfuMode);

    TransportUnderTest* m_transport;
    std::shared_ptr<Sim::SimBus> m_bus;
    std::unique_ptr<OrvoCommon::CsrUsbInterface> m_usb;
    std::unique_ptr<TestSupport::LogCapture> m_log;
};
