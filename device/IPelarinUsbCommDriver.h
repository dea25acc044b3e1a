#pragma once

#include "device/DeviceRecord.h"
#include "device/QueryInfo.h"
#include "firmware/FirmwareImageList.h"
#include "usb/ICsrDevice.h"

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>

namespace OrvoCommon {

class IIndexFile;

// Runs every long operation on a device (information query, version query, programming) on a worker
// thread of its own, never two at once for one device, and hands the results back as signals on the
// GUI thread. Refusals ("device-busy", "device-not-app-mode") are emitted inside the call. Handed out
// by PelarinUsbCommDriverFactory, which owns it.
class IPelarinUsbCommDriver : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~IPelarinUsbCommDriver() override = default;

    virtual void QueryInfoAsync(OrvoCommon::ICsrDevice* device) = 0;
    virtual void QueryVersionsAsync(OrvoCommon::ICsrDevice* device) = 0;
    // The record's versions are the device's versions as read before programming.
    virtual void ProgramAsync(OrvoCommon::ICsrDevice* device, const OrvoCommon::IIndexFile* indexFile,
                              const OrvoCommon::FirmwareImageList& images, bool manualMode,
                              const OrvoCommon::DeviceRecord& record) = 0;
    virtual void StartDeviceDetection(std::uint16_t vendorId, const QList<unsigned short>& productIds) = 0;
    virtual bool ResetDevice(OrvoCommon::ICsrDevice* device) = 0;

signals:
    void DeviceConnected(OrvoCommon::ICsrDevice* device);
    void DeviceDisconnected(OrvoCommon::ICsrDevice* device);
    void QueryInfoComplete(OrvoCommon::ICsrDevice* device, OrvoCommonPelarin::QueryInfo queryInfo, QString error);
    void QueryVersionsComplete(OrvoCommon::ICsrDevice* device, QList<QString> versions, QString error);
    void ProgramProgress(OrvoCommon::ICsrDevice* device, short progress, bool verifying);
    void ProgramComplete(OrvoCommon::ICsrDevice* device, QString error, QList<QString> versions);
};

} // namespace OrvoCommon
