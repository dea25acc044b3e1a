#include "script/FullScriptSupport.h"

#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/IUpdatePelarinApp.h"
#include "app/ProgramDirectory.h"
#include "app/UpdatePelarinAppFactory.h"
#include "device/IPelarin.h"
#include "device/PelarinFactory.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "firmware/VersionNumbers.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

using namespace OrvoCommon;

namespace UpdatePelarin {

namespace {

constexpr qint64 WaitSliceMs = 50;
constexpr short FullProgress = 100;

QString BoolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString InProgramDirectory(const QString& fileName)
{
    return ProgramDirectory() + QLatin1Char('/') + fileName;
}

} // namespace

FullScriptSupport::FullScriptSupport(QObject* parent)
    : LightScriptSupport(parent), m_firmware(FirmwareProcessingFactory::CreateFirmwareProcessing()),
      m_configuration(GetConfiguration()), m_device(PelarinFactory::CreatePelarin()),
      m_appTest(UpdatePelarinAppFactory::Instance()->CreateAppTest())
{
    // Without the wizard nothing else tells the version code which form the index file uses.
    SetAsciiVersionFormat(m_configuration->HasAsciiVersionNumber());

    connect(m_device, &IPelarin::DeviceConnected, this, &FullScriptSupport::DeviceConnected);
    connect(m_device, &IPelarin::DeviceReady, this, &FullScriptSupport::DeviceReady);
    connect(m_device, &IPelarin::DeviceDisconnected, this, &FullScriptSupport::DeviceDisconnected);
    connect(m_device, &IPelarin::ProgramProgress, this, &FullScriptSupport::ProgrammingProgress);
    connect(m_device, &IPelarin::ProgramFirmwareComplete, this, &FullScriptSupport::ProgrammingComplete);
    if (m_firmware) {
        connect(m_firmware, &IFirmwareProcessing::DownloadProgress, this, &FullScriptSupport::DownloadProgress);
        connect(m_firmware, &IFirmwareProcessing::AcquireIndexFileComplete, this, &FullScriptSupport::IndexFileDone);
        connect(m_firmware, &IFirmwareProcessing::AcquireFirmwareImageFilesComplete, this,
                &FullScriptSupport::FirmwareDone);
    }
}

FullScriptSupport::~FullScriptSupport() = default;

void FullScriptSupport::SetResultsFile(const QString& fileName)
{
    if (fileName.isEmpty()) {
        RaiseError(QStringLiteral("fileName is NULL or empty"));
        return;
    }
    if (!m_results.Open(fileName)) {
        Logger()->LogError(QStringLiteral("SetResultsFile: Unable to open results file %1").arg(fileName));
        if (context())
            RaiseError(QStringLiteral("Unable to open results file"));
    }
}

void FullScriptSupport::LogInformation(const QString& message)
{
    m_results.WriteInformation(message);
    emit InformationLogged(message);
}

void FullScriptSupport::SetLanguage(const QString& langAbbrev)
{
    if (langAbbrev.isEmpty()) {
        RaiseRangeError(QStringLiteral("langAbbrev is NULL or empty"));
        return;
    }
    if (!m_appTest) {
        Logger()->LogError(QStringLiteral("SetLanguage: The application test interface is not available"));
        RaiseError(QStringLiteral("Application test interface not available"));
        return;
    }
    m_appTest->SetLanguage(langAbbrev, false);
}

void FullScriptSupport::DisplayErrorDialog(const QString& errorCode)
{
    if (errorCode.isEmpty()) {
        RaiseRangeError(QStringLiteral("errorCode is NULL or empty"));
        return;
    }
    if (!m_appTest) {
        Logger()->LogError(QStringLiteral("DisplayErrorDialog: The application test interface is not available"));
        RaiseError(QStringLiteral("Application test interface not available"));
        return;
    }
    m_appTest->DisplayErrorDialog(errorCode);
}

bool FullScriptSupport::IsCanceled()
{
    return m_canceled;
}

void FullScriptSupport::SetCanceled()
{
    m_canceled = true;
    Wake();
}

void FullScriptSupport::WaitForTimeElapsed(uint timeout)
{
    WaitUntil("TimeElapsed", timeout, [] { return false; });
}

bool FullScriptSupport::WaitForPelarinConnected(uint timeout)
{
    WaitUntil("PelarinConnected", timeout, [this] { return m_connected; });
    return m_connected;
}

bool FullScriptSupport::WaitForFileAcquired(uint timeout)
{
    WaitUntil("FileAcquired", timeout, [this] { return m_acquireDone; });
    return m_acquireSucceeded;
}

bool FullScriptSupport::WaitForUpdateComplete(uint timeout)
{
    WaitUntil("UpdateComplete", timeout, [this] { return m_updateComplete; });
    return m_updateComplete;
}

bool FullScriptSupport::WaitForPercentUpdateComplete(int percent, uint timeout)
{
    if (percent < 0 || percent > FullProgress) {
        RaiseRangeError(QStringLiteral("percent outside of 0 - 100"));
        return false;
    }
    WaitUntil("PercentUpdateComplete", timeout, [this, percent] { return m_progress >= percent; });
    return m_progress >= percent;
}

bool FullScriptSupport::WaitUntil(const char* name, uint timeoutMs, const std::function<bool()>& condition)
{
    m_results.WriteWait(QLatin1String(name), timeoutMs);
    const QDeadlineTimer deadline(static_cast<qint64>(timeoutMs));
    while (!condition() && !m_canceled && !deadline.hasExpired()) {
        QEventLoop slice;
        QTimer::singleShot(std::min(WaitSliceMs, deadline.remainingTime()), &slice, &QEventLoop::quit);
        m_waitLoop = &slice;
        slice.exec();
        m_waitLoop = nullptr;
    }
    return condition();
}

void FullScriptSupport::Wake()
{
    if (m_waitLoop)
        m_waitLoop->quit();
}

void FullScriptSupport::AssertPelarinConnected(bool connected)
{
    Assert(QStringLiteral("PelarinConnected"), connected, m_connected, QStringLiteral("AssertPelarinConnected failed"));
}

void FullScriptSupport::AssertIndexFilePresent(bool present)
{
    Assert(QStringLiteral("IndexFilePresent"), present, m_indexFile != nullptr,
           QStringLiteral("AssertIndexFilePresent failed"));
}

void FullScriptSupport::AssertErrorCodeActive(bool active, const QString& errorCode)
{
    Assert(QStringLiteral("ErrorCodeActive"), active, errorCode == m_activeErrorCode,
           QStringLiteral("AssertErrorCodeActive failed"));
}

void FullScriptSupport::AssertPelarinHasFirmwareVersion(bool hasVersion, const QString& version)
{
    if (version.isEmpty()) {
        RaiseRangeError(QStringLiteral("version is NULL or empty"));
        return;
    }
    if (!m_indexFile) {
        RaiseError(QStringLiteral("No index file acquired"));
        return;
    }
    if (!m_connected) {
        RaiseError(QStringLiteral("Device not ready"));
        return;
    }
    bool equal = false;
    try {
        equal = CompareVersions(m_device->GetReleaseVersion(), version) == 0;
    } catch (const OrvoException& exception) {
        if (exception.GetErrorCode() == QLatin1String(ErrorCodes::VersionError))
            RaiseRangeError(QStringLiteral("version is invalid"));
        else
            RaiseError(QStringLiteral("Exception caught: ") + exception.GetErrorCode());
        return;
    }
    Assert(QStringLiteral("PelarinHasFirmwareVersion"), hasVersion, equal,
           QStringLiteral("AssertPelarinHasFirmwareVersion failed"));
}

void FullScriptSupport::AssertImageFilesPresent(bool present, const QString& version)
{
    if (version.isEmpty()) {
        RaiseError(QStringLiteral("version NULL or empty"));
        return;
    }
    if (!m_indexFile) {
        RaiseError(QStringLiteral("Index file not loaded"));
        return;
    }
    if (!m_connected) {
        RaiseError(QStringLiteral("Device not connected"));
        return;
    }
    const FirmwareImageDescriptorList descriptors = m_indexFile->GetImageDescriptors(version, m_deviceIdentity);
    const auto acquired = [this](const IFirmwareImageDescriptor* descriptor) {
        return std::any_of(m_imageFiles.cbegin(), m_imageFiles.cend(), [descriptor](const IFirmwareImageFile* file) {
            return file->GetDescriptor() == descriptor;
        });
    };
    const bool pass = present
                          ? !descriptors.isEmpty() && std::all_of(descriptors.cbegin(), descriptors.cend(), acquired)
                          : descriptors.isEmpty();
    m_results.WriteAssert(QStringLiteral("ImageFilesPresent"), present, pass);
    if (!pass)
        RaiseError(QStringLiteral("Image File assertion not met"));
}

void FullScriptSupport::Assert(const QString& name, bool check, bool actual, const QString& failure)
{
    const bool pass = check == actual;
    m_results.WriteAssert(name, check, pass);
    if (!pass)
        RaiseError(failure);
}

void FullScriptSupport::SetIndexFile(const QString& fileName)
{
    BeginCommand(QStringLiteral("SetIndexFile"), {{QStringLiteral("fileName"), fileName}});
    if (fileName.isEmpty()) {
        RaiseRangeError(QStringLiteral("fileName NULL or empty"));
        return;
    }
    if (!QFileInfo::exists(InProgramDirectory(fileName))) {
        RaiseError(QStringLiteral("file not found"));
        return;
    }
    ForgetIndexFile();
    try {
        Firmware()->AcquireIndexFile(fileName, QString(), QString());
    } catch (const OrvoException& exception) {
        CommandFailed(exception, QStringLiteral("Error starting index file download"));
    }
}

void FullScriptSupport::StartIndexFileAcquire()
{
    BeginCommand(QStringLiteral("StartIndexFileDownload"));
    const QString fileName = m_configuration->GetIndexFileName();
    QFile localCopy(InProgramDirectory(fileName));
    if (localCopy.exists() && !localCopy.remove()) {
        RaiseError(QStringLiteral("remove failed"));
        return;
    }
    ForgetIndexFile();
    try {
        Firmware()->AcquireIndexFile(fileName, m_configuration->GetIndexFileHost(),
                                     m_configuration->GetIndexFilePath());
    } catch (const OrvoException& exception) {
        CommandFailed(exception, QStringLiteral("Error starting index file download"));
    }
}

void FullScriptSupport::StartImageFilesAcquire(bool useMostRecent)
{
    StartImageFilesAcquire(useMostRecent, QString());
}

void FullScriptSupport::StartImageFilesAcquire(bool useMostRecent, const QString& version)
{
    BeginCommand(QStringLiteral("StartImageFilesAcquire"),
                 {{QStringLiteral("useMostRecent"), BoolText(useMostRecent)}, {QStringLiteral("version"), version}});
    if (!useMostRecent && version.isEmpty()) {
        RaiseRangeError(QStringLiteral("version NULL or empty"));
        return;
    }
    if (!m_connected || !m_indexFile) {
        RaiseError(QStringLiteral("Prerequisites not met"));
        return;
    }
    // Downloads of the previous request land in the program folder; a new request starts clean.
    for (const IFirmwareImageFile* file : qAsConst(m_imageFiles)) {
        QFile previous(InProgramDirectory(file->GetDescriptor()->GetFileName()));
        if (previous.exists() && !previous.remove()) {
            RaiseError(QStringLiteral("remove failed"));
            return;
        }
    }
    const QString target = useMostRecent ? m_indexFile->GetNewestVersion(m_deviceIdentity) : version;
    const FirmwareImageDescriptorList descriptors = m_indexFile->GetImageDescriptors(target, m_deviceIdentity);
    m_progress = 0;
    m_acquireSucceeded = false;
    m_acquireDone = false;
    m_imageFiles.clear();
    try {
        Firmware()->AcquireImageFiles(descriptors);
    } catch (const OrvoException& exception) {
        CommandFailed(exception, QStringLiteral("Error starting download"));
    }
}

void FullScriptSupport::CopyImageFile(const QString& fileName)
{
    BeginCommand(QStringLiteral("CopyImageFile"), {{QStringLiteral("fileName"), fileName}}, false);
    if (fileName.isEmpty()) {
        RaiseRangeError(QStringLiteral("fileName NULL or empty"));
        return;
    }
    const QFileInfo source(fileName);
    const QFileInfo target(InProgramDirectory(fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1)));
    // Replacing a file with itself would delete it first.
    if (source.exists() && target.exists() && source.canonicalFilePath() == target.canonicalFilePath())
        return;
    if (!source.isFile() || (target.exists() && !QFile::remove(target.filePath())) ||
        !QFile::copy(source.filePath(), target.filePath()))
        RaiseError(QStringLiteral("CopyImageFile failed"));
}

void FullScriptSupport::StartPelarinUpdate()
{
    StartPelarinUpdate(false);
}

void FullScriptSupport::StartPelarinUpdate(bool manualMode)
{
    BeginCommand(QStringLiteral("StartPelarinUpdate"), {{QStringLiteral("manualMode"), BoolText(manualMode)}});
    if (!m_connected || !m_indexFile || m_imageFiles.isEmpty()) {
        RaiseError(QStringLiteral("Not enough information to push firmware"));
        return;
    }
    m_updateComplete = false;
    m_progress = 0;
    try {
        m_device->ProgramFirmwareAsync(m_imageFiles, manualMode);
    } catch (const OrvoException& exception) {
        CommandFailed(exception, QStringLiteral("Exception from ProgramFirmwareAsync"));
    }
}

void FullScriptSupport::BeginCommand(const QString& name, const QMap<QString, QString>& parameters,
                                     bool clearsErrorCode)
{
    m_results.WriteCommand(name, parameters);
    if (clearsErrorCode)
        m_activeErrorCode.clear();
}

void FullScriptSupport::CommandFailed(const OrvoException& exception, const QString& message)
{
    m_activeErrorCode = exception.GetErrorCode();
    RaiseError(message);
}

IFirmwareProcessing* FullScriptSupport::Firmware() const
{
    if (!m_firmware)
        throw OrvoException(QLatin1String(ErrorCodes::InternalError),
                            QStringLiteral("Unable to get IFirmwareProcessing"));
    return m_firmware;
}

void FullScriptSupport::ForgetIndexFile()
{
    // Acquisition may answer at once, before the call returns, so the flags are reset first.
    m_progress = 0;
    m_indexFile = nullptr;
    m_acquireSucceeded = false;
    m_acquireDone = false;
}

void FullScriptSupport::FaultSwitched(const QString& name, bool on)
{
    m_results.WriteFault(name, on);
}

void FullScriptSupport::DownloadProgress(short progress)
{
    m_progress = progress;
    Wake();
}

void FullScriptSupport::IndexFileDone(IIndexFile* indexFile, ExceptionPtr exception)
{
    if (exception) {
        m_activeErrorCode = exception->GetErrorCode();
    } else {
        m_indexFile = indexFile;
        m_acquireSucceeded = true;
        m_progress = FullProgress;
    }
    m_acquireDone = true;
    // The facade refuses a null index file with an exception that would escape this slot.
    if (m_indexFile) {
        try {
            m_device->RegisterDeviceDetection(m_indexFile);
        } catch (const OrvoException&) {
            // The facade logged it; without detection the waits for the headset time out.
        }
    }
    Wake();
}

void FullScriptSupport::FirmwareDone(FirmwareImageList imageFiles, ExceptionPtr exception)
{
    if (exception) {
        m_activeErrorCode = exception->GetErrorCode();
    } else {
        m_imageFiles = imageFiles;
        m_acquireSucceeded = true;
        m_progress = FullProgress;
    }
    m_acquireDone = true;
    Wake();
}

void FullScriptSupport::DeviceConnected()
{
    try {
        m_deviceIdentity = m_device->GetOrvoProductId();
    } catch (const OrvoException&) {
        // Gone again before the signal arrived; the facade logged it.
    }
}

void FullScriptSupport::DeviceReady()
{
    m_connected = true;
    Wake();
}

void FullScriptSupport::DeviceDisconnected()
{
    if (m_device->ConnectedDeviceCount() == 0)
        m_connected = false;
    Wake();
}

void FullScriptSupport::ProgrammingProgress(short progress, bool)
{
    m_progress = progress;
    Wake();
}

void FullScriptSupport::ProgrammingComplete(ExceptionPtr exception)
{
    if (exception)
        m_activeErrorCode = exception->GetErrorCode();
    // A good run ends with the headset's cold reset: it is leaving and is not ready again until it
    // returns, so a wait for it after the update waits for the restarted headset.
    else if (PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()->IsColdResetAfterUpdate())
        m_connected = false;
    m_updateComplete = true;
    m_progress = FullProgress;
    Wake();
}

} // namespace UpdatePelarin
