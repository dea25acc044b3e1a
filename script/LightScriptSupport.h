#pragma once

#include <QObject>
#include <QScriptContext>
#include <QScriptable>
#include <QString>

namespace OrvoCommon {
class IFirmwareProcessingTest;
class ILogger;
class IWebInterfaceTest;
} // namespace OrvoCommon

namespace UpdatePelarin {

class IPelarinUsbCommDriverTest;

// What a light script sees as "script": the fault switches of the device, firmware and web layers.
// Its public slots are the script's API. Switches are process-wide and stay as a script leaves them.
class LightScriptSupport : public QObject, public QScriptable
{
    Q_OBJECT

public:
    explicit LightScriptSupport(QObject* parent = nullptr);
    ~LightScriptSupport() override = default;

public slots:
    void EnablePelarinDfuUsbCommFault();
    void DisablePelarinDfuUsbCommFault();
    void EnablePelarinHciUsbCommFault();
    void DisablePelarinHciUsbCommFault();
    void EnableFirmwareImageCorruption();
    void DisableFirmwareImageCorruption();
    void EnableWebServerCommFault();
    void DisableWebServerCommFault();
    void EnableWebDownloadCorruption();
    void DisableWebDownloadCorruption();
    void EnableColdResetAfterUpdate();
    void DisableColdResetAfterUpdate();

protected:
    // Called before a switch changes; the full script records it.
    virtual void FaultSwitched(const QString& name, bool on);
    // The error is thrown in the script when the calling slot returns; the slot itself runs on.
    // Called from C++ rather than from a script, it is only logged.
    void RaiseError(const QString& message);
    void RaiseRangeError(const QString& message);

    OrvoCommon::ILogger* Logger() const { return m_logger; }

private:
    void Raise(QScriptContext::Error kind, const QString& message);
    void SetDfuCommFault(bool on);
    void SetHciCommFault(bool on);
    void SetColdResetAfterUpdate(bool on);
    void SetFirmwareImageCorruption(bool on);
    void SetWebServerCommFault(bool on);
    void SetWebDownloadCorruption(bool on);

    OrvoCommon::ILogger* m_logger;
    IPelarinUsbCommDriverTest* m_deviceSwitches;
    OrvoCommon::IFirmwareProcessingTest* m_firmwareSwitches;
    OrvoCommon::IWebInterfaceTest* m_webSwitches;
};

} // namespace UpdatePelarin
