#pragma once

#include "sim/HeadsetProfile.h"
#include "usb/IUsbTransport.h"

#include <QObject>

#include <functional>
#include <memory>

namespace Sim {
class SimBus;
}
namespace OrvoCommon {
class CsrUsbInterface;
class ICsrDevice;
} // namespace OrvoCommon
namespace TestSupport {
class LogCapture;
}

// Makes a transport that reaches the headsets of a simulated bus: the in-process transport, or a
// real USB stack in front of the same model. The bus is fully populated when it is called.
using TransportFactory =
    std::function<std::unique_ptr<OrvoCommon::IUsbTransport>(const std::shared_ptr<Sim::SimBus>& bus)>;

// The interface and device logic checked against the simulated headset through a transport; every
// transport runs the same cases.
class CsrUsbConformance : public QObject
{
    Q_OBJECT

public:
    explicit CsrUsbConformance(TransportFactory factory);
    ~CsrUsbConformance() override;

private slots:
    void init();
    void cleanup();

    void enumerationAndHotPlugOrder();
    void duplicateArrivalInAnotherCaseAddsNothing();
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
    void resetThenEveryTransferFails();
    void removalEndsWaitingHciRead();
    void concurrentRequestsOnOneDevice();
    void rawBcCmdReadsSerialNumber();
    void rawDfuProgramsPackerImages_data();
    void rawDfuProgramsPackerImages();

private:
    void Start(const QList<Sim::HeadsetProfile>& profiles);
    OrvoCommon::ICsrDevice* WaitForDevice(bool dfuMode);

    TransportFactory m_factory;
    std::shared_ptr<Sim::SimBus> m_bus;
    std::unique_ptr<OrvoCommon::CsrUsbInterface> m_usb;
    std::unique_ptr<TestSupport::LogCapture> m_log;
};
