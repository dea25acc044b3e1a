#include "sysinfo/linux/LinuxSystemInfoReader.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "sysinfo/linux/LinuxSystemInfoCollector.h"

#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

#include <cerrno>
#include <climits>
#include <new>
#include <unistd.h>

namespace OrvoCommon {

namespace {

const QString ClassName = QStringLiteral("LinuxSystemInfoReader");
const QString BundlePathMethod = QStringLiteral("GetBundlePath()");
const QString ModulePathMethod = QStringLiteral("GetModulePath()");

} // namespace

LinuxSystemInfoReader::LinuxSystemInfoReader(const QString& procRoot) : m_procRoot(procRoot) {}

SystemInfo LinuxSystemInfoReader::GetSystemInfo()
{
    return LinuxSystemInfoCollector().Collect();
}

QString LinuxSystemInfoReader::GetBundlePath()
{
    QMutexLocker lock(&m_mutex);
    if (!m_bundlePath.isEmpty())
        return m_bundlePath;

    ProcessInfo self;
    if (!GetProcessInfo(QStringLiteral("self"), &self)) {
        LogError(QStringLiteral("%1:%2 - GetProcessInfo() for self failed.").arg(ClassName, BundlePathMethod));
        return QString();
    }
    QString path;
    ProcessInfo parent;
    if (!GetProcessInfo(self.parentPid, &parent)) {
        LogError(QStringLiteral("%1:%2 - for parent failed.").arg(ClassName, BundlePathMethod));
        path = ProgramDirectory();
    } else if (parent.executableName != QLatin1String(LauncherName)) {
        path = ProgramDirectory();
        LogInformation(QStringLiteral("%1:%2 - bundle path = %3").arg(ClassName, BundlePathMethod, path));
    } else {
        ProcessInfo grandParent;
        if (!GetProcessInfo(parent.parentPid, &grandParent)) {
            LogError(
                QStringLiteral("%1:%2 - GetProcessInfo() for grand parent failed.").arg(ClassName, BundlePathMethod));
            return QString();
        }
        path = grandParent.executableFolder;
        LogInformation(QStringLiteral("%1:%2 - bundle path = %3").arg(ClassName, BundlePathMethod, path));
    }
    m_bundlePath = path;
    return m_bundlePath;
}

bool LinuxSystemInfoReader::GetProcessInfo(const QString& pid, ProcessInfo* info)
{
    // "pid (comm) state ppid ...": comm may hold spaces and parentheses, so fields count from the last ")".
    QFile stat(m_procRoot + QLatin1Char('/') + pid + QStringLiteral("/stat"));
    QByteArray line;
    if (stat.open(QIODevice::ReadOnly))
        line = stat.read(4096);
    const int commEnd = line.lastIndexOf(')');
    const QList<QByteArray> head = line.left(commEnd < 0 ? 0 : commEnd).split(' ');
    const QList<QByteArray> tail = line.mid(commEnd + 1).simplified().split(' ');
    bool pidOk = false;
    bool parentOk = false;
    if (commEnd >= 0 && tail.size() >= 2) {
        info->pid = QString::fromLatin1(head.first());
        info->parentPid = QString::fromLatin1(tail.at(1));
        info->pid.toLongLong(&pidOk);
        info->parentPid.toLongLong(&parentOk);
    }
    if (!pidOk || !parentOk) {
        LogError(QStringLiteral("%1: Could not find requested PID = %2.").arg(ClassName, pid));
        return false;
    }
    QString path;
    if (!GetModulePath(info->pid, &path))
        return false;
    const QFileInfo executable(path);
    info->executableName = executable.fileName();
    info->executableFolder = executable.path();
    return true;
}

bool LinuxSystemInfoReader::GetModulePath(const QString& pid, QString* path)
{
    const QByteArray link = QFile::encodeName(m_procRoot + QLatin1Char('/') + pid + QStringLiteral("/exe"));
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length < 0) {
        // Kernel threads and vanished processes have no executable; anything else is a refusal.
        LogError(QStringLiteral("%1:%2 - %3")
                     .arg(ClassName, ModulePathMethod,
                          errno == ENOENT ? QStringLiteral("No modules available.")
                                          : QStringLiteral("Module Info not found.")));
        return false;
    }
    if (static_cast<std::size_t>(length) >= sizeof target || target[0] != '/') {
        LogError(QStringLiteral("%1:%2 - Invalid handle").arg(ClassName, ModulePathMethod));
        return false;
    }
    *path = QFile::decodeName(QByteArray(target, static_cast<int>(length)));
    return true;
}

void LinuxSystemInfoReader::LogError(const QString& message)
{
    if (!m_logger)
        m_logger = GetLogger();
    if (m_logger)
        m_logger->LogError(message);
}

void LinuxSystemInfoReader::LogInformation(const QString& message)
{
    if (!m_logger)
        m_logger = GetLogger();
    if (m_logger)
        m_logger->LogInformation(message);
}

ISystemInfoReader* LinuxSystemInfoReaderFactory::CreateSystemInfoReader()
{
    return m_instance.Get(
        [] { return std::unique_ptr<LinuxSystemInfoReader>(new (std::nothrow) LinuxSystemInfoReader); });
}

namespace {
LinuxSystemInfoReaderFactory g_linuxSystemInfoReaderFactory;
}

void LinkLinuxSystemInfoReader()
{
    (void)&g_linuxSystemInfoReaderFactory;
}

} // namespace OrvoCommon
