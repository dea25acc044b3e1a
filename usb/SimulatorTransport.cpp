#include "usb/SimulatorTransport.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "sim/SimBus.h"
#include "usb/WireWords.h"

#include <atomic>

namespace OrvoCommon {

namespace {

UsbTransferResult Translate(Sim::SimUsbResult result)
{
    switch (result) {
    case Sim::SimUsbResult::Ok:
        return UsbTransferResult::Ok;
    case Sim::SimUsbResult::Stall:
        return UsbTransferResult::Stall;
    case Sim::SimUsbResult::Timeout:
        return UsbTransferResult::Timeout;
    case Sim::SimUsbResult::NoDevice:
        return UsbTransferResult::NoDevice;
    case Sim::SimUsbResult::Error:
        break;
    }
    return UsbTransferResult::Error;
}

// One enumeration of a simulated headset; stale once the headset leaves or re-enumerates.
class SimulatorTransportDevice : public IUsbTransportDevice
{
public:
    SimulatorTransportDevice(SimulatorTransport* transport, std::shared_ptr<Sim::SimBus> bus, Sim::SimHeadset* headset,
                             quint64 generation)
        : m_transport(transport), m_bus(std::move(bus)), m_headset(headset), m_generation(generation)
    {
    }

    UsbTransferResult ReadDeviceDescriptor(QByteArray* descriptor) override
    {
        return Translate(m_headset->ReadDeviceDescriptor(m_generation, descriptor));
    }

    UsbTransferResult ReadConfigDescriptor(int bufferSize, QByteArray* descriptors) override
    {
        QByteArray all;
        const Sim::SimUsbResult result = m_headset->ReadConfigDescriptor(m_generation, &all);
        if (result != Sim::SimUsbResult::Ok)
            return Translate(result);
        if (all.size() > bufferSize)
            return UsbTransferResult::BufferTooSmall;
        *descriptors = all;
        return UsbTransferResult::Ok;
    }

    UsbTransferResult ControlTransfer(const QByteArray& setup, std::uint16_t readLength, const QByteArray& dataOut,
                                      QByteArray* dataIn) override
    {
        if (setup.size() != 6)
            return UsbTransferResult::Error;
        Sim::SimSetup packet;
        packet.requestType = static_cast<std::uint8_t>(setup.at(0));
        packet.request = static_cast<std::uint8_t>(setup.at(1));
        packet.value = WordAt(setup, 2);
        packet.index = WordAt(setup, 4);
        const bool isIn = (packet.requestType & 0x80) != 0;
        packet.length = isIn ? readLength : static_cast<std::uint16_t>(dataOut.size());
        QByteArray received;
        const Sim::SimUsbResult result =
            m_headset->ControlTransfer(m_generation, packet, isIn ? QByteArray() : dataOut, &received);
        if (result == Sim::SimUsbResult::Ok && dataIn)
            *dataIn = received;
        return Translate(result);
    }

    UsbTransferResult ReadHciEvent(int timeoutMs, QByteArray* event) override
    {
        return Translate(m_headset->ReadHciEvent(m_generation, timeoutMs, event, &m_interrupted));
    }

    UsbTransferResult Reset() override
    {
        const UsbTransferResult result = Translate(m_headset->Reset(m_generation));
        // A headset that stays on the bus through the reset (same enumeration) was reset in place.
        const QString path = m_headset->Path();
        if (result == UsbTransferResult::Ok && m_headset->IsConnected() && m_headset->Generation() == m_generation)
            m_transport->AnnounceResetInPlace(path);
        return result;
    }

    void Interrupt() override
    {
        m_interrupted = true;
        m_headset->WakeReaders();
    }

private:
    SimulatorTransport* m_transport;    // outlives its devices
    std::shared_ptr<Sim::SimBus> m_bus; // keeps the headset alive as long as the handle
    Sim::SimHeadset* m_headset;
    quint64 m_generation;
    std::atomic<bool> m_interrupted{false};
};

} // namespace

SimulatorTransport::SimulatorTransport(std::shared_ptr<Sim::SimBus> bus) : m_bus(std::move(bus))
{
    connect(m_bus.get(), &Sim::SimBus::DeviceArrived, this, &IUsbTransport::DeviceArrived);
    connect(m_bus.get(), &Sim::SimBus::DeviceRemoved, this, &IUsbTransport::DeviceRemoved);
}

SimulatorTransport::~SimulatorTransport() = default;

std::unique_ptr<SimulatorTransport> SimulatorTransport::FromProfile(const QString& path)
{
    auto bus = std::make_shared<Sim::SimBus>();
    QString error;
    if (!bus->LoadProfile(path, &error))
        GetLogger()->LogError(error);
    return std::make_unique<SimulatorTransport>(bus);
}

QStringList SimulatorTransport::PresentDevicePaths()
{
    return m_bus->PresentPaths();
}

std::unique_ptr<IUsbTransportDevice> SimulatorTransport::Open(const QString& path, QString* error)
{
    quint64 generation = 0;
    Sim::SimHeadset* headset = m_bus->Find(path, &generation);
    if (!headset) {
        if (error)
            *error = QStringLiteral("no simulated device at %1").arg(path);
        return nullptr;
    }
    return std::make_unique<SimulatorTransportDevice>(this, m_bus, headset, generation);
}

bool SimulatorTransport::PeekIds(const QString& path, std::uint16_t* vendorId, std::uint16_t* productId)
{
    quint64 generation = 0;
    Sim::SimHeadset* headset = m_bus->Find(path, &generation);
    QByteArray descriptor;
    if (!headset || headset->ReadDeviceDescriptor(generation, &descriptor) != Sim::SimUsbResult::Ok ||
        descriptor.size() < 12)
        return false;
    *vendorId = WordAt(descriptor, 8);
    *productId = WordAt(descriptor, 10);
    return true;
}

} // namespace OrvoCommon
