// The USB interface and device logic over the in-process simulator transport.
#include "tests/usb/CsrUsbConformance.h"
#include "usb/SimulatorTransport.h"

#include <QCoreApplication>
#include <QtTest>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CsrUsbConformance conformance([](const std::shared_ptr<Sim::SimBus>& bus) {
        return std::unique_ptr<OrvoCommon::IUsbTransport>(std::make_unique<OrvoCommon::SimulatorTransport>(bus));
    });
    return QTest::qExec(&conformance, argc, argv);
}
