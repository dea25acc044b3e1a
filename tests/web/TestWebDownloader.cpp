#include "app/ErrorCodes.h"
#include "app/Logger.h"
#include "app/LoggerFactory.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/TestEnvironment.h"
#include "web/WebDownloader.h"
#include "web/WebInterfaceTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace OrvoCommon;
using TestSupport::LocalWebServer;

namespace {
constexpr int CompletionTimeoutMs = 20000;
constexpr char Path[] = "/files/";

struct Outcome
{
    bool completed = false;
    QString localName;
    ExceptionPtr exception;
};

QByteArray Pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>(i * 7 + 3);
    return data;
}
} // namespace

class TestWebDownloader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void transferOutcome_data();
    void transferOutcome();
    void hostAndPort_data();
    void hostAndPort();
    void refusedAtOnce_data();
    void refusedAtOnce();
    void secondDownloadRefusedWhileFirstCompletes();
    void corruptionSwitchHalvesFile();
    void stalledServerEndsInFailSafe();
    void cancelRemovesPartialFile();
    void progressRisesToHundred();
    void neverWritesOutsideProgramFolder_data();
    void neverWritesOutsideProgramFolder();

private:
    Outcome WaitForCompletion(QSignalSpy& spy);
    QString LogPath() const { return static_cast<Logger*>(GetLogger())->GetLogFilePath(); }

    std::unique_ptr<TestSupport::TemporaryBundle> m_bundle;
    std::unique_ptr<LocalWebServer> m_server;
    std::unique_ptr<WebDownloader> m_downloader;
};

void TestWebDownloader::initTestCase()
{
    RegisterCommonMetaTypes();
    m_bundle = std::make_unique<TestSupport::TemporaryBundle>();
    qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
    GetLogger()->SetLogFile(QStringLiteral("TestWebDownloader-%1.log").arg(QCoreApplication::applicationPid()), true);
    m_server = std::make_unique<LocalWebServer>();
    QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));
}

void TestWebDownloader::init()
{
    WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
    m_downloader = std::make_unique<WebDownloader>();
}

void TestWebDownloader::cleanup()
{
    m_downloader.reset();
    WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
}

Outcome TestWebDownloader::WaitForCompletion(QSignalSpy& spy)
{
    Outcome outcome;
    if (spy.isEmpty() && !spy.wait(CompletionTimeoutMs))
        return outcome;
    // Anything still queued would be a second completion for the same request.
    QCoreApplication::processEvents();
    outcome.completed = spy.count() == 1;
    outcome.localName = spy.first().at(0).toString();
    outcome.exception = spy.first().at(1).value<ExceptionPtr>();
    return outcome;
}

void TestWebDownloader::transferOutcome_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<unsigned int>("minimumSize");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("errorCode");
    QTest::addColumn<QString>("message");

    const QString ok;
    QTest::newRow("exactly the minimum") << 35 << 35u << ok << ok << ok;
    QTest::newRow("one byte short of the minimum")
        << 34 << 35u << ok << QString(ErrorCodes::DownloadError)
        << "The downloaded file index.xml has a size of 34 and needs to be at least 35 bytes";
    QTest::newRow("not found") << -1 << 35u << ok << QString(ErrorCodes::DownloadError)
                               << "A status code of 22 was received from download";
    QTest::newRow("server error") << 100 << 0u << "status:500" << QString(ErrorCodes::DownloadError)
                                  << "A status code of 22 was received from download";
    QTest::newRow("body cut short") << 4000 << 0u << "short" << QString(ErrorCodes::DownloadError)
                                    << "A status code of 18 was received from download";
    QTest::newRow("redirect followed") << 500 << 500u << "redirect:/elsewhere/index.xml" << ok << ok;
}

void TestWebDownloader::transferOutcome()
{
    QFETCH(int, size);
    QFETCH(unsigned int, minimumSize);
    QFETCH(QString, route);
    QFETCH(QString, errorCode);
    QFETCH(QString, message);

    const QString name = QStringLiteral("index.xml");
    const QByteArray content = Pattern(qMax(size, 0));
    QFile::remove(m_bundle->FilePath(name));
    QFile::remove(m_server->RootPath() + QStringLiteral("/files/") + name);
    if (size >= 0)
        QVERIFY(m_server->AddFile(QStringLiteral("files/") + name, content));
    if (route.startsWith(QLatin1String("redirect:")))
        QVERIFY(m_server->AddFile(QStringLiteral("elsewhere/") + name, content));
    QVERIFY(m_server->SetRoute(QLatin1String(Path) + name, route.isEmpty() ? QStringLiteral("serve") : route));

    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(name, m_server->HostWithPort(), QLatin1String(Path), minimumSize);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QCOMPARE(outcome.localName, name);
    if (errorCode.isEmpty()) {
        QVERIFY2(!outcome.exception, outcome.exception ? qPrintable(outcome.exception->GetMessage()) : "");
        QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(name)), content);
        return;
    }
    QVERIFY(outcome.exception);
    QCOMPARE(outcome.exception->GetErrorCode(), errorCode);
    QCOMPARE(outcome.exception->GetMessage(), message);
    QVERIFY(!QFile::exists(m_bundle->FilePath(name)));
    QCOMPARE(TestSupport::LinesContaining(LogPath(),
                                          QStringLiteral("Exception,  ") + errorCode + QStringLiteral(": ") + message)
                     .size() > 0,
             true);
}

void TestWebDownloader::hostAndPort_data()
{
    QTest::addColumn<QString>("hostText");
    QTest::addColumn<bool>("overridePort");
    QTest::addColumn<QString>("expectedUrl");

    const QString server = QStringLiteral("http://127.0.0.1:%1/files/port.bin");
    const QString refused;
    QTest::newRow("host with port") << QStringLiteral("127.0.0.1:%1") << false << server;
    QTest::newRow("override replaces the given port") << QStringLiteral("127.0.0.1:1") << true << server;
    QTest::newRow("override replaces the default port") << QStringLiteral("127.0.0.1") << true << server;
    QTest::newRow("empty port after the colon") << QStringLiteral("127.0.0.1:") << true << server;
    QTest::newRow("IPv6 literal in brackets")
        << QStringLiteral("[::1]:1") << false << QStringLiteral("http://[::1]:1/files/port.bin");
    QTest::newRow("non-numeric port") << QStringLiteral("127.0.0.1:web") << false << refused;
    QTest::newRow("port zero") << QStringLiteral("127.0.0.1:0") << true << refused;
    QTest::newRow("user name before the host") << QStringLiteral("user@127.0.0.1:%1") << false << refused;
    QTest::newRow("empty host") << QStringLiteral(":%1") << false << refused;
}

void TestWebDownloader::hostAndPort()
{
    QFETCH(QString, hostText);
    QFETCH(bool, overridePort);
    QFETCH(QString, expectedUrl);

    const quint16 port = m_server->Port();
    hostText = hostText.contains(QLatin1String("%1")) ? hostText.arg(port) : hostText;
    expectedUrl = expectedUrl.contains(QLatin1String("%1")) ? expectedUrl.arg(port) : expectedUrl;
    if (overridePort)
        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetDownloadPort(port);
    QVERIFY(m_server->AddFile(QStringLiteral("files/port.bin"), Pattern(64)));
    const int before = m_server->RequestCount(QStringLiteral("/files/port.bin"));

    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("port.bin"), hostText, QLatin1String(Path), 1);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    if (expectedUrl.isEmpty()) {
        // Never read as some other host or port, and never tried again.
        QCOMPARE(spy.count(), 1);
        QVERIFY(outcome.exception);
        QCOMPARE(outcome.exception->GetErrorCode(), QString(ErrorCodes::DownloadError));
        QCOMPARE(outcome.exception->GetMessage(),
                 QStringLiteral("The HTTP host ") + hostText + QStringLiteral(" is not of the form name[:port]"));
        QVERIFY(m_downloader->LastFailureWouldRepeat());
        QCOMPARE(m_server->RequestCount(QStringLiteral("/files/port.bin")), before);
        return;
    }
    QVERIFY(!TestSupport::LinesContaining(LogPath(), QStringLiteral("Downloading from ") + expectedUrl).isEmpty());
    const bool reachesServer = expectedUrl.contains(QString::number(port));
    QCOMPARE(!outcome.exception, reachesServer);
    QCOMPARE(m_server->RequestCount(QStringLiteral("/files/port.bin")) - before, reachesServer ? 1 : 0);
}

void TestWebDownloader::refusedAtOnce_data()
{
    QTest::addColumn<QString>("urlPath");
    QTest::addColumn<bool>("commFault");
    QTest::addColumn<QString>("errorCode");
    QTest::addColumn<QString>("message");

    const QString badPath = QStringLiteral("URL path must start and end with /");
    QTest::newRow("path without leading slash") << "files/" << false << QString(ErrorCodes::InternalError) << badPath;
    QTest::newRow("path without trailing slash") << "/files" << false << QString(ErrorCodes::InternalError) << badPath;
    QTest::newRow("empty path") << "" << false << QString(ErrorCodes::InternalError) << badPath;
    QTest::newRow("web server comm fault")
        << "/files/" << true << QString(ErrorCodes::DownloadError) << "Web server comm fault is enabled";
}

void TestWebDownloader::refusedAtOnce()
{
    QFETCH(QString, urlPath);
    QFETCH(bool, commFault);
    QFETCH(QString, errorCode);
    QFETCH(QString, message);

    WebInterfaceTestFactory::CreateWebInterfaceTest()->SetWebServerCommFault(commFault);
    QVERIFY(m_server->AddFile(QStringLiteral("files/refused.bin"), Pattern(10)));
    const int before = m_server->RequestCount(QStringLiteral("/files/refused.bin"));

    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("refused.bin"), m_server->HostWithPort(), urlPath, 0,
                           QStringLiteral("local.bin"));
    // Refusals are reported before Download returns, without touching the network.
    QCOMPARE(spy.count(), 1);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QCOMPARE(outcome.localName, QStringLiteral("local.bin"));
    QVERIFY(outcome.exception);
    QCOMPARE(outcome.exception->GetErrorCode(), errorCode);
    QCOMPARE(outcome.exception->GetMessage(), message);
    QCOMPARE(m_server->RequestCount(QStringLiteral("/files/refused.bin")), before);
}

void TestWebDownloader::secondDownloadRefusedWhileFirstCompletes()
{
    const QByteArray content = Pattern(200000);
    QVERIFY(m_server->AddFile(QStringLiteral("files/first.bin"), content));
    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("first.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);
    m_downloader->Download(QStringLiteral("second.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("second.bin"));
    QCOMPARE(spy.at(0).at(1).value<ExceptionPtr>()->GetErrorCode(), QString(ErrorCodes::DownloadInProgress));
    QCOMPARE(spy.at(0).at(1).value<ExceptionPtr>()->GetMessage(), QStringLiteral("A download is already in progress"));

    QVERIFY(spy.wait(CompletionTimeoutMs));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("first.bin"));
    QVERIFY(!spy.at(1).at(1).value<ExceptionPtr>());
    QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(QStringLiteral("first.bin"))), content);
    QCOMPARE(m_server->RequestCount(QStringLiteral("/files/second.bin")), 0);
}

void TestWebDownloader::corruptionSwitchHalvesFile()
{
    const QByteArray content = Pattern(1001);
    QVERIFY(m_server->AddFile(QStringLiteral("files/image.bin"), content));
    WebInterfaceTestFactory::CreateWebInterfaceTest()->SetWebDownloadCorruption(true);

    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("image.bin"), m_server->HostWithPort(), QLatin1String(Path), 1001);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QVERIFY(!outcome.exception);
    QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(QStringLiteral("image.bin"))), content.left(500));
}

void TestWebDownloader::stalledServerEndsInFailSafe()
{
    QVERIFY(m_server->AddFile(QStringLiteral("files/stall.bin"), Pattern(100000)));
    QVERIFY(m_server->SetRoute(QStringLiteral("/files/stall.bin"), QStringLiteral("stall-body")));
    m_downloader->SetFailSafeIntervalForTests(400);

    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("stall.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QVERIFY(outcome.exception);
    QCOMPARE(outcome.exception->GetErrorCode(), QString(ErrorCodes::DownloadError));
    QCOMPARE(outcome.exception->GetMessage(), QStringLiteral("A failsafe timeout occurred during download"));
    QVERIFY(!QFile::exists(m_bundle->FilePath(QStringLiteral("stall.bin"))));
    QVERIFY(!TestSupport::LinesContaining(LogPath(), QStringLiteral("Error,      Fail safe timeout during download"))
                 .isEmpty());
}

void TestWebDownloader::cancelRemovesPartialFile()
{
    QVERIFY(m_server->AddFile(QStringLiteral("files/cancel.bin"), Pattern(100000)));
    QVERIFY(m_server->SetRoute(QStringLiteral("/files/cancel.bin"), QStringLiteral("stall-body")));

    QSignalSpy progress(m_downloader.get(), &IWebDownloader::DownloadProgress);
    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("cancel.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);
    // Half the body arrives before the server falls silent.
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(1).toInt() == 50, CompletionTimeoutMs);
    m_downloader->Cancel();
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QVERIFY(outcome.exception);
    QCOMPARE(outcome.exception->GetErrorCode(), QString(ErrorCodes::DownloadCanceled));
    QCOMPARE(outcome.exception->GetMessage(), QStringLiteral("Download canceled by user"));
    QVERIFY(!QFile::exists(m_bundle->FilePath(QStringLiteral("cancel.bin"))));
}

void TestWebDownloader::progressRisesToHundred()
{
    const QByteArray content = Pattern(3 * 1024 * 1024);
    QVERIFY(m_server->AddFile(QStringLiteral("files/big.bin"), content));
    QSignalSpy progress(m_downloader.get(), &IWebDownloader::DownloadProgress);
    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("big.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QVERIFY(!outcome.exception);

    QVERIFY(progress.size() >= 2);
    QCOMPARE(progress.first().at(1).toInt(), 0);
    QCOMPARE(progress.last().at(1).toInt(), 100);
    for (int i = 1; i < progress.size(); ++i) {
        QCOMPARE(progress.at(i).at(0).toString(), QStringLiteral("big.bin"));
        QVERIFY(progress.at(i).at(1).toInt() > progress.at(i - 1).at(1).toInt());
    }
    QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(QStringLiteral("big.bin"))), content);
}

void TestWebDownloader::neverWritesOutsideProgramFolder_data()
{
    QTest::addColumn<QString>("localName");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("parent folder") << "../escape.bin" << false;
    QTest::newRow("climbs out through a subfolder") << "sub/../../escape.bin" << false;
    QTest::newRow("absolute path elsewhere") << QDir::tempPath() + "/escape.bin" << false;
    QTest::newRow("the folder itself") << "." << false;
    QTest::newRow("absolute path inside") << QStringLiteral("%1/inside.bin") << true;
}

void TestWebDownloader::neverWritesOutsideProgramFolder()
{
    QFETCH(QString, localName);
    QFETCH(bool, allowed);

    if (localName.contains(QLatin1String("%1")))
        localName = localName.arg(m_bundle->Path());
    const QString escaped = QDir(m_bundle->Path()).absoluteFilePath(QStringLiteral("../escape.bin"));
    QFile::remove(escaped);
    QVERIFY(m_server->AddFile(QStringLiteral("files/guard.bin"), Pattern(10)));

    QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
    m_downloader->Download(QStringLiteral("guard.bin"), m_server->HostWithPort(), QLatin1String(Path), 1, localName);
    const Outcome outcome = WaitForCompletion(spy);
    QVERIFY(outcome.completed);
    QVERIFY(!QFile::exists(escaped));
    QVERIFY(!QFile::exists(QDir::tempPath() + QStringLiteral("/escape.bin")));
    if (allowed) {
        QVERIFY(!outcome.exception);
        QCOMPARE(TestSupport::ReadFile(localName), Pattern(10));
        return;
    }
    QVERIFY(outcome.exception);
    QCOMPARE(outcome.exception->GetErrorCode(), QString(ErrorCodes::DownloadWriteFileError));
    QCOMPARE(outcome.exception->GetMessage(),
             QStringLiteral("The file ") + localName + QStringLiteral(" could not be opened for writing"));
}

QTEST_GUILESS_MAIN(TestWebDownloader)
#include "TestWebDownloader.moc"
