#pragma once

#include "app/LazyInstance.h"
#include "sysinfo/ISystemInfoReader.h"

#include <QMutex>

#include <memory>

namespace OrvoCommon {

class ILogger;

// System information from procfs and sysfs; the bundle path from the Linux process table: parent and
// grandparent come from /proc/<pid>/stat, executable paths from /proc/<pid>/exe.
class LinuxSystemInfoReader : public ISystemInfoReader
{
public:
    // The launcher is recognised by this executable name.
    static constexpr char LauncherName[] = "Calvast";

    // procRoot is where the process table is read; tests hand in a fabricated one.
    explicit LinuxSystemInfoReader(const QString& procRoot = QStringLiteral("/proc"));

    SystemInfo GetSystemInfo() override;
    QString GetBundlePath() override;

private:
    struct ProcessInfo
    {
        QString pid;
        QString parentPid;
        QString executableName;
        QString executableFolder;
    };

    bool GetProcessInfo(const QString& pid, ProcessInfo* info);
    bool GetModulePath(const QString& pid, QString* path);
    void LogError(const QString& message);
    void LogInformation(const QString& message);

    const QString m_procRoot;
    QMutex m_mutex;
    QString m_bundlePath;
    ILogger* m_logger = nullptr;
};

class LinuxSystemInfoReaderFactory : public SystemInfoReaderFactory
{
public:
    LinuxSystemInfoReaderFactory() { Register(this); }
    ISystemInfoReader* CreateSystemInfoReader() override;

private:
    LazyInstance<LinuxSystemInfoReader> m_instance;
};

// Keeps the registering object linked into the program; call once from main.
void LinkLinuxSystemInfoReader();

} // namespace OrvoCommon
