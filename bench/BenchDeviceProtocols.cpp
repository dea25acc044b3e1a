// Host-side cost of the device protocols against the simulated headset with zero latency, and of a
// full version plus information query pass with the default retries, plus the simulator's latency.
// Prints the figures; exits non-zero when a budget is missed.
#include "app/LoggerFactory.h"
#include "device/BcCmdConstants.h"
#include "device/CsrBcCmdProtocol.h"
#include "device/QueryInfoThread.h"
#include "device/QueryVersionThread.h"
#include "tests/support/DeviceFixtures.h"
#include "tests/support/LogCapture.h"
#include "tests/support/SimFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace OrvoCommon;

namespace {

constexpr int RoundTrips = 1000;
constexpr int QueryPasses = 20;
constexpr double RoundTripBudgetMs = 1.0;
constexpr double QueryPassBudgetMs = 50.0;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Median wall time of the BCCMD round trip (request, answer, matching) against a zero-latency headset.
double BcCmdRoundTripMs()
{
    DeviceTest::SimulatedDevice sim(TestSupport::SampleHeadsetProfile());
    CsrBcCmdProtocol protocol;
    std::vector<double> samples;
    samples.reserve(RoundTrips);
    QByteArray value;
    for (int i = 0; i < RoundTrips; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!protocol.BcCmdGet(sim.Device(), BcCmd::VaridBuildId, QByteArray(), 1000, &value))
            return -1;
        samples.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return Median(samples);
}

// Median wall time of a version query followed by an information query, from start to the
// completion signal, with the given latency per control transfer.
double QueryPassMs(int latencyMs, int* transfers)
{
    Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
    profile.timing.latencyMs = latencyMs;
    DeviceTest::SimulatedDevice sim(profile);
    std::vector<double> samples;
    for (int pass = 0; pass < QueryPasses; ++pass) {
        TestSupport::LogCapture log;
        QElapsedTimer clock;
        clock.start();
        auto* versions = new QueryVersionThread(sim.Device());
        QSignalSpy versionsDone(versions, &QueryVersionThread::QueryVersionsComplete);
        versions->start();
        if (!versionsDone.wait(10000) || !versionsDone.first().at(2).toString().isEmpty())
            return -1;
        auto* info = new OrvoCommonPelarin::QueryInfoThread(sim.Device());
        QSignalSpy infoDone(info, &OrvoCommonPelarin::QueryInfoThread::QueryInfoComplete);
        info->start();
        if (!infoDone.wait(10000) || !infoDone.first().at(2).toString().isEmpty())
            return -1;
        samples.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        *transfers = log.LinesContaining(QStringLiteral("Control write to")).size();
    }
    return Median(samples);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DeviceTest::SimulatorBundle bundle;
    TestSupport::LogCapture log;

    bool ok = true;
    const double roundTrip = BcCmdRoundTripMs();
    std::printf("BCCMD round trip, median of %d: %.3f ms (budget %.1f ms)\n", RoundTrips, roundTrip, RoundTripBudgetMs);
    ok = ok && roundTrip >= 0 && roundTrip < RoundTripBudgetMs;

    for (const int latency : {0, 2}) {
        int transfers = 0;
        const double pass = QueryPassMs(latency, &transfers);
        const double budget = QueryPassBudgetMs + transfers * latency;
        std::printf("Version + information query pass, latency %d ms, %d requests, median of %d: %.2f ms "
                    "(budget %.1f ms)\n",
                    latency, transfers, QueryPasses, pass, budget);
        ok = ok && pass >= 0 && pass < budget;
    }
    return ok ? 0 : 1;
}
