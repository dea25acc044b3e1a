#include "script/LightScriptSupport.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessingTest.h"
#include "web/WebInterfaceTest.h"

namespace UpdatePelarin {

LightScriptSupport::LightScriptSupport(QObject* parent)
    : QObject(parent), m_logger(OrvoCommon::GetLogger()),
      m_deviceSwitches(OrvoCommon::PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()),
      m_firmwareSwitches(OrvoCommon::FirmwareProcessingFactory::CreateFirmwareProcessingTest()),
      m_webSwitches(OrvoCommon::WebInterfaceTestFactory::CreateWebInterfaceTest())
{
}

void LightScriptSupport::EnablePelarinDfuUsbCommFault()
{
    SetDfuCommFault(true);
}

void LightScriptSupport::DisablePelarinDfuUsbCommFault()
{
    SetDfuCommFault(false);
}

void LightScriptSupport::EnablePelarinHciUsbCommFault()
{
    SetHciCommFault(true);
}

void LightScriptSupport::DisablePelarinHciUsbCommFault()
{
    SetHciCommFault(false);
}

void LightScriptSupport::EnableFirmwareImageCorruption()
{
    SetFirmwareImageCorruption(true);
}

void LightScriptSupport::DisableFirmwareImageCorruption()
{
    SetFirmwareImageCorruption(false);
}

void LightScriptSupport::EnableWebServerCommFault()
{
    SetWebServerCommFault(true);
}

void LightScriptSupport::DisableWebServerCommFault()
{
    SetWebServerCommFault(false);
}

void LightScriptSupport::EnableWebDownloadCorruption()
{
    SetWebDownloadCorruption(true);
}

void LightScriptSupport::DisableWebDownloadCorruption()
{
    SetWebDownloadCorruption(false);
}

void LightScriptSupport::EnableColdResetAfterUpdate()
{
    SetColdResetAfterUpdate(true);
}

void LightScriptSupport::DisableColdResetAfterUpdate()
{
    SetColdResetAfterUpdate(false);
}

void LightScriptSupport::FaultSwitched(const QString&, bool) {}

void LightScriptSupport::SetDfuCommFault(bool on)
{
    FaultSwitched(QStringLiteral("PelarinDfuUsbCommFault"), on);
    m_deviceSwitches->SetDfuCommFault(on);
}

void LightScriptSupport::SetHciCommFault(bool on)
{
    FaultSwitched(QStringLiteral("PelarinHciUsbCommFault"), on);
    m_deviceSwitches->SetHciCommFault(on);
}

void LightScriptSupport::SetColdResetAfterUpdate(bool on)
{
    FaultSwitched(QStringLiteral("ColdResetAfterUpdate"), on);
    m_deviceSwitches->SetColdResetAfterUpdate(on);
}

void LightScriptSupport::SetFirmwareImageCorruption(bool on)
{
    FaultSwitched(QStringLiteral("FirmwareImageCorruption"), on);
    m_firmwareSwitches->SetFirmwareImageCorruption(on);
}

void LightScriptSupport::SetWebServerCommFault(bool on)
{
    FaultSwitched(QStringLiteral("WebServerCommFault"), on);
    m_webSwitches->SetWebServerCommFault(on);
}

void LightScriptSupport::SetWebDownloadCorruption(bool on)
{
    FaultSwitched(QStringLiteral("WebDownloadCorruption"), on);
    m_webSwitches->SetWebDownloadCorruption(on);
}

void LightScriptSupport::RaiseError(const QString& message)
{
    Raise(QScriptContext::UnknownError, message);
}

void LightScriptSupport::RaiseRangeError(const QString& message)
{
    Raise(QScriptContext::RangeError, message);
}

void LightScriptSupport::Raise(QScriptContext::Error kind, const QString& message)
{
    if (QScriptContext* scriptContext = context())
        scriptContext->throwError(kind, message);
    else if (m_logger)
        m_logger->LogError(message);
}

} // namespace UpdatePelarin
