// Firmware acquisition against servers that misbehave on purpose: bodies far larger than the file
// may be, servers that drip or fall silent, and index files naming the program's own files, holding
// control characters or malformed hosts. Each case reports what it cost: the bytes the server got
// out before the client stopped, the largest the target file grew, and the growth of the peak
// resident set.

#include "bench/BenchMemory.h"
#include "firmware/FirmwareProcessing.h"
#include "firmware/IIndexFile.h"
#include "firmware/IndexFile.h"
#include "tests/support/AcquisitionProcess.h"
#include "tests/support/IndexXml.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "web/WebDownloader.h"
#include "web/WebInterfaceTest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace OrvoCommon;
using TestSupport::FailureText;
using TestSupport::LocalWebServer;

namespace {

constexpr int CompletionTimeoutMs = 60000;
constexpr qint64 ImageLength = 4096;
// What the two kernels may hold for a client that has stopped reading: the server's send buffer
// and the client's receive window on loopback.
constexpr qint64 SocketBuffering = 2 * 1024 * 1024;
// What any transfer costs in memory however small its file: a thread's stack, libcurl's state.
constexpr qint64 TransferMemory = 1024 * 1024;
// The time-outs of this test's Config.xml; the defaults are minutes.
constexpr int ConnectTimeoutMs = 500;
constexpr int LowSpeedTimeMs = 1000;
const QString ShortLimits = QStringLiteral("<NoCacheConfig/>\n"
                                           "<DownloadConnectTimeout>%1</DownloadConnectTimeout>\n"
                                           "<DownloadLowSpeedLimit>100</DownloadLowSpeedLimit>\n"
                                           "<DownloadLowSpeedTime>%2</DownloadLowSpeedTime>\n")
                                .arg(ConnectTimeoutMs)
                                .arg(LowSpeedTimeMs);

// Watches one hostile case while the event loop waits for its end: how large the target file grew
// and how far the peak resident set rose above where it stood at the start.
class CaseMeter
{
public:
    explicit CaseMeter(const QString& target) : m_target(target)
    {
        BenchMemory::ResetPeakRss();
        m_rssBeforeKb = BenchMemory::StatusKb("VmRSS:");
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Sample(); });
        m_timer.start(1);
        m_elapsed.start();
    }

    void Stop()
    {
        m_timer.stop();
        Sample();
        m_elapsedMs = m_elapsed.elapsed();
        m_peakGrowthKb = BenchMemory::StatusKb("VmHWM:") - m_rssBeforeKb;
    }

    qint64 PeakDisk() const { return m_peakDisk; }
    qint64 PeakGrowthKb() const { return m_peakGrowthKb; }
    qint64 ElapsedMs() const { return m_elapsedMs; }

private:
    void Sample() { m_peakDisk = qMax(m_peakDisk, QFileInfo(m_target).size()); }

    QString m_target;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    qint64 m_rssBeforeKb = 0;
    qint64 m_peakDisk = 0;
    qint64 m_peakGrowthKb = 0;
    qint64 m_elapsedMs = 0;
};

} // namespace

class TestHostileServers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LocalWebServer> m_server;
    QTemporaryDir m_startFolder;
    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<TestSupport::TemporaryBundle> m_bundle;
    std::unique_ptr<FirmwareProcessing> m_processing;

    // Runs the acquisition that start begins; the completion's exception (null on success).
    template <typename Signal>
    ExceptionPtr Acquire(Signal signal, const std::function<void()>& start)
    {
        const QList<QVariant> arguments = AwaitCompletion(m_processing.get(), signal, start, CompletionTimeoutMs);
        if (arguments.isEmpty())
            return MakeExceptionPtr(QStringLiteral("test"), QStringLiteral("not exactly one completion"));
        return arguments.at(1).template value<ExceptionPtr>();
    }

    ExceptionPtr AcquireIndex(const QString& name)
    {
        return Acquire(&IFirmwareProcessing::AcquireIndexFileComplete, [&] {
            m_processing->AcquireIndexFile(name, m_server->HostWithPort(), QStringLiteral("/firmware/"));
        });
    }

    int Logged(const QString& text) const { return m_log->LinesContaining(text).size(); }

private slots:
    void initTestCase()
    {
        QVERIFY(PrepareAcquisitionProcess(QStringLiteral("TestHostileServers"), m_startFolder.path()));
        m_log = std::make_unique<TestSupport::LogCapture>();
        m_server = std::make_unique<LocalWebServer>();
        QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));

        // libcurl's one-time set-up is not what the cases measure.
        WebDownloader downloader;
        QSignalSpy spy(&downloader, &IWebDownloader::DownloadFileComplete);
        QVERIFY(m_server->AddFile(QStringLiteral("warm-up.bin"), QByteArray(1000, 'w')));
        downloader.Download(QStringLiteral("warm-up.bin"), m_server->HostWithPort(), QStringLiteral("/"), 1);
        QVERIFY(spy.wait(CompletionTimeoutMs));
        QFile::remove(m_startFolder.filePath(QStringLiteral("warm-up.bin")));
    }

    void init()
    {
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
        m_log->Mark();
        m_bundle = std::make_unique<TestSupport::TemporaryBundle>(ShortLimits);
        qputenv("TESSARY_APP_DIR", QFile::encodeName(m_bundle->Path()));
        m_processing = std::make_unique<FirmwareProcessing>();
    }

    void cleanup()
    {
        m_processing.reset();
        m_bundle.reset();
    }

    void oversizedBodiesStopAtTheirBound_data()
    {
        QTest::addColumn<bool>("image");
        QTest::addColumn<QString>("route");
        // Where the body comes from, when a redirect leads there.
        QTest::addColumn<QString>("bodyPath");

        const QString none;
        QTest::newRow("index announced as 200 MB") << false << "announce:209715200" << none;
        QTest::newRow("index chunked 100 MB and cut off") << false << "flood-chunked:104857600" << none;
        QTest::newRow("index redirected to a flood") << false << "redirect:/elsewhere/index.xml"
                                                     << "/elsewhere/index.xml";
        QTest::newRow("4 KiB image announced as 500 MB") << true << "announce:524288000" << none;
        QTest::newRow("4 KiB image streamed 500 MB without a length") << true << "flood:524288000" << none;
    }
    void oversizedBodiesStopAtTheirBound()
    {
        QFETCH(bool, image);
        QFETCH(QString, route);
        QFETCH(QString, bodyPath);

        const QString name = image ? QStringLiteral("image.bin") : QStringLiteral("index.xml");
        const qint64 bound = image ? ImageLength : IndexFile::MaximumFileSize;
        const QString path = QStringLiteral("/firmware/") + name;
        if (bodyPath.isEmpty())
            bodyPath = path;
        QVERIFY(m_server->SetRoute(path, route));
        if (bodyPath != path)
            QVERIFY(m_server->SetRoute(bodyPath, QStringLiteral("flood:104857600")));
        FirmwareImageDescriptorList descriptors;
        if (image) {
            QVERIFY(TestSupport::WriteFile(
                m_bundle->FilePath(QStringLiteral("local.xml")),
                ServedIndexXml(ImageXml(QStringLiteral("FILENAME=\"image.bin\" LENGTH=\"%1\"").arg(ImageLength)),
                               m_server->HostWithPort())
                    .toUtf8()));
            QSignalSpy spy(m_processing.get(), &IFirmwareProcessing::AcquireIndexFileComplete);
            m_processing->AcquireIndexFile(QStringLiteral("local.xml"), QStringLiteral("127.0.0.1"),
                                           QStringLiteral("/none/"));
            QCOMPARE(spy.count(), 1);
            auto* indexFile = spy.first().at(0).value<IIndexFile*>();
            QVERIFY(indexFile);
            descriptors = indexFile->GetImageDescriptors(QStringLiteral("01.00.00"), {0x1F20, "01.00.00"});
        }
        const int requestsBefore = m_server->RequestCount(path);
        const qint64 sentBefore = m_server->SentBytes(bodyPath);

        CaseMeter meter(m_bundle->FilePath(name));
        const ExceptionPtr exception = image ? Acquire(&IFirmwareProcessing::AcquireFirmwareImageFilesComplete,
                                                       [&] { m_processing->AcquireImageFiles(descriptors); })
                                             : AcquireIndex(name);
        meter.Stop();
        const qint64 sent = m_server->SentBytes(bodyPath) - sentBefore;
        qInfo("%s: server sent %lld bytes, file peaked at %lld bytes (bound %lld), peak RSS growth %lld KiB, %lld ms",
              QTest::currentDataTag(), static_cast<long long>(sent), static_cast<long long>(meter.PeakDisk()),
              static_cast<long long>(bound), static_cast<long long>(meter.PeakGrowthKb()),
              static_cast<long long>(meter.ElapsedMs()));

        QCOMPARE(FailureText(exception),
                 QStringLiteral("download-error: The download of %1 was stopped: it is larger than %2 bytes")
                     .arg(name)
                     .arg(bound));
        // Too large stays too large: one request, no retry.
        QCOMPARE(m_server->RequestCount(path) - requestsBefore, 1);
        QCOMPARE(Logged(QStringLiteral("Download of ") + name + QStringLiteral(" failed - not retried")), 1);
        QVERIFY(!QFile::exists(m_bundle->FilePath(name)));
        QVERIFY2(meter.PeakDisk() <= bound, qPrintable(QString::number(meter.PeakDisk())));
        QVERIFY2(sent <= 2 * bound + SocketBuffering, qPrintable(QString::number(sent)));
        QVERIFY2(meter.PeakGrowthKb() * 1024 <= qMax(2 * bound, TransferMemory),
                 qPrintable(QString::number(meter.PeakGrowthKb())));
    }

    void slowServersTimeOut_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("failSafeMs");
        QTest::addColumn<QString>("message");
        // How long the case may take: its configured limit and libcurl's once-a-second speed check.
        QTest::addColumn<int>("limitMs");

        const QString timedOut = QStringLiteral("A status code of 28 was received from download (timed out: ");
        const int lowSpeedEnd = LowSpeedTimeMs + 2000;
        QTest::newRow("drips one byte every 200 ms") << "drip:200" << 0 << timedOut << lowSpeedEnd;
        QTest::newRow("answers nothing after the request") << "stall" << 0 << timedOut << lowSpeedEnd;
        QTest::newRow("never accepts the connection") << "blackhole" << 0 << timedOut << ConnectTimeoutMs + 1000;
        QTest::newRow("falls silent until the fail-safe fires")
            << "stall-body" << 300 << "A failsafe timeout occurred during download" << lowSpeedEnd;
    }
    void slowServersTimeOut()
    {
        QFETCH(QString, route);
        QFETCH(int, failSafeMs);
        QFETCH(QString, message);
        QFETCH(int, limitMs);

        const QString name = QStringLiteral("slow.bin");
        QVERIFY(m_server->AddFile(QStringLiteral("firmware/") + name, QByteArray(100000, 'x')));
        QString host = m_server->HostWithPort();
        if (route == QLatin1String("blackhole"))
            host = QStringLiteral("127.0.0.1:%1").arg(m_server->BlackholePort());
        else
            QVERIFY(m_server->SetRoute(QStringLiteral("/firmware/") + name, route));
        WebDownloader downloader;
        // Left at its minute otherwise: each byte of a drip restarts it, so it cannot end a drip.
        if (failSafeMs > 0)
            downloader.SetFailSafeIntervalForTests(failSafeMs);

        QSignalSpy spy(&downloader, &IWebDownloader::DownloadFileComplete);
        CaseMeter meter(m_bundle->FilePath(name));
        downloader.Download(name, host, QStringLiteral("/firmware/"), 1);
        QVERIFY(spy.wait(CompletionTimeoutMs));
        meter.Stop();
        qInfo("%s: ended after %lld ms", QTest::currentDataTag(), static_cast<long long>(meter.ElapsedMs()));

        const QString failure = FailureText(spy.first().at(1).value<ExceptionPtr>());
        QVERIFY2(failure.startsWith(QStringLiteral("download-error: ") + message), qPrintable(failure));
        QVERIFY2(meter.ElapsedMs() < limitMs, qPrintable(QString::number(meter.ElapsedMs())));
        QCOMPARE(Logged(QStringLiteral("Download canceled by user")), 0);
        QVERIFY(!QFile::exists(m_bundle->FilePath(name)));
        if (route != QLatin1String("blackhole"))
            m_server->SetRoute(QStringLiteral("/firmware/") + name, QStringLiteral("serve"));
    }

    void hostileIndexEntriesRefused_data()
    {
        QTest::addColumn<QString>("attributes");
        // Empty when the entry is fine and the index must load.
        QTest::addColumn<QString>("message");

        const QString programFile =
            QStringLiteral("The index file node FILENAME value (%1) names a file of the program");
        const QString notPlain = QStringLiteral("The index file node FILENAME value (%1) is not a plain file name");
        const QString badHost =
            QStringLiteral("The index file node HTTPHOST value (%1) is not of the form name[:port]");

        // The program's own files: a download of one would replace what the program reads.
        QTest::newRow("the HTTPS trust store") << "FILENAME=\"cacert.pem\"" << programFile.arg("cacert.pem");
        QTest::newRow("the trust store in other case") << "FILENAME=\"CACert.PEM\"" << programFile.arg("CACert.PEM");
        QTest::newRow("the index file's signature")
            << "FILENAME=\"SkerrowIndex.xml.sig\"" << programFile.arg("SkerrowIndex.xml.sig");
        QTest::newRow("a shared library") << "FILENAME=\"libQt5Core.so.5\"" << programFile.arg("libQt5Core.so.5");
        QTest::newRow("a name merely containing one") << "FILENAME=\"zr3h-cacert.pem.dfu\"" << QString();
        // Control characters: a line break would add an entry to the temporary-file list.
        QTest::newRow("a line feed") << "FILENAME=\"a&#10;victim.txt\"" << notPlain.arg("a\\x0avictim.txt");
        QTest::newRow("a C1 control") << "FILENAME=\"a&#133;b.dfu\"" << notPlain.arg("a\\x85b.dfu");
        // Hosts read strictly, never as another host or port 80.
        QTest::newRow("user and password")
            << "HTTPHOST=\"user:pass@127.0.0.1:8080\"" << badHost.arg("user:pass@127.0.0.1:8080");
        QTest::newRow("port over 65535") << "HTTPHOST=\"127.0.0.1:70000\"" << badHost.arg("127.0.0.1:70000");
        QTest::newRow("IPv6 without brackets") << "HTTPHOST=\"::1\"" << badHost.arg("::1");
        QTest::newRow("a name with a port") << "HTTPHOST=\"download.orvo-audio.com:8080\"" << QString();
        // Lengths no image can have would be fetched in full.
        QTest::newRow("an image of 2 GiB") << "LENGTH=\"0x80000000\""
                                           << "The index file node LENGTH value (0x80000000) is out of range";
        QTest::newRow("an image of 16 MiB") << "LENGTH=\"0x1000000\"" << QString();
    }
    void hostileIndexEntriesRefused()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, message);

        const QString name = QStringLiteral("hostile.xml");
        QVERIFY(m_server->AddFile(QStringLiteral("firmware/") + name,
                                  ServedIndexXml(ImageXml(attributes), m_server->HostWithPort()).toUtf8()));
        const QStringList before = QDir(m_bundle->Path()).entryList(QDir::Files);

        const QString failure = FailureText(AcquireIndex(name));
        if (message.isEmpty()) {
            QCOMPARE(failure, QString());
            return;
        }
        QCOMPARE(failure, QStringLiteral("index-corrupted: ") + message);
        // The refused index goes too, and the log keeps one line per entry.
        QCOMPARE(QDir(m_bundle->Path()).entryList(QDir::Files), before);
        QCOMPARE(Logged(QStringLiteral("Exception,  index-corrupted: ") + message), 1);
    }
};

QTEST_GUILESS_MAIN(TestHostileServers)
#include "TestHostileServers.moc"
