#pragma once

#include "device/CsrBcCmdProtocol.h"
#include "device/DeviceWorkerThread.h"
#include "device/DfuProtocol.h"
#include "device/ImageDownloadCursor.h"
#include "device/ImageDownloadWalk.h"
#include "device/ProgrammedVersionCheck.h"
#include "device/ProgrammingResult.h"
#include "device/ProgrammingSettings.h"
#include "device/SubIdOrderedImages.h"
#include "device/UpdateMarkWriter.h"
#include "firmware/FirmwareImageList.h"

#include <QList>
#include <QMutex>
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
    static bool IsResetting(int state)
    {
        return state == ResettingToInitialAppMode || state == ResettingToDfuMode || state == ResettingToFinalAppMode;
    }
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
    static constexpr int ProgressTickMs = 200;

    void SetState(ProgrammingState state);
    void SetError(const QString& code);
    // Records "programming-error" (or "device-disconnected" when the device has left), which stays the
    // run's outcome, and sets PROGRAMMING_DONE. That ends the run unless another state is set straight
    // after, as MarkFailedThenRetryReset does.
    void MarkFailed();
    // After a failed state request: the run is marked failed, yet moves on at once to
    // RESETTING_TO_INITIAL_APP_MODE and carries on with its steps, still reporting the failure at its
    // end. It stops here only when no retry is left or the reset fails; called on the owner's thread,
    // also when the programming thread catches the brief PROGRAMMING_DONE first.
    void MarkFailedThenRetryReset();
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
    void StartImage();
    void SendBlock();
    void HandleDownloadError();
    void StartFinalReset();
    // Waits until the owner's thread has handled what was queued to it, so that a removal notice that
    // explains a failed request is recorded before the failure.
    void CatchUpWithOwner();

    // Writes the release version to the device and, once it is there, into the run's version list.
    void SetReleaseVersion(const QString& text);
    void ColdReset();
    ICsrDevice* Device() const { return m_device.load(); }
    void TakeDevice(ICsrDevice* device);

    // Fixed for the run.
    ILogger* m_logger;
    const IIndexFile* m_indexFile;
    const SubIdOrderedImages m_images;
    const ProgrammingSettings m_settings;

    DfuProtocol m_dfu;
    CsrBcCmdProtocol m_bcCmd;
    UpdateMarkWriter m_marks;
    const ProgrammedVersionCheck m_versionCheck;
    ImageDownloadWalk m_walk;
    std::unique_ptr<UpdateProgressEstimate> m_estimate;
    std::unique_ptr<FailsafeTimerThread> m_failsafe;

    // Shared between the programming, owner, progress-timer and fail-safe threads.
    std::atomic<ICsrDevice*> m_device;
    std::atomic<int> m_state{Initial};
    std::atomic<int> m_retriesLeft{0};
    std::atomic<bool> m_completionReported{false};
    std::atomic<bool> m_coldResetPending{false};
    std::atomic<bool> m_stopRequested{false};
    mutable QMutex m_stateMutex; // serialises state changes, their log line and the wake-up
    QWaitCondition m_stateChanged;
    ProgrammingResult m_result;
    ImageDownloadCursor m_cursor;

    // Programming thread only.
    bool m_retrying = false;
};

} // namespace OrvoCommon
