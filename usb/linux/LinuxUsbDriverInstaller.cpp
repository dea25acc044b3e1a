#include "usb/linux/LinuxUsbDriverInstaller.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "usb/linux/CsrDeviceInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/utsname.h>
#include <unistd.h>

namespace OrvoCommon {

namespace {

QString WithTrailingSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

enum class Comparison
{
    Identical,
    Different,
    CandidateUnreadable,
};

// Compares two files of equal size in chunks, logging which one could not be read.
Comparison CompareFiles(QFile& given, const QString& candidatePath, ILogger* logger)
{
    QFile candidate(candidatePath);
    if (!candidate.open(QIODevice::ReadOnly)) {
        logger->LogError(QStringLiteral("Error occurred opening installed rules file, %1, for read.")
                             .arg(QFileInfo(candidatePath).fileName()));
        return Comparison::CandidateUnreadable;
    }
    given.seek(0);
    constexpr qint64 Chunk = 64 * 1024;
    while (!given.atEnd()) {
        const QByteArray ours = given.read(Chunk);
        if (ours.isEmpty()) {
            logger->LogError(QStringLiteral("Read of byte from %1 failed.").arg(QFileInfo(given).fileName()));
            return Comparison::CandidateUnreadable;
        }
        const QByteArray theirs = candidate.read(ours.size());
        if (theirs.size() != ours.size()) {
            logger->LogError(QStringLiteral("Read of byte from %1 failed.").arg(QFileInfo(candidatePath).fileName()));
            return Comparison::CandidateUnreadable;
        }
        if (theirs != ours)
            return Comparison::Different;
    }
    return Comparison::Identical;
}

} // namespace

QString InstallProcessErrorText(int error)
{
    switch (error) {
    case QProcess::FailedToStart:
        return QStringLiteral("USB Driver Install process failed to start");
    case QProcess::Crashed:
        return QStringLiteral("USB Driver Install process crashed");
    case QProcess::Timedout:
        return QStringLiteral("USB Driver Install process timed out");
    case QProcess::ReadError:
        return QStringLiteral("USB Driver Install process encountered a read error");
    case QProcess::WriteError:
        return QStringLiteral("USB Driver Install process encountered a write error");
    case QProcess::UnknownError:
        return QStringLiteral("USB Driver Install process encountered an unknown error");
    default:
        return QStringLiteral("Unknown QProcess::ProcessError value");
    }
}

LinuxUsbDriverInstaller::LinuxUsbDriverInstaller(QObject* parent)
    : IUsbDriverInstaller(parent), m_logger(RequireLogger(ErrorCodes::UsbDriverInstallError)),
      m_rulesDirectory(QLatin1String(DefaultRulesDirectory)), m_usePkexec(::geteuid() != 0)
{
}

LinuxUsbDriverInstaller::~LinuxUsbDriverInstaller()
{
    EndProcess();
}

int LinuxUsbDriverInstaller::IsDriverInstalled(const QString& packagePath)
{
    if (!QFileInfo::exists(packagePath)) {
        m_logger->LogError(QStringLiteral("Invalid rules pathname - ") + packagePath +
                           QStringLiteral(". Rules file not found."));
        return -1;
    }
    if (m_rulesDirectory.isEmpty()) {
        m_logger->LogError(QStringLiteral("Error occurred getting machine's udev rules directory path."));
        return -1;
    }
    // A rules folder that does not exist holds no rule: the search below finds nothing in it.
    const qint64 size = QFileInfo(packagePath).size();
    // The Debian package installs the rule into its own folder, so a packaged install needs no driver step.
    QStringList sameSize;
    for (const QString& folder : {m_rulesDirectory, m_packagedRulesDirectory}) {
        if (folder.isEmpty())
            continue;
        const QFileInfoList candidates =
            QDir(folder).entryInfoList({QStringLiteral("*.rules")}, QDir::Files, QDir::Time);
        for (const QFileInfo& candidate : candidates) {
            if (candidate.size() == size)
                sameSize.append(candidate.filePath());
        }
    }
    if (sameSize.isEmpty())
        return 0;

    QFile given(packagePath);
    if (!given.open(QIODevice::ReadOnly)) {
        m_logger->LogError(
            QStringLiteral("Error occurred opening rules file, %1, for read.").arg(QFileInfo(packagePath).fileName()));
        return -1;
    }
    for (const QString& candidate : sameSize) {
        if (CompareFiles(given, candidate, m_logger) == Comparison::Identical)
            return 1;
    }
    return 0;
}

int LinuxUsbDriverInstaller::IsInAdminRole()
{
    return ::geteuid() == 0 ? 1 : 0;
}

int LinuxUsbDriverInstaller::IsOs64Bit()
{
    struct utsname name = {};
    if (::uname(&name) != 0) {
        m_logger->LogError(QStringLiteral("Call to uname() failed."));
        return -1;
    }
    const QString machine = QString::fromLatin1(name.machine);
    return machine.contains(QLatin1String("64")) || machine == QLatin1String("s390x") ? 1 : 0;
}

void LinuxUsbDriverInstaller::Refuse()
{
    emit DriverInstallComplete(QLatin1String(ErrorCodes::UsbDriverInstallError));
}

void LinuxUsbDriverInstaller::InstallDriver(const QString& driverPath)
{
    if (driverPath.isEmpty()) {
        m_logger->LogError(QStringLiteral("LinuxUsbDriverInstaller: driverPath is NULL or empty."));
        Refuse();
        return;
    }
    if (!QFileInfo(driverPath).isDir()) {
        m_logger->LogError(QStringLiteral("LinuxUsbDriverInstaller: Invalid path to driver - %1").arg(driverPath));
        Refuse();
        return;
    }
    const QString installer = WithTrailingSlash(driverPath) + QLatin1String(InstallerScriptName);
    m_logger->LogInformation(QStringLiteral("Using %1 to install USB Driver.").arg(installer));
    if (!QFileInfo::exists(installer)) {
        m_logger->LogError(QStringLiteral("LinuxUsbDriverInstaller: Invalid installer pathname - %1").arg(installer));
        Refuse();
        return;
    }
    if (m_process) {
        m_logger->LogError(QStringLiteral("USB Driver Install process already exists."));
        Refuse();
        return;
    }
    m_process = new QProcess(this);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &LinuxUsbDriverInstaller::InstallProcessFinished);
    connect(m_process, &QProcess::errorOccurred, this, &LinuxUsbDriverInstaller::InstallProcessError);
    m_process->setWorkingDirectory(driverPath);
    QString program = installer;
    QStringList arguments{m_rulesDirectory};
    if (m_usePkexec) {
        program = QStringLiteral("pkexec");
        arguments.prepend(installer);
    }
    m_process->start(program, arguments, QIODevice::ReadWrite);
}

void LinuxUsbDriverInstaller::InstallProcessError(QProcess::ProcessError error)
{
    m_logger->LogError(QStringLiteral("USB Driver install process failed. The following error was reported - ") +
                       InstallProcessErrorText(error));
    // A process that never started sends no finished signal; without this the caller would wait
    // for a completion that never comes.
    if (error == QProcess::FailedToStart) {
        EndProcess();
        Refuse();
    }
}

void LinuxUsbDriverInstaller::InstallProcessFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    QString error;
    if (exitCode != 0) {
        m_logger->LogError(QStringLiteral("Driver Installer, %1, failed.  Installer exit code was: %2")
                               .arg(QLatin1String(InstallerScriptName))
                               .arg(exitCode, 16));
        error = QLatin1String(ErrorCodes::UsbDriverInstallError);
    }
    if (exitStatus != QProcess::NormalExit) {
        m_logger->LogError(QStringLiteral("USB Driver Installer process failed with an error."));
        error = QLatin1String(ErrorCodes::UsbDriverInstallError);
    }
    EndProcess();
    if (error.isEmpty())
        UninstallFailedInstalls();
    emit DriverInstallComplete(error);
}

void LinuxUsbDriverInstaller::UninstallFailedInstalls()
{
    // Nodes that could not be opened before the rule existed are enumerated afresh, so udev applies it.
    CsrDeviceInfo info(m_sysfsRoot, m_devRoot);
    QStringList instances;
    CsrDeviceInfo::Reasons reasons;
    try {
        info.GetFailedInstalls(false, &instances, &reasons);
    } catch (const OrvoException& exception) {
        m_logger->LogException(exception);
        return;
    }
    for (int i = 0; i < instances.size(); ++i) {
        if (reasons.at(i) == ICsrUsbInterface::InstallFailed)
            info.UninstallDevice(instances.at(i));
    }
}

void LinuxUsbDriverInstaller::CancelDriverInstall()
{
    EndProcess();
}

void LinuxUsbDriverInstaller::EndProcess()
{
    if (!m_process)
        return;
    // No completion for an install that is called off.
    m_process->disconnect(this);
    m_process->close();
    // The process may be the sender of the signal being handled.
    m_process->deleteLater();
    m_process = nullptr;
}

} // namespace OrvoCommon
