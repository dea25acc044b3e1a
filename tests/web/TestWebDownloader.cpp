#include "tests/support/LocalWebServer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "web/WebDownloader.h"
#include "web/WebInterfaceTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace OrvoCommon;
using TestSupport::FailureText;
using TestSupport::LocalWebServer;

namespace {
constexpr int CompletionTimeoutMs = 20000;
constexpr char Path[] = "/files/";

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

private:
    TestSupport::LogCapture m_log;
    std::unique_ptr<TestSupport::TemporaryBundle> m_bundle;
    std::unique_ptr<LocalWebServer> m_server;
    std::unique_ptr<WebDownloader> m_downloader;

    // Waits for the one completion of a download begun with the spy in place: the local name and
    // the failure, or "no completion" and "more than one completion".
    QStringList Completion(QSignalSpy& spy)
    {
        if (spy.isEmpty() && !spy.wait(CompletionTimeoutMs))
            return {QStringLiteral("no completion")};
        // Anything still queued would be a second completion for the same request.
        QCoreApplication::processEvents();
        if (spy.count() != 1)
            return {QStringLiteral("more than one completion")};
        return {spy.first().at(0).toString(), FailureText(spy.first().at(1).value<ExceptionPtr>())};
    }

    QStringList Download(const QString& name, const QString& host, const QString& urlPath, unsigned minimumSize,
                         const QString& localName = QString())
    {
        QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
        m_downloader->Download(name, host, urlPath, minimumSize, localName.isEmpty() ? name : localName);
        return Completion(spy);
    }

private slots:
    void initTestCase()
    {
        RegisterCommonMetaTypes();
        m_bundle = std::make_unique<TestSupport::TemporaryBundle>();
        qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
        m_server = std::make_unique<LocalWebServer>();
        QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));
    }

    void init()
    {
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
        m_log.Mark();
        m_downloader = std::make_unique<WebDownloader>();
    }

    void cleanup()
    {
        m_downloader.reset();
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
    }

    void transferOutcome_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<unsigned int>("minimumSize");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("failure");

        QTest::newRow("exactly the minimum") << 35 << 35u << "serve" << QString();
        QTest::newRow("one byte short of the minimum")
            << 34 << 35u << "serve"
            << "download-error: The downloaded file index.xml has a size of 34 and needs to be at least 35 bytes";
        QTest::newRow("not found") << -1 << 35u << "serve"
                                   << "download-error: A status code of 22 was received from download";
        QTest::newRow("body cut short") << 4000 << 0u << "short"
                                        << "download-error: A status code of 18 was received from download";
        QTest::newRow("redirect followed") << 500 << 500u << "redirect:/elsewhere/index.xml" << QString();
    }
    void transferOutcome()
    {
        QFETCH(int, size);
        QFETCH(unsigned int, minimumSize);
        QFETCH(QString, route);
        QFETCH(QString, failure);

        const QString name = QStringLiteral("index.xml");
        const QByteArray content = Pattern(qMax(size, 0));
        QFile::remove(m_bundle->FilePath(name));
        QFile::remove(m_server->RootPath() + QStringLiteral("/files/") + name);
        if (size >= 0)
            QVERIFY(m_server->AddFile(QStringLiteral("files/") + name, content));
        if (route.startsWith(QLatin1String("redirect:")))
            QVERIFY(m_server->AddFile(QStringLiteral("elsewhere/") + name, content));
        QVERIFY(m_server->SetRoute(QLatin1String(Path) + name, route));

        QCOMPARE(Download(name, m_server->HostWithPort(), QLatin1String(Path), minimumSize),
                 (QStringList{name, failure}));
        if (failure.isEmpty()) {
            QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(name)), content);
            return;
        }
        QVERIFY(!QFile::exists(m_bundle->FilePath(name)));
        QVERIFY(m_log.Contains(QStringLiteral("Exception,  ") + failure));
    }

    void hostAndPort_data()
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
        // Refused before the override could make it valid.
        QTest::newRow("port zero") << QStringLiteral("127.0.0.1:0") << true << refused;
        QTest::newRow("user name before the host") << QStringLiteral("user@127.0.0.1:%1") << false << refused;
    }
    void hostAndPort()
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

        const QStringList completion = Download(QStringLiteral("port.bin"), hostText, QLatin1String(Path), 1);
        if (expectedUrl.isEmpty()) {
            // Never read as some other host or port, and never tried again.
            QCOMPARE(completion.value(1), QStringLiteral("download-error: The HTTP host ") + hostText +
                                              QStringLiteral(" is not of the form name[:port]"));
            QVERIFY(m_downloader->LastFailureWouldRepeat());
            QCOMPARE(m_server->RequestCount(QStringLiteral("/files/port.bin")), before);
            return;
        }
        QVERIFY(m_log.Contains(QStringLiteral("Downloading from ") + expectedUrl));
        const bool reachesServer = expectedUrl.contains(QString::number(port));
        QCOMPARE(completion.size(), 2);
        QCOMPARE(completion.at(1).isEmpty(), reachesServer);
        QCOMPARE(m_server->RequestCount(QStringLiteral("/files/port.bin")) - before, reachesServer ? 1 : 0);
    }

    void refusedAtOnce_data()
    {
        QTest::addColumn<QString>("urlPath");
        QTest::addColumn<bool>("commFault");
        QTest::addColumn<QString>("failure");

        const QString badPath = QStringLiteral("internal-error: URL path must start and end with /");
        QTest::newRow("path without leading slash") << "files/" << false << badPath;
        QTest::newRow("path without trailing slash") << "/files" << false << badPath;
        QTest::newRow("web server comm fault")
            << "/files/" << true << "download-error: Web server comm fault is enabled";
    }
    void refusedAtOnce()
    {
        QFETCH(QString, urlPath);
        QFETCH(bool, commFault);
        QFETCH(QString, failure);

        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetWebServerCommFault(commFault);
        QVERIFY(m_server->AddFile(QStringLiteral("files/refused.bin"), Pattern(10)));
        const int before = m_server->RequestCount(QStringLiteral("/files/refused.bin"));

        QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
        m_downloader->Download(QStringLiteral("refused.bin"), m_server->HostWithPort(), urlPath, 0,
                               QStringLiteral("local.bin"));
        // Refusals are reported before Download returns, without touching the network.
        QCOMPARE(spy.count(), 1);
        QCOMPARE(Completion(spy), (QStringList{QStringLiteral("local.bin"), failure}));
        QCOMPARE(m_server->RequestCount(QStringLiteral("/files/refused.bin")), before);
    }

    void secondDownloadRefusedWhileFirstCompletes()
    {
        const QByteArray content = Pattern(200000);
        QVERIFY(m_server->AddFile(QStringLiteral("files/first.bin"), content));
        QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
        m_downloader->Download(QStringLiteral("first.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);
        m_downloader->Download(QStringLiteral("second.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);

        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("second.bin"));
        QCOMPARE(FailureText(spy.at(0).at(1).value<ExceptionPtr>()),
                 QStringLiteral("download-in-progress: A download is already in progress"));

        QVERIFY(spy.wait(CompletionTimeoutMs));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("first.bin"));
        QVERIFY(!spy.at(1).at(1).value<ExceptionPtr>());
        QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(QStringLiteral("first.bin"))), content);
        QCOMPARE(m_server->RequestCount(QStringLiteral("/files/second.bin")), 0);
    }

    void cancelRemovesPartialFile()
    {
        QVERIFY(m_server->AddFile(QStringLiteral("files/cancel.bin"), Pattern(100000)));
        QVERIFY(m_server->SetRoute(QStringLiteral("/files/cancel.bin"), QStringLiteral("stall-body")));

        QSignalSpy progress(m_downloader.get(), &IWebDownloader::DownloadProgress);
        QSignalSpy spy(m_downloader.get(), &IWebDownloader::DownloadFileComplete);
        m_downloader->Download(QStringLiteral("cancel.bin"), m_server->HostWithPort(), QLatin1String(Path), 1);
        // Half the body arrives before the server falls silent.
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(1).toInt() == 50, CompletionTimeoutMs);
        m_downloader->Cancel();
        QCOMPARE(Completion(spy), (QStringList{QStringLiteral("cancel.bin"),
                                               QStringLiteral("download-canceled: Download canceled by user")}));
        QVERIFY(!QFile::exists(m_bundle->FilePath(QStringLiteral("cancel.bin"))));
    }

    void progressRisesToHundred()
    {
        const QByteArray content = Pattern(3 * 1024 * 1024);
        QVERIFY(m_server->AddFile(QStringLiteral("files/big.bin"), content));
        QSignalSpy progress(m_downloader.get(), &IWebDownloader::DownloadProgress);
        QCOMPARE(Download(QStringLiteral("big.bin"), m_server->HostWithPort(), QLatin1String(Path), 1),
                 (QStringList{QStringLiteral("big.bin"), QString()}));
        QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(QStringLiteral("big.bin"))), content);

        QVERIFY(progress.size() >= 2);
        QCOMPARE(progress.first().at(1).toInt(), 0);
        QCOMPARE(progress.last().at(1).toInt(), 100);
        for (int i = 1; i < progress.size(); ++i) {
            QCOMPARE(progress.at(i).at(0).toString(), QStringLiteral("big.bin"));
            QVERIFY(progress.at(i).at(1).toInt() > progress.at(i - 1).at(1).toInt());
        }
    }

    void neverWritesOutsideProgramFolder_data()
    {
        QTest::addColumn<QString>("localName");
        QTest::addColumn<bool>("allowed");

        QTest::newRow("parent folder") << "../escape.bin" << false;
        QTest::newRow("absolute path elsewhere") << QDir::tempPath() + "/escape.bin" << false;
        QTest::newRow("the folder itself") << "." << false;
        QTest::newRow("absolute path inside") << QStringLiteral("%1/inside.bin") << true;
    }
    void neverWritesOutsideProgramFolder()
    {
        QFETCH(QString, localName);
        QFETCH(bool, allowed);

        if (localName.contains(QLatin1String("%1")))
            localName = localName.arg(m_bundle->Path());
        const QString escaped = QDir(m_bundle->Path()).absoluteFilePath(QStringLiteral("../escape.bin"));
        QFile::remove(escaped);
        QVERIFY(m_server->AddFile(QStringLiteral("files/guard.bin"), Pattern(10)));

        const QStringList completion =
            Download(QStringLiteral("guard.bin"), m_server->HostWithPort(), QLatin1String(Path), 1, localName);
        QVERIFY(!QFile::exists(escaped));
        QVERIFY(!QFile::exists(QDir::tempPath() + QStringLiteral("/escape.bin")));
        if (allowed) {
            QCOMPARE(completion, (QStringList{localName, QString()}));
            QCOMPARE(TestSupport::ReadFile(localName), Pattern(10));
            return;
        }
        QCOMPARE(completion,
                 (QStringList{localName, QStringLiteral("download-write-file-error: The file ") + localName +
                                             QStringLiteral(" could not be opened for writing")}));
    }
};

QTEST_GUILESS_MAIN(TestWebDownloader)
#include "TestWebDownloader.moc"
