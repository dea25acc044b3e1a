#include "app/OrvoException.h"
#include "tests/support/FakeUsbTree.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "usb/CsrUsbInterface.h"
#include "usb/NullUsbTransport.h"
#include "usb/linux/CsrDeviceInfo.h"
#include "usb/linux/LinuxUsbDriverInstaller.h"
#include "usb/linux/MonitorFailedCsrInstallThread.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace OrvoCommon;
using TestSupport::FakeUsbTree;
using TestSupport::WriteFile;

using Reasons = CsrDeviceInfo::Reasons;

class TestFailedInstalls : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
        qRegisterMetaType<ICsrUsbInterface::FailedInstallReason>("ICsrUsbInterface::FailedInstallReason");
        qRegisterMetaType<ICsrUsbInterface::FailedInstallReason>("OrvoCommon::ICsrUsbInterface::FailedInstallReason");
    }

    void init() { CsrDeviceInfo::SetRegisteredIds(0x0A12, {0x1F20, 0x1F21}); }

    void classification()
    {
        TestSupport::LogCapture log;
        FakeUsbTree tree;
        // Usable: the rule gave access, btusb is detached when we claim the interface.
        tree.AddDevice("1-1", "0a12", "1f20", 2);
        tree.AddInterface("1-1", "1.0", "e0/01/01", "btusb");
        // No access to the device file, whatever holds its interfaces.
        tree.AddDevice("1-2", "0A12", "1F21", 3);
        tree.AddInterface("1-2", "1.0", "fe/01/02", "usbhid");
        tree.DenyDeviceFile(3);
        // Another driver holds the DFU interface.
        tree.AddDevice("1-3", "0a12", "1f20", 4);
        tree.AddInterface("1-3", "1.0", "e0/01/01", QString());
        tree.AddInterface("1-3", "1.1", "fe/01/01", "usbhid");
        // Waiting for udev: no device file yet, no driver.
        tree.AddDevice("1-4", "0a12", "1f21", 5, false);
        // Not ours: another product, another vendor, audio bound elsewhere.
        tree.AddDevice("1-5", "0a12", "0001", 6);
        tree.DenyDeviceFile(6);
        tree.AddDevice("1-6", "046d", "1f20", 7);
        tree.DenyDeviceFile(7);
        tree.AddInterface("1-1", "1.2", "01/01/00", "snd-usb-audio");
        // A node without ids, as a device that left in the middle of the walk leaves behind.
        QDir().mkpath(tree.Sys(QStringLiteral("bus/usb/devices/1-7")));

        QStringList instances;
        Reasons reasons;
        CsrDeviceInfo(tree.Sys(), tree.Dev()).GetFailedInstalls(true, &instances, &reasons);
        QCOMPARE(instances, (QStringList{"1-2", "1-3"}));
        QCOMPARE(reasons, (Reasons{ICsrUsbInterface::InstallFailed, ICsrUsbInterface::WrongDriver}));
        QVERIFY(log.Contains(QStringLiteral("Found CSR device under different driver")));
        QVERIFY(log.Contains(QStringLiteral("VID PID not found in device ID 1-7")));
    }

    void nothingRegisteredIsAnError()
    {
        CsrDeviceInfo::SetRegisteredIds(0x0A12, {});
        QStringList instances;
        Reasons reasons;
        try {
            CsrDeviceInfo(QStringLiteral("/nonexistent")).GetFailedInstalls(true, &instances, &reasons);
            QFAIL("no exception");
        } catch (const OrvoException& exception) {
            QCOMPARE(exception.GetErrorCode(), QStringLiteral("internal-error"));
            QCOMPARE(exception.GetMessage(), QStringLiteral("CsrDeviceInfo::GetFailedInstalls s_pids is empty"));
        }
    }

    void uninstallReauthorises()
    {
        TestSupport::LogCapture log;
        FakeUsbTree tree;
        tree.AddDevice("1-2", "0a12", "1f20", 3);
        const QString authorized = tree.Sys(QStringLiteral("bus/usb/devices/1-2/authorized"));
        // A FIFO records each write separately, as the kernel sees them.
        QFile::remove(authorized);
        QVERIFY(::mkfifo(QFile::encodeName(authorized).constData(), 0600) == 0);
        QByteArray written;
        std::unique_ptr<QThread> reader(QThread::create([&] {
            // Open for the whole test: the writer closes the attribute after each value, and a write
            // into a FIFO that nobody holds open would end this process with SIGPIPE.
            const int fifo = ::open(QFile::encodeName(authorized).constData(), O_RDONLY);
            const QDeadlineTimer deadline(10000);
            char byte = 0;
            while (fifo >= 0 && written.size() < 2 && !deadline.hasExpired()) {
                if (::read(fifo, &byte, 1) == 1) // 0 between the writer's sessions
                    written += byte;
            }
            if (fifo >= 0)
                ::close(fifo);
        }));
        reader->start();
        CsrDeviceInfo info(tree.Sys(), tree.Dev());
        QVERIFY(info.UninstallDevice(QStringLiteral("1-2")));
        QVERIFY(reader->wait(10000));
        QCOMPARE(written, QByteArray("01"));
        QVERIFY(log.Contains(QStringLiteral("Uninstalled device 1-2")));

        QVERIFY(!info.UninstallDevice(QStringLiteral("9-9")));
        QVERIFY(log.HasError(QStringLiteral("Couldn't find device to uninstall 9-9")));
        QVERIFY(!info.UninstallDevice(QStringLiteral("../1-2")));
    }

    void monitorReportsEachNodeOnce()
    {
        FakeUsbTree tree;
        tree.AddDevice("1-2", "0a12", "1f20", 3);
        tree.DenyDeviceFile(3);
        QPointer<MonitorFailedCsrInstallThread> monitor = new MonitorFailedCsrInstallThread(tree.Sys(), tree.Dev());
        monitor->SetPollIntervalMs(10);
        QSignalSpy reported(monitor.data(), &IFailedInstallMonitor::FailedInstall);
        QSignalSpy finished(monitor.data(), &QThread::finished);
        monitor->start();
        // The spies are fed directly from the monitor's thread, so count rather than wait for the
        // next emission, which may already have happened.
        QTRY_COMPARE_WITH_TIMEOUT(reported.size(), 1, 5000);
        // A second node appears later; the first, still failing, is not reported again.
        tree.AddDevice("1-3", "0a12", "1f21", 4);
        tree.DenyDeviceFile(4);
        QTRY_COMPARE_WITH_TIMEOUT(reported.size(), 2, 5000);
        QTest::qWait(100);
        QCOMPARE(reported.size(), 2);
        QCOMPARE(reported.at(0).at(0).toString(), QStringLiteral("1-2"));
        QCOMPARE(reported.at(1).at(0).toString(), QStringLiteral("1-3"));
        QCOMPARE(reported.at(1).at(1).value<ICsrUsbInterface::FailedInstallReason>(), ICsrUsbInterface::InstallFailed);
        monitor->RequestStop();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QTRY_VERIFY(monitor.isNull());
    }

    void interfaceForwardsMonitorReports()
    {
        FakeUsbTree tree;
        tree.AddDevice("1-2", "0a12", "1f21", 3);
        tree.AddInterface("1-2", "1.0", "fe/01/02", "usbhid");
        QList<QPointer<MonitorFailedCsrInstallThread>> monitors;
        CsrUsbInterface::PlatformServices services;
        services.createMonitor = [&tree, &monitors] {
            auto* monitor = new MonitorFailedCsrInstallThread(tree.Sys(), tree.Dev());
            monitor->SetPollIntervalMs(10);
            monitors.append(monitor);
            return monitor;
        };
        services.registerIds = &CsrDeviceInfo::SetRegisteredIds;
        CsrUsbInterface::SetPlatformServices(services);
        CsrDeviceInfo::SetRegisteredIds(0, {});

        CsrUsbInterface usb(std::make_unique<NullUsbTransport>());
        // Detection registers the ids the monitor looks for.
        usb.StartDeviceDetection(0x0A12, {0x1F20, 0x1F21});
        QSignalSpy reported(&usb, &ICsrUsbInterface::FailedInstall);
        usb.StartFailedInstallMonitoring();
        usb.StartFailedInstallMonitoring();
        QVERIFY(reported.wait(5000));
        QCOMPARE(reported.at(0).at(0).toString(), QStringLiteral("1-2"));
        QCOMPARE(reported.at(0).at(1).value<ICsrUsbInterface::FailedInstallReason>(), ICsrUsbInterface::WrongDriver);
        usb.StopFailedInstallMonitoring();
        // A new monitor starts with nothing reported yet.
        usb.StartFailedInstallMonitoring();
        QTRY_COMPARE_WITH_TIMEOUT(reported.size(), 2, 5000);
        usb.StopFailedInstallMonitoring();
        CsrUsbInterface::SetPlatformServices({});
        // Stopped monitors end by themselves and delete themselves.
        QCOMPARE(monitors.size(), 2);
        QTRY_VERIFY(monitors.at(0).isNull() && monitors.at(1).isNull());
    }

    void successfulInstallUninstallsFailedNodes()
    {
        FakeUsbTree tree;
        tree.AddDevice("1-2", "0a12", "1f20", 3);
        tree.DenyDeviceFile(3);
        tree.AddDevice("1-3", "0a12", "1f20", 4);
        tree.AddInterface("1-3", "1.0", "e0/01/01", "usbhid");
        QTemporaryDir driver;
        const QString script = driver.filePath(QStringLiteral("install-udev-rule.sh"));
        QVERIFY(WriteFile(script, "#!/bin/sh\nexit 0\n"));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
        TestSupport::LogCapture log;
        LinuxUsbDriverInstaller installer;
        installer.SetUsePkexec(false);
        installer.SetRulesDirectory(driver.path());
        installer.SetDeviceTreeRoots(tree.Sys(), tree.Dev());
        QSignalSpy complete(&installer, &IUsbDriverInstaller::DriverInstallComplete);
        installer.InstallDriver(driver.path());
        QVERIFY(complete.wait(10000));
        QCOMPARE(complete.at(0).at(0).toString(), QString());
        // Only the node that failed its install is enumerated again, not the one held by a driver.
        QVERIFY(log.Contains(QStringLiteral("Uninstalled device 1-2")));
        QVERIFY(!log.Contains(QStringLiteral("Uninstalled device 1-3")));
        QCOMPARE(TestSupport::ReadFile(tree.Sys(QStringLiteral("bus/usb/devices/1-2/authorized"))), QByteArray("1"));
    }
};

QTEST_GUILESS_MAIN(TestFailedInstalls)
#include "TestFailedInstalls.moc"
