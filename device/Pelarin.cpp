#include "device/Pelarin.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/DeviceText.h"
#include "device/IPelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbIds.h"
#include "device/QueryInfo.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IIndexFile.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/ICsrDevice.h"

namespace UpdatePelarin {

using namespace OrvoCommon;
using OrvoCommonPelarin::QueryInfo;

namespace {

bool HasSubId(const FirmwareImageList& images, std::uint16_t subId)
{
    return FindImageBySubId(images, subId) != nullptr;
}

} // namespace

Pelarin::Pelarin() : m_logger(RequireLogger())
{
    m_driver = PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver();
    if (!m_driver)
        Throw(ErrorCodes::InternalError, QStringLiteral("Unable to create Pelarin USB comm driver"));
    m_usb = GetCsrUsbInterface();
    if (!m_usb)
        Throw(ErrorCodes::InternalError, QStringLiteral("Unable to create USB interface"));
    RegisterDeviceMetaTypes();
    RegisterCommonMetaTypes();

    connect(m_driver, &IPelarinUsbCommDriver::ProgramComplete, this, &Pelarin::OnProgramComplete);
    connect(m_driver, &IPelarinUsbCommDriver::ProgramProgress, this, &Pelarin::OnProgramProgress);
    connect(m_driver, &IPelarinUsbCommDriver::DeviceConnected, this, &Pelarin::OnDeviceConnected);
    connect(m_driver, &IPelarinUsbCommDriver::DeviceDisconnected, this, &Pelarin::OnDeviceDisconnected);
    connect(m_driver, &IPelarinUsbCommDriver::QueryVersionsComplete, this, &Pelarin::OnQueryVersionsComplete);
    connect(m_driver, &IPelarinUsbCommDriver::QueryInfoComplete, this, &Pelarin::OnQueryInfoComplete);
    connect(m_usb, &ICsrUsbInterface::FailedInstall, this, &Pelarin::OnFailedInstall);
}

Pelarin::~Pelarin() = default;

ExceptionPtr Pelarin::LoggedException(const QString& code, const QString& message)
{
    ExceptionPtr exception = MakeExceptionPtr(code, message);
    m_logger->LogException(*exception);
    return exception;
}

void Pelarin::Throw(const char* code, const QString& message)
{
    const OrvoException exception(QLatin1String(code), message);
    m_logger->LogException(exception);
    throw exception;
}

bool Pelarin::MaySignalFor(ICsrDevice* device) const
{
    return (!m_lockedIn && !m_lockedInGone) || IsLockedIn(device);
}

void Pelarin::RegisterDeviceDetection(const IIndexFile* indexFile)
{
    if (m_registered)
        return;
    if (!indexFile)
        Throw(ErrorCodes::InternalError, QStringLiteral("RegisterDeviceDetection: pIndexFile is NULL"));
    m_indexFile = indexFile;
    QList<unsigned short> productIds;
    for (const std::uint16_t productId : indexFile->GetProductIds())
        productIds.append(productId);
    m_driver->StartDeviceDetection(OrvoUsbVendorId, productIds);
    m_registered = true;
}

int Pelarin::ConnectedDeviceCount()
{
    return m_connected.size();
}

int Pelarin::IsReady()
{
    return m_ready.size();
}

void Pelarin::OnDeviceConnected(ICsrDevice* device)
{
    std::uint16_t alternate = 0;
    const std::uint16_t currentProductId = m_currentRecord.identity.productId;
    if (!m_indexFile || !m_indexFile->GetSiblingProductId(currentProductId, &alternate))
        alternate = 0;
    const std::uint16_t productId = device->GetProductId();
    if (m_expectReconnect && (productId == currentProductId || (alternate != 0 && productId == alternate))) {
        // The device being programmed, back from a reset as a new device object.
        m_connected.append(device);
        m_ready.append(device);
        m_records.insert(device, m_currentRecord);
        // The lock follows the device, or it would stay on a closed object and hide the headset's
        // later readiness and disconnection from the wizard.
        if (m_lockedIn == m_programmingDevice && !m_lockedInGone)
            m_lockedIn = device;
        m_programmingDevice = device;
        m_expectReconnect = false;
        return;
    }

    DeviceRecord record;
    record.identity.productId = productId;
    record.identity.hardwareRevision = HardwareRevisionText(device->GetDeviceRelease());
    record.identity.personality = 0;
    m_records.insert(device, record);
    m_connected.append(device);
    emit DeviceConnected();
    m_driver->QueryVersionsAsync(device);
}

void Pelarin::OnQueryVersionsComplete(ICsrDevice* device, QList<QString> versions, QString error)
{
    if (error.isEmpty() || error == QLatin1String(ErrorCodes::DeviceNotAppMode) ||
        error == QLatin1String(ErrorCodes::GetVersionError)) {
        if (error == QLatin1String(ErrorCodes::GetVersionError))
            m_logger->LogError(QStringLiteral("Error reading versions from device"));
        auto record = m_records.find(device);
        if (!versions.isEmpty() && record != m_records.end())
            record->versions = versions;
        m_driver->QueryInfoAsync(device);
        return;
    }
    const ExceptionPtr exception = LoggedException(error, QStringLiteral("The version query failed"));
    if (MaySignalFor(device))
        emit DeviceError(exception);
}

void Pelarin::OnQueryInfoComplete(ICsrDevice* device, QueryInfo queryInfo, QString error)
{
    const bool connected = m_connected.contains(device);
    const bool qualifies = connected && (error.isEmpty() || error == QLatin1String(ErrorCodes::PtsDataError) ||
                                         error == QLatin1String(ErrorCodes::DeviceNotAppMode));
    if (error.isEmpty()) {
        auto record = m_records.find(device);
        if (record != m_records.end())
            record->info = queryInfo;
    }
    const bool maySignal = MaySignalFor(device) && connected && !m_ready.contains(device);
    if (qualifies) {
        m_ready.append(device);
        if (maySignal)
            emit DeviceReady();
        return;
    }
    const ExceptionPtr exception = LoggedException(error, QStringLiteral("Query PTS data failed"));
    if (maySignal)
        emit DeviceError(exception);
}

void Pelarin::OnDeviceDisconnected(ICsrDevice* device)
{
    const bool programming = device == m_programmingDevice;
    if (programming)
        m_expectReconnect = true;
    const bool wasConnected = m_connected.removeAll(device) > 0;
    m_ready.removeAll(device);
    m_records.remove(device);

    bool wasLockedIn = false;
    if (IsLockedIn(device)) {
        if (programming)
            return;
        m_lockedIn = nullptr;
        m_lockedInGone = true;
        wasLockedIn = true;
    }
    const bool noneLockedIn = !m_lockedIn && !m_lockedInGone;
    if (!programming && wasConnected && (noneLockedIn || wasLockedIn))
        emit DeviceDisconnected();
}

void Pelarin::LockInCurrentDevice()
{
    if (m_connected.isEmpty())
        Throw(ErrorCodes::DeviceDisconnected, QStringLiteral("LockInCurrentDevice: No devices are connected"));
    if (m_connected.size() > 1)
        Throw(ErrorCodes::MultipleDevices, QStringLiteral("LockInCurrentDevice: More than one device is connected"));
    m_lockedIn = m_connected.first();
    m_lockedInGone = false;
}

void Pelarin::ReleaseCurrentDevice()
{
    m_lockedIn = nullptr;
    m_lockedInGone = false;
}

ProductIdentity Pelarin::GetOrvoProductId()
{
    if (m_connected.isEmpty())
        Throw(ErrorCodes::DeviceDisconnected, QStringLiteral("GetOrvoProductId: No devices are connected"));
    return m_records.value(m_connected.first()).identity;
}

QString Pelarin::GetReleaseVersion()
{
    if (m_ready.isEmpty())
        Throw(ErrorCodes::DeviceDisconnected, QStringLiteral("GetReleaseVersion: No devices are ready"));
    return m_records.value(m_ready.first()).versions.value(0);
}

QString Pelarin::GetBluetoothDeviceName()
{
    if (m_ready.isEmpty())
        Throw(ErrorCodes::DeviceDisconnected, QStringLiteral("GetBluetoothDeviceName: No devices are ready"));
    return m_records.value(m_ready.first()).info.deviceName;
}

void Pelarin::ProgramFirmwareAsync(const FirmwareImageList& images, bool manualMode)
{
    ExceptionPtr refusal;
    if (m_ready.isEmpty())
        refusal = LoggedException(QLatin1String(ErrorCodes::DeviceDisconnected), QStringLiteral("No device is ready"));
    else if (m_connected.size() > 1)
        refusal = LoggedException(QLatin1String(ErrorCodes::MultipleDevices),
                                  QStringLiteral("Multiple devices are connected for programming"));
    else if (!HasSubId(images, 0))
        refusal =
            LoggedException(QLatin1String(ErrorCodes::IndexCorrupted), QStringLiteral("No sub ID 0 image was found"));
    else if (!HasSubId(images, 1))
        refusal =
            LoggedException(QLatin1String(ErrorCodes::IndexCorrupted), QStringLiteral("No sub ID 1 image was found"));
    if (refusal) {
        emit ProgramFirmwareComplete(refusal);
        return;
    }
    m_programmingDevice = m_ready.first();
    m_currentRecord = m_records.value(m_programmingDevice);
    m_driver->ProgramAsync(m_programmingDevice, m_indexFile, images, manualMode, m_currentRecord);
}

void Pelarin::OnProgramProgress(ICsrDevice* /*device*/, short progress, bool verifying)
{
    emit ProgramProgress(progress, verifying);
}

void Pelarin::OnProgramComplete(ICsrDevice* device, QString error, QList<QString> versions)
{
    m_expectReconnect = false;
    m_programmingDevice = nullptr;
    ExceptionPtr exception;
    if (!error.isEmpty()) {
        exception = LoggedException(error, QStringLiteral("Program firmware failed"));
        if (error == QLatin1String(ErrorCodes::DeviceDisconnected) && IsLockedIn(device))
            ReleaseCurrentDevice();
    }
    auto record = m_records.find(device);
    if (record != m_records.end())
        record->versions = versions;
    emit ProgramFirmwareComplete(exception);
}

bool Pelarin::ResetDevice()
{
    if (m_ready.isEmpty())
        return false;
    return m_driver->ResetDevice(m_ready.first());
}

void Pelarin::StartFailedInstallMonitoring()
{
    m_failedInstalls.clear();
    m_wrongDriver = false;
    m_usb->StartFailedInstallMonitoring();
}

void Pelarin::StopFailedInstallMonitoring()
{
    m_usb->StopFailedInstallMonitoring();
}

void Pelarin::OnFailedInstall(QString instance, ICsrUsbInterface::FailedInstallReason reason)
{
    if (reason == ICsrUsbInterface::InstallFailed) {
        m_failedInstalls.append(instance);
        if (m_failedInstalls.size() == 1) {
            m_logger->LogError(QStringLiteral("Config error detected for device: %1").arg(instance));
            emit FailedInstall(reason);
        }
    } else if (reason == ICsrUsbInterface::WrongDriver) {
        if (m_wrongDriver)
            return;
        m_logger->LogError(QStringLiteral("Wrong driver detected for device: %1").arg(instance));
        m_wrongDriver = true;
        emit FailedInstall(reason);
    }
}

bool Pelarin::UninstallFailedDevices()
{
    bool allRemoved = true;
    for (const QString& instance : qAsConst(m_failedInstalls)) {
        if (!m_usb->UninstallDevice(instance))
            allRemoved = false;
    }
    return allRemoved;
}

WebPelarinInfo Pelarin::GetDeviceInfo()
{
    WebPelarinInfo info;
    ICsrDevice* device = !m_ready.isEmpty() ? m_ready.first() : m_connected.value(0);
    if (!device) {
        const QList<std::uint16_t> productIds = m_indexFile ? m_indexFile->GetProductIds() : QList<std::uint16_t>();
        if (!productIds.isEmpty())
            info.deviceId = productIds.first();
        return info;
    }
    info.deviceId = device->GetProductId();
    const auto record = m_records.constFind(device);
    if (record == m_records.constEnd())
        return info;
    info.hardwareVersion = record->identity.hardwareRevision;
    if (m_indexFile)
        info.deviceName = m_indexFile->GetProductName(info.deviceId);
    if (m_ready.contains(device)) {
        info.firmwareVersion = record->versions.value(0);
        info.serialNumber = record->info.serialNumber;
        info.bluetoothAddress = record->info.bluetoothAddress;
        info.bluetoothPairingList = record->info.pairingList;
    }
    return info;
}

WebVersionInfo Pelarin::GetWebVersionInfo(const FirmwareImageList& images)
{
    WebVersionInfo info;
    const ProductIdentity& identity = m_currentRecord.identity;
    info.deviceId = identity.productId;
    info.hardwareRevision = identity.hardwareRevision;
    info.personality = identity.personality;
    info.variant = static_cast<std::uint16_t>(identity.variant);
    info.serialNumber = m_currentRecord.info.serialNumber;
    // Sub ID 0 is the stack, sub ID 1 the VM application: version list entries 1 and 2.
    for (std::uint16_t subId = 0; subId <= 1; ++subId) {
        const IFirmwareImageFile* image = FindImageBySubId(images, subId);
        const QString newRevision = image ? image->GetDescriptor()->GetImageRevision() : QString();
        info.subcomponents.insert(subId, qMakePair(m_currentRecord.versions.value(subId + 1), newRevision));
    }
    return info;
}

} // namespace UpdatePelarin
