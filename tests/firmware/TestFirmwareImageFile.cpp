#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "firmware/FirmwareFileLocator.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/FirmwareImageList.h"
#include "firmware/FirmwareProcessingTest.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IndexFile.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/support/IndexXml.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace OrvoCommon;

class TestFirmwareImageFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_program;
    QTemporaryDir m_bundle;
    QTemporaryDir m_indexDir;
    std::unique_ptr<IIndexFile> m_index;

    QString InProgram(const QString& name) const { return m_program.filePath(name); }
    QString InBundle(const QString& name) const { return m_bundle.filePath(QStringLiteral("FirmwareFiles/") + name); }

    // An index file with one image of the given name and attributes; returns its descriptor.
    const IFirmwareImageDescriptor* Describe(const QString& imageXml)
    {
        const QString path = m_indexDir.filePath(QStringLiteral("index.xml"));
        TestSupport::WriteFile(path, IndexXml(DeviceXml(imageXml)).toUtf8());
        m_index = IndexFile::Create(path);
        return m_index->GetImageDescriptors(QStringLiteral("01.00.00"), {0x1F20, "01.00.00"}).value(0);
    }

    static QString CreateFailure(const IFirmwareImageDescriptor* descriptor, QString* code)
    {
        try {
            FirmwareImageFile::Create(descriptor);
        } catch (const OrvoException& exception) {
            *code = exception.GetErrorCode();
            return exception.GetMessage();
        }
        return QStringLiteral("created");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_program.isValid() && m_bundle.isValid());
        QDir(m_bundle.path()).mkpath(QStringLiteral("FirmwareFiles"));
        // Started directly, the bundle path is the program folder of the moment the locator is made;
        // moving the program folder afterwards gives the two distinct folders of a real package.
        LinkLinuxSystemInfoReader();
        qputenv("TESSARY_APP_DIR", QFile::encodeName(m_bundle.path()));
        QCOMPARE(FirmwareFileLocator::Instance()->BundlePath(), m_bundle.path());
        qputenv("TESSARY_APP_DIR", QFile::encodeName(m_program.path()));
    }
    void cleanupTestCase() { qunsetenv("TESSARY_APP_DIR"); }
    void cleanup()
    {
        FirmwareProcessingTest::Instance()->SetFirmwareImageCorruption(false);
        QDir(InProgram(QStringLiteral("a.dfu"))).removeRecursively();
        for (const QString& name : QDir(m_program.path()).entryList(QDir::Files))
            QFile::remove(InProgram(name));
        for (const QString& name : QDir(InBundle({})).entryList(QDir::Files | QDir::NoDotAndDotDot))
            QFile::remove(InBundle(name));
    }

    // Either folder alone: openFindsAMovedFile here, and the acquisition tests.
    void programFolderComesFirst()
    {
        TestSupport::WriteFile(InProgram("a.dfu"), "program copy");
        TestSupport::WriteFile(InBundle("a.dfu"), "bundle copy!");
        const auto file = FirmwareImageFile::Create(Describe(ImageXmlOf("a.dfu", "program copy")));
        QVERIFY(file->Open());
        QCOMPARE(file->ReadAll(), QByteArray("program copy"));
        QCOMPARE(FirmwareFileLocator::Instance()->FindFolder("a.dfu"), m_program.path());
    }

    void rejected_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<QString>("message");
        // The file holds "abc": 3 bytes, CRC 0x352441c2.
        const QString zeros(64, '0');
        QTest::newRow("CRC checked before length, in lower case without padding")
            << "LENGTH=\"2\" CRC=\"0x3a2441c2\""
            << "CRC of image file [a.dfu] is 0x352441c2 instead of expected 0x3a2441c2";
        QTest::newRow("length checked before digest") << "LENGTH=\"2\" SHA256=\"" + zeros + "\""
                                                      << "Length of image file [a.dfu] is 0x3 instead of expected 0x2";
        // The digest sees what CRC and length cannot.
        QTest::newRow("digest differs, CRC and length match")
            << "SHA256=\"" + zeros + "\""
            << "SHA-256 of image file [a.dfu] is ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad "
               "instead of expected " +
                   zeros;
    }
    void rejected()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, message);
        TestSupport::WriteFile(InProgram("a.dfu"), "abc");
        QString code;
        QCOMPARE(CreateFailure(Describe(ImageXmlOf("a.dfu", "abc", attributes)), &code), message);
        QCOMPARE(code, QLatin1String(ErrorCodes::FirmwareCorrupted));
    }

    void notCreated_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("in neither folder") << "none"
                                           << "Unable to find image file: a.dfu";
        QTest::newRow("cannot be opened") << "directory"
                                          << "Unable to open image file: a.dfu";
        QTest::newRow("no descriptor") << "null"
                                       << "descriptor is NULL";
    }
    void notCreated()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        if (setup == QLatin1String("directory"))
            QDir(m_program.path()).mkdir("a.dfu");
        const auto* descriptor = setup == QLatin1String("null") ? nullptr : Describe(ImageXml());
        QString code;
        QCOMPARE(CreateFailure(descriptor, &code), message);
        QCOMPARE(code, QLatin1String(ErrorCodes::InternalError));
    }

    void reading()
    {
        const QByteArray content("\x55\x01\x02\x03\x04", 5);
        TestSupport::WriteFile(InProgram("a.dfu"), content);
        const auto file = FirmwareImageFile::Create(Describe(ImageXmlOf("a.dfu", content)));
        QVERIFY(file->GetDescriptor());
        QVERIFY(file->Open());
        QVERIFY(!file->Open()); // already open: refused, and the file stays open
        QCOMPARE(file->Read(2), content.left(2));
        QVERIFY(file->Seek(3));
        QCOMPARE(file->Read(100), content.mid(3)); // only the rest
        QCOMPARE(file->Read(100), QByteArray());   // at the end
        QCOMPARE(file->ReadAll(), content);

        FirmwareProcessingTest::Instance()->SetFirmwareImageCorruption(true);
        QVERIFY(file->Seek(0));
        QCOMPARE(file->Read(2), QByteArray("\xAA\x01", 2));
        QCOMPARE(file->Read(1), QByteArray("\xFD", 1));
        QCOMPARE(file->Read(1), QByteArray("\xFC", 1));
        QCOMPARE(file->ReadAll(), content); // never altered
        FirmwareProcessingTest::Instance()->SetFirmwareImageCorruption(false);

        file->Close();
        file->Close();
        QVERIFY_EXCEPTION_THROWN(file->Read(1), OrvoException);
        QVERIFY_EXCEPTION_THROWN(file->Seek(0), OrvoException);
    }

    void openFindsAMovedFile()
    {
        const QByteArray content("moving");
        TestSupport::WriteFile(InProgram("a.dfu"), content);
        const auto file = FirmwareImageFile::Create(Describe(ImageXmlOf("a.dfu", content)));
        QVERIFY(QFile::rename(InProgram("a.dfu"), InBundle("a.dfu")));
        QCOMPARE(FirmwareFileLocator::Instance()->FindFolder("a.dfu"), InBundle({}).chopped(1));
        QVERIFY(file->Open());
        QCOMPARE(file->ReadAll(), content);
        file->Close();
        QVERIFY(QFile::remove(InBundle("a.dfu")));
        QVERIFY(!file->Open());
    }

    void findBySubId()
    {
        const QString path = m_indexDir.filePath(QStringLiteral("index.xml"));
        TestSupport::WriteFile(
            path, IndexXml(DeviceXml(ImageXmlOf("one.dfu", "a", "SUBID=\"1\"") + ImageXmlOf("zero.dfu", "a") +
                                     ImageXmlOf("again.dfu", "a", "SUBID=\"1\"")))
                      .toUtf8());
        const auto index = IndexFile::Create(path);
        std::vector<std::unique_ptr<IFirmwareImageFile>> owned;
        FirmwareImageList list{nullptr};
        for (const IFirmwareImageDescriptor* descriptor :
             index->GetImageDescriptors("01.00.00", {0x1F20, "01.00.00"})) {
            TestSupport::WriteFile(InProgram(descriptor->GetFileName()), "a");
            owned.push_back(FirmwareImageFile::Create(descriptor));
            list.append(owned.back().get());
        }
        QCOMPARE(FindImageBySubId(list, 1)->GetDescriptor()->GetFileName(), QStringLiteral("one.dfu"));
        QCOMPARE(FindImageBySubId(list, 0)->GetDescriptor()->GetFileName(), QStringLiteral("zero.dfu"));
        QVERIFY(!FindImageBySubId(list, 2));
        QVERIFY(!FindImageBySubId({}, 0));
    }
};

QTEST_GUILESS_MAIN(TestFirmwareImageFile)

#include "TestFirmwareImageFile.moc"
