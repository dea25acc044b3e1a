#pragma once

#include "app/OrvoException.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/ProductIdentity.h"
#include "usb/ICsrUsbInterface.h"
#include "web/WebPelarinInfo.h"
#include "web/WebVersionInfo.h"

#include <QObject>
#include <QString>

namespace OrvoCommon {
class IIndexFile;
}

namespace UpdatePelarin {

// The headset as the wizard and the scripts see it: devices connect, become ready once their versions
// and information are read, one can be locked in, the ready one is programmed. Lives on the GUI
// thread; handed out by PelarinFactory, which owns it. Failures in signals are shared exception
// copies (null on success); the getters throw OrvoException.
class IPelarin : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IPelarin() override = default;

    // The index file is not owned and must outlive the facade's use of it.
    virtual void RegisterDeviceDetection(const OrvoCommon::IIndexFile* indexFile) = 0;
    virtual int ConnectedDeviceCount() = 0;
    // The number of ready devices.
    virtual int IsReady() = 0;
    virtual void ProgramFirmwareAsync(const OrvoCommon::FirmwareImageList& images, bool manualMode) = 0;
    virtual QString GetBluetoothDeviceName() = 0;
    virtual OrvoCommon::ProductIdentity GetOrvoProductId() = 0;
    virtual QString GetReleaseVersion() = 0;
    virtual WebPelarinInfo GetDeviceInfo() = 0;
    virtual void LockInCurrentDevice() = 0;
    virtual void ReleaseCurrentDevice() = 0;
    virtual bool ResetDevice() = 0;
    virtual void StartFailedInstallMonitoring() = 0;
    virtual void StopFailedInstallMonitoring() = 0;
    virtual bool UninstallFailedDevices() = 0;
    virtual WebVersionInfo GetWebVersionInfo(const OrvoCommon::FirmwareImageList& images) = 0;

signals:
    void DeviceConnected();
    void DeviceReady();
    void DeviceDisconnected();
    void DeviceError(OrvoCommon::ExceptionPtr exception);
    void ProgramProgress(short progress, bool verifying);
    void ProgramFirmwareComplete(OrvoCommon::ExceptionPtr exception);
    void FailedInstall(OrvoCommon::ICsrUsbInterface::FailedInstallReason reason);
};

} // namespace UpdatePelarin
