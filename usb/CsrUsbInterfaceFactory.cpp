#include "usb/CsrUsbInterfaceFactory.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "usb/CsrUsbInterface.h"
#include "usb/NullUsbTransport.h"
#include "usb/SimulatorTransport.h"

#include <QDir>
#include <QMutexLocker>

namespace OrvoCommon {

CsrUsbInterfaceFactory* CsrUsbInterfaceFactory::Instance()
{
    static CsrUsbInterfaceFactory factory;
    return &factory;
}

CsrUsbInterfaceFactory::CsrUsbInterfaceFactory()
{
    m_creators[QLatin1String(ConfigKeys::UsbBackendSimulator)] = [] {
        const QString profile = GetConfiguration()->GetString(QLatin1String(ConfigKeys::SimulatedHeadset),
                                                              QLatin1String(ConfigKeys::SimulatedHeadsetDefault));
        return std::unique_ptr<IUsbTransport>(
            SimulatorTransport::FromProfile(QDir(ProgramDirectory()).absoluteFilePath(profile)));
    };
}

CsrUsbInterfaceFactory::~CsrUsbInterfaceFactory() = default;

void CsrUsbInterfaceFactory::RegisterTransport(const QString& name, const TransportCreator& creator)
{
    QMutexLocker lock(&m_mutex);
    m_creators[name] = creator;
}

std::unique_ptr<IUsbTransport> CsrUsbInterfaceFactory::CreateTransport(const QString& name)
{
    TransportCreator creator;
    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_creators.find(name);
        if (found != m_creators.end())
            creator = found->second;
    }
    std::unique_ptr<IUsbTransport> transport = creator ? creator() : nullptr;
    if (!transport) {
        GetLogger()->LogError(QStringLiteral("USB backend %1 is not available; no devices will be found").arg(name));
        transport = std::make_unique<NullUsbTransport>();
    }
    return transport;
}

ICsrUsbInterface* CsrUsbInterfaceFactory::CreateCsrUsbInterface()
{
    // Made under the holder's mutex, transport included: a second caller must get the same interface.
    return m_interface.Get([this] {
        const QString backend = GetConfiguration()->GetString(QLatin1String(ConfigKeys::UsbBackend),
                                                              QLatin1String(ConfigKeys::UsbBackendLibusb));
        return std::make_unique<CsrUsbInterface>(CreateTransport(backend));
    });
}

CsrUsbInterface* CsrUsbInterfaceFactory::ExistingInterface()
{
    return m_interface.Existing();
}

void CsrUsbInterfaceFactory::Destroy()
{
    m_interface.Reset();
}

ICsrUsbInterface* GetCsrUsbInterface()
{
    return CsrUsbInterfaceFactory::Instance()->CreateCsrUsbInterface();
}

} // namespace OrvoCommon
