// tessary-update: updates one headset without the wizard. It takes the firmware index from the
// program folder (or the maker's server), waits for a headset, reads its identity and versions,
// programs the newest release for it and confirms the versions the headset reports afterwards. A
// headset found in its boot loader (an earlier update did not finish) is programmed the same way,
// which brings it back. With --list it only reports the headsets and what the index offers for each;
// --json turns the outcome into one JSON document for scripts.
// It drives the same engine the wizard and the scripts use, on the simulated headset
// (UsbBackend "simulator") as on a real one.

#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/EventLoopWait.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/StopSignals.h"
#include "app/TempFileList.h"
#include "device/DeviceEngine.h"
#include "device/IPelarin.h"
#include "device/PelarinFactory.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbIds.h"
#include "device/QueryInfo.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/FirmwareProcessingFactory.h"
#include "firmware/IFirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "firmware/VersionNumbers.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tools/HeadsetSurvey.h"
#include "tools/UpdateReport.h"
#include "usb/linux/LinuxPlatformServices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <functional>

using namespace OrvoCommon;
using UpdatePelarin::IPelarin;

namespace {

// Scripts rely on these; --help and the README list them.
enum ExitCode
{
    ExitOk = 0,
    ExitFailed = 1,
    ExitUsage = 2,
    ExitNoHeadset = 3,
    ExitSeveralHeadsets = 4,
    ExitNoIndex = 5,
    ExitNoImages = 6,
    ExitProgrammingFailed = 7,
    ExitNoRelease = 8,
    ExitStoppedAtOnce = 9,
};

const char ExitStatusHelp[] =
    "Exit status:\n"
    "  0   updated, or up to date already; with --list: the headsets were listed\n"
    "  1   another failure\n"
    "  2   wrong command line\n"
    "  3   no headset became ready within the wait\n"
    "  4   several headsets are connected (update one at a time)\n"
    "  5   no firmware index: not found, not downloadable, damaged or not authentic\n"
    "  6   the firmware images could not be downloaded or were refused\n"
    "  7   programming failed, or the headset did not come back with the new release\n"
    "  8   the firmware index offers no release (or not the one asked for) for the headset\n"
    "  9   stopped by a signal, but not cleanly: a further signal ended it at once, or the\n"
    "      device engine did not end in time\n"
    "  128+N  stopped by signal N: 130 for SIGINT (Ctrl-C), 143 for SIGTERM\n"
    "\n"
    "Stopping:\n"
    "  SIGINT or SIGTERM stops it cleanly. While images are being written the first one is\n"
    "  answered with a warning and the update is finished (stopped then, the headset would stay\n"
    "  in its update mode); a second one stops it.\n";

// Error codes of the tool's own, beside the engine's.
constexpr char NoHeadsetCode[] = "no-headset";
constexpr char NoAnswerCode[] = "no-answer";
constexpr char NoReleaseCode[] = "no-release";
constexpr char NotConfirmedCode[] = "not-confirmed";
constexpr char StoppedCode[] = "stopped";
constexpr char TimeOutCode[] = "time-out";
constexpr char BadArgumentsCode[] = "bad-arguments";

QString SignalName(int signal)
{
    return signal == SIGINT    ? QStringLiteral("SIGINT")
           : signal == SIGTERM ? QStringLiteral("SIGTERM")
                               : QStringLiteral("signal %1").arg(signal);
}

UpdateOutcome Failure(int exitCode, const QString& code, const QString& message, const QString& text)
{
    return UpdateOutcome{exitCode, QStringLiteral("failed"), code, message, text};
}

// A failed acquisition or programming run: the engine's code and message, or a time-out.
UpdateOutcome EngineFailure(int exitCode, const QString& what, const ExceptionPtr& exception)
{
    if (!exception)
        return Failure(exitCode, QLatin1String(TimeOutCode), what + QStringLiteral(" took too long"),
                       what + QStringLiteral(": time-out"));
    return Failure(exitCode, exception->GetErrorCode(), exception->GetMessage(),
                   what + QStringLiteral(": ") + exception->GetErrorCode() + QStringLiteral(": ") +
                       exception->GetMessage());
}

class HeadlessUpdate
{
public:
    struct Options
    {
        int waitMs = 60000;
        bool force = false;
        QString release;
        bool list = false;
    };

    HeadlessUpdate(const Options& options, UpdateReport* report, StopSignals* stops)
        : m_options(options), m_report(report)
    {
        QObject::connect(stops, &StopSignals::Received, &m_context, [this](int signal) { OnStopSignal(signal); });
    }

    UpdateOutcome Run()
    {
        IConfiguration* configuration = GetConfiguration();
        SetAsciiVersionFormat(configuration->HasAsciiVersionNumber());
        if (!m_options.release.isEmpty() && !IsValidVersion(m_options.release)) {
            const QString message = QStringLiteral("--release %1 is not a version").arg(m_options.release);
            return Failure(ExitUsage, QLatin1String(BadArgumentsCode), message, message);
        }
        IIndexFile* index = nullptr;
        ExceptionPtr failure;
        const Wait indexWait = AcquireIndexFile(configuration, &index, &failure);
        if (indexWait == Wait::Stopped)
            return Stopped();
        if (!index)
            return EngineFailure(ExitNoIndex, QStringLiteral("No firmware index"), failure);

        // The survey listens first: the facade's queries of a headset in its boot loader are refused,
        // and so answered, inside the facade's own handling of the arrival.
        HeadsetSurvey survey(PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriver());
        IPelarin* facade = UpdatePelarin::PelarinFactory::CreatePelarin();
        facade->RegisterDeviceDetection(index);
        return m_options.list ? List(index, survey) : Update(index, facade, survey);
    }

    int StopSignal() const { return m_stopSignal; }

private:
    enum class Wait
    {
        Done,
        TimedOut,
        Stopped,
    };

    Wait Await(const std::function<bool()>& condition, int timeoutMs)
    {
        const bool done = ProcessEventsUntil([&] { return m_stopSignal != 0 || condition(); }, timeoutMs);
        return m_stopSignal != 0 ? Wait::Stopped : done ? Wait::Done : Wait::TimedOut;
    }

    void OnStopSignal(int signal)
    {
        if (m_stopSignal != 0)
            return;
        if (m_programming && !m_warned) {
            m_warned = true;
            m_report->Warn(QStringLiteral("%1: stopping now would leave the headset in its update mode, where it "
                                          "does not work. Finishing the update; send the signal again to stop "
                                          "anyway.")
                               .arg(SignalName(signal)));
            return;
        }
        m_stopSignal = signal;
        StopSignals::EndAtOnceOnNextSignal();
    }

    UpdateOutcome Stopped() const
    {
        QString text = QStringLiteral("Stopped by %1").arg(SignalName(m_stopSignal));
        if (m_programming)
            text += QStringLiteral(" while programming: the headset stays in its update mode until tessary-update "
                                   "runs again");
        return UpdateOutcome{128 + m_stopSignal, QStringLiteral("stopped"), QLatin1String(StoppedCode), text, text};
    }

    UpdateOutcome NoHeadset() const
    {
        const QString text = QStringLiteral("No headset became ready within %1 s").arg(m_options.waitMs / 1000);
        return Failure(ExitNoHeadset, QLatin1String(NoHeadsetCode), text, text);
    }

    UpdateOutcome List(const IIndexFile* index, const HeadsetSurvey& survey)
    {
        m_report->Say(QStringLiteral("Looking for headsets..."));
        const Wait wait = Await([&survey] { return survey.AllRead(); }, m_options.waitMs);
        if (wait == Wait::Stopped)
            return Stopped();
        if (survey.Present().isEmpty())
            return NoHeadset();
        int number = 0;
        for (SurveyedHeadset headset : survey.Present()) {
            QString errorMessage;
            if (!headset.read) {
                headset.error = QLatin1String(NoAnswerCode);
                errorMessage = QStringLiteral("The headset did not answer within the wait");
            } else if (!headset.error.isEmpty()) {
                errorMessage = QStringLiteral("Reading the headset failed");
            }
            const QString name = index->GetProductName(headset.productId);
            const QStringList offered = index->GetVersions(headset.Identity());
            const QString newest = index->GetNewestVersion(headset.Identity());
            const QString release = headset.Release();
            const bool updateAvailable = !newest.isEmpty() && (headset.updateMode || !IsValidVersion(release) ||
                                                               CompareVersions(newest, release) > 0);
            m_report->AddListed(headset, name, offered, newest, updateAvailable, errorMessage);

            QString line = QStringLiteral("Headset %1: %2 (%3:%4), ")
                               .arg(++number)
                               .arg(name.isEmpty() ? QStringLiteral("unknown product") : name)
                               .arg(headset.vendorId, 4, 16, QLatin1Char('0'))
                               .arg(headset.productId, 4, 16, QLatin1Char('0'));
            line += headset.updateMode ? QStringLiteral("update mode (an earlier update did not finish)")
                                       : QStringLiteral("application mode");
            line += QStringLiteral(", hardware %1").arg(headset.hardwareRevision);
            if (!release.isEmpty())
                line += QStringLiteral(", release %1").arg(release);
            if (!headset.info.serialNumber.isEmpty())
                line += QStringLiteral(", serial %1").arg(headset.info.serialNumber);
            if (!errorMessage.isEmpty())
                line += QStringLiteral(", not read: %1").arg(headset.error);
            if (offered.isEmpty())
                line += QStringLiteral("; the firmware index offers nothing for it");
            else
                line += QStringLiteral("; offered %1; %2")
                            .arg(offered.join(QStringLiteral(", ")),
                                 updateAvailable ? QStringLiteral("%1 would be programmed").arg(newest)
                                                 : QStringLiteral("up to date"));
            m_report->Say(line);
        }
        return UpdateOutcome{ExitOk, QStringLiteral("listed"), QString(), QString(), QString()};
    }

    UpdateOutcome Update(IIndexFile* index, IPelarin* facade, const HeadsetSurvey& survey)
    {
        m_report->Say(QStringLiteral("Waiting for a headset..."));
        Wait wait = Await([facade] { return facade->IsReady() > 0; }, m_options.waitMs);
        if (wait == Wait::Stopped)
            return Stopped();
        if (wait == Wait::TimedOut)
            return NoHeadset();
        try {
            facade->LockInCurrentDevice();
        } catch (const OrvoException& exception) {
            const bool several = exception.GetErrorCode() == QLatin1String(ErrorCodes::MultipleDevices);
            const QString text = several ? QStringLiteral("Several headsets are connected: connect only the one to "
                                                          "update")
                                         : exception.GetMessage();
            return Failure(several ? ExitSeveralHeadsets : ExitNoHeadset, exception.GetErrorCode(),
                           exception.GetMessage(), text);
        }
        const ProductIdentity identity = facade->GetOrvoProductId();
        const QString current = facade->GetReleaseVersion();
        const SurveyedHeadset found = Found(survey, identity);
        const QString name = index->GetProductName(identity.productId);
        m_report->SetDevice(found, name);
        QString headline = QStringLiteral("Headset %1 (0x%2), hardware %3")
                               .arg(name)
                               .arg(identity.productId, 0, 16)
                               .arg(identity.hardwareRevision);
        if (found.updateMode)
            headline += QStringLiteral(", is in its update mode: an earlier update did not finish");
        else
            headline += QStringLiteral(", release %1, serial %2").arg(current, facade->GetDeviceInfo().serialNumber);
        m_report->Say(headline);

        const QString newest = index->GetNewestVersion(identity);
        const QString target = m_options.release.isEmpty() ? newest : m_options.release;
        if (target.isEmpty() || !index->GetVersions(identity).contains(target)) {
            const QString text =
                target.isEmpty()
                    ? QStringLiteral("The firmware index offers no release for this headset")
                    : QStringLiteral("The firmware index offers no release %1 for this headset").arg(target);
            return Failure(ExitNoRelease, QLatin1String(NoReleaseCode), text, text);
        }
        m_report->SetTarget(target);
        if (!found.updateMode && !m_options.force && IsValidVersion(current) && CompareVersions(target, current) <= 0) {
            const QString text = QStringLiteral("Release %1 is up to date (newest offered: %2)").arg(current, newest);
            return UpdateOutcome{ExitOk, QStringLiteral("up-to-date"), QString(), QString(), text};
        }

        FirmwareImageList images;
        ExceptionPtr failure;
        wait = AcquireImages(index->GetImageDescriptors(target, identity), &images, &failure);
        if (wait == Wait::Stopped)
            return Stopped();
        if (images.isEmpty() || failure)
            return EngineFailure(ExitNoImages, QStringLiteral("No firmware images"), failure);
        m_report->Say(QStringLiteral("Firmware images: %1 checked").arg(images.size()));

        wait = Program(facade, images, target, &failure);
        if (wait == Wait::Stopped)
            return Stopped();
        if (wait == Wait::TimedOut || failure)
            return EngineFailure(ExitProgrammingFailed, QStringLiteral("Programming failed"), failure);

        // The cold reset at the end takes the headset off the bus; it comes back updated, and is read
        // afresh. (Until then the facade shows what programming wrote into the device it adopted on
        // the way through the resets, under the identity the headset had before.)
        facade->ReleaseCurrentDevice();
        SurveyedHeadset updated;
        wait = Await([&] { return ReadBackWith(survey, target, &updated); }, m_options.waitMs);
        if (wait == Wait::Stopped)
            return Stopped();
        if (wait == Wait::TimedOut) {
            const QString text = QStringLiteral("The headset did not come back with release %1").arg(target);
            return Failure(ExitProgrammingFailed, QLatin1String(NotConfirmedCode), text, text);
        }
        m_report->SetAfter(updated.versions);
        return UpdateOutcome{ExitOk, QStringLiteral("updated"), QString(), QString(),
                             QStringLiteral("Updated: the headset reports release %1").arg(updated.Release())};
    }

    static bool ReadBackWith(const HeadsetSurvey& survey, const QString& release, SurveyedHeadset* found)
    {
        for (const SurveyedHeadset& headset : survey.Present()) {
            if (headset.read && !headset.updateMode && headset.Release() == release) {
                *found = headset;
                return true;
            }
        }
        return false;
    }

    // The survey's record of the facade's one headset.
    static SurveyedHeadset Found(const HeadsetSurvey& survey, const ProductIdentity& identity)
    {
        for (const SurveyedHeadset& headset : survey.Present()) {
            if (headset.productId == identity.productId && headset.read)
                return headset;
        }
        SurveyedHeadset unknown;
        unknown.vendorId = UpdatePelarin::OrvoUsbVendorId;
        unknown.productId = identity.productId;
        unknown.hardwareRevision = identity.hardwareRevision;
        return unknown;
    }

    Wait AcquireIndexFile(IConfiguration* configuration, IIndexFile** index, ExceptionPtr* failure)
    {
        IFirmwareProcessing* firmware = Firmware();
        bool done = false;
        QObject::connect(firmware, &IFirmwareProcessing::AcquireIndexFileComplete, &m_context,
                         [&](IIndexFile* indexFile, ExceptionPtr exception) {
                             *index = indexFile;
                             *failure = exception;
                             done = true;
                         });
        firmware->AcquireIndexFile(configuration->GetIndexFileName(), configuration->GetIndexFileHost(),
                                   configuration->GetIndexFilePath());
        const Wait wait = Await([&] { return done; }, m_options.waitMs);
        QObject::disconnect(firmware, nullptr, &m_context, nullptr);
        if (wait != Wait::Done)
            *index = nullptr;
        return wait;
    }

    Wait AcquireImages(const FirmwareImageDescriptorList& descriptors, FirmwareImageList* images, ExceptionPtr* failure)
    {
        IFirmwareProcessing* firmware = Firmware();
        bool done = false;
        QObject::connect(firmware, &IFirmwareProcessing::AcquireFirmwareImageFilesComplete, &m_context,
                         [&](FirmwareImageList files, ExceptionPtr exception) {
                             *images = files;
                             *failure = exception;
                             done = true;
                         });
        firmware->AcquireImageFiles(descriptors);
        const Wait wait = Await([&] { return done; }, m_options.waitMs);
        QObject::disconnect(firmware, nullptr, &m_context, nullptr);
        if (wait != Wait::Done)
            images->clear();
        return wait;
    }

    Wait Program(IPelarin* facade, const FirmwareImageList& images, const QString& target, ExceptionPtr* failure)
    {
        bool done = false;
        int reported = -10;
        QObject::connect(facade, &IPelarin::ProgramProgress, &m_context, [&](short progress, bool verifying) {
            if (progress >= reported + 10 || (verifying && progress == 100)) {
                reported = progress;
                m_report->Say(QStringLiteral("%1 %2 %")
                                  .arg(verifying ? QLatin1String("Verifying") : QLatin1String("Programming"))
                                  .arg(progress));
            }
        });
        QObject::connect(facade, &IPelarin::ProgramFirmwareComplete, &m_context, [&](ExceptionPtr exception) {
            *failure = exception;
            done = true;
        });
        m_report->Say(QStringLiteral("Programming release %1...").arg(target));
        m_programming = true;
        facade->ProgramFirmwareAsync(images, m_options.force);
        // The engine's own fail-safe and reset time-outs end a stalled run; this only guards the tool.
        const Wait wait = Await([&] { return done; }, 30 * 60 * 1000);
        QObject::disconnect(facade, nullptr, &m_context, nullptr);
        // Stopped, the run is abandoned where it stands: the headset stays in its update mode.
        if (wait != Wait::Stopped)
            m_programming = false;
        return wait;
    }

    IFirmwareProcessing* Firmware() { return FirmwareProcessingFactory::CreateFirmwareProcessing(); }

    const Options m_options;
    UpdateReport* m_report;
    int m_stopSignal = 0;
    bool m_programming = false;
    bool m_warned = false;
    // Receiver of this run's connections, so they go with it.
    QObject m_context;
};

int ParseWait(const QString& text, bool* ok)
{
    const int seconds = text.toInt(ok);
    *ok = *ok && seconds >= 0 && seconds <= 24 * 3600;
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Updates an Orvo headset without the wizard, with the firmware and Config.xml of the program "
                       "folder (TESSARY_APP_DIR overrides it). A headset found in its update mode, where an "
                       "interrupted update left it, is programmed anew, which brings it back."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption wait(QStringLiteral("wait"), QStringLiteral("Seconds to wait for a headset (default 60)."),
                                  QStringLiteral("seconds"), QStringLiteral("60"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Program every image even when the headset is up to date."));
    const QCommandLineOption release(QStringLiteral("release"),
                                     QStringLiteral("The release to program instead of the newest."),
                                     QStringLiteral("version"));
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("Only list the connected headsets (mode, product, hardware, release, "
                                                 "serial) and what the firmware index offers for each."));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QStringLiteral("Print the outcome as one JSON document on standard output (progress goes to standard error): "
                       "command, result, exitCode, error {code, message}; for an update device, target, before and "
                       "after; for --list: headsets."));
    parser.addOptions({help, wait, force, release, list, json});
    if (!parser.parse(application.arguments())) {
        QTextStream(stderr) << "tessary-update: " << parser.errorText() << "\nTry tessary-update --help.\n";
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText() << '\n' << ExitStatusHelp;
        return ExitOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        QTextStream(stderr) << "tessary-update: unexpected argument " << parser.positionalArguments().first()
                            << "\nTry tessary-update --help.\n";
        return ExitUsage;
    }
    HeadlessUpdate::Options options;
    bool waitOk = false;
    options.waitMs = ParseWait(parser.value(wait), &waitOk) * 1000;
    if (!waitOk) {
        QTextStream(stderr) << "tessary-update: --wait takes a number of seconds\n";
        return ExitUsage;
    }
    options.force = parser.isSet(force);
    options.release = parser.value(release);
    options.list = parser.isSet(list);

    LinkLinuxSystemInfoReader();
    LinkLinuxUsbPlatformServices();
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();
    RegisterDeviceMetaTypes();

    // Downloads are registered in this list and go at exit, so that no run works from what an
    // earlier one fetched; what a killed run left behind goes now.
    TempFileList::Instance()->SetListFileName(QStringLiteral("TessaryUpdateTempFiles.txt"));
    DeleteTempFiles();

    StopSignals stops(ExitStoppedAtOnce);
    UpdateReport report(parser.isSet(json));
    UpdateOutcome outcome = Failure(ExitFailed, QLatin1String(ErrorCodes::InternalError), QString(), QString());
    int stopSignal = 0;
    try {
        ILogger* logger = GetLogger();
        logger->SetLogFile(QStringLiteral("TessaryUpdate.log"), false);
        logger->SetLoggingLevel(GetConfiguration()->GetLoggingLevel());
        HeadlessUpdate update(options, &report, &stops);
        outcome = update.Run();
        stopSignal = update.StopSignal();
    } catch (const OrvoException& exception) {
        outcome = Failure(ExitFailed, exception.GetErrorCode(), exception.GetMessage(),
                          QStringLiteral("Update failed: ") + exception.GetErrorCode() + QStringLiteral(": ") +
                              exception.GetMessage());
    }
    // Whatever is still running (a query of a headset that does not answer, a programming run that
    // was stopped) ends here, while Qt is up.
    if (!DeviceEngine::ShutDown() && stopSignal != 0)
        _exit(ExitStoppedAtOnce); // a worker is stuck: what it uses cannot go, and waiting longer helps no one
    DeleteTempFiles();
    report.Finish(outcome, options.list);
    if (stopSignal != 0)
        StopSignals::EndBy(stopSignal);
    return outcome.exitCode;
}
