#include "device/DfuThread.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/OrvoException.h"
#include "device/DeviceServices.h"
#include "device/DfuConstants.h"
#include "device/FailsafeTimerThread.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/QueryVersionThread.h"
#include "device/UpdateProgressEstimate.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "usb/ICsrDevice.h"

// DfuThread's slots. Those that follow the device across its resets run on the owner's thread, where
// the device announcements, the reset time-out and the version query's completion are delivered; while
// they do, the programming thread only polls the state. The timers' slots run on the timer threads, and
// the progress report on whichever thread moved the estimate.

namespace OrvoCommon {

void DfuThread::TakeDevice(ICsrDevice* device)
{
    m_device = device;
    m_dfu.SetDevice(device);
}

void DfuThread::OnDeviceConnected(ICsrDevice* device)
{
    const int state = GetState();
    if (!IsResetting(state))
        return;
    TakeDevice(device);
    m_logger->LogInformation(QStringLiteral("Device connected after reset"));
    std::uint8_t dfuState = 0;
    if (state == ResettingToInitialAppMode) {
        if (!m_dfu.GetState(&dfuState)) {
            MarkFailedThenRetryReset();
        } else if (dfuState == Dfu::AppIdle || dfuState == Dfu::AppDetach) {
            SetState(AppMode);
        } else if (dfuState == Dfu::DfuIdle) {
            SetState(DfuMode);
        } else if (dfuState == Dfu::DfuError) {
            m_dfu.ClearStatus();
            DfuModeCheck();
        } else {
            m_dfu.Abort();
            SetState(DfuMode);
        }
    } else if (state == ResettingToDfuMode) {
        DfuModeCheck();
    } else {
        if (!m_dfu.GetState(&dfuState) || dfuState != Dfu::AppIdle) {
            MarkFailed();
            return;
        }
        m_marks.SetBootMode(Device(), UpdateMarkWriter::BootModeDone);
        SetState(QueryingVersion);
        try {
            auto* query = new QueryVersionThread(device);
            connect(query, &QueryVersionThread::QueryVersionsComplete, this, &DfuThread::OnQueryVersionsComplete);
            query->start();
        } catch (const OrvoException& exception) {
            SetError(exception.GetErrorCode());
            SetState(ProgrammingDone);
        }
    }
}

void DfuThread::OnDeviceDisconnected(ICsrDevice* device)
{
    const int state = GetState();
    if (device == Device() && (state == Initial || state == AppMode || state == DfuMode || state == QueryingVersion)) {
        m_logger->LogError(QStringLiteral("Device was unexpectedly disconnected during update"));
        SetError(QLatin1String(ErrorCodes::DeviceDisconnected));
        SetState(ProgrammingDone);
        return;
    }
    m_logger->LogInformation(QStringLiteral("Device disconnected for reset"));
}

void DfuThread::HandleResetTimeout()
{
    const int state = GetState();
    // A time-out queued just before the device came back is stale.
    if (!IsResetting(state))
        return;
    m_logger->LogError(QStringLiteral("Reset timeout"));
    if (!Device()->IsOpen()) {
        SetError(QLatin1String(ErrorCodes::ReconnectTimeout));
        SetState(ProgrammingDone);
        return;
    }
    if (state == ResettingToInitialAppMode && m_retriesLeft.fetch_sub(1) <= 0) {
        MarkFailed();
        return;
    }
    ResetOrFail();
}

void DfuThread::OnQueryVersionsComplete(ICsrDevice* /*device*/, QList<QString> versions, QString error)
{
    if (GetState() != QueryingVersion)
        return;
    if (error.isEmpty() || error == QLatin1String(ErrorCodes::GetVersionError)) {
        m_result.SetVersions(versions);
        try {
            const QString mismatch = m_versionCheck.CheckVersions(versions);
            if (!mismatch.isEmpty())
                SetError(mismatch);
            else if (!m_images.List().isEmpty())
                SetReleaseVersion(m_images.List().first()->GetDescriptor()->GetReleaseRevision());
        } catch (const OrvoException& exception) {
            SetError(exception.GetErrorCode());
        }
    } else {
        m_logger->LogError(QStringLiteral("OnQueryVersionsComplete: error = %1").arg(error));
        SetError(QLatin1String(ErrorCodes::PostReconnectQueryFailed));
    }
    // The cold reset waits for an answer that never comes; the programming thread sends it after its
    // report, so this thread stays free to handle the completion and the device's removal.
    m_coldResetPending = RequireTestSwitches()->IsColdResetAfterUpdate();
    SetState(ProgrammingDone);
}

void DfuThread::OnFailsafeTimer()
{
    m_failsafe->Stop();
    m_logger->LogError(QStringLiteral("Thread locked up... ending update"));
    if (m_result.Error().isEmpty())
        SetError(QLatin1String(ErrorCodes::ProgrammingError));
    const bool report = !m_completionReported.exchange(true);
    SetState(ProgrammingDone);
    m_cursor.CloseAndForget();
    if (report)
        emit ProgramComplete(Device(), m_result.Error(), m_result.Versions());
}

void DfuThread::OnProgressTimer()
{
    // Blocks move the estimate while an image is on its way; time moves it otherwise.
    if (m_cursor.IsSendingBlocks())
        return;
    m_estimate->AddElapsed(ProgressTickMs);
}

void DfuThread::EmitProgramProgress(short progress)
{
    const int state = GetState();
    emit ProgramProgress(Device(), progress, state == ResettingToFinalAppMode || state == QueryingVersion);
}

} // namespace OrvoCommon
