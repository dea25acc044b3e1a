#include "app/TempFileList.h"
#include "firmware/Crc32.h"
#include "firmware/FirmwareProcessing.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "firmware/IIndexFile.h"
#include "tests/support/AcquisitionProcess.h"
#include "tests/support/IndexXml.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "web/WebInterfaceTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace OrvoCommon;
using TestSupport::FailureText;
using TestSupport::LocalWebServer;

namespace {
constexpr int CompletionTimeoutMs = 30000;
constexpr char IndexName[] = "index.xml";
constexpr char Release[] = "02.00.00";

QByteArray Pattern(int size, int seed)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>(i * 13 + seed);
    return data;
}

struct Image
{
    QString name;
    QByteArray content;
};

// An index file offering the images in one release of the sample headset, downloadable from host.
QByteArray Index(const QList<Image>& images, const QString& host)
{
    QString xml;
    for (int i = 0; i < images.size(); ++i)
        xml += ImageXmlOf(images.at(i).name, images.at(i).content, QStringLiteral("SUBID=\"%1\"").arg(i));
    return ServedIndexXml(xml, host, QLatin1String(Release)).toUtf8();
}

FirmwareImageDescriptorList Descriptors(IIndexFile* indexFile)
{
    return indexFile->GetImageDescriptors(QLatin1String(Release), {0x1F20, "01.00.00"});
}
} // namespace

class TestFirmwareProcessing : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LocalWebServer> m_server;
    // The folder the program was started from, whose "FirmwareFiles" is the second place looked in.
    QTemporaryDir m_startFolder;
    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<TestSupport::TemporaryBundle> m_bundle;
    std::unique_ptr<FirmwareProcessing> m_processing;
    bool m_completedAtOnce = false;

    // Acquires the images that an index file lying in the program folder lists (a null descriptor
    // after them when asked): the file names of the one completion, then its failure.
    QStringList AcquireImages(const QList<Image>& images, const QString& host, bool nullDescriptor = false)
    {
        TestSupport::WriteFile(m_bundle->FilePath(QLatin1String(IndexName)), Index(images, host));
        QSignalSpy indexSpy(m_processing.get(), &IFirmwareProcessing::AcquireIndexFileComplete);
        m_processing->AcquireIndexFile(QLatin1String(IndexName), QStringLiteral("127.0.0.1:1"),
                                       QStringLiteral("/none/"));
        IIndexFile* indexFile = indexSpy.value(0).value(0).value<IIndexFile*>();
        if (!indexFile)
            return {QStringLiteral("index file refused")};
        FirmwareImageDescriptorList descriptors = Descriptors(indexFile);
        if (nullDescriptor)
            descriptors.append(nullptr);
        QSignalSpy spy(m_processing.get(), &IFirmwareProcessing::AcquireFirmwareImageFilesComplete);
        m_processing->AcquireImageFiles(descriptors);
        m_completedAtOnce = !spy.isEmpty();
        if (spy.isEmpty() && !spy.wait(CompletionTimeoutMs))
            return {QStringLiteral("no completion")};
        QCoreApplication::processEvents();
        if (spy.count() != 1)
            return {QStringLiteral("more than one completion")};
        QStringList result;
        for (IFirmwareImageFile* file : spy.first().at(0).value<FirmwareImageList>())
            result.append(file->GetDescriptor()->GetFileName());
        return result << FailureText(spy.first().at(1).value<ExceptionPtr>());
    }

    int Logged(const QString& text) const { return m_log->LinesContaining(text).size(); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_startFolder.path()).mkpath(QStringLiteral("FirmwareFiles")));
        QVERIFY(PrepareAcquisitionProcess(QStringLiteral("TestFirmwareProcessing"), m_startFolder.path()));
        m_log = std::make_unique<TestSupport::LogCapture>();
        m_server = std::make_unique<LocalWebServer>();
        QVERIFY2(m_server->IsRunning(), qPrintable(m_server->ErrorText()));
    }

    void init()
    {
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
        m_log->Mark();
        m_bundle = std::make_unique<TestSupport::TemporaryBundle>();
        qputenv("TESSARY_APP_DIR", m_bundle->Path().toLocal8Bit());
        m_processing = std::make_unique<FirmwareProcessing>();
    }

    void cleanup()
    {
        m_processing.reset();
        m_bundle.reset();
        WebInterfaceTestFactory::CreateWebInterfaceTest()->ResetForTests();
    }

    void indexFile_data()
    {
        QTest::addColumn<bool>("local");
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<bool>("downloadsEnabled");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QString>("failure");

        const QByteArray valid = Index({{QStringLiteral("a.bin"), Pattern(10, 1)}}, QString());
        QTest::newRow("present locally, no network") << true << valid << true << 0 << QString();
        QTest::newRow("downloaded") << false << valid << true << 1 << QString();
        QTest::newRow("34 bytes refused on every attempt")
            << false << QByteArray(34, ' ') << true << 3
            << "download-error: The downloaded file index.xml has a size of 34 and needs to be at least 35 bytes";
        QTest::newRow("downloads disabled")
            << false << valid << false << 0 << "download-error: Missing index file and downloads are disabled";
        QTest::newRow("downloaded file does not parse")
            << false << QByteArray("<?xml version=\"1.0\"?>\n<index>nothing to see here</index>\n") << true << 1
            << "index-corrupted: The index file does not contain a top-level INDEX node.";
    }
    void indexFile()
    {
        QFETCH(bool, local);
        QFETCH(QByteArray, served);
        QFETCH(bool, downloadsEnabled);
        QFETCH(int, requests);
        QFETCH(QString, failure);

        const QString remotePath = QStringLiteral("/firmware/") + QLatin1String(IndexName);
        QVERIFY(m_server->AddFile(remotePath.mid(1), served));
        if (local)
            QVERIFY(TestSupport::WriteFile(m_bundle->FilePath(QLatin1String(IndexName)), served));
        m_processing->SetDownloadsEnabled(downloadsEnabled);
        const int requestsBefore = m_server->RequestCount(remotePath);

        const QList<QVariant> completion = AwaitCompletion(
            m_processing.get(), &IFirmwareProcessing::AcquireIndexFileComplete,
            [&] {
                m_processing->AcquireIndexFile(QLatin1String(IndexName), m_server->HostWithPort(),
                                               QStringLiteral("/firmware/"));
            },
            CompletionTimeoutMs);
        QCOMPARE(completion.size(), 2);
        QCOMPARE(m_server->RequestCount(remotePath) - requestsBefore, requests);
        IIndexFile* indexFile = completion.at(0).value<IIndexFile*>();
        QCOMPARE(FailureText(completion.at(1).value<ExceptionPtr>()), failure);
        if (failure.isEmpty()) {
            QCOMPARE(Descriptors(indexFile).size(), 1);
            if (!local) {
                const QString target = m_bundle->FilePath(QLatin1String(IndexName));
                QVERIFY(
                    TestSupport::ReadFile(TempFileList::Instance()->GetListFilePath()).contains(target.toLocal8Bit()));
            }
            return;
        }
        QVERIFY(!indexFile);
        QVERIFY(!QFile::exists(m_bundle->FilePath(QLatin1String(IndexName))));
        QCOMPARE(Logged(QStringLiteral("Warning,    Download of index.xml failed - retrying")), requests == 3 ? 2 : 0);
        QCOMPARE(Logged(QStringLiteral("Error,      Download of index.xml failed - no retries remain")),
                 requests == 3 ? 1 : 0);
    }

    void allImagesLocalCompleteAtOnce()
    {
        // One in the program folder, one in the bundle's firmware folder.
        const QList<Image> images{{QStringLiteral("a.bin"), Pattern(100, 1)},
                                  {QStringLiteral("b.bin"), Pattern(200, 2)}};
        QVERIFY(TestSupport::WriteFile(m_bundle->FilePath(images.at(0).name), images.at(0).content));
        QVERIFY(TestSupport::WriteFile(m_startFolder.filePath(QStringLiteral("FirmwareFiles/")) + images.at(1).name,
                                       images.at(1).content));
        QSignalSpy progress(m_processing.get(), &IFirmwareProcessing::DownloadProgress);
        QCOMPARE(AcquireImages(images, m_server->HostWithPort()), (QStringList{"a.bin", "b.bin", QString()}));
        QVERIFY(m_completedAtOnce);
        QCOMPARE(progress.count(), 0);
        QCOMPARE(m_server->RequestCount(QStringLiteral("/firmware/a.bin")), 0);
    }

    void progressWeightedOverDownloadsOnly()
    {
        const QList<Image> images{{QStringLiteral("local.bin"), Pattern(50000, 3)},
                                  {QStringLiteral("first.bin"), Pattern(100000, 4)},
                                  {QStringLiteral("second.bin"), Pattern(300000, 5)}};
        QVERIFY(TestSupport::WriteFile(m_bundle->FilePath(images.at(0).name), images.at(0).content));
        for (int i = 1; i < images.size(); ++i)
            QVERIFY(m_server->AddFile(QStringLiteral("firmware/") + images.at(i).name, images.at(i).content));

        QSignalSpy progress(m_processing.get(), &IFirmwareProcessing::DownloadProgress);
        QCOMPARE(AcquireImages(images, m_server->HostWithPort()),
                 (QStringList{"local.bin", "first.bin", "second.bin", QString()}));
        for (int i = 1; i < images.size(); ++i)
            QCOMPARE(TestSupport::ReadFile(m_bundle->FilePath(images.at(i).name)), images.at(i).content);

        QList<int> values;
        for (const QList<QVariant>& signal : qAsConst(progress))
            values.append(signal.at(0).toInt());
        QVERIFY(!values.isEmpty());
        QCOMPARE(values.first(), 0);
        QCOMPARE(values.last(), 100);
        for (int i = 1; i < values.size(); ++i)
            QVERIFY2(values.at(i) >= values.at(i - 1), qPrintable(QStringLiteral("progress went back at %1").arg(i)));
        // The first download is a quarter of the bytes to fetch; the local file does not count.
        QVERIFY(values.contains(25));
    }

    void failedImageDownloads_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("corruptServedFile");
        QTest::addColumn<bool>("corruptionSwitch");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QString>("failure");

        QTest::newRow("transfer fails three times")
            << "short" << false << false << 3 << "download-error: A status code of 18 was received from download";
        QTest::newRow("served file fails its CRC, no retry")
            << "serve" << true << false << 1
            << "firmware-corrupted: CRC of image file [image.bin] is 0x%1 instead of expected 0x%2";
        // Half the file arrives, which the CRC of the half in the message proves.
        QTest::newRow("download corruption switch")
            << "serve" << false << true << 1
            << "firmware-corrupted: CRC of image file [image.bin] is 0x%1 instead of expected 0x%2";
    }
    void failedImageDownloads()
    {
        QFETCH(QString, route);
        QFETCH(bool, corruptServedFile);
        QFETCH(bool, corruptionSwitch);
        QFETCH(int, requests);
        QFETCH(QString, failure);

        const QByteArray content = Pattern(1001, 7);
        QByteArray served = content;
        if (corruptServedFile)
            served[500] = static_cast<char>(served[500] ^ 0xFF);
        const QByteArray arrived = corruptionSwitch ? served.left(served.size() / 2) : served;
        if (failure.contains(QLatin1String("%1")))
            failure = failure.arg(Crc32::Of(arrived), 0, 16).arg(Crc32::Of(content), 0, 16);

        QVERIFY(m_server->AddFile(QStringLiteral("firmware/image.bin"), served));
        QVERIFY(m_server->SetRoute(QStringLiteral("/firmware/image.bin"), route));
        WebInterfaceTestFactory::CreateWebInterfaceTest()->SetWebDownloadCorruption(corruptionSwitch);
        const int requestsBefore = m_server->RequestCount(QStringLiteral("/firmware/image.bin"));

        QSignalSpy progress(m_processing.get(), &IFirmwareProcessing::DownloadProgress);
        QCOMPARE(AcquireImages({{QStringLiteral("image.bin"), content}}, m_server->HostWithPort()),
                 QStringList{failure});
        m_server->SetRoute(QStringLiteral("/firmware/image.bin"), QStringLiteral("serve"));
        QCOMPARE(m_server->RequestCount(QStringLiteral("/firmware/image.bin")) - requestsBefore, requests);
        QCOMPARE(Logged(QStringLiteral("Download of image.bin failed - retrying")), requests - 1);
        QVERIFY(!QFile::exists(m_bundle->FilePath(QStringLiteral("image.bin"))));
        for (int i = 1; i < progress.size(); ++i)
            QVERIFY(progress.at(i).at(0).toInt() >= progress.at(i - 1).at(0).toInt());
    }

    void refusedImageRequests_data()
    {
        QTest::addColumn<bool>("withHost");
        QTest::addColumn<bool>("downloadsEnabled");
        QTest::addColumn<bool>("nullDescriptor");
        QTest::addColumn<QString>("failure");

        QTest::newRow("no download location")
            << false << true << false << "index-corrupted: Index file missing HTTP host or URL paths";
        QTest::newRow("downloads disabled")
            << true << false << false << "download-error: Image files missing and downloads are disabled";
        QTest::newRow("null descriptor") << true << true << true
                                         << "internal-error: Firmware image descriptor pointer is null";
    }
    void refusedImageRequests()
    {
        QFETCH(bool, withHost);
        QFETCH(bool, downloadsEnabled);
        QFETCH(bool, nullDescriptor);
        QFETCH(QString, failure);

        m_processing->SetDownloadsEnabled(downloadsEnabled);
        QCOMPARE(AcquireImages({{QStringLiteral("absent.bin"), Pattern(10, 9)}},
                               withHost ? m_server->HostWithPort() : QString(), nullDescriptor),
                 QStringList{failure});
        QVERIFY(m_completedAtOnce);
        QCOMPARE(m_server->RequestCount(QStringLiteral("/firmware/absent.bin")), 0);
    }
};

QTEST_GUILESS_MAIN(TestFirmwareProcessing)
#include "TestFirmwareProcessing.moc"
