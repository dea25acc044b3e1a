#include "device/DfuThread.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/OrvoException.h"
#include "device/BcCmdConstants.h"
#include "device/DeviceServices.h"
#include "device/DfuConstants.h"
#include "device/DfuFileSuffix.h"
#include "device/FailsafeTimerThread.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/PsKeys.h"
#include "device/QueryInfo.h"
#include "device/QueryVersionThread.h"
#include "device/ReleaseVersionKey.h"
#include "device/TimerThread.h"
#include "device/UpdateProgressEstimate.h"
#include "device/WireWords.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "firmware/IIndexFile.h"
#include "firmware/VersionNumbers.h"
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
#include <climits>

namespace OrvoCommon {

namespace {

constexpr int ProgressTickMs = 200;
constexpr unsigned long StatePollMs = 100;
constexpr int TimerStopWaitMs = 400;
constexpr std::uint16_t BootModeDone = 1;
constexpr std::uint16_t BootModeUpdating = 0;
constexpr int BootModeSize = 2;
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

int ConfiguredInt(const char* key, unsigned defaultValue)
{
    return static_cast<int>(
        std::min<unsigned>(GetConfiguration()->GetNumber(QLatin1String(key), defaultValue), INT_MAX));
}

bool IsResetting(int state)
{
    return state == DfuThread::ResettingToInitialAppMode || state == DfuThread::ResettingToDfuMode ||
           state == DfuThread::ResettingToFinalAppMode;
}

int SubIdOf(const IFirmwareImageFile* image)
{
    return image->GetDescriptor()->GetSubId();
}

// Two characters as the chip stores them in one word: the first in the high byte.
std::uint16_t CharacterWord(const QString& pair)
{
    return static_cast<std::uint16_t>((pair.at(0).toLatin1() << 8) | static_cast<std::uint8_t>(pair.at(1).toLatin1()));
}

} // namespace

DfuThread::DfuThread(ICsrDevice* device, const IIndexFile* indexFile, const FirmwareImageList& images, bool manualMode,
                     const QList<QString>& deviceVersions)
    : m_logger(RequireLogger()), m_indexFile(indexFile), m_images(images), m_manualMode(manualMode),
      m_resetTimeoutMs(std::max(1, ConfiguredInt(ConfigKeys::ResetTimeout, ConfigKeys::ResetTimeoutDefault))),
      m_sequenceRetries(ConfiguredInt(ConfigKeys::SequenceRetries, ConfigKeys::SequenceRetriesDefault)),
      m_failsafeSeconds(ConfiguredInt(ConfigKeys::FailsafeTimeout, ConfigKeys::FailsafeTimeoutDefault) / 1000),
      m_acceptNonMatchingSuffix(GetConfiguration()->GetBool(QLatin1String(ConfigKeys::AcceptNonMatchingDfuSuffix),
                                                            ConfigKeys::AcceptNonMatchingDfuSuffixDefault)),
      m_hciTimeoutMs(ConfiguredInt(ConfigKeys::HciTimeout, ConfigKeys::HciTimeoutDefault)),
      m_estimate(std::make_unique<UpdateProgressEstimate>()), m_device(device), m_versions(deviceVersions)
{
    RequireTestSwitches();
    RegisterDeviceMetaTypes();
    ++g_liveCount;
    m_dfu.SetMessageRetries(ConfiguredInt(ConfigKeys::MessageRetries, ConfigKeys::MessageRetriesDefault));

    // Lowest sub ID first: the download walk and the version check both go by position.
    for (int i = 0; i < m_images.size(); ++i) {
        for (int j = i + 1; j < m_images.size(); ++j) {
            if (SubIdOf(m_images.at(j)) < SubIdOf(m_images.at(i)))
                m_images.swapItemsAt(i, j);
        }
    }

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
    bool first = false;
    {
        QMutexLocker lock(&m_resultMutex);
        first = m_error.isEmpty();
        if (first)
            m_error = code;
    }
    if (first)
        m_logger->LogError(QStringLiteral("DfuThread error changed to %1").arg(code));
    else
        m_logger->LogError(QStringLiteral("DfuThread error attempted to change to %1").arg(code));
}

void DfuThread::SetErrorIfNone(const QString& code)
{
    if (Error().isEmpty())
        SetError(code);
}

QString DfuThread::Error() const
{
    QMutexLocker lock(&m_resultMutex);
    return m_error;
}

QList<QString> DfuThread::Versions() const
{
    QMutexLocker lock(&m_resultMutex);
    return m_versions;
}

void DfuThread::Fail()
{
    // A device that has left fails the request at once, before its removal notice comes: the run ends
    // as disconnected, not as a programming error. After a reset of ours it is closed on purpose.
    const int state = GetState();
    if (!Device()->IsOpen() && !IsResetting(state) && state != ProgrammingDone) {
        OnDeviceDisconnected(Device());
        return;
    }
    SetError(QLatin1String(ErrorCodes::ProgrammingError));
    SetState(ProgrammingDone);
}

void DfuThread::ResetOrFail()
{
    if (!m_dfu.Reset())
        Fail();
}

void DfuThread::RetryReset()
{
    SetState(ResettingToInitialAppMode);
    if (m_retriesLeft.fetch_sub(1) <= 0) {
        Fail();
        return;
    }
    ResetOrFail();
}

void DfuThread::TakeDevice(ICsrDevice* device)
{
    m_device = device;
    m_dfu.SetDevice(device);
}

void DfuThread::run()
{
    m_logger->LogError(QStringLiteral("Starting firmware update"));
    m_retriesLeft = m_sequenceRetries;

    ICsrDevice* device = Device();
    m_estimate->SetTransferSize(device->GetTransferSize());
    m_estimate->SetImages(m_images);
    QStringList estimateVersions = Versions().mid(1);
    if (m_manualMode) {
        for (const IFirmwareImageFile* image : qAsConst(m_images)) {
            const int subId = SubIdOf(image);
            if (image->GetDescriptor()->IsForced() && subId < estimateVersions.size())
                estimateVersions[subId].clear();
        }
    }
    m_estimate->SetDeviceVersions(estimateVersions);
    emit ProgramProgress(device, 0, false);

    TimerThread progressTimer(ProgressTickMs);
    connect(&progressTimer, &TimerThread::Tick, this, &DfuThread::OnProgressTimer, Qt::DirectConnection);
    m_failsafe = std::make_unique<FailsafeTimerThread>(m_failsafeSeconds);
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

    CloseCurrentImage(true);
    progressTimer.Stop();
    progressTimer.wait(TimerStopWaitMs);
    m_failsafe->Stop();

    const QString error = Error();
    if (m_stopRequested)
        m_logger->LogError(QStringLiteral("Firmware update abandoned - the program is ending"));
    else if (!error.isEmpty())
        m_logger->LogError(QStringLiteral("Firmware update aborted due to errors"));
    else
        m_logger->LogError(QStringLiteral("Firmware update successfully completed"));
    if (!m_completionReported.exchange(true))
        emit ProgramComplete(Device(), error, Versions());
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
    for (IFirmwareImageFile* image : qAsConst(m_images)) {
        try {
            const DfuFileSuffix::Result result = DfuFileSuffix::Validate(
                image, device->GetVendorId(), device->GetProductId(), m_indexFile, m_acceptNonMatchingSuffix, m_logger);
            if (result.lengthRead)
                m_suffixLengths.insert(SubIdOf(image), result.length);
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
    timer.setInterval(m_resetTimeoutMs);
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
        Fail();
        RetryReset();
        return;
    }
    if (std::find(accepted.begin(), accepted.end(), state) != accepted.end())
        SetState(next);
    else
        RetryReset();
}

bool DfuThread::ReadBootMode(std::uint16_t* bootMode)
{
    QByteArray value;
    if (!m_bcCmd.GetPsKey(Device(), PsKeys::BootMode, m_hciTimeoutMs, &value)) {
        m_logger->LogError(QStringLiteral("Unable to get boot mode"));
        return false;
    }
    if (value.size() < BootModeSize) {
        m_logger->LogError(QStringLiteral("Boot mode data size is too small - %1").arg(value.size()));
        return false;
    }
    *bootMode = WordAt(value, 0);
    m_logger->LogInformation(QStringLiteral("Read boot mode is %1").arg(*bootMode));
    return true;
}

void DfuThread::SetBootMode(std::uint16_t bootMode)
{
    QByteArray value;
    AppendWord(&value, bootMode);
    if (m_bcCmd.SetPsKey(Device(), PsKeys::BootMode, m_hciTimeoutMs, value))
        m_logger->LogInformation(QStringLiteral("Set boot mode to %1").arg(bootMode));
    else
        m_logger->LogError(QStringLiteral("Unable to set boot mode to %1").arg(bootMode));
}

bool DfuThread::SetReleaseVersion(const QString& text)
{
    QByteArray value;
    if (GetConfiguration()->HasAsciiVersionNumber()) {
        QString field1, field2, field3;
        if (!ParseAsciiVersion(text, &field1, &field2, &field3))
            return false;
        AppendWord(&value, CharacterWord(field1));
        AppendWord(&value, CharacterWord(field2));
        AppendWord(&value, CharacterWord(field3));
    } else {
        short major = 0, minor = 0;
        QString build;
        if (!ParseVersion(text, &major, &minor, &build))
            return false;
        AppendWord(&value, static_cast<std::uint16_t>(((major & 0xFF) << 8) | (minor & 0xFF)));
        AppendWord(&value, CharacterWord(build));
    }
    ICsrDevice* device = Device();
    if (!m_bcCmd.SetPsKey(device, ReleaseVersionKey::ForProduct(device->GetProductId()), m_hciTimeoutMs, value)) {
        m_logger->LogError(QStringLiteral("Unable to set release version to %1").arg(text));
        return false;
    }
    m_logger->LogInformation(QStringLiteral("Set release version to %1").arg(text));
    QMutexLocker lock(&m_resultMutex);
    if (m_versions.isEmpty())
        m_versions.append(text);
    else
        m_versions[0] = text;
    return true;
}

void DfuThread::AppModeStep()
{
    std::uint8_t state = 0;
    if (!m_dfu.GetState(&state)) {
        CatchUpWithOwner();
        Fail();
        return;
    }
    if (state == Dfu::AppIdle) {
        std::uint16_t bootMode = BootModeDone;
        if (ReadBootMode(&bootMode) && bootMode == BootModeUpdating) {
            // An earlier update did not finish: nothing on the device can be trusted.
            m_forceAll = true;
            m_estimate->SetDeviceVersions(QStringList());
        }
        SetBootMode(BootModeUpdating);
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
        Fail();
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

bool DfuThread::NeedsProgramming(int subId, const IFirmwareImageFile* image, const QString& deviceVersion) const
{
    if (m_loaded.contains(subId))
        return false;
    if (m_manualMode && image->GetDescriptor()->IsForced())
        return true;
    if (m_forceAll || deviceVersion.isEmpty())
        return true;
    return m_indexFile->CompareVersions(image->GetDescriptor()->GetImageRevision(), deviceVersion) != 0;
}

IFirmwareImageFile* DfuThread::NextImage()
{
    const QList<QString> versions = Versions();
    for (;;) {
        if (m_subIndex < 0 || m_subIndex > 0xFFFF)
            return nullptr;
        IFirmwareImageFile* image = FindImageBySubId(m_images, static_cast<std::uint16_t>(m_subIndex));
        if (!image)
            return nullptr;
        if (NeedsProgramming(m_subIndex, image, versions.value(m_subIndex + 1))) {
            m_logger->LogInformation(QStringLiteral("Sending file %1").arg(image->GetDescriptor()->GetFileName()));
            return image;
        }
        ++m_subIndex;
    }
}

std::uint32_t DfuThread::BodyLength(const IFirmwareImageFile* image) const
{
    const std::uint32_t length = image->GetDescriptor()->GetLength();
    const std::uint32_t suffix = m_suffixLengths.value(SubIdOf(image), 0);
    return length > suffix ? length - suffix : 0;
}

void DfuThread::SetCurrentImage(IFirmwareImageFile* image)
{
    QMutexLocker lock(&m_imageMutex);
    m_currentImage = image;
}

IFirmwareImageFile* DfuThread::CurrentImage() const
{
    QMutexLocker lock(&m_imageMutex);
    return m_currentImage;
}

void DfuThread::CloseCurrentImage(bool forget)
{
    QMutexLocker lock(&m_imageMutex);
    if (m_currentImage)
        m_currentImage->Close();
    if (forget)
        m_currentImage = nullptr;
}

bool DfuThread::ReadBlock(QByteArray* data)
{
    // Under the image lock: the fail-safe may close the image from its own thread.
    QMutexLocker lock(&m_imageMutex);
    if (!m_currentImage)
        return false;
    const std::uint32_t count = std::min<std::uint32_t>(m_remainingBytes, Device()->GetTransferSize());
    *data = count > 0 ? m_currentImage->Read(static_cast<std::uint16_t>(count)) : QByteArray();
    m_remainingBytes -= std::min<std::uint32_t>(m_remainingBytes, static_cast<std::uint32_t>(data->size()));
    return true;
}

void DfuThread::StartImage()
{
    if (CurrentImage()) {
        if (!m_retrying) {
            m_loaded.insert(m_subIndex);
            ++m_subIndex;
        }
        CloseCurrentImage(true);
    }
    m_estimate->RemoveLoadedImages(m_loaded);
    IFirmwareImageFile* image = NextImage();
    if (!image) {
        StartFinalReset();
        return;
    }
    if (!image->Open()) {
        m_logger->LogError(QStringLiteral("Unable to open image file %1").arg(image->GetDescriptor()->GetFileName()));
        Fail();
        m_dfu.Reset();
        return;
    }
    SetCurrentImage(image);
    m_remainingBytes = BodyLength(image);
    QByteArray data;
    if (!ReadBlock(&data) || data.isEmpty())
        return;
    m_retrying = false;
    m_nextBlock = 1;
    if (!m_dfu.Download(0, data)) {
        HandleDownloadError();
        return;
    }
    m_estimate->AddPacket();
}

void DfuThread::SendBlock()
{
    QByteArray data;
    if (!ReadBlock(&data))
        return;
    // Nothing left: the zero-length block that ends the image.
    if (data.isEmpty())
        CloseCurrentImage(false);
    const std::uint16_t block = m_nextBlock.fetch_add(1);
    if (!m_dfu.Download(block, data)) {
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
        Fail();
        return;
    }
    m_logger->LogWarning(QStringLiteral("Error occurred during DFU download - retrying"));
    if (const IFirmwareImageFile* image = CurrentImage())
        m_remainingBytes = BodyLength(image);
    CloseCurrentImage(false);
    m_estimate->RemoveLoadedImages(m_loaded);
    m_dfu.ClearStatus();
    DfuModeCheck();
}

void DfuThread::DfuModeCheck()
{
    CheckDfuStateThenMoveTo({Dfu::DfuIdle}, DfuMode);
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
            Fail();
            RetryReset();
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
            Fail();
            return;
        }
        SetBootMode(BootModeDone);
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
        Fail();
        return;
    }
    ResetOrFail();
}

bool DfuThread::CheckVersions(const QList<QString>& versions)
{
    if (versions.size() <= 2 || versions.at(1).isEmpty() || versions.at(2).isEmpty()) {
        m_logger->LogError(QStringLiteral("CheckVersions: Required versions are not present"));
        SetError(QLatin1String(ErrorCodes::PostReconnectQueryFailed));
        return false;
    }
    for (int i = 1; i < versions.size() && m_images.size() >= i; ++i) {
        const QString expected = m_images.at(i - 1)->GetDescriptor()->GetImageRevision();
        if (m_indexFile->CompareVersions(versions.at(i), expected) != 0) {
            m_logger->LogError(QStringLiteral("Version mismatch for sub ID %1: expected %2, actual %3")
                                   .arg(i - 1)
                                   .arg(expected, versions.at(i)));
            SetError(QLatin1String(ErrorCodes::PostReconnectMismatch));
            return false;
        }
    }
    return true;
}

void DfuThread::OnQueryVersionsComplete(ICsrDevice* /*device*/, QList<QString> versions, QString error)
{
    if (GetState() != QueryingVersion)
        return;
    if (error.isEmpty() || error == QLatin1String(ErrorCodes::GetVersionError)) {
        {
            QMutexLocker lock(&m_resultMutex);
            m_versions = versions;
        }
        try {
            if (CheckVersions(versions) && !m_images.isEmpty())
                SetReleaseVersion(m_images.first()->GetDescriptor()->GetReleaseRevision());
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

void DfuThread::ColdReset()
{
    m_logger->LogError(QStringLiteral("Cold reset - the following control transfer errors are expected"));
    m_bcCmd.BcCmdSet(Device(), BcCmd::VaridColdReset, QByteArray(), g_coldResetTimeoutMs);
}

void DfuThread::OnFailsafeTimer()
{
    m_failsafe->Stop();
    m_logger->LogError(QStringLiteral("Thread locked up... ending update"));
    SetErrorIfNone(QLatin1String(ErrorCodes::ProgrammingError));
    const bool report = !m_completionReported.exchange(true);
    SetState(ProgrammingDone);
    CloseCurrentImage(true);
    if (report)
        emit ProgramComplete(Device(), Error(), Versions());
}

void DfuThread::OnProgressTimer()
{
    // Blocks move the estimate while an image is on its way; time moves it otherwise.
    if (m_nextBlock != 0 && m_remainingBytes != 0)
        return;
    m_estimate->AddElapsed(ProgressTickMs);
}

void DfuThread::EmitProgramProgress(short progress)
{
    const int state = GetState();
    emit ProgramProgress(Device(), progress, state == ResettingToFinalAppMode || state == QueryingVersion);
}

} // namespace OrvoCommon
