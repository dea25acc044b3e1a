// A whole programming run through the device facade: two 256 KiB images on a simulated headset that
// takes realistic time (per-request latency, flash time per block, manifestation, re-enumeration).
// The headset's own time for the requests the run made is the lower bound; what the host adds on top
// must stay under 10 % of it (the protocol prescribes no other fixed waits on the good path).
// Prints the figures; exits non-zero when the budget is missed or the run fails.
#include "bench/BenchMemory.h"
#include "device/IPelarin.h"
#include "sim/SimHeadset.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ProgrammingFixtures.h"
#include "tests/support/SimFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <cstdio>

using namespace OrvoCommon;
using BenchMemory::ResetPeakRss;
using BenchMemory::StatusKb;

namespace {

constexpr int ImageBytes = 256 * 1024;
constexpr int ImageHeaderBytes = 32;
constexpr int SuffixBytes = 16;
constexpr double OverheadBudget = 0.10;

Sim::SimTiming RealisticTiming()
{
    Sim::SimTiming timing;
    timing.latencyMs = 1;         // every control transfer
    timing.flashPerBlockMs = 8;   // bwPollTimeout after each block
    timing.manifestMs = 300;      // per image
    timing.reenumerationMs = 700; // after each reset
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DeviceTest::SimulatorBundle bundle;
    TestSupport::LogCapture log;
    DeviceTest::SimulatedStack stack;
    Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
    const Sim::SimTiming timing = RealisticTiming();
    profile.timing = timing;
    Sim::SimHeadset* headset = stack.AddHeadset(profile);
    DeviceTest::ImageCatalogue catalogue(
        bundle.Path(), DeviceTest::ReleaseImages(QStringLiteral("01.02.00"), QStringLiteral("01.02.00"),
                                                 ImageBytes - ImageHeaderBytes - SuffixBytes));
    if (!catalogue.IsValid())
        return 2;

    UpdatePelarin::IPelarin* facade = stack.Facade();
    facade->RegisterDeviceDetection(catalogue.Index());
    if (!QTest::qWaitFor([&] { return facade->IsReady() == 1; }, 20000)) {
        std::fprintf(stderr, "headset never became ready\n");
        return 2;
    }
    facade->LockInCurrentDevice();

    log.Mark();
    ResetPeakRss();
    const qint64 rssBefore = StatusKb("VmRSS:");
    QSignalSpy done(facade, &UpdatePelarin::IPelarin::ProgramFirmwareComplete);
    QElapsedTimer clock;
    clock.start();
    facade->ProgramFirmwareAsync(catalogue.Files(), false);
    if (!done.wait(600000)) {
        std::fprintf(stderr, "no completion\n");
        return 2;
    }
    const double wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const qint64 peakKb = StatusKb("VmHWM:");
    DeviceTest::WaitForProgrammingThreads();
    const ExceptionPtr failure = done.first().at(0).value<ExceptionPtr>();
    if (failure) {
        std::fprintf(stderr, "programming failed: %s\n", qPrintable(failure->GetErrorCode()));
        return 2;
    }

    // What the headset imposed on this run: its latency on every control transfer the run made, the
    // flash time of every block, the manifestation of every image and two re-enumerations (into DFU
    // mode and back). The final cold reset comes after the completion and is not counted.
    const int transfers = log.LinesContaining(QStringLiteral("Control write to")).size() +
                          log.LinesContaining(QStringLiteral("Control read from")).size();
    const int blocks = headset->BlocksReceived();
    const int images = headset->ReceivedImages().size();
    const double boundMs = transfers * timing.latencyMs + blocks * timing.flashPerBlockMs + images * timing.manifestMs +
                           2 * timing.reenumerationMs;
    // The same for the shortest request sequence DFU 1.1 allows (DNLOAD, GETSTATUS, GETSTATUS after the
    // poll time-out per block), for comparison with the sequence the programming thread follows.
    const double minimalMs = blocks * (3 * timing.latencyMs + timing.flashPerBlockMs) + images * timing.manifestMs +
                             2 * timing.reenumerationMs;
    const double overheadMs = wallMs - boundMs;

    std::printf("Programming 2 x %d KiB: %d blocks, %d control transfers\n", ImageBytes / 1024, blocks, transfers);
    std::printf("  wall time            %9.1f ms\n", wallMs);
    std::printf("  headset lower bound  %9.1f ms (latency %d ms/transfer, flash %d ms/block, manifest %d ms, "
                "re-enumeration %d ms)\n",
                boundMs, timing.latencyMs, timing.flashPerBlockMs, timing.manifestMs, timing.reenumerationMs);
    std::printf("  host overhead        %9.1f ms = %.1f %% of the bound (budget %.0f %%)\n", overheadMs,
                100.0 * overheadMs / boundMs, 100 * OverheadBudget);
    std::printf("  minimal DFU sequence %9.1f ms (3 transfers per block)\n", minimalMs);
    std::printf("  peak RSS %lld KiB, growth during the run %lld KiB\n", peakKb, peakKb - rssBefore);
    return overheadMs <= OverheadBudget * boundMs ? 0 : 1;
}
