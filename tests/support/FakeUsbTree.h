#pragma once

#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// A sysfs tree laid out as the kernel exposes it: device folders under devices/, the bus listing as
// symbolic links, interface folders with their class triple and a driver link, the device file
// named by DEVNAME under a separate dev/ folder.
class FakeUsbTree
{
public:
    FakeUsbTree();

    QString Sys(const QString& path = QString()) const { return m_dir.filePath(QStringLiteral("sys/") + path); }
    QString Dev(const QString& path = QString()) const { return m_dir.filePath(QStringLiteral("dev/") + path); }

    // ids as sysfs writes them: four lower-case hexadecimal digits (tests also try upper case).
    void AddDevice(const QString& name, const QString& vid, const QString& pid, int devnum, bool deviceFile = true);
    void AddInterface(const QString& device, const QString& number, const QString& triple, const QString& driver);
    // The process may not open the device file. Root opens any file, but nobody opens a folder for
    // writing.
    void DenyDeviceFile(int devnum);

private:
    QTemporaryDir m_dir;
};

} // namespace TestSupport
