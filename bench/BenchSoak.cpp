// One hundred updates of the simulated headset (zero timing) in one process, through the device
// facade as the wizard drives it: lock in, program, release, wait for the headset to come back from
// its cold reset and become ready again. A slow leak of memory, file descriptors or threads per
// update shows here long before a user would see it.
// Prints the figures; exits non-zero when an update failed, resident memory grew by 2 MB or more from
// update 10 to update 100, descriptors or threads grew, or a worker thread was left behind.
#include "bench/BenchMemory.h"
#include "device/DeviceWorkerThread.h"
#include "device/IPelarin.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ProgrammingFixtures.h"
#include "tests/support/SimFixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <cstdio>

using namespace OrvoCommon;
using BenchMemory::StatusKb;

namespace {

constexpr int Updates = 100;
constexpr int BaselineUpdate = 10;
constexpr qint64 RssGrowthBudgetKb = 2048;
constexpr int StepWaitMs = 20000;

struct Sample
{
    qint64 rssKb = 0;
    qint64 descriptors = 0;
    qint64 threads = 0;
};

Sample Measure()
{
    Sample sample;
    sample.rssKb = StatusKb("VmRSS:");
    sample.descriptors = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size();
    sample.threads = StatusKb("Threads:");
    return sample;
}

// One update from a ready headset back to a ready headset; false with the reason printed.
bool Update(UpdatePelarin::IPelarin* facade, const FirmwareImageList& images, int number)
{
    QSignalSpy done(facade, &UpdatePelarin::IPelarin::ProgramFirmwareComplete);
    QSignalSpy ready(facade, &UpdatePelarin::IPelarin::DeviceReady);
    facade->LockInCurrentDevice();
    // Manual mode with forced images: every update programs both images again.
    facade->ProgramFirmwareAsync(images, true);
    if (!done.wait(StepWaitMs)) {
        std::fprintf(stderr, "update %d: no completion\n", number);
        return false;
    }
    if (const ExceptionPtr failure = done.first().at(0).value<ExceptionPtr>()) {
        std::fprintf(stderr, "update %d: %s\n", number, qPrintable(failure->GetErrorCode()));
        return false;
    }
    facade->ReleaseCurrentDevice();
    // Back from the cold reset that ends the update, queried, and every worker gone.
    if (!QTest::qWaitFor([&] { return !ready.isEmpty() && DeviceWorkerThread::LiveCount() == 0; }, StepWaitMs)) {
        std::fprintf(stderr, "update %d: the headset did not come back ready\n", number);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DeviceTest::SimulatorBundle bundle;
    TestSupport::LogCapture log;
    Sample baseline;
    Sample last;
    int failures = 0;
    int workersLeft = -1;
    QElapsedTimer clock;
    {
        DeviceTest::SimulatedStack stack;
        stack.AddHeadset(TestSupport::SampleHeadsetProfile());
        DeviceTest::ImageCatalogue catalogue(
            bundle.Path(), DeviceTest::ReleaseImages(QStringLiteral("01.02.00"), QStringLiteral("01.02.00")));
        if (!catalogue.IsValid())
            return 2;
        UpdatePelarin::IPelarin* facade = stack.Facade();
        facade->RegisterDeviceDetection(catalogue.Index());
        if (!QTest::qWaitFor([&] { return facade->IsReady() == 1; }, StepWaitMs)) {
            std::fprintf(stderr, "headset never became ready\n");
            return 2;
        }
        clock.start();
        for (int number = 1; number <= Updates; ++number) {
            if (!Update(facade, catalogue.Files(), number))
                ++failures;
            if (number == BaselineUpdate)
                baseline = Measure();
        }
        last = Measure();
        workersLeft = DeviceWorkerThread::LiveCount();
    }
    const qint64 wallMs = clock.elapsed();
    const qint64 rssGrowthKb = last.rssKb - baseline.rssKb;

    std::printf("Soak: %d updates of the simulated headset in %lld ms (%.1f ms each)\n", Updates,
                static_cast<long long>(wallMs), static_cast<double>(wallMs) / Updates);
    std::printf("  failed updates              %lld (must be 0)\n", static_cast<long long>(failures));
    std::printf("  resident memory, update %d  %lld KiB; update %d %lld KiB; growth %lld KiB (budget < %lld KiB)\n",
                BaselineUpdate, baseline.rssKb, Updates, last.rssKb, rssGrowthKb, RssGrowthBudgetKb);
    std::printf("  open file descriptors       %lld -> %lld (must not grow)\n", baseline.descriptors, last.descriptors);
    std::printf("  threads                     %lld -> %lld (must not grow)\n", baseline.threads, last.threads);
    std::printf("  worker threads left         %d (must be 0)\n", workersLeft);
    const bool good = failures == 0 && rssGrowthKb < RssGrowthBudgetKb && last.descriptors <= baseline.descriptors &&
                      last.threads <= baseline.threads && workersLeft == 0;
    return good ? 0 : 1;
}
