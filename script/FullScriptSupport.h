#pragma once

#include "app/OrvoException.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/ProductIdentity.h"
#include "script/LightScriptSupport.h"
#include "script/ResultsFile.h"

#include <QMap>
#include <QString>

#include <functional>
#include <memory>

class QEventLoop;

namespace OrvoCommon {
class IConfiguration;
class IFirmwareProcessing;
class IIndexFile;
class IUpdatePelarinAppTest;
} // namespace OrvoCommon

namespace UpdatePelarin {

class IPelarin;

// What a full script sees as "script": the whole update (index file, images, programming) as
// commands, waits and assertions on top of the fault switches, each step written to the results
// file. Engine failures reach the script only as the active error code and as wait results;
// argument errors, missing prerequisites and failed assertions raise script errors.
// Construction throws OrvoException when the device facade cannot be made.
class FullScriptSupport : public LightScriptSupport
{
    Q_OBJECT

public:
    explicit FullScriptSupport(QObject* parent = nullptr);
    ~FullScriptSupport() override;

signals:
    void InformationLogged(const QString& message);

public slots:
    void SetResultsFile(const QString& fileName);
    void LogInformation(const QString& message);
    void SetLanguage(const QString& langAbbrev);
    void DisplayErrorDialog(const QString& errorCode);
    bool IsCanceled();
    void SetCanceled();

    void WaitForTimeElapsed(uint timeout);
    bool WaitForPelarinConnected(uint timeout);
    bool WaitForFileAcquired(uint timeout);
    bool WaitForUpdateComplete(uint timeout);
    bool WaitForPercentUpdateComplete(int percent, uint timeout);

    void AssertPelarinConnected(bool connected);
    void AssertIndexFilePresent(bool present);
    void AssertErrorCodeActive(bool active, const QString& errorCode);
    void AssertPelarinHasFirmwareVersion(bool hasVersion, const QString& version);
    void AssertImageFilesPresent(bool present, const QString& version);

    void SetIndexFile(const QString& fileName);
    void StartIndexFileAcquire();
    void StartImageFilesAcquire(bool useMostRecent);
    void StartImageFilesAcquire(bool useMostRecent, const QString& version);
    void CopyImageFile(const QString& fileName);
    void StartPelarinUpdate();
    void StartPelarinUpdate(bool manualMode);

private slots:
    void DownloadProgress(short progress);
    void IndexFileDone(OrvoCommon::IIndexFile* indexFile, OrvoCommon::ExceptionPtr exception);
    void FirmwareDone(OrvoCommon::FirmwareImageList imageFiles, OrvoCommon::ExceptionPtr exception);
    void DeviceConnected();
    void DeviceReady();
    void DeviceDisconnected();
    void ProgrammingProgress(short progress, bool resetting);
    void ProgrammingComplete(OrvoCommon::ExceptionPtr exception);

protected:
    void FaultSwitched(const QString& name, bool on) override;

private:
    // Runs the event loop in slices of at most 50 ms until the condition holds, the time is up or
    // the script is canceled; the private slots end a slice early when a flag changes.
    bool WaitUntil(const char* name, uint timeoutMs, const std::function<bool()>& condition);
    void Wake();
    // Writes the command entry and clears the active error code.
    void BeginCommand(const QString& name, const QMap<QString, QString>& parameters = {}, bool clearsErrorCode = true);
    void Assert(const QString& name, bool check, bool actual, const QString& failure);
    // An engine failure while starting a command: the code becomes active, the script gets the message.
    void CommandFailed(const OrvoCommon::OrvoException& exception, const QString& message);
    void ForgetIndexFile();
    // Throws "internal-error" when firmware acquisition could not be made.
    OrvoCommon::IFirmwareProcessing* Firmware() const;

    OrvoCommon::IFirmwareProcessing* m_firmware = nullptr;
    OrvoCommon::IConfiguration* m_configuration = nullptr;
    IPelarin* m_device = nullptr;
    std::unique_ptr<OrvoCommon::IUpdatePelarinAppTest> m_appTest;

    short m_progress = 0;
    OrvoCommon::IIndexFile* m_indexFile = nullptr;
    OrvoCommon::ProductIdentity m_deviceIdentity;
    OrvoCommon::FirmwareImageList m_imageFiles;
    bool m_updateComplete = false;
    bool m_acquireSucceeded = false;
    bool m_acquireDone = false;
    bool m_connected = false;
    bool m_canceled = false;
    QString m_activeErrorCode;
    ResultsFile m_results;
    QEventLoop* m_waitLoop = nullptr;
};

} // namespace UpdatePelarin
