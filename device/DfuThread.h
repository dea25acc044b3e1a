#pragma once

#include "device/CsrBcCmdProtocol.h"
#include "device/DeviceWorkerThread.h"
#include "device/DfuProtocol.h"
#include "firmware/FirmwareImageList.h"

#include <QList>
#include <QMap>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>

namespace OrvoCommon {

class FailsafeTimerThread;
class ICsrDevice;
class IIndexFile;
class ILogger;
class UpdateProgressEstimate;

// Programs one device with the images of one release: application mode, detach, DFU download of every
// image the device needs, final reset, version check and the new release version. Made and started by
// the comm driver on the GUI thread; the slots that follow the device across its resets run there, the
// steps on this thread, the fail-safe on its own. Reports exactly one ProgramComplete (none when it is
// stopped for the program's end) and deletes itself when the run has ended.
class DfuThread : public DeviceWorkerThread
{
    Q_OBJECT

public:
    enum ProgrammingState
    {
        Initial = 0,
        ResettingToInitialAppMode = 1,
        AppMode = 2,
        ResettingToDfuMode = 3,
        DfuMode = 4,
        ResettingToFinalAppMode = 5,
        QueryingVersion = 6,
        ProgrammingDone = 7,
    };

    // A step that throws the same exception this many passes in a row ends the run with its code.
    static constexpr int MaxRepeatedExceptions = 3;

    // deviceVersions: release version, then one entry per sub ID. Reads the configuration; throws
    // OrvoException when the logger, the test switches or the configuration are missing.
    DfuThread(ICsrDevice* device, const IIndexFile* indexFile, const FirmwareImageList& images, bool manualMode,
              const QList<QString>& deviceVersions);
    ~DfuThread() override;

    // The program is ending: the run stops at its next step, abandons the device where it stands (an
    // interrupted update is reprogrammed in full next time) and reports nothing.
    void RequestStop() override;

    static QString StateName(int state);
    ProgrammingState GetState() const { return static_cast<ProgrammingState>(m_state.load()); }

    // For tests: how many programming threads exist, and shorter fixed waits.
    static int LiveCount();
    static void SetColdResetTimeoutForTest(int milliseconds);
    static void SetFailsafeSecondForTest(int milliseconds);

signals:
    void ProgramProgress(OrvoCommon::ICsrDevice* device, short progress, bool verifying);
    void ProgramComplete(OrvoCommon::ICsrDevice* device, QString error, QList<QString> versions);

protected:
    void run() override;

private slots:
    void OnDeviceConnected(OrvoCommon::ICsrDevice* device);
    void OnDeviceDisconnected(OrvoCommon::ICsrDevice* device);
    void OnQueryVersionsComplete(OrvoCommon::ICsrDevice* device, QList<QString> versions, QString error);
    void HandleResetTimeout();
    void EmitProgramProgress(short progress);
    void OnFailsafeTimer();
    void OnProgressTimer();

private:
    void SetState(ProgrammingState state);
    void SetError(const QString& code);
    void SetErrorIfNone(const QString& code);
    QString Error() const;
    QList<QString> Versions() const;
    // Records "programming-error" and ends the run.
    void Fail();
    void RetryReset();
    void ResetOrFail();

    bool ValidateSuffixes();
    void MainLoop();
    void WaitForReset(ProgrammingState state);
    void SleepUnlessStateChanges(ProgrammingState state, unsigned long milliseconds);
    void InitialCheck();
    // Moves on when the device reports one of the accepted DFU states; anything else means a reset.
    void CheckDfuStateThenMoveTo(std::initializer_list<std::uint8_t> accepted, ProgrammingState next);
    void AppModeStep();
    void DfuStep();
    void DfuModeCheck();
    bool NeedsProgramming(int subId, const IFirmwareImageFile* image, const QString& deviceVersion) const;
    IFirmwareImageFile* NextImage();
    void StartImage();
    void SendBlock();
    void HandleDownloadError();
    void StartFinalReset();
    // Waits until the owner's thread has handled what was queued to it, so that a removal notice that
    // explains a failed request is recorded before the failure.
    void CatchUpWithOwner();

    // The current image, shared with the fail-safe thread.
    void SetCurrentImage(IFirmwareImageFile* image);
    IFirmwareImageFile* CurrentImage() const;
    bool ReadBlock(QByteArray* data);
    void CloseCurrentImage(bool forget);
    std::uint32_t BodyLength(const IFirmwareImageFile* image) const;

    bool ReadBootMode(std::uint16_t* bootMode);
    void SetBootMode(std::uint16_t bootMode);
    bool SetReleaseVersion(const QString& text);
    bool CheckVersions(const QList<QString>& versions);
    void ColdReset();
    ICsrDevice* Device() const { return m_device.load(); }
    void TakeDevice(ICsrDevice* device);

    // Fixed for the run.
    ILogger* m_logger;
    const IIndexFile* m_indexFile;
    FirmwareImageList m_images;
    const bool m_manualMode;
    const int m_resetTimeoutMs;
    const int m_sequenceRetries;
    const int m_failsafeSeconds;
    const bool m_acceptNonMatchingSuffix;
    const int m_hciTimeoutMs;

    DfuProtocol m_dfu;
    CsrBcCmdProtocol m_bcCmd;
    std::unique_ptr<UpdateProgressEstimate> m_estimate;
    std::unique_ptr<FailsafeTimerThread> m_failsafe;

    // Shared between the programming, owner, progress-timer and fail-safe threads.
    std::atomic<ICsrDevice*> m_device;
    std::atomic<int> m_state{Initial};
    std::atomic<int> m_retriesLeft{0};
    std::atomic<bool> m_completionReported{false};
    std::atomic<bool> m_coldResetPending{false};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<std::uint16_t> m_nextBlock{0};
    std::atomic<std::uint32_t> m_remainingBytes{0};
    mutable QMutex m_stateMutex; // serialises state changes, their log line and the wake-up
    QWaitCondition m_stateChanged;
    mutable QMutex m_resultMutex;
    QString m_error;
    QList<QString> m_versions;
    mutable QMutex m_imageMutex;
    IFirmwareImageFile* m_currentImage = nullptr;

    // Programming thread only (and the owner's slots while this thread waits for a reset).
    int m_subIndex = 0;
    QSet<int> m_loaded;
    bool m_retrying = false;
    bool m_forceAll = false;
    QMap<int, std::uint8_t> m_suffixLengths;
};

} // namespace OrvoCommon
