// The programming thread end to end: the comm driver starts it on the simulated headset through the
// real USB layer; each case forces one row of the transition table with a profile or a fault.
#include "app/ErrorCodes.h"
#include "device/DeviceRecord.h"
#include "device/DfuThread.h"
#include "device/IPelarinUsbCommDriver.h"
#include "device/PelarinUsbCommDriverFactory.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "device/PsKeys.h"
#include "firmware/FirmwareProcessingTest.h"
#include "sim/SimBus.h"
#include "sim/SimHeadset.h"
#include "tests/support/ProgrammingFixtures.h"
#include "tests/support/SimFixtures.h"
#include "usb/ICsrDevice.h"
#include "usb/ICsrUsbInterface.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace OrvoCommon;
using DeviceTest::ImageCatalogue;
using DeviceTest::ReleaseImages;

Q_DECLARE_METATYPE(QVector<std::uint16_t>)

namespace {

constexpr int RunWaitMs = 30000;
const QString V100 = QStringLiteral("01.00.00");
const QString V102 = QStringLiteral("01.02.00");

// The state names of the run, in the order they were entered.
QStringList StatesEntered(const QStringList& lines)
{
    static const QRegularExpression state(QStringLiteral("DfuThread state changed to (\\S+)$"));
    QStringList states;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = state.match(line);
        if (match.hasMatch())
            states.append(match.captured(1));
    }
    return states;
}

QStringList Names(const char* names)
{
    return QString::fromLatin1(names).split(QLatin1Char(' '));
}

} // namespace

class TestDfuThread : public DeviceTest::ProgrammingTestCase
{
    Q_OBJECT

private:
    struct Run
    {
        // Not an error code: the run did not end with exactly one completion.
        QString error = QStringLiteral("no single completion");
        QList<QString> versions;
        QStringList states;
    };

    Sim::SimHeadset* m_headset = nullptr;

    void Start(const Sim::HeadsetProfile& profile = TestSupport::SampleHeadsetProfile(),
               const QList<ImageCatalogue::Image>& images = ReleaseImages(V102, V102),
               const QString& config = QString())
    {
        StartStack(images, QStringLiteral("<MessageRetries>0</MessageRetries>") + config);
        m_headset = m_stack->AddHeadset(profile);
    }

    Run Program(bool manualMode = false, const QList<QString>& versions = {V100, V100, V100},
                FirmwareImageList images = FirmwareImageList())
    {
        if (images.isEmpty())
            images = m_catalogue->Files();
        Run run;
        ICsrDevice* device = m_stack->DetectWithDriver();
        if (!device)
            return run;
        IPelarinUsbCommDriver* driver = m_stack->Driver();
        QSignalSpy done(driver, &IPelarinUsbCommDriver::ProgramComplete);
        DeviceRecord record;
        record.versions = versions;
        driver->ProgramAsync(device, m_catalogue->Index(), images, manualMode, record);
        if (!done.wait(RunWaitMs) || !DeviceTest::WaitForProgrammingThreads() || done.size() != 1)
            return run;
        run.error = done.first().at(1).toString();
        run.versions = done.first().at(2).value<QList<QString>>();
        run.states = StatesEntered(m_log->Lines());
        return run;
    }

    int Count(const QString& text) const { return m_log->LinesContaining(text).size(); }

private slots:
    void normalUpdateOfBothImages()
    {
        Start();
        QSignalSpy progress(m_stack->Driver(), &IPelarinUsbCommDriver::ProgramProgress);
        const Run run = Program();
        QCOMPARE(run.error, QString());
        QCOMPARE(run.versions, QList<QString>({V102, V102, V102}));
        QCOMPARE(run.states, Names("APP_MODE RESETTING_TO_DFU_MODE DFU_MODE RESETTING_TO_FINAL_APP_MODE "
                                   "QUERYING_VERSION PROGRAMMING_DONE"));

        const QList<Sim::ReceivedImage> received = m_headset->ReceivedImages();
        QCOMPARE(received.size(), 2);
        QVERIFY(received.at(0).verified && received.at(1).verified);
        QCOMPARE(received.at(0).subId, std::uint16_t(0));
        QCOMPARE(received.at(1).subId, std::uint16_t(1));
        // Boot mode back to 1, the new release version in the hexadecimal encoding: 01 02 "0" "0".
        QCOMPARE(m_headset->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({1}));
        QCOMPARE(m_headset->PsKey(PsKeys::ReleaseVersion), QVector<std::uint16_t>({0x0102, 0x3030}));
        // Reset into DFU mode, back into the application, then the cold reset.
        QCOMPARE(m_headset->ResetCount(), 3);

        for (const char* line :
             {"Starting firmware update", "Read boot mode is 1", "Set boot mode to 0",
              "Set release version to 00.00.00", "Sending file stack.dfu", "Sending file vm.dfu", "Set boot mode to 1",
              "Set release version to 01.02.00", "Cold reset - the following control transfer errors are expected",
              "Firmware update successfully completed"})
            QVERIFY2(m_log->Contains(QLatin1String(line)), line);
        QVERIFY(m_log->HasError(QStringLiteral("Starting firmware update")));
        QVERIFY(!m_log->Contains(QStringLiteral("DfuThread error")));

        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.first().at(1).value<short>(), short(0));
        short last = 0;
        for (const QList<QVariant>& signal : qAsConst(progress)) {
            QVERIFY(signal.at(1).value<short>() >= last);
            last = signal.at(1).value<short>();
        }
    }

    void deviceInDfuIdleIsResetToApplicationFirst()
    {
        Start(TestSupport::DfuModeHeadsetProfile(), ReleaseImages(V102, V102));
        const Run run = Program();
        QCOMPARE(run.error, QString());
        QCOMPARE(run.states, Names("RESETTING_TO_INITIAL_APP_MODE APP_MODE RESETTING_TO_DFU_MODE DFU_MODE "
                                   "RESETTING_TO_FINAL_APP_MODE QUERYING_VERSION PROGRAMMING_DONE"));
        QCOMPARE(m_headset->ReceivedImages().size(), 2);
    }

    void detachRefusedUsesARetry_data()
    {
        QTest::addColumn<bool>("resetInPlace");
        QTest::newRow("the reset re-enumerates the headset") << false;
        // Linux keeps a device whose descriptors do not change where it is: no removal, no arrival.
        QTest::newRow("the kernel resets the headset in place") << true;
    }

    void detachRefusedUsesARetry()
    {
        QFETCH(bool, resetInPlace);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.resetInPlace = resetInPlace;
        // Two state reads, the boot mode (size and value), its write and the release version write
        // pass; the detach stalls.
        profile.faults.stallAfterTransfers = 6;
        profile.faults.stallTransfers = 1;
        Start(profile, ReleaseImages(V102, V102), QStringLiteral("<ResetTimeout>3000</ResetTimeout>"));
        const Run run = Program();
        QCOMPARE(run.error, QString());
        QVERIFY(m_log->HasError(QStringLiteral("DFU_DETACH FAILED")));
        QCOMPARE(run.states, Names("APP_MODE RESETTING_TO_INITIAL_APP_MODE APP_MODE RESETTING_TO_DFU_MODE DFU_MODE "
                                   "RESETTING_TO_FINAL_APP_MODE QUERYING_VERSION PROGRAMMING_DONE"));
        QVERIFY(!m_log->Contains(QStringLiteral("Reset timeout")));
    }

    void deviceReturningInTheWrongMode()
    {
        // Back in its application when DFU mode was due (a retry resets it again, and it comes back in
        // DFU mode), then in DFU mode after the final reset: the run cannot end in the application.
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.wrongModeAfterReset = true;
        Start(profile);
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::ProgrammingError));
        QCOMPARE(run.states, Names("APP_MODE RESETTING_TO_DFU_MODE RESETTING_TO_INITIAL_APP_MODE DFU_MODE "
                                   "RESETTING_TO_FINAL_APP_MODE PROGRAMMING_DONE"));
        QCOMPARE(m_headset->ReceivedImages().size(), 2);
    }

    void manifestationIntolerantDeviceIsResetAfterItsImage()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.dfuModeAttributes = 0x01;
        // Only the stack image is new, so the one image the device takes before its reset is enough.
        Start(profile, ReleaseImages(V102, V100));
        const Run run = Program();
        QCOMPARE(run.error, QString());
        QCOMPARE(m_headset->ReceivedImages().size(), 1);
        QCOMPARE(run.versions, QList<QString>({V102, V102, V100}));
    }

    void releaseVersionEncodings_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QVector<std::uint16_t>>("words");
        // "00.00.00": major and minor in one word, then the build characters; or a word per field.
        QTest::newRow("hexadecimal") << QString() << QVector<std::uint16_t>({0x0000, 0x3030});
        QTest::newRow("ASCII") << QStringLiteral("<AsciiVersionNumber/>")
                               << QVector<std::uint16_t>({0x3030, 0x3030, 0x3030});
    }

    // The headset never comes back from its reset into DFU mode, which leaves the marks of the run.
    void releaseVersionEncodings()
    {
        QFETCH(QString, config);
        QFETCH(QVector<std::uint16_t>, words);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.neverReturnAfterReset = true;
        Start(profile, ReleaseImages(V102, V102), config + QStringLiteral("<ResetTimeout>200</ResetTimeout>"));
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::ReconnectTimeout));
        QVERIFY(m_log->HasError(QStringLiteral("Reset timeout")));
        QVERIFY(m_log->Contains(QStringLiteral("Device disconnected for reset")));
        QCOMPARE(run.states.last(), QStringLiteral("PROGRAMMING_DONE"));
        QCOMPARE(m_headset->PsKey(PsKeys::ReleaseVersion), words);
    }

    void imagesAlreadyCurrentSendNoBlock()
    {
        Start(TestSupport::SampleHeadsetProfile(), ReleaseImages(V100, V100));
        const Run run = Program();
        QCOMPARE(run.error, QString());
        QCOMPARE(m_headset->BlocksReceived(), 0);
        QCOMPARE(Count(QStringLiteral("Sending file")), 0);
        QCOMPARE(run.states, Names("APP_MODE RESETTING_TO_DFU_MODE DFU_MODE RESETTING_TO_FINAL_APP_MODE "
                                   "QUERYING_VERSION PROGRAMMING_DONE"));
        QCOMPARE(run.versions.value(0), V102);
    }

    void manualModeProgramsForcedImages()
    {
        QList<ImageCatalogue::Image> images = ReleaseImages(V100, V100);
        images[1].forced = false;
        Start(TestSupport::SampleHeadsetProfile(), images);
        const Run run = Program(true);
        QCOMPARE(run.error, QString());
        const QList<Sim::ReceivedImage> received = m_headset->ReceivedImages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.at(0).subId, std::uint16_t(0));
        QVERIFY(m_log->Contains(QStringLiteral("Sending file stack.dfu")));
        QVERIFY(!m_log->Contains(QStringLiteral("Sending file vm.dfu")));
    }

    // Handed over VM image first, the images are still taken stack first, each in blocks of the
    // transfer size and without its DFU suffix.
    void imagesInSubIdOrderAndBlocksOfTransferSize()
    {
        const QString v103 = QStringLiteral("01.03.00");
        QList<ImageCatalogue::Image> images = ReleaseImages(V102, v103);
        // 5000 bytes in all: 4984 bytes of body and the 16-byte DFU suffix.
        images[0].content = TestSupport::PackerImage(0, V102, 5000 - 32 - 16);
        QCOMPARE(images[0].content.size(), 5000);
        Start(TestSupport::SampleHeadsetProfile(), images);
        const FirmwareImageList files = m_catalogue->Files();
        const Run run = Program(false, {V100, V100, V100}, {files.at(1), files.at(0)});
        QCOMPARE(run.error, QString());
        QCOMPARE(run.versions, QList<QString>({V102, V102, v103}));
        const QList<Sim::ReceivedImage> received = m_headset->ReceivedImages();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(0).subId, std::uint16_t(0));
        QCOMPARE(received.at(0).body, images[0].content.left(4984));

        QStringList blocks;
        bool inStack = false;
        for (const QString& line : m_log->Lines()) {
            if (line.contains(QLatin1String("Sending file")))
                inStack = line.endsWith(QLatin1String("stack.dfu"));
            const int at = line.indexOf(QLatin1String("DFU_DNLOAD - "));
            if (inStack && at >= 0)
                blocks.append(line.mid(at + 13));
        }
        QCOMPARE(blocks, QStringList({"block = 0, count = 1023", "block = 1, count = 1023", "block = 2, count = 1023",
                                      "block = 3, count = 1023", "block = 4, count = 892", "block = 5, count = 0"}));
    }

    void everyBadSuffixIsLoggedAndTheFirstReported()
    {
        QList<ImageCatalogue::Image> images = ReleaseImages(V102, V102);
        images[0].content[40] = static_cast<char>(images[0].content.at(40) ^ 0x01); // breaks the suffix CRC
        images[1].content = DeviceTest::DfuFile(QByteArray(2000, '\x11'), 0x0A12, 0x1234);
        Start(TestSupport::SampleHeadsetProfile(), images);
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::FirmwareCorrupted));
        QVERIFY(m_log->HasError(QStringLiteral("DFU suffix CRC does not match")));
        QVERIFY(m_log->HasError(QStringLiteral("DFU file is for 0a12/1234, connected device is 0a12/1f20")));
        QVERIFY(m_log->HasError(QStringLiteral("DfuThread error changed to firmware-corrupted")));
        QVERIFY(m_log->HasError(QStringLiteral("DfuThread error attempted to change to dfu-file-mismatch")));
        // The run never began: no state was entered, and nothing reached the device.
        QCOMPARE(run.states, QStringList());
        QCOMPARE(m_headset->BlocksReceived(), 0);
    }

    void downloadErrorsUseTheSequenceRetry_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("error");
        QTest::newRow("one error: the image restarts") << 1 << QString();
        QTest::newRow("second error: retries exceeded") << 2 << QString::fromLatin1(ErrorCodes::ProgrammingError);
    }

    void downloadErrorsUseTheSequenceRetry()
    {
        QFETCH(int, failures);
        QFETCH(QString, error);
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.dfuErrorAtBlock = 1;
        profile.faults.dfuErrorTimes = failures;
        Start(profile);
        const Run run = Program();
        QCOMPARE(run.error, error);
        QCOMPARE(Count(QStringLiteral("Error occurred during DFU download - retrying")), 1);
        QCOMPARE(m_log->HasError(QStringLiteral("Retries exceeded - ending programming")), failures > 1);
        // The image starts again from block 0.
        QCOMPARE(Count(QStringLiteral("DFU_DNLOAD - block = 0,")), failures > 1 ? 2 : 3);
    }

    void disconnectionInDfuModeWinsOverLaterErrors()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.unplugAfterBlocks = 2;
        Start(profile);
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::DeviceDisconnected));
        QVERIFY(m_log->HasError(QStringLiteral("Device was unexpectedly disconnected during update")));
        QVERIFY(m_log->HasError(QStringLiteral("DfuThread error changed to device-disconnected")));
        // The transfers that fail after the cable was pulled may record their own error; it never wins.
        QVERIFY(m_log->HasError(QStringLiteral("Firmware update aborted due to errors")));
        // Cut short after the detach, the run leaves boot mode 0 and release version 00.00.00 behind.
        QCOMPARE(m_headset->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({0}));
        QCOMPARE(m_headset->PsKey(PsKeys::ReleaseVersion), QVector<std::uint16_t>({0x0000, 0x3030}));
    }

    void disconnectionFoundBeforeItsNotice()
    {
        // The transfers to the boot loader fail at once when the cable is pulled; its removal notice
        // is held until the run has ended.
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.unplugAfterBlocks = 2;
        Start(profile);
        connect(m_stack->Interface(), &ICsrUsbInterface::DeviceConnected, this, [this](ICsrDevice* device) {
            if (device->IsDfuMode())
                m_stack->Bus()->HoldNotices();
        });
        const Run run = Program();
        m_stack->Bus()->ReleaseNotices();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::DeviceDisconnected));
        QCOMPARE(Count(QStringLiteral("Device was unexpectedly disconnected during update")), 1);
    }

    void wrongVersionAfterUpdate()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.reportedVersions.insert(1, QStringLiteral("01.01.00"));
        Start(profile);
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::PostReconnectMismatch));
        QVERIFY(m_log->HasError(QStringLiteral("Version mismatch for sub ID 1: expected 01.02.00, actual 01.01.00")));
        // The release version stays 00.00.00, so the next run programs everything again.
        QCOMPARE(run.versions.value(0), QStringLiteral("00.00.00"));
        QVERIFY(!m_log->Contains(QStringLiteral("Set release version to 01.02.00")));
    }

    void versionQueryFailureAfterReset()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Error;
        Start(profile);
        const Run run = Program();
        // "get-version-error" still goes through the version check, which finds nothing to compare.
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::PostReconnectQueryFailed));
        QVERIFY(m_log->HasError(QStringLiteral("CheckVersions: Required versions are not present")));
        QVERIFY(m_log->HasError(QStringLiteral("Unable to get boot mode")));
        QVERIFY(m_log->HasError(QStringLiteral("Unable to set boot mode to 0")));
        QVERIFY(m_log->HasError(QStringLiteral("Unable to set release version to 00.00.00")));
        QCOMPARE(m_headset->ReceivedImages().size(), 2);
        QCOMPARE(run.versions, QList<QString>({QString(), QString(), QString()}));
    }

    void failsafeEndsAStalledRun()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.neverReturnAfterReset = true;
        DfuThread::SetFailsafeSecondForTest(300);
        Start(profile, ReleaseImages(V102, V102),
              QStringLiteral("<FailsafeTimeout>1000</FailsafeTimeout><ResetTimeout>60000</ResetTimeout>"));
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::ProgrammingError));
        QVERIFY(m_log->HasError(QStringLiteral("Thread locked up... ending update")));
        QVERIFY(!m_log->Contains(QStringLiteral("Reset timeout")));
    }

    void interruptedUpdateReprogramsEveryImage()
    {
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        QVector<std::uint16_t> words;
        Sim::EncodeVersionWords(QStringLiteral("00.00.00"), &words);
        profile.psStore.insert(PsKeys::ReleaseVersion, words);
        Sim::EncodeVersionWords(V102, &words);
        profile.psStore.insert(PsKeys::VmAppVersion, words);
        Sim::BuildIdForVersion(V102, &profile.buildId);
        profile.psStore.insert(PsKeys::BootMode, {0});
        Start(profile);
        const Run run = Program(false, {QStringLiteral("00.00.00"), V102, V102});
        QCOMPARE(run.error, QString());
        QVERIFY(m_log->Contains(QStringLiteral("Read boot mode is 0")));
        QCOMPARE(m_headset->ReceivedImages().size(), 2);
        QCOMPARE(m_headset->PsKey(PsKeys::BootMode), QVector<std::uint16_t>({1}));
    }

    // The HCI switch is checked where it acts, in the BCCMD layer.
    void dfuFaultSwitch()
    {
        Start();
        PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()->SetDfuCommFault(true);
        QCOMPARE(Program().error, QString::fromLatin1(ErrorCodes::ProgrammingError));
        QVERIFY(m_log->Contains(QStringLiteral("Reset failing due to set fault")));
        QCOMPARE(m_headset->ReceivedImages().size(), 0);
    }

    void corruptedImageReadsAreRefusedByTheDevice()
    {
        Start();
        FirmwareProcessingTest::Instance()->SetFirmwareImageCorruption(true);
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::ProgrammingError));
        const QList<Sim::ReceivedImage> received = m_headset->ReceivedImages();
        QCOMPARE(received.size(), 2);
        QVERIFY(!received.at(0).verified && !received.at(1).verified);
        QVERIFY(m_log->HasError(QStringLiteral("Retries exceeded - ending programming")));
    }

    void repeatedExceptionEndsTheRunWithItsCode()
    {
        Start();
        const Run run = Program(false, {V100, QStringLiteral("zz"), V100});
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::VersionError));
        QCOMPARE(Count(QStringLiteral("version-error on 3 passes in a row - ending programming")), 1);
    }

    void unansweredColdResetBlocksNothing()
    {
        // The chip swallows every BCCMD request, the cold reset included: its full wait runs on the
        // programming thread while the owner's thread goes on handling events.
        Sim::HeadsetProfile profile = TestSupport::SampleHeadsetProfile();
        profile.faults.bcCmd = Sim::SimFaults::BcCmd::Silent;
        DfuThread::SetColdResetTimeoutForTest(1500);
        Start(profile, ReleaseImages(V102, V102),
              QStringLiteral("<HciTimeout>50</HciTimeout><HciRetries>0</HciRetries>"));
        QTimer ticker;
        int ticks = 0;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        QSignalSpy removed(m_stack->Interface(), &ICsrUsbInterface::DeviceDisconnected);
        ticker.start(50);
        const Run run = Program();
        QCOMPARE(run.error, QString::fromLatin1(ErrorCodes::PostReconnectQueryFailed));
        QVERIFY(m_log->HasError(QStringLiteral("Cold reset - the following control transfer errors are expected")));
        // The owner's event loop kept running through the cold reset's wait.
        QVERIFY(ticks >= 20);
        QCOMPARE(removed.size(), 2);
    }

    void coldResetSwitchOff()
    {
        Start();
        PelarinUsbCommDriverFactory::CreatePelarinUsbCommDriverTest()->SetColdResetAfterUpdate(false);
        QCOMPARE(Program().error, QString());
        QVERIFY(!m_log->Contains(QStringLiteral("Cold reset")));
        QCOMPARE(m_headset->ResetCount(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDfuThread)
#include "TestDfuThread.moc"
