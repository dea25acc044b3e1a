#pragma once

#include "device/DeviceRecord.h"
#include "device/IPelarin.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace OrvoCommon {
class ICsrDevice;
class ILogger;
class IPelarinUsbCommDriver;
} // namespace OrvoCommon

namespace UpdatePelarin {

// The device facade over the comm driver: a record per connected device, the connected and ready
// lists, the lock-in, programming with the silent adoption of the device as it comes back from each
// reset, and the failed-install summary.
class Pelarin : public IPelarin
{
    Q_OBJECT

public:
    // Throws OrvoException ("internal-error") when the logger, the comm driver or the USB interface
    // is missing.
    Pelarin();
    ~Pelarin() override;

    void RegisterDeviceDetection(const OrvoCommon::IIndexFile* indexFile) override;
    int ConnectedDeviceCount() override;
    int IsReady() override;
    void ProgramFirmwareAsync(const OrvoCommon::FirmwareImageList& images, bool manualMode) override;
    QString GetBluetoothDeviceName() override;
    OrvoCommon::ProductIdentity GetOrvoProductId() override;
    QString GetReleaseVersion() override;
    WebPelarinInfo GetDeviceInfo() override;
    void LockInCurrentDevice() override;
    void ReleaseCurrentDevice() override;
    bool ResetDevice() override;
    void StartFailedInstallMonitoring() override;
    void StopFailedInstallMonitoring() override;
    bool UninstallFailedDevices() override;
    WebVersionInfo GetWebVersionInfo(const OrvoCommon::FirmwareImageList& images) override;

private slots:
    void OnDeviceConnected(OrvoCommon::ICsrDevice* device);
    void OnDeviceDisconnected(OrvoCommon::ICsrDevice* device);
    void OnProgramComplete(OrvoCommon::ICsrDevice* device, QString error, QList<QString> versions);
    void OnProgramProgress(OrvoCommon::ICsrDevice* device, short progress, bool verifying);
    void OnQueryVersionsComplete(OrvoCommon::ICsrDevice* device, QList<QString> version, QString error);
    void OnQueryInfoComplete(OrvoCommon::ICsrDevice* device, OrvoCommonPelarin::QueryInfo queryInfo, QString error);
    void OnFailedInstall(QString instance, OrvoCommon::ICsrUsbInterface::FailedInstallReason reason);

private:
    // Logged at exception level, then handed out for a signal.
    OrvoCommon::ExceptionPtr LoggedException(const QString& code, const QString& message);
    [[noreturn]] void Throw(const char* code, const QString& message);
    // No device is locked in, or this one is.
    bool MaySignalFor(OrvoCommon::ICsrDevice* device) const;
    bool IsLockedIn(OrvoCommon::ICsrDevice* device) const { return !m_lockedInGone && m_lockedIn == device; }

    OrvoCommon::ILogger* m_logger;
    OrvoCommon::IPelarinUsbCommDriver* m_driver = nullptr;
    OrvoCommon::ICsrUsbInterface* m_usb = nullptr;
    const OrvoCommon::IIndexFile* m_indexFile = nullptr;
    QList<OrvoCommon::ICsrDevice*> m_connected;
    QList<OrvoCommon::ICsrDevice*> m_ready;
    QHash<OrvoCommon::ICsrDevice*, OrvoCommon::DeviceRecord> m_records;
    OrvoCommon::DeviceRecord m_currentRecord;
    OrvoCommon::ICsrDevice* m_programmingDevice = nullptr;
    bool m_expectReconnect = false;
    // Null with the gone flag clear: nothing locked in. The gone flag: the locked device left, and
    // the lock matches no device until it is released.
    OrvoCommon::ICsrDevice* m_lockedIn = nullptr;
    bool m_lockedInGone = false;
    bool m_registered = false;
    QStringList m_failedInstalls;
    bool m_wrongDriver = false;
};

} // namespace UpdatePelarin
