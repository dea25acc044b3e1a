// The USB interface and device logic over the in-process simulator transport.
#include "sim/SimBus.h"
#include "tests/usb/CsrUsbConformance.h"
#include "usb/SimulatorTransport.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

class SimulatorUnderTest : public TransportUnderTest
{
public:
    std::unique_ptr<OrvoCommon::IUsbTransport> Create(const std::shared_ptr<Sim::SimBus>& bus) override
    {
        m_bus = bus;
        return std::make_unique<OrvoCommon::SimulatorTransport>(bus);
    }
    QString PathOf(Sim::SimHeadset* headset) override { return headset->Path(); }
    void RepeatArrival(Sim::SimHeadset* headset) override
    {
        const QString path = headset->Path();
        QVERIFY(path != path.toLower());
        m_bus->AnnounceArrival(path.toLower());
    }
    void AnnounceUnknownRemoval() override { m_bus->AnnounceRemoval(QStringLiteral("sim:usb#vid_0a12&pid_1f20#99&1")); }
    int EventReadsWaiting(Sim::SimHeadset* headset) override { return headset->EventReadsWaiting(); }

private:
    std::shared_ptr<Sim::SimBus> m_bus;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimulatorUnderTest transport;
    return RunCsrUsbConformance(&transport, argc, argv);
}
