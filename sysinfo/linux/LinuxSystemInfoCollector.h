#pragma once

#include "web/SystemInfo.h"

#include <QString>
#include <QStringList>

namespace OrvoCommon {

class HwdataIds;

// Gathers the system information record from procfs, sysfs, os-release, the hwdata id files and the
// kernel's module folder. Each source that cannot be read leaves its fields at their initial values;
// nothing is thrown. The roots are replaceable so that fabricated trees can stand in for the system.
class LinuxSystemInfoCollector
{
public:
    struct Sources
    {
        QString procRoot;
        QString sysRoot;
        QString osReleasePath;
        QStringList hwdataFolders; // pci.ids and usb.ids are each taken from the first folder holding them
        QString modulesFolder;     // /lib/modules/<release>

        // The running system's.
        static Sources System();
    };

    explicit LinuxSystemInfoCollector(Sources sources = Sources::System());

    SystemInfo Collect() const;

    // The processor name with the clock appended unless the name states one already; no clock
    // (0 MHz) or no name leaves the name alone.
    static QString ProcessorNameWithClock(const QString& name, int clockMhz);
    // A binary-coded-decimal release number as "2.00".
    static QString FormatBcd(unsigned bcd);
    static int SpeedFromSysfs(const QString& speed);

private:
    void ReadOperatingSystem(SystemInfo& info) const;
    void ReadMemory(SystemInfo& info) const;
    void ReadProcessor(SystemInfo& info) const;
    void ReadPciDevices(SystemInfo& info, const HwdataIds& pciIds) const;
    void ReadUsbControllers(SystemInfo& info, const HwdataIds& pciIds, const HwdataIds& usbIds) const;
    void ReadUsbDrivers(SystemInfo& info) const;
    SystemInfo::UsbNode ReadUsbNode(const QString& path, const HwdataIds& usbIds, int depth) const;
    QString HwdataFile(const QString& name) const;

    Sources m_sources;
};

} // namespace OrvoCommon
