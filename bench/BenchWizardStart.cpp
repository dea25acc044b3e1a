// How fast the interactive start feels and what the running wizard costs:
//   1. from starting the real Tessary program to its splash screen being shown (budget 300 ms),
//   2. from OK in the language dialog to the wizard shown, with the index file on disk (500 ms),
//   3. the resident memory once the wizard shows, with the simulated headset detected (80 MB).
// The first is measured on the real program (offscreen, or on the X server of DISPLAY when
// BENCH_PLATFORM=xcb), the other two on the application object in this process. Prints minimum,
// median and maximum of several runs; exits non-zero when a budget is missed.
#include "bench/BenchMemory.h"
#include "device/DeviceEngine.h"
#include "firmware/FirmwareImageList.h"
#include "sysinfo/linux/LinuxLanguageSupport.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/SampleBundle.h"
#include "tests/support/WindowTrace.h"
#include "ui/UiResources.h"
#include "ui/UpdatePelarinApp.h"
#include "usb/linux/LinuxPlatformServices.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 7;
constexpr qint64 SplashBudgetMs = 300;
constexpr qint64 WizardBudgetMs = 500;
constexpr qint64 MemoryBudgetKb = 80 * 1024;
constexpr int WaitMs = 20000;

struct Figures
{
    QList<qint64> values;
    void Print(const char* what, const char* unit, qint64 budget) const
    {
        QList<qint64> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        std::printf("  %-36s min %6lld  median %6lld  max %6lld %s (budget %lld)\n", what, sorted.first(),
                    sorted.at(sorted.size() / 2), sorted.last(), unit, budget);
    }
    qint64 Median() const
    {
        QList<qint64> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted.at(sorted.size() / 2);
    }
};

// One start of the real program, ended as soon as its splash screen shows; -1 on failure.
qint64 StartToSplashMs(const TestSupport::TemporaryBundle& bundle)
{
    QTemporaryDir record;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESSARY_APP_DIR"), bundle.Path());
    environment.insert(QStringLiteral("TMPDIR"), bundle.Path());
    environment.insert(QStringLiteral("TESSARY_UI_RECORD"), record.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       qEnvironmentVariable("BENCH_PLATFORM", QStringLiteral("offscreen")));
    process.setProcessEnvironment(environment);
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    process.start(TestSupport::BinaryDirectory() + QStringLiteral("/Tessary"), {QStringLiteral("-nocleanup=1")});
    const TestSupport::WindowTrace trace(record.path());
    const bool shown = trace.WaitForShown(QStringLiteral("SplashScreenClass"), WaitMs);
    process.terminate();
    process.waitForFinished(WaitMs);
    return shown ? trace.TimeOf(QStringLiteral("shown"), QStringLiteral("SplashScreenClass")) - started : -1;
}

// Watches for the wizard's window and ends the run when it shows.
class WizardShown : public QObject
{
public:
    QElapsedTimer clock;
    qint64 okToWizardMs = -1;
    qint64 residentKb = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("ApplicationWizardClass") &&
            okToWizardMs < 0) {
            okToWizardMs = clock.elapsed();
            // Measured once the first page has been laid out and painted.
            QTimer::singleShot(0, [this] {
                residentKb = BenchMemory::StatusKb("VmRSS:");
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

// One interactive start in this process: the language dialog answered with OK, then the wizard.
bool OkToWizard(WizardShown* watch)
{
    TestSupport::ModalDriver driver(WaitMs);
    driver.OnModal(QStringLiteral("SelectLanguageDialogClass"), [watch](QWidget* dialog) {
        watch->clock.start();
        TestSupport::Click(dialog, QStringLiteral("ok"));
    });
    watch->okToWizardMs = -1;
    auto app = std::make_unique<UpdatePelarin::UpdatePelarinApp>();
    app->Start();
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(WaitMs);
    const int status = QApplication::exec();
    app.reset();
    OrvoCommon::DeviceEngine::ShutDown();
    return status == 0 && watch->okToWizardMs >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    UpdatePelarin::InitUiResources();
    OrvoCommon::RegisterCommonMetaTypes();
    OrvoCommon::RegisterFirmwareMetaTypes();
    OrvoCommon::LinkLinuxLanguageSupport();
    OrvoCommon::LinkLinuxSystemInfoReader();
    OrvoCommon::LinkLinuxUsbPlatformServices();

    TestSupport::SampleBundle bundle;
    if (!bundle.IsComplete()) {
        std::fprintf(stderr, "the sample bundle is missing (build the sample_firmware target)\n");
        return 2;
    }
    // The sample headset with its firmware beside the program; the rule counts as installed.
    bundle.WriteConfig(QStringLiteral("<UsbBackend>simulator</UsbBackend>\n<SplashScreenTime>0</SplashScreenTime>\n"
                                      "<UdevRulesDirectory>rules.d</UdevRulesDirectory>\n"
                                      "<UsbDriverInfFilename>70-orvo-headset.rules</UsbDriverInfFilename>\n"));
    const QByteArray rule =
        TestSupport::ReadFile(TestSupport::BinaryDirectory() + QStringLiteral("/USBDriver/70-orvo-headset.rules"));
    TestSupport::WriteFile(bundle.FilePath(QStringLiteral("USBDriver/70-orvo-headset.rules")), rule);
    TestSupport::WriteFile(bundle.FilePath(QStringLiteral("rules.d/70-orvo-headset.rules")), rule);
    TestSupport::WriteFile(bundle.FilePath(QStringLiteral("eula_en.htm")),
                           TestSupport::ReadFile(TestSupport::BinaryDirectory() + QStringLiteral("/eula_en.htm")));

    Figures splash;
    for (int run = 0; run < Runs; ++run) {
        const qint64 ms = StartToSplashMs(bundle);
        if (ms < 0) {
            std::fprintf(stderr, "Tessary did not show its splash screen\n");
            return 2;
        }
        splash.values.append(ms);
    }

    qputenv("TESSARY_APP_DIR", bundle.Path().toLocal8Bit());
    WizardShown watch;
    application.installEventFilter(&watch);
    Figures wizard;
    Figures memory;
    for (int run = 0; run < Runs; ++run) {
        if (!OkToWizard(&watch)) {
            std::fprintf(stderr, "the wizard did not show\n");
            return 2;
        }
        wizard.values.append(watch.okToWizardMs);
        memory.values.append(watch.residentKb);
    }

    std::printf("Interactive start (%d runs each)\n", Runs);
    splash.Print("Tessary start to splash shown", "ms", SplashBudgetMs);
    wizard.Print("language OK to wizard shown", "ms", WizardBudgetMs);
    memory.Print("resident memory with the wizard shown", "KiB", MemoryBudgetKb);
    return splash.Median() <= SplashBudgetMs && wizard.Median() <= WizardBudgetMs && memory.Median() <= MemoryBudgetKb
               ? 0
               : 1;
}
