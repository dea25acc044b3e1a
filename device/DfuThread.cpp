#include "device/DfuThread.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/OrvoException.h"
#include "device/BcCmdConstants.h"
#include "device/DeviceServices.h"
#include "device/DfuConstants.h"
#include "device/DfuFileSuffix.h"
#include "device/FailsafeTimerThread.h"
#include "device/QueryInfo.h"
#include "device/TimerThread.h"
#include "device/UpdateProgressEstimate.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/ICsrDevice.h"
#include "usb/ICsrUsbInterface.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QSemaphore>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace OrvoCommon {

namespace {

constexpr unsigned long StatePollMs = 100;
constexpr int TimerStopWaitMs = 400;
// How long a failed request waits for the owner's thread to deliver a removal notice.
constexpr int OwnerCatchUpMs = 2000;

std::atomic<int> g_liveCount{0};
std::atomic<int> g_coldResetTimeoutMs{BcCmd::ColdResetTimeoutMs};
std::atomic<int> g_failsafeSecondMs{1000};

const QStringList& StateNames()
{
    static const QStringList names{
        QStringLiteral("INITIAL"),          QStringLiteral("RESETTING_TO_INITIAL_APP_MODE"),
        QStringLiteral("APP_MODE"),         QStringLiteral("RESETTING_TO_DFU_MODE"),
        QStringLiteral("DFU_MODE"),         QStringLiteral("RESETTING_TO_FINAL_APP_MODE"),
        QStringLiteral("QUERYING_VERSION"), QStringLiteral("PROGRAMMING_DONE"),
    };
    return names;
}

} // namespace

DfuThread::DfuThread(ICsrDevice* device, const IIndexFile* indexFile, const FirmwareImageList& images, bool manualMode,
                     const QList<QString>& deviceVersions)
    : m_logger(RequireLogger()), m_indexFile(indexFile), m_images(images), m_settings(ProgrammingSettings::Read()),
      m_marks(&m_bcCmd, m_logger, m_settings.hciTimeoutMs), m_versionCheck(indexFile, m_images.List(), m_logger),
      m_walk(&m_images, indexFile, manualMode, m_logger), m_estimate(std::make_unique<UpdateProgressEstimate>()),
      m_device(device), m_result(deviceVersions)
{
    RequireTestSwitches();
    RegisterDeviceMetaTypes();
    ++g_liveCount;
    m_dfu.SetMessageRetries(m_settings.messageRetries);

    connect(this, &QThread::finished, this, &QObject::deleteLater);
    // Connected here, on the owner's thread, so that nothing the device does after the start is missed.
    ICsrUsbInterface* usb = GetCsrUsbInterface();
    connect(usb, &ICsrUsbInterface::DeviceConnected, this, &DfuThread::OnDeviceConnected);
    connect(usb, &ICsrUsbInterface::DeviceDisconnected, this, &DfuThread::OnDeviceDisconnected);
    connect(m_estimate.get(), &UpdateProgressEstimate::Progress, this, &DfuThread::EmitProgramProgress,
            Qt::DirectConnection);
}

DfuThread::~DfuThread()
{
    --g_liveCount;
}

void DfuThread::RequestStop()
{
    m_stopRequested = true;
    // Whoever would receive the report is going away with the engine.
    m_completionReported = true;
    SetState(ProgrammingDone);
}

QString DfuThread::StateName(int state)
{
    return StateNames().value(state, QStringLiteral("INVALID"));
}

int DfuThread::LiveCount()
{
    return g_liveCount;
}

void DfuThread::SetColdResetTimeoutForTest(int milliseconds)
{
    g_coldResetTimeoutMs = milliseconds;
}

void DfuThread::SetFailsafeSecondForTest(int milliseconds)
{
    g_failsafeSecondMs = milliseconds;
}

void DfuThread::SetState(ProgrammingState state)
{
    // Logged before it is published, so that the log tells the states in the order they were entered.
    QMutexLocker lock(&m_stateMutex);
    if (m_state.load() == state)
        return;
    // Once the fail-safe has reported the run, a step that was still under way must not revive it.
    if (m_state.load() == ProgrammingDone && m_completionReported)
        return;
    m_logger->LogInformation(QStringLiteral("DfuThread state changed to %1").arg(StateName(state)));
    m_state = state;
    m_stateChanged.wakeAll();
}

void DfuThread::SetError(const QString& code)
{
    if (m_result.RecordError(code))
        m_logger->LogError(QStringLiteral("DfuThread error changed to %1").arg(code));
    else
        m_logger->LogError(QStringLiteral("DfuThread error attempted to change to %1").arg(code));
}

void DfuThread::MarkFailed()
{
    // A device that left fails requests before its removal notice comes; our own resets close it too.
    const int state = GetState();
    if (!Device()->IsOpen() && !IsResetting(state) && state != ProgrammingDone) {
        OnDeviceDisconnected(Device());
        return;
    }
    SetError(QLatin1String(ErrorCodes::ProgrammingError));
    SetState(ProgrammingDone);
}

void DfuThread::MarkFailedThenRetryReset()
{
    MarkFailed();
    RetryReset();
}

void DfuThread::ResetOrFail()
{
    if (!m_dfu.Reset())
        MarkFailed();
}

void DfuThread::RetryReset()
{
    SetState(ResettingToInitialAppMode);
    if (m_retriesLeft.fetch_sub(1) <= 0) {
        MarkFailed();
        return;
    }
    ResetOrFail();
}

void DfuThread::run()
{
    m_logger->LogError(QStringLiteral("Starting firmware update"));
    m_retriesLeft = m_settings.sequenceRetries;

    ICsrDevice* device = Device();
    m_estimate->SetTransferSize(device->GetTransferSize());
    m_estimate->SetImages(m_images.List());
    m_estimate->SetDeviceVersions(m_walk.EffectiveDeviceVersions(m_result.Versions().mid(1)));
    emit ProgramProgress(device, 0, false);

    TimerThread progressTimer(ProgressTickMs);
    connect(&progressTimer, &TimerThread::Tick, this, &DfuThread::OnProgressTimer, Qt::DirectConnection);
    m_failsafe = std::make_unique<FailsafeTimerThread>(m_settings.failsafeSeconds);
    m_failsafe->SetSecondLengthForTest(g_failsafeSecondMs);
    connect(m_failsafe.get(), &FailsafeTimerThread::Timeout, this, &DfuThread::OnFailsafeTimer, Qt::DirectConnection);
    progressTimer.start();
    m_failsafe->start();

    m_dfu.SetDevice(device);
    if (ValidateSuffixes()) {
        MainLoop();
    } else {
        // The run never started, so no state change is logged; the slots must still see it ended.
        QMutexLocker lock(&m_stateMutex);
        m_state = ProgrammingDone;
        m_stateChanged.wakeAll();
    }

    m_cursor.CloseAndForget();
    progressTimer.Stop();
    progressTimer.wait(TimerStopWaitMs);
    m_failsafe->Stop();

    const QString error = m_result.Error();
    if (m_stopRequested)
        m_logger->LogError(QStringLiteral("Firmware update abandoned - the program is ending"));
    else if (!error.isEmpty())
        m_logger->LogError(QStringLiteral("Firmware update aborted due to errors"));
    else
        m_logger->LogError(QStringLiteral("Firmware update successfully completed"));
    if (!m_completionReported.exchange(true))
        emit ProgramComplete(Device(), error, m_result.Versions());
    // After the report: the completion must reach the facade before the chip leaves the bus, or its
    // return would pass for the end of the programming resets.
    if (m_coldResetPending && !m_stopRequested)
        ColdReset();

    // The fail-safe may be inside its own report, which uses the object: let it finish first.
    m_failsafe->wait();
    m_failsafe.reset();
}

bool DfuThread::ValidateSuffixes()
{
    // Every image is checked, so that the log names each bad one; the first failure is reported.
    ICsrDevice* device = Device();
    bool valid = true;
    for (IFirmwareImageFile* image : m_images.List()) {
        try {
            const DfuFileSuffix::Result result =
                DfuFileSuffix::Validate(image, device->GetVendorId(), device->GetProductId(), m_indexFile,
                                        m_settings.acceptNonMatchingSuffix, m_logger);
            if (result.lengthRead)
                m_cursor.SetSuffixLength(SubIdOrderedImages::SubIdOf(image), result.length);
            if (!result.errorCode.isEmpty()) {
                SetError(result.errorCode);
                valid = false;
            }
        } catch (const OrvoException& exception) {
            SetError(exception.GetErrorCode());
            valid = false;
        }
    }
    return valid;
}

void DfuThread::MainLoop()
{
    QString repeatedCode;
    int repeats = 0;
    while (GetState() != ProgrammingDone) {
        m_failsafe->Kick();
        try {
            switch (GetState()) {
            case Initial:
                InitialCheck();
                break;
            case AppMode:
                AppModeStep();
                break;
            case DfuMode:
                DfuStep();
                break;
            case QueryingVersion:
                QCoreApplication::processEvents();
                SleepUnlessStateChanges(QueryingVersion, StatePollMs);
                break;
            case ResettingToInitialAppMode:
            case ResettingToDfuMode:
            case ResettingToFinalAppMode:
                WaitForReset(GetState());
                break;
            case ProgrammingDone:
                break;
            }
            repeats = 0;
        } catch (const OrvoException& exception) {
            SetError(exception.GetErrorCode());
            repeats = exception.GetErrorCode() == repeatedCode ? repeats + 1 : 1;
            repeatedCode = exception.GetErrorCode();
            // The same failure on every pass would only spin until the fail-safe fires.
            if (repeats >= MaxRepeatedExceptions) {
                m_logger->LogError(QStringLiteral("DfuThread: %1 on %2 passes in a row - ending programming")
                                       .arg(repeatedCode)
                                       .arg(repeats));
                SetState(ProgrammingDone);
            }
        }
    }
}

void DfuThread::SleepUnlessStateChanges(ProgrammingState state, unsigned long milliseconds)
{
    QMutexLocker lock(&m_stateMutex);
    if (GetState() == state)
        m_stateChanged.wait(&m_stateMutex, milliseconds);
}

void DfuThread::WaitForReset(ProgrammingState state)
{
    QTimer timer;
    timer.setInterval(m_settings.resetTimeoutMs);
    // The timer lives on this thread; the slot runs on the owner's, beside the reconnection slots.
    connect(&timer, &QTimer::timeout, this, &DfuThread::HandleResetTimeout);
    timer.start();
    while (GetState() == state) {
        QCoreApplication::processEvents();
        SleepUnlessStateChanges(state, StatePollMs);
    }
    timer.stop();
}

void DfuThread::CatchUpWithOwner()
{
    if (QThread::currentThread() == thread())
        return;
    auto handled = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        this, [handled] { handled->release(); }, Qt::QueuedConnection);
    QDeadlineTimer deadline(OwnerCatchUpMs);
    while (GetState() != ProgrammingDone && !deadline.hasExpired()) {
        if (handled->tryAcquire(1, static_cast<int>(StatePollMs)))
            return;
    }
}

void DfuThread::InitialCheck()
{
    CheckDfuStateThenMoveTo({Dfu::AppIdle, Dfu::AppDetach}, AppMode);
}

void DfuThread::CheckDfuStateThenMoveTo(std::initializer_list<std::uint8_t> accepted, ProgrammingState next)
{
    std::uint8_t state = 0;
    if (!m_dfu.GetState(&state)) {
        CatchUpWithOwner();
        MarkFailedThenRetryReset();
        return;
    }
    if (std::find(accepted.begin(), accepted.end(), state) != accepted.end())
        SetState(next);
    else
        RetryReset();
}

void DfuThread::SetReleaseVersion(const QString& text)
{
    if (m_marks.SetReleaseVersion(Device(), text))
        m_result.SetReleaseVersion(text);
}

void DfuThread::AppModeStep()
{
    std::uint8_t state = 0;
    if (!m_dfu.GetState(&state)) {
        CatchUpWithOwner();
        MarkFailed();
        return;
    }
    if (state == Dfu::AppIdle) {
        std::uint16_t bootMode = UpdateMarkWriter::BootModeDone;
        if (m_marks.ReadBootMode(Device(), &bootMode) && bootMode == UpdateMarkWriter::BootModeUpdating) {
            // An earlier update did not finish: nothing on the device can be trusted.
            m_walk.ForceAll();
            m_estimate->SetDeviceVersions(QStringList());
        }
        m_marks.SetBootMode(Device(), UpdateMarkWriter::BootModeUpdating);
        SetReleaseVersion(QStringLiteral("00.00.00"));
        if (!m_dfu.Detach(Dfu::DetachTimeoutMs))
            RetryReset();
    } else if (state == Dfu::AppDetach) {
        SetState(ResettingToDfuMode);
        ResetOrFail();
    } else {
        RetryReset();
    }
}

void DfuThread::StartFinalReset()
{
    SetState(ResettingToFinalAppMode);
    ResetOrFail();
    m_estimate->Publish(false);
}

void DfuThread::DfuStep()
{
    std::uint8_t state = 0;
    if (!m_dfu.GetState(&state)) {
        CatchUpWithOwner();
        MarkFailed();
        return;
    }
    std::uint32_t pollTimeoutMs = 0;
    switch (state) {
    case Dfu::DfuIdle:
        StartImage();
        break;
    case Dfu::DfuDnloadSync:
        if (m_dfu.GetStatus(nullptr, &pollTimeoutMs, nullptr))
            SleepUnlessStateChanges(DfuMode, pollTimeoutMs);
        else
            HandleDownloadError();
        break;
    case Dfu::DfuDnloadIdle:
        SendBlock();
        break;
    case Dfu::DfuManifestSync:
        if (!m_dfu.GetStatus(nullptr, &pollTimeoutMs, nullptr)) {
            HandleDownloadError();
            break;
        }
        SleepUnlessStateChanges(DfuMode, pollTimeoutMs);
        // A manifestation-tolerant device goes back to dfuIDLE and takes the next image.
        if (!(Device()->GetDfuAttributes() & Dfu::AttributeManifestationTolerant))
            StartFinalReset();
        break;
    case Dfu::DfuManifest:
        break;
    case Dfu::DfuError:
        HandleDownloadError();
        break;
    default:
        m_logger->LogError(QStringLiteral("Invalid DFU state: %1").arg(state));
        m_dfu.Abort();
        break;
    }
}

void DfuThread::StartImage()
{
    if (m_cursor.Image()) {
        if (!m_retrying)
            m_walk.PassLoadedImage();
        m_cursor.CloseAndForget();
    }
    m_estimate->RemoveLoadedImages(m_walk.Loaded());
    IFirmwareImageFile* image = m_walk.NextImage(m_result.Versions());
    if (!image) {
        StartFinalReset();
        return;
    }
    if (!image->Open()) {
        m_logger->LogError(QStringLiteral("Unable to open image file %1").arg(image->GetDescriptor()->GetFileName()));
        MarkFailed();
        m_dfu.Reset();
        return;
    }
    m_cursor.Start(image);
    QByteArray data;
    if (!m_cursor.ReadBlock(Device()->GetTransferSize(), &data) || data.isEmpty())
        return;
    m_retrying = false;
    if (!m_dfu.Download(m_cursor.TakeFirstBlockNumber(), data)) {
        HandleDownloadError();
        return;
    }
    m_estimate->AddPacket();
}

void DfuThread::SendBlock()
{
    QByteArray data;
    if (!m_cursor.ReadBlock(Device()->GetTransferSize(), &data))
        return;
    // Nothing left: the zero-length block that ends the image.
    if (data.isEmpty())
        m_cursor.CloseFile();
    if (!m_dfu.Download(m_cursor.TakeNextBlockNumber(), data)) {
        HandleDownloadError();
        return;
    }
    if (!data.isEmpty())
        m_estimate->AddPacket();
}

void DfuThread::HandleDownloadError()
{
    CatchUpWithOwner();
    m_retrying = true;
    if (m_retriesLeft.fetch_sub(1) <= 0) {
        m_logger->LogError(QStringLiteral("Retries exceeded - ending programming"));
        MarkFailed();
        return;
    }
    m_logger->LogWarning(QStringLiteral("Error occurred during DFU download - retrying"));
    m_cursor.Rewind();
    m_estimate->RemoveLoadedImages(m_walk.Loaded());
    m_dfu.ClearStatus();
    DfuModeCheck();
}

void DfuThread::DfuModeCheck()
{
    CheckDfuStateThenMoveTo({Dfu::DfuIdle}, DfuMode);
}

void DfuThread::ColdReset()
{
    m_logger->LogError(QStringLiteral("Cold reset - the following control transfer errors are expected"));
    m_bcCmd.BcCmdSet(Device(), BcCmd::VaridColdReset, QByteArray(), g_coldResetTimeoutMs);
}

} // namespace OrvoCommon
