#include "device/PelarinUsbCommDriverTest.h"
#include "firmware/FirmwareProcessingTest.h"
#include "web/WebInterfaceTest.h"

#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace OrvoCommon;
using UpdatePelarin::PelarinUsbCommDriverTest;

class TestTestSwitches : public QObject
{
    Q_OBJECT

private slots:
    void initialValuesAreNormalBehaviour()
    {
        // A fresh process ends every programming run with a cold reset; everything else is off.
        const PelarinUsbCommDriverTest* device = PelarinUsbCommDriverTest::Instance();
        QVERIFY(device->IsColdResetAfterUpdate());
        QVERIFY(!device->IsDfuCommFault());
        QVERIFY(!device->IsHciCommFault());
        QVERIFY(!FirmwareProcessingTest::Instance()->IsFirmwareImageCorruption());
        const WebInterfaceTest* web = WebInterfaceTestFactory::CreateWebInterfaceTest();
        QVERIFY(!web->IsWebServerCommFault());
        QVERIFY(!web->IsWebDownloadCorruption());
        QVERIFY(!web->GetDownloadPort().has_value());
        QVERIFY(!web->GetUploadPort().has_value());
        QVERIFY(web->GetHostText().isEmpty());
    }

    void deviceSwitchesAreOneObjectAcrossThreads()
    {
        // Threads asking for the object at the same moment must all get the same one.
        std::atomic<const void*> seen[4] = {};
        std::unique_ptr<QThread> threads[4];
        for (int i = 0; i < 4; ++i) {
            threads[i].reset(QThread::create([&seen, i] { seen[i] = PelarinUsbCommDriverTest::Instance(); }));
            threads[i]->start();
        }
        for (auto& thread : threads)
            QVERIFY(thread->wait(10000));
        for (auto& pointer : seen)
            QCOMPARE(pointer.load(), static_cast<const void*>(PelarinUsbCommDriverTest::Instance()));

        PelarinUsbCommDriverTest::Instance()->SetHciCommFault(true);
        bool readOnWorker = false;
        std::unique_ptr<QThread> reader(
            QThread::create([&] { readOnWorker = PelarinUsbCommDriverTest::Instance()->IsHciCommFault(); }));
        reader->start();
        QVERIFY(reader->wait(10000));
        QVERIFY(readOnWorker);
        PelarinUsbCommDriverTest::Instance()->SetHciCommFault(false);
    }
};

QTEST_GUILESS_MAIN(TestTestSwitches)
#include "TestTestSwitches.moc"
