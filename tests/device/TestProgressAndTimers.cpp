// The progress estimate over real image files, and the two timer threads of a programming run.
#include "device/FailsafeTimerThread.h"
#include "device/TimerThread.h"
#include "device/UpdateProgressEstimate.h"
#include "tests/support/DeviceFixtures.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace OrvoCommon;
using DeviceTest::ImageCatalogue;

class TestProgressAndTimers : public DeviceTest::DeviceTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<ImageCatalogue> Catalogue(const QList<int>& sizes)
    {
        QList<ImageCatalogue::Image> images;
        for (int i = 0; i < sizes.size(); ++i) {
            images.append({QStringLiteral("image%1.dfu").arg(i), static_cast<std::uint16_t>(i),
                           QStringLiteral("01.02.00"), QByteArray(sizes.at(i), 'i')});
        }
        return std::make_unique<ImageCatalogue>(m_bundle->Path(), images);
    }

private slots:
    void units_data()
    {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QStringList>("deviceVersions");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<double>("ceiling");
        // 100 000 bytes in blocks of 1023 are 98 blocks, plus 75 for the image, plus 35.
        QTest::newRow("one image to program")
            << QList<int>{100000} << QStringList{"01.00.00"} << qint64(208) << 100 - 100 * (1 - 173.0 / 208);
        QTest::newRow("image already on the device")
            << QList<int>{100000} << QStringList{"01.02.00"} << qint64(35) << 100 * 10.0 / 35;
        QTest::newRow("no device version")
            << QList<int>{100000, 1023} << QStringList{} << qint64(35 + 173 + 76) << 100 * 173.0 / 284;
        QTest::newRow("second image only")
            << QList<int>{100000, 1024} << QStringList{"01.02.00", "00.09.00"} << qint64(35 + 77) << 100 * 77.0 / 112;
    }

    void units()
    {
        QFETCH(QList<int>, sizes);
        QFETCH(QStringList, deviceVersions);
        QFETCH(qint64, units);
        QFETCH(double, ceiling);
        const auto catalogue = Catalogue(sizes);
        QVERIFY(catalogue->IsValid());
        UpdateProgressEstimate estimate;
        estimate.SetTransferSize(1023);
        estimate.SetImages(catalogue->Files());
        estimate.SetDeviceVersions(deviceVersions);
        QCOMPARE(estimate.GetUnits(), units);
        QCOMPARE(estimate.GetIncrement(), 100.0 / static_cast<double>(units));
        QVERIFY(qFuzzyCompare(estimate.GetCeiling(), ceiling));
    }

    void logLinesAndFirstPacket()
    {
        const auto catalogue = Catalogue({100000});
        UpdateProgressEstimate estimate;
        estimate.SetTransferSize(1023);
        estimate.SetDeviceVersions({QStringLiteral("01.00.00")});
        m_log->Mark();
        estimate.SetImages(catalogue->Files());
        for (const char* line :
             {"Remaining packet units = 208", "Packet percent increment = 0.480769", "Max percent for image = 83.1731"})
            QVERIFY2(m_log->Contains(QLatin1String(line)), line);

        QSignalSpy progress(&estimate, &UpdateProgressEstimate::Progress);
        estimate.AddPacket();
        // One packet moves less than half a percent: nothing new to publish, but 0 was never published.
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress.first().first().value<short>(), short(0));
        // Once blocks flow, the fixed work left is 10 units.
        QCOMPARE(estimate.GetUnits(), qint64(183));
        QVERIFY(m_log->Contains(QStringLiteral("Update progress changed to 0")));

        estimate.RemoveLoadedImages({0});
        QVERIFY(m_log->Contains(QStringLiteral("Updating estimate for loaded images")));
        QCOMPARE(estimate.GetUnits(), qint64(10));
    }

    void publishing()
    {
        UpdateProgressEstimate estimate;
        QSignalSpy progress(&estimate, &UpdateProgressEstimate::Progress);
        estimate.Publish(true);
        estimate.Publish(true);
        QCOMPARE(progress.size(), 1);
        estimate.Publish(false);
        QCOMPARE(progress.size(), 2);

        // Without images the estimate creeps by time, recalculation by recalculation, towards 100.
        estimate.SetImages({});
        while (estimate.GetCurrent() < 99.5) {
            const double before = estimate.GetCurrent();
            estimate.AddElapsed(60000);
            QVERIFY(estimate.GetCurrent() <= estimate.GetCeiling() + 1e-9);
            QVERIFY(estimate.GetCurrent() > before);
            estimate.SetImages({});
        }
        short last = 0;
        for (const QList<QVariant>& value : qAsConst(progress)) {
            QVERIFY(value.first().value<short>() >= last);
            last = value.first().value<short>();
        }
        estimate.Publish(false);
        QCOMPARE(progress.last().first().value<short>(), short(100));
        QVERIFY(m_log->Contains(QStringLiteral("Update progress changed to 100")));
    }

    void elapsedTimeCreepsFiveUnitsPerSecond()
    {
        const auto catalogue = Catalogue({100000});
        UpdateProgressEstimate estimate;
        estimate.SetTransferSize(1023);
        estimate.SetImages(catalogue->Files());
        const double increment = estimate.GetIncrement();
        estimate.AddElapsed(200);
        QVERIFY(qFuzzyCompare(estimate.GetCurrent(), increment));
        estimate.AddElapsed(1000);
        QVERIFY(qFuzzyCompare(estimate.GetCurrent(), 6 * increment));
        // Time alone never passes the first image's share.
        estimate.AddElapsed(65535);
        estimate.AddElapsed(65535);
        QCOMPARE(estimate.GetCurrent(), estimate.GetCeiling());
    }

    void timerTicksUntilStoppedAndStopsPromptly()
    {
        TimerThread timer(10);
        std::atomic<int> ticks{0};
        connect(
            &timer, &TimerThread::Tick, &timer, [&ticks] { ++ticks; }, Qt::DirectConnection);
        timer.start();
        QTRY_VERIFY(ticks >= 3);
        timer.Stop();
        QVERIFY(timer.wait(1000));

        // A long sleep is woken by Stop(), and a Stop() before the thread runs still counts.
        TimerThread sleeper(60000);
        FailsafeTimerThread failsafe(70);
        sleeper.Stop();
        sleeper.start();
        failsafe.start();
        QElapsedTimer clock;
        clock.start();
        failsafe.Stop();
        QVERIFY(sleeper.wait(1000) && failsafe.wait(1000));
        QVERIFY(clock.elapsed() < 1000);
    }

    void kickedFailsafeNeverFires()
    {
        // Kicked one second before each countdown would run out, it never fires, however late the
        // seconds come on a busy machine.
        FailsafeTimerThread failsafe(3);
        failsafe.SetSecondLengthForTest(50);
        std::atomic<bool> kicking{true};
        std::atomic<int> kicks{0};
        std::atomic<int> counted{0};
        std::atomic<int> timeouts{0};
        QVector<int> countedAtTimeout;
        QVector<qint64> timeOfTimeout;
        QElapsedTimer clock;
        clock.start();
        connect(
            &failsafe, &FailsafeTimerThread::SecondCounted, &failsafe,
            [&](int secondsLeft) {
                ++counted;
                if (kicking && secondsLeft == 1) {
                    failsafe.Kick();
                    ++kicks;
                }
            },
            Qt::DirectConnection);
        connect(
            &failsafe, &FailsafeTimerThread::Timeout, &failsafe,
            [&] {
                countedAtTimeout.append(counted);
                timeOfTimeout.append(clock.elapsed());
                ++timeouts;
            },
            Qt::DirectConnection);
        failsafe.start();
        QTRY_VERIFY(kicks >= 4);
        QCOMPARE(int(timeouts), 0);

        // Left alone it fires after a full countdown, and again after each further one.
        kicking = false;
        QTRY_COMPARE(int(timeouts), 2);
        failsafe.Stop();
        QVERIFY(failsafe.wait(1000));
        QCOMPARE(countedAtTimeout.at(1) - countedAtTimeout.at(0), 3);
        QVERIFY(timeOfTimeout.at(1) - timeOfTimeout.at(0) >= 3 * 45); // whole seconds, give or take a coarse timer
    }

    void zeroSecondFailsafeCountsOneSecond()
    {
        FailsafeTimerThread failsafe(0);
        QCOMPARE(failsafe.GetSeconds(), 1);
        failsafe.SetSecondLengthForTest(50);
        std::atomic<int> timeouts{0};
        connect(
            &failsafe, &FailsafeTimerThread::Timeout, &failsafe, [&timeouts] { ++timeouts; }, Qt::DirectConnection);
        QElapsedTimer clock;
        clock.start();
        failsafe.start();
        QTRY_VERIFY(timeouts >= 2);
        failsafe.Stop();
        QVERIFY(failsafe.wait(1000));
        // At most one time-out per second, never a flood.
        QVERIFY(timeouts <= clock.elapsed() / 50 + 1);
    }
};

QTEST_GUILESS_MAIN(TestProgressAndTimers)
#include "TestProgressAndTimers.moc"
