#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"
#include "usb/linux/LinuxPlatformServices.h"
#include "usb/linux/LinuxUsbDriverInstaller.h"

#include <QSignalSpy>
#include <QtTest>

using namespace OrvoCommon;
using TestSupport::WriteFile;

class TestUsbDriverInstaller : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<QTemporaryDir> m_work;

    int Logged(const QString& text) const { return m_log->LinesContaining(text).size(); }
    QString Work(const QString& name) const { return m_work->filePath(name); }

    std::unique_ptr<LinuxUsbDriverInstaller> MakeInstaller()
    {
        auto installer = std::make_unique<LinuxUsbDriverInstaller>();
        installer->SetRulesDirectory(Work(QStringLiteral("rules.d")));
        // A packaged install on the test machine must not answer for the temporary folders.
        installer->SetPackagedRulesDirectory(Work(QStringLiteral("lib-rules.d")));
        installer->SetUsePkexec(false);
        return installer;
    }

    // A stand-in installer script in a driver folder: it runs the given shell body.
    QString MakeDriverFolder(const QString& body)
    {
        const QString folder = Work(QStringLiteral("driver"));
        const QString script = folder + QStringLiteral("/install-udev-rule.sh");
        if (!WriteFile(script, QByteArray("#!/bin/sh\n") + body.toUtf8() + '\n'))
            return QString();
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder;
    }

private slots:
    void init()
    {
        m_log = std::make_unique<TestSupport::LogCapture>();
        m_work = std::make_unique<QTemporaryDir>();
        QDir().mkpath(Work(QStringLiteral("rules.d")));
        QDir().mkpath(Work(QStringLiteral("lib-rules.d")));
    }

    void cleanup() { m_log.reset(); }

    void installedMeansByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<QString>("installedPath");
        QTest::addColumn<int>("expected");
        const QByteArray rule = "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"0a12\", TAG+=\"uaccess\"\n";
        QByteArray oneByteOff = rule;
        oneByteOff[5] = 'X';
        QTest::newRow("identical") << rule << "rules.d/70-orvo-headset.rules" << 1;
        QTest::newRow("identical under another name") << rule << "rules.d/99-local.rules" << 1;
        QTest::newRow("same size, one byte differs") << oneByteOff << "rules.d/70-orvo-headset.rules" << 0;
        QTest::newRow("different size") << rule + "# more\n"
                                        << "rules.d/70-orvo-headset.rules" << 0;
        QTest::newRow("not a rules file") << rule << "rules.d/70-orvo-headset.rules.bak" << 0;
        QTest::newRow("identical in the packaged folder") << rule << "lib-rules.d/70-orvo-headset.rules" << 1;
        QTest::newRow("packaged copy differs") << oneByteOff << "lib-rules.d/70-orvo-headset.rules" << 0;
    }

    void installedMeansByteIdentical()
    {
        QFETCH(QByteArray, installed);
        QFETCH(QString, installedPath);
        QFETCH(int, expected);
        const QByteArray rule = "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"0a12\", TAG+=\"uaccess\"\n";
        QVERIFY(WriteFile(Work(QStringLiteral("driver/70-orvo-headset.rules")), rule));
        QVERIFY(WriteFile(Work(QStringLiteral("rules.d/10-other.rules")), QByteArray(rule.size(), 'z')));
        QVERIFY(WriteFile(Work(QStringLiteral("lib-rules.d/10-other.rules")), QByteArray(rule.size(), 'y')));
        QVERIFY(WriteFile(Work(installedPath), installed));
        QCOMPARE(MakeInstaller()->IsDriverInstalled(Work(QStringLiteral("driver/70-orvo-headset.rules"))), expected);
    }

    // -1 only where no answer can be had; a machine without the rules folder has no rule installed.
    void rulesFolderAndFile()
    {
        auto installer = MakeInstaller();
        QCOMPARE(installer->IsDriverInstalled(Work(QStringLiteral("missing.rules"))), -1);
        QCOMPARE(Logged("Invalid rules pathname - " + Work("missing.rules") + ". Rules file not found."), 1);
        QVERIFY(WriteFile(Work(QStringLiteral("present.rules")), "x"));
        installer->SetRulesDirectory(Work(QStringLiteral("no-such-folder")));
        QCOMPARE(installer->IsDriverInstalled(Work(QStringLiteral("present.rules"))), 0);
        // A packaged install on a machine without a local rules folder still counts.
        QVERIFY(WriteFile(Work(QStringLiteral("lib-rules.d/70-orvo-headset.rules")), "x"));
        QCOMPARE(installer->IsDriverInstalled(Work(QStringLiteral("present.rules"))), 1);
        installer->SetRulesDirectory(QString());
        QCOMPARE(installer->IsDriverInstalled(Work(QStringLiteral("present.rules"))), -1);
        QCOMPARE(Logged("Error occurred getting machine's udev rules directory path."), 1);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("logged");
        QTest::newRow("empty") << ""
                               << "LinuxUsbDriverInstaller: driverPath is NULL or empty.";
        QTest::newRow("not a folder") << "/no/such/driver"
                                      << "LinuxUsbDriverInstaller: Invalid path to driver - "
                                         "/no/such/driver";
    }

    void refusals()
    {
        QFETCH(QString, path);
        QFETCH(QString, logged);
        auto installer = MakeInstaller();
        QSignalSpy complete(installer.get(), &IUsbDriverInstaller::DriverInstallComplete);
        installer->InstallDriver(path);
        QCOMPARE(complete.size(), 1);
        QCOMPARE(complete.at(0).at(0).toString(), QStringLiteral("usb-driver-install-error"));
        QCOMPARE(Logged(logged), 1);
    }

    void missingInstallerScript()
    {
        QDir().mkpath(Work(QStringLiteral("empty-driver")));
        auto installer = MakeInstaller();
        QSignalSpy complete(installer.get(), &IUsbDriverInstaller::DriverInstallComplete);
        installer->InstallDriver(Work(QStringLiteral("empty-driver/")));
        QCOMPARE(complete.size(), 1);
        const QString script = Work(QStringLiteral("empty-driver/install-udev-rule.sh"));
        QCOMPARE(Logged(QStringLiteral("Using %1 to install USB Driver.").arg(script)), 1);
        QCOMPARE(Logged("LinuxUsbDriverInstaller: Invalid installer pathname - " + script), 1);
    }

    // Any exit code but 0 fails the install (126: pkexec refused); the script receives the rules folder and
    // runs in the driver folder.
    void failingInstaller()
    {
        const QString folder = MakeDriverFolder(QStringLiteral("pwd > \"$1/cwd\"\nexit 126"));
        auto installer = MakeInstaller();
        QSignalSpy complete(installer.get(), &IUsbDriverInstaller::DriverInstallComplete);
        installer->InstallDriver(folder);
        QVERIFY(complete.wait(10000));
        QCOMPARE(complete.size(), 1);
        QCOMPARE(complete.at(0).at(0).toString(), QStringLiteral("usb-driver-install-error"));
        QCOMPARE(TestSupport::ReadFile(Work(QStringLiteral("rules.d/cwd"))).trimmed(),
                 QFileInfo(folder).canonicalFilePath().toUtf8());
        QCOMPARE(Logged(QStringLiteral("Installer exit code was: %1").arg(126, 16)), 1);
    }

    void secondInstallRefusedThenCancel()
    {
        const QString folder = MakeDriverFolder(QStringLiteral("exec sleep 30"));
        auto installer = MakeInstaller();
        QSignalSpy complete(installer.get(), &IUsbDriverInstaller::DriverInstallComplete);
        installer->InstallDriver(folder);
        installer->InstallDriver(folder);
        QCOMPARE(complete.size(), 1);
        QCOMPARE(complete.at(0).at(0).toString(), QStringLiteral("usb-driver-install-error"));
        QCOMPARE(Logged("USB Driver Install process already exists."), 1);
        QElapsedTimer timer;
        timer.start();
        installer->CancelDriverInstall();
        QVERIFY(timer.elapsed() < 10000);
        QCoreApplication::processEvents();
        QCOMPARE(complete.size(), 1);
        // After a cancel a new install may start.
        installer->InstallDriver(MakeDriverFolder(QStringLiteral("exit 0")));
        QVERIFY(complete.wait(10000));
        QCOMPARE(complete.last().at(0).toString(), QString());
    }

    void unstartableInstallerStillCompletes()
    {
        // Present but not executable: the process cannot start and no finished signal follows.
        const QString folder = MakeDriverFolder(QStringLiteral("exit 0"));
        QFile::setPermissions(folder + QStringLiteral("/install-udev-rule.sh"), QFile::ReadOwner);
        auto installer = MakeInstaller();
        QSignalSpy complete(installer.get(), &IUsbDriverInstaller::DriverInstallComplete);
        installer->InstallDriver(folder);
        QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, 10000);
        QCOMPARE(complete.at(0).at(0).toString(), QStringLiteral("usb-driver-install-error"));
        QCOMPARE(Logged("USB Driver Install process failed to start"), 1);
    }

    void shippedRuleAndInstallerWork()
    {
        const QString shipped = TestSupport::BinaryDirectory() + QStringLiteral("/USBDriver");
        auto installer = MakeInstaller();
        const QString rule = shipped + QStringLiteral("/70-orvo-headset.rules");
        QCOMPARE(installer->IsDriverInstalled(rule), 0);
        QSignalSpy complete(installer.get(), &IUsbDriverInstaller::DriverInstallComplete);
        installer->InstallDriver(shipped);
        QVERIFY(complete.wait(10000));
        QCOMPARE(complete.at(0).at(0).toString(), QString());
        QCOMPARE(installer->IsDriverInstalled(rule), 1);
    }

    void factoriesAreRegistered()
    {
        LinkLinuxUsbPlatformServices();
        std::unique_ptr<IUsbDriverInstaller> first(UsbDriverInstallerFactory::Registered()->CreateUsbDriverInstaller());
        std::unique_ptr<IUsbDriverInstaller> second(
            UsbDriverInstallerFactory::Registered()->CreateUsbDriverInstaller());
        QVERIFY(first && second && first != second);
        IPlatformSupport* platform = PlatformSupportFactory::Registered()->CreatePlatformSupport();
        QVERIFY(platform);
        QCOMPARE(PlatformSupportFactory::Registered()->CreatePlatformSupport(), platform);
    }
};

QTEST_MAIN(TestUsbDriverInstaller)
#include "TestUsbDriverInstaller.moc"
