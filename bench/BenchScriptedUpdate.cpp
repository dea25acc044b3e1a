// A full scripted update as a user runs it: the real Tessary program runs examples/scripts/update.js
// headless against the sample headset with the sample profile's timing (two images). The headset's
// own time for what the run asked of it is the lower bound: its latency on every control transfer,
// the flash time of every data block, the manifestation of every image and every re-enumeration
// (into the boot loader, back to the application, and the cold reset's return that the script
// waits for). The whole process, start-up and shutdown included, must stay within 1.2 times that,
// and its peak resident memory under 60 MB.
// Prints the figures; exits non-zero when a budget is missed or the script fails.
#include "tests/support/SampleBundle.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr double TimeBudget = 1.2;
constexpr long MemoryBudgetKb = 60 * 1024;

struct SampleTiming
{
    int latencyMs = 0;
    int flashPerBlockMs = 0;
    int manifestMs = 0;
    int reenumerationMs = 0;
};

int Attribute(const QString& profile, const QString& name)
{
    const QRegularExpression pattern(QStringLiteral("<Timing [^>]*%1=\"([0-9]+)\"").arg(name));
    return pattern.match(profile).captured(1).toInt();
}

int Count(const QString& log, const QString& pattern)
{
    return static_cast<int>(log.count(QRegularExpression(pattern)));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestSupport::SampleBundle bundle(TestSupport::SampleBundle::Timing::Sample);
    if (!bundle.IsComplete()) {
        std::fprintf(stderr, "the sample bundle is missing (build the sample_firmware target)\n");
        return 2;
    }
    const QString profile =
        QString::fromUtf8(TestSupport::ReadFile(bundle.FilePath(QStringLiteral("SimulatedHeadset.xml"))));
    SampleTiming timing;
    timing.latencyMs = Attribute(profile, QStringLiteral("latency"));
    timing.flashPerBlockMs = Attribute(profile, QStringLiteral("flashPerBlock"));
    timing.manifestMs = Attribute(profile, QStringLiteral("manifest"));
    timing.reenumerationMs = Attribute(profile, QStringLiteral("reenumeration"));

    const QString results = bundle.FilePath(QStringLiteral("results.xml"));
    const QStringList arguments = {
        QStringLiteral("-nocleanup"), QStringLiteral("1"),
        QStringLiteral("-script"),    TestSupport::SourceDirectory() + QStringLiteral("/examples/scripts/update.js"),
        QStringLiteral("-results"),   results};
    QElapsedTimer clock;
    clock.start();
    const TestSupport::ProcessRun run = TestSupport::RunInBundle(bundle, QStringLiteral("Tessary"), arguments);
    const double wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const long peakKb = usage.ru_maxrss;

    const TestSupport::ResultsFileContent content = TestSupport::ReadResultsFile(results);
    const bool passed = run.finished && content.wellFormed && !run.log.contains(QLatin1String("Uncaught")) &&
                        content.entries.contains(QStringLiteral("assert PelarinHasFirmwareVersion true true"));
    if (!passed) {
        std::fprintf(stderr, "the scripted update failed:\n%s\n", qPrintable(run.log.right(4000)));
        return 2;
    }

    const int transfers = Count(run.log, QStringLiteral("Control (write to|read from)"));
    const int blocks = Count(run.log, QStringLiteral("DFU_DNLOAD - block = [0-9]+, count = [1-9]"));
    const int images = Count(run.log, QStringLiteral("Sending file "));
    const int reenumerations = Count(run.log, QStringLiteral("Device 0x[0-9a-f]+/0x[0-9a-f]+ disconnected"));
    const double boundMs = transfers * timing.latencyMs + blocks * timing.flashPerBlockMs + images * timing.manifestMs +
                           reenumerations * timing.reenumerationMs;

    std::printf("Scripted update of the sample headset: %d images, %d data blocks, %d control transfers, "
                "%d re-enumerations\n",
                images, blocks, transfers, reenumerations);
    std::printf("  process wall time    %9.1f ms (start-up, script, shutdown)\n", wallMs);
    std::printf("  headset lower bound  %9.1f ms (latency %d ms/transfer, flash %d ms/block, manifest %d ms, "
                "re-enumeration %d ms)\n",
                boundMs, timing.latencyMs, timing.flashPerBlockMs, timing.manifestMs, timing.reenumerationMs);
    std::printf("  ratio                %9.3f (budget %.1f)\n", wallMs / boundMs, TimeBudget);
    std::printf("  peak RSS             %9ld KiB (budget %ld KiB)\n", peakKb, MemoryBudgetKb);
    return wallMs <= TimeBudget * boundMs && peakKb < MemoryBudgetKb ? 0 : 1;
}
