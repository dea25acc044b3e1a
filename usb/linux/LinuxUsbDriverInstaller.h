#pragma once

#include "usb/IUsbDriverInstaller.h"

#include <QProcess>

#include <memory>

namespace OrvoCommon {

class ILogger;

// The "driver package" on Linux is a udev rule that gives the logged-in user access to the
// headset. It counts as installed when a byte-identical copy lies in the administrator's udev rules
// folder or in the one the Debian package fills; installing runs the installer script shipped
// beside the rule (through pkexec unless root).
class LinuxUsbDriverInstaller : public IUsbDriverInstaller
{
    Q_OBJECT

public:
    static constexpr char InstallerScriptName[] = "install-udev-rule.sh";
    static constexpr char DefaultRulesDirectory[] = "/etc/udev/rules.d";
    static constexpr char PackagedRulesDirectory[] = "/usr/lib/udev/rules.d";

    // Throws "usb-driver-install-error" when no logger can be had.
    explicit LinuxUsbDriverInstaller(QObject* parent = nullptr);
    ~LinuxUsbDriverInstaller() override;

    int IsDriverInstalled(const QString& packagePath) override;
    int IsInAdminRole() override;
    int IsOs64Bit() override;
    void InstallDriver(const QString& driverPath) override;
    void CancelDriverInstall() override;

    // Where the rule is looked for and installed to; tests use a temporary folder.
    void SetRulesDirectory(const QString& directory) { m_rulesDirectory = directory; }
    const QString& RulesDirectory() const { return m_rulesDirectory; }
    // Where a package puts the rule; only looked in, never written. Empty looks nowhere else.
    void SetPackagedRulesDirectory(const QString& directory) { m_packagedRulesDirectory = directory; }
    // The device tree whose failed installs are removed after a successful install.
    void SetDeviceTreeRoots(const QString& sysfsRoot, const QString& devRoot)
    {
        m_sysfsRoot = sysfsRoot;
        m_devRoot = devRoot;
    }
    // Whether to ask pkexec for root rights; by default only when not already root.
    void SetUsePkexec(bool use) { m_usePkexec = use; }

private slots:
    void InstallProcessFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void InstallProcessError(QProcess::ProcessError error);

private:
    void Refuse();
    void EndProcess();
    void UninstallFailedInstalls();

    ILogger* m_logger;
    QString m_rulesDirectory;
    QString m_packagedRulesDirectory = QLatin1String(PackagedRulesDirectory);
    QString m_sysfsRoot = QStringLiteral("/sys");
    QString m_devRoot = QStringLiteral("/dev");
    bool m_usePkexec;
    QProcess* m_process = nullptr;
};

// Text logged for a QProcess error value.
QString InstallProcessErrorText(int error);

} // namespace OrvoCommon
