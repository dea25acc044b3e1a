#pragma once

#include "device/IPelarinUsbCommDriver.h"

namespace OrvoCommon {

class ICsrUsbInterface;
class ILogger;

// Filters the USB layer's devices (only those that can download are seen above it), keeps the list
// of busy devices and starts one worker thread per request. Lives on the GUI thread; the busy list is
// touched only there.
class PelarinUsbCommDriver : public IPelarinUsbCommDriver
{
    Q_OBJECT

public:
    // Throws OrvoException ("internal-error") when the logger or the USB interface is missing.
    PelarinUsbCommDriver();
    ~PelarinUsbCommDriver() override;

    void QueryInfoAsync(ICsrDevice* device) override;
    void QueryVersionsAsync(ICsrDevice* device) override;
    void ProgramAsync(ICsrDevice* device, const IIndexFile* indexFile, const FirmwareImageList& images, bool manualMode,
                      const DeviceRecord& record) override;
    void StartDeviceDetection(std::uint16_t vendorId, const QList<unsigned short>& productIds) override;
    bool ResetDevice(ICsrDevice* device) override;

    bool HasBusyDevices() const { return !m_busy.isEmpty(); }

private slots:
    void OnDeviceConnected(OrvoCommon::ICsrDevice* device);
    void OnDeviceDisconnected(OrvoCommon::ICsrDevice* device);
    void OnQueryInfoComplete(OrvoCommon::ICsrDevice* device, OrvoCommonPelarin::QueryInfo queryInfo, QString error);
    void OnQueryVersionsComplete(OrvoCommon::ICsrDevice* device, QList<QString> versions, QString error);
    void OnProgramProgress(OrvoCommon::ICsrDevice* device, short progress, bool verifying);
    void OnProgramComplete(OrvoCommon::ICsrDevice* device, QString error, QList<QString> versions);

private:
    // The refusal code for a query, or empty when the query may start.
    QString QueryRefusal(ICsrDevice* device) const;

    ILogger* m_logger;
    ICsrUsbInterface* m_usb;
    QList<ICsrDevice*> m_busy;
};

} // namespace OrvoCommon
