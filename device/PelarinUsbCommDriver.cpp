#include "device/PelarinUsbCommDriver.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "device/CsrBcCmdProtocol.h"
#include "device/DeviceText.h"
#include "device/DfuConstants.h"
#include "device/DfuThread.h"
#include "device/QueryInfoThread.h"
#include "device/QueryVersionThread.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/ICsrUsbInterface.h"

namespace OrvoCommon {

using OrvoCommonPelarin::QueryInfo;
using OrvoCommonPelarin::QueryInfoThread;

PelarinUsbCommDriver::PelarinUsbCommDriver() : m_logger(RequireLogger()), m_usb(nullptr)
{
    RegisterDeviceMetaTypes();
    m_usb = GetCsrUsbInterface();
    if (!m_usb) {
        const OrvoException exception(QLatin1String(ErrorCodes::InternalError),
                                      QStringLiteral("Unable to create CSR USB interface"));
        m_logger->LogException(exception);
        throw exception;
    }
}

PelarinUsbCommDriver::~PelarinUsbCommDriver() = default;

void PelarinUsbCommDriver::StartDeviceDetection(std::uint16_t vendorId, const QList<unsigned short>& productIds)
{
    connect(m_usb, &ICsrUsbInterface::DeviceConnected, this, &PelarinUsbCommDriver::OnDeviceConnected,
            Qt::UniqueConnection);
    connect(m_usb, &ICsrUsbInterface::DeviceDisconnected, this, &PelarinUsbCommDriver::OnDeviceDisconnected,
            Qt::UniqueConnection);
    m_usb->StartDeviceDetection(vendorId, productIds);
}

void PelarinUsbCommDriver::OnDeviceConnected(ICsrDevice* device)
{
    m_logger->LogInformation(QStringLiteral("Device %1 connected ").arg(DeviceIdsText(device)));
    if (!(device->GetDfuAttributes() & Dfu::AttributeCanDownload)) {
        m_logger->LogError(QStringLiteral("Detected device does not support download and will be ignored"));
        return;
    }
    emit DeviceConnected(device);
}

void PelarinUsbCommDriver::OnDeviceDisconnected(ICsrDevice* device)
{
    m_logger->LogInformation(QStringLiteral("Device %1 disconnected ").arg(DeviceIdsText(device)));
    emit DeviceDisconnected(device);
}

QString PelarinUsbCommDriver::QueryRefusal(ICsrDevice* device) const
{
    if (m_busy.contains(device))
        return QLatin1String(ErrorCodes::DeviceBusy);
    if (device->IsDfuMode())
        return QLatin1String(ErrorCodes::DeviceNotAppMode);
    return QString();
}

void PelarinUsbCommDriver::QueryInfoAsync(ICsrDevice* device)
{
    const QString refusal = QueryRefusal(device);
    if (!refusal.isEmpty()) {
        emit QueryInfoComplete(device, QueryInfo(), refusal);
        return;
    }
    QueryInfoThread* thread = nullptr;
    try {
        thread = new QueryInfoThread(device);
    } catch (const OrvoException& exception) {
        emit QueryInfoComplete(device, QueryInfo(), exception.GetErrorCode());
        return;
    }
    m_busy.append(device);
    connect(thread, &QueryInfoThread::QueryInfoComplete, this, &PelarinUsbCommDriver::OnQueryInfoComplete);
    thread->start();
}

void PelarinUsbCommDriver::QueryVersionsAsync(ICsrDevice* device)
{
    const QString refusal = QueryRefusal(device);
    if (!refusal.isEmpty()) {
        emit QueryVersionsComplete(device, QList<QString>(), refusal);
        return;
    }
    QueryVersionThread* thread = nullptr;
    try {
        thread = new QueryVersionThread(device);
    } catch (const OrvoException& exception) {
        emit QueryVersionsComplete(device, QList<QString>(), exception.GetErrorCode());
        return;
    }
    m_busy.append(device);
    connect(thread, &QueryVersionThread::QueryVersionsComplete, this, &PelarinUsbCommDriver::OnQueryVersionsComplete);
    thread->start();
}

void PelarinUsbCommDriver::ProgramAsync(ICsrDevice* device, const IIndexFile* indexFile,
                                        const FirmwareImageList& images, bool manualMode, const DeviceRecord& record)
{
    if (m_busy.contains(device)) {
        emit ProgramComplete(device, QLatin1String(ErrorCodes::DeviceBusy), record.versions);
        return;
    }
    DfuThread* thread = nullptr;
    try {
        thread = new DfuThread(device, indexFile, images, manualMode, record.versions);
    } catch (const OrvoException& exception) {
        emit ProgramComplete(device, exception.GetErrorCode(), record.versions);
        return;
    }
    m_busy.append(device);
    connect(thread, &DfuThread::ProgramProgress, this, &PelarinUsbCommDriver::OnProgramProgress);
    // The run ends on the device object it last talked to, which after a reset is not the one that
    // was marked busy here.
    connect(thread, &DfuThread::ProgramComplete, this,
            [this, device](ICsrDevice* last, const QString& error, const QList<QString>& versions) {
                m_busy.removeAll(device);
                OnProgramComplete(last, error, versions);
            });
    thread->start();
}

void PelarinUsbCommDriver::OnQueryInfoComplete(ICsrDevice* device, QueryInfo queryInfo, QString error)
{
    m_busy.removeAll(device);
    emit QueryInfoComplete(device, queryInfo, error);
}

void PelarinUsbCommDriver::OnQueryVersionsComplete(ICsrDevice* device, QList<QString> versions, QString error)
{
    m_busy.removeAll(device);
    emit QueryVersionsComplete(device, versions, error);
}

void PelarinUsbCommDriver::OnProgramProgress(ICsrDevice* device, short progress, bool verifying)
{
    emit ProgramProgress(device, progress, verifying);
}

void PelarinUsbCommDriver::OnProgramComplete(ICsrDevice* device, QString error, QList<QString> versions)
{
    m_busy.removeAll(device);
    emit ProgramComplete(device, error, versions);
}

bool PelarinUsbCommDriver::ResetDevice(ICsrDevice* device)
{
    if (device->IsDfuMode())
        return device->Reset();
    CsrBcCmdProtocol protocol;
    protocol.ColdReset(device);
    return true;
}

} // namespace OrvoCommon
