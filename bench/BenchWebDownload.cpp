// Downloads a 64 MiB file from a local HTTP server with WebDownloader and with `curl -o`, in
// alternating rounds, and prints the throughput ratio (ours / curl, best round of each) and how much
// the resident set grew while our download ran. Exit code 1 when the ratio is below 0.90 or the
// growth is not flat.

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "bench/BenchMemory.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/TestEnvironment.h"
#include "web/WebDownloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

using namespace OrvoCommon;
using BenchMemory::ResetPeakRss;
using BenchMemory::StatusKb;

namespace {
constexpr qint64 FileSize = 64LL * 1024 * 1024;
constexpr int Rounds = 5;
constexpr double MinimumRatio = 0.90;
constexpr qint64 FlatGrowthKb = 16 * 1024;
constexpr int TransferTimeoutMs = 120000;

bool WriteLargeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk(1024 * 1024, Qt::Uninitialized);
    for (qint64 written = 0; written < FileSize; written += chunk.size()) {
        for (int i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>((written + i) * 31 >> 3);
        if (file.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

// Seconds for one WebDownloader transfer; negative on failure.
double TimeOurs(WebDownloader& downloader, const QString& host, qint64* peakGrowthKb)
{
    QEventLoop loop;
    ExceptionPtr failure;
    bool done = false;
    const auto connection = QObject::connect(&downloader, &IWebDownloader::DownloadFileComplete, &loop,
                                             [&](const QString&, ExceptionPtr exception) {
                                                 failure = exception;
                                                 done = true;
                                                 loop.quit();
                                             });
    QTimer::singleShot(TransferTimeoutMs, &loop, &QEventLoop::quit);
    ResetPeakRss();
    const qint64 before = StatusKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    downloader.Download(QStringLiteral("big.bin"), host, QStringLiteral("/files/"), FileSize,
                        QStringLiteral("ours.bin"));
    if (!done)
        loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    *peakGrowthKb = StatusKb("VmHWM:") - before;
    QObject::disconnect(connection);
    if (!done || failure) {
        std::fprintf(stderr, "download failed: %s\n", failure ? qPrintable(failure->GetMessage()) : "time-out");
        return -1;
    }
    return seconds;
}

double TimeCurl(const QString& curl, const QString& url, const QString& target)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(curl, {QStringLiteral("-s"), QStringLiteral("-f"), QStringLiteral("-o"), target, url});
    if (!process.waitForFinished(TransferTimeoutMs) || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    RegisterCommonMetaTypes();
    TestSupport::TemporaryBundle bundle;
    qputenv("TESSARY_APP_DIR", bundle.Path().toLocal8Bit());
    GetLogger()->SetLoggingLevel(ILogger::LevelErrors);

    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        std::fprintf(stderr, "curl is not on PATH\n");
        return 2;
    }
    TestSupport::LocalWebServer server;
    if (!server.IsRunning()) {
        std::fprintf(stderr, "server: %s\n", qPrintable(server.ErrorText()));
        return 2;
    }
    if (!QDir().mkpath(server.RootPath() + QStringLiteral("/files")) ||
        !WriteLargeFile(server.RootPath() + QStringLiteral("/files/big.bin"))) {
        std::fprintf(stderr, "cannot write the test file\n");
        return 2;
    }

    WebDownloader downloader;
    double bestOurs = 1e9;
    double bestCurl = 1e9;
    qint64 worstGrowthKb = 0;
    for (int round = 0; round < Rounds; ++round) {
        qint64 growthKb = 0;
        const double ours = TimeOurs(downloader, server.HostWithPort(), &growthKb);
        const double theirs = TimeCurl(curl, server.BaseUrl() + QStringLiteral("/files/big.bin"),
                                       bundle.FilePath(QStringLiteral("curl.bin")));
        if (ours < 0 || theirs < 0) {
            std::fprintf(stderr, "round %d failed\n", round + 1);
            return 2;
        }
        if (QFileInfo(bundle.FilePath(QStringLiteral("ours.bin"))).size() != FileSize) {
            std::fprintf(stderr, "downloaded file has the wrong size\n");
            return 2;
        }
        std::printf("round %d: WebDownloader %.3f s (%.0f MiB/s), curl -o %.3f s (%.0f MiB/s), RSS growth %lld KiB\n",
                    round + 1, ours, 64 / ours, theirs, 64 / theirs, static_cast<long long>(growthKb));
        bestOurs = qMin(bestOurs, ours);
        bestCurl = qMin(bestCurl, theirs);
        worstGrowthKb = qMax(worstGrowthKb, growthKb);
    }
    const double ratio = bestCurl / bestOurs;
    std::printf("throughput ratio WebDownloader / curl -o: %.2f (best of %d rounds; required %.2f)\n", ratio, Rounds,
                MinimumRatio);
    std::printf("peak RSS growth during a 64 MiB download: %lld KiB (flat means below %lld KiB)\n",
                static_cast<long long>(worstGrowthKb), static_cast<long long>(FlatGrowthKb));
    return ratio >= MinimumRatio && worstGrowthKb < FlatGrowthKb ? 0 : 1;
}
