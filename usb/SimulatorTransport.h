#pragma once

#include "usb/IUsbTransport.h"

#include <memory>

namespace Sim {
class SimBus;
}

namespace OrvoCommon {

// The in-process transport (UsbBackend "simulator"): the simulated headsets' bus sits directly under
// CsrUsbInterface. The bus is shared so that tests and the demo can plug, unplug and inspect the
// headsets while the interface talks to them.
class SimulatorTransport : public IUsbTransport
{
    Q_OBJECT

public:
    explicit SimulatorTransport(std::shared_ptr<Sim::SimBus> bus);
    ~SimulatorTransport() override;

    // A transport over the headsets of a profile file; a file that cannot be loaded is logged as an
    // error naming the file and the problem, and leaves the bus empty.
    static std::unique_ptr<SimulatorTransport> FromProfile(const QString& path);

    const std::shared_ptr<Sim::SimBus>& Bus() const { return m_bus; }

    QStringList PresentDevicePaths() override;
    bool PeekIds(const QString& path, std::uint16_t* vendorId, std::uint16_t* productId) override;
    std::unique_ptr<IUsbTransportDevice> Open(const QString& path, QString* error) override;

private:
    std::shared_ptr<Sim::SimBus> m_bus;
};

} // namespace OrvoCommon
