#pragma once

#include "app/LazyInstance.h"
#include "usb/IUsbTransport.h"

#include <QMutex>
#include <QString>

#include <functional>
#include <map>
#include <memory>

namespace OrvoCommon {

class CsrUsbInterface;
class ICsrUsbInterface;

// Hands out the process-wide USB interface, made on first use (from the GUI thread) over the
// transport that Config.xml's UsbBackend names. Transports register by name; the simulator is built
// in, and so is libusb (the default). The factory owns the interface for the life of the process.
class CsrUsbInterfaceFactory
{
public:
    using TransportCreator = std::function<std::unique_ptr<IUsbTransport>()>;

    static CsrUsbInterfaceFactory* Instance();
    ~CsrUsbInterfaceFactory();

    void RegisterTransport(const QString& name, const TransportCreator& creator);
    // The named transport; an unknown or missing one is logged and gives a transport without devices.
    std::unique_ptr<IUsbTransport> CreateTransport(const QString& name);

    ICsrUsbInterface* CreateCsrUsbInterface();
    // The interface if it has been made, without making it.
    CsrUsbInterface* ExistingInterface();
    // Ends the interface before the application object goes (and between tests).
    void Destroy();

private:
    CsrUsbInterfaceFactory();

    QMutex m_mutex;
    std::map<QString, TransportCreator> m_creators;
    LazyInstance<CsrUsbInterface> m_interface;
};

// Shorthand for CsrUsbInterfaceFactory::Instance()->CreateCsrUsbInterface().
ICsrUsbInterface* GetCsrUsbInterface();

} // namespace OrvoCommon
