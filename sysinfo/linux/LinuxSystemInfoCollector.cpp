#include "sysinfo/linux/LinuxSystemInfoCollector.h"

#include "sysinfo/linux/HwdataIds.h"
#include "sysinfo/linux/SysfsFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <sys/utsname.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace OrvoCommon {

namespace {

// The processor list and the hardware id tables are larger; their caps serve the same end.
constexpr qint64 CpuInfoLimit = 1024 * 1024;
constexpr qint64 IdFileLimit = 32 * 1024 * 1024;
// USB allows five hubs between the root hub and a device; anything deeper is not a real tree.
constexpr int MaxUsbDepth = 16;
constexpr std::uint16_t HubClass = 0x09;

const QString UsbRootHubName = QStringLiteral("USB Root Hub");
const QString UsbHighSpeedRootHubName = QStringLiteral("USB High-Speed Root Hub");
const QString GenericHubName = QStringLiteral("Generic USB Hub");
const QString UnknownDeviceName = QStringLiteral("Unknown Device");

QString ReadAttribute(const QString& dir, const QString& name)
{
    return ReadSysfsAttribute(dir + QLatin1Char('/') + name);
}

bool ParseHex(QString text, unsigned maximum, unsigned* value)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text.remove(0, 2);
    bool ok = false;
    const unsigned parsed = text.toUInt(&ok, 16);
    if (!ok || parsed > maximum)
        return false;
    *value = parsed;
    return true;
}

bool ReadHex16(const QString& dir, const QString& name, std::uint16_t* value, unsigned maximum = 0xFFFF)
{
    unsigned parsed = 0;
    if (!ParseHex(ReadAttribute(dir, name), maximum, &parsed))
        return false;
    *value = static_cast<std::uint16_t>(parsed);
    return true;
}

// The kernel shows bcdUSB already formatted ("%2x.%02x"); take it back to the number.
bool ReadBcdUsb(const QString& dir, unsigned* bcd)
{
    const QStringList parts = ReadAttribute(dir, QStringLiteral("version")).split(QLatin1Char('.'));
    unsigned major = 0;
    unsigned minor = 0;
    if (parts.size() != 2 || !ParseHex(parts[0], 0xFF, &major) || !ParseHex(parts[1], 0xFF, &minor))
        return false;
    *bcd = major << 8 | minor;
    return true;
}

QString LinkTarget(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// Child folders whose names match the pattern's one number, ordered by that number.
QStringList NumberedChildren(const QString& dir, const QRegularExpression& pattern, QDir::Filters filters)
{
    QList<std::pair<unsigned, QString>> found;
    for (const QString& name : QDir(dir).entryList(filters | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (match.hasMatch())
            found.append({match.captured(1).toUInt(), name});
    }
    std::sort(found.begin(), found.end());
    QStringList names;
    for (const auto& entry : found)
        names.append(entry.second);
    return names;
}

// "KEY=value" lines with shell-style quoting, as os-release writes them.
QHash<QString, QString> ParseOsRelease(const QByteArray& text)
{
    QHash<QString, QString> values;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        const int equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        QString value = line.mid(equals + 1);
        if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))) &&
            value.endsWith(value.at(0))) {
            const bool doubleQuoted = value.startsWith(QLatin1Char('"'));
            value = value.mid(1, value.size() - 2);
            if (doubleQuoted)
                value.replace(QRegularExpression(QStringLiteral(R"(\\([\\"$`]))")), QStringLiteral("\\1"));
        }
        values.insert(line.left(equals), value);
    }
    return values;
}

// The "key : value" lines of the first processor in /proc/cpuinfo.
QHash<QString, QString> FirstProcessorBlock(const QByteArray& text)
{
    QHash<QString, QString> values;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine);
        if (line.trimmed().isEmpty()) {
            if (!values.isEmpty())
                break;
            continue;
        }
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        const QString key = line.left(colon).trimmed();
        if (!values.contains(key))
            values.insert(key, line.mid(colon + 1).trimmed());
    }
    return values;
}

// Windows names the x86 architectures after their makers; others keep the kernel's name.
QString ArchitectureName(const QString& machine, const QString& vendorId)
{
    if (machine == QLatin1String("x86_64")) {
        if (vendorId == QLatin1String("GenuineIntel"))
            return QStringLiteral("Intel64");
        if (vendorId == QLatin1String("AuthenticAMD"))
            return QStringLiteral("AMD64");
    } else if (QRegularExpression(QStringLiteral("^i[3-6]86$")).match(machine).hasMatch()) {
        return QStringLiteral("x86");
    }
    return machine;
}

utsname Uname()
{
    utsname name{};
    if (uname(&name) != 0)
        return utsname{};
    return name;
}

// Module name -> path relative to the module folder, from modules.dep (loadable) and
// modules.builtin (compiled in). The kernel spells module names with "_" where files may have "-".
QHash<QString, QString> ReadModulePaths(const QString& modulesFolder)
{
    QHash<QString, QString> paths;
    for (const QString& list : {QStringLiteral("modules.dep"), QStringLiteral("modules.builtin")}) {
        const QByteArray text = ReadFileBytes(modulesFolder + QLatin1Char('/') + list, IdFileLimit);
        for (const QByteArray& line : text.split('\n')) {
            const QString path =
                QString::fromUtf8(line.left(line.indexOf(':') < 0 ? line.size() : line.indexOf(':'))).trimmed();
            if (path.isEmpty())
                continue;
            QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
            name = name.left(name.indexOf(QLatin1String(".ko"))).replace(QLatin1Char('-'), QLatin1Char('_'));
            if (!name.isEmpty() && !paths.contains(name))
                paths.insert(name, path);
        }
    }
    return paths;
}

} // namespace

LinuxSystemInfoCollector::Sources LinuxSystemInfoCollector::Sources::System()
{
    Sources sources;
    sources.procRoot = QStringLiteral("/proc");
    sources.sysRoot = QStringLiteral("/sys");
    sources.osReleasePath = QFileInfo::exists(QStringLiteral("/etc/os-release"))
                                ? QStringLiteral("/etc/os-release")
                                : QStringLiteral("/usr/lib/os-release");
    sources.hwdataFolders = QStringList{QStringLiteral("/usr/share/hwdata"), QStringLiteral("/usr/share/misc"),
                                        QStringLiteral("/var/lib/usbutils")};
    sources.modulesFolder = QStringLiteral("/lib/modules/") + QString::fromLocal8Bit(Uname().release);
    return sources;
}

LinuxSystemInfoCollector::LinuxSystemInfoCollector(Sources sources) : m_sources(std::move(sources)) {}

SystemInfo LinuxSystemInfoCollector::Collect() const
{
    SystemInfo info;
    ReadOperatingSystem(info);
    ReadMemory(info);
    ReadProcessor(info);
    const HwdataIds pciIds(ReadFileBytes(HwdataFile(QStringLiteral("pci.ids")), IdFileLimit));
    const HwdataIds usbIds(ReadFileBytes(HwdataFile(QStringLiteral("usb.ids")), IdFileLimit));
    ReadUsbControllers(info, pciIds, usbIds);
    ReadPciDevices(info, pciIds);
    ReadUsbDrivers(info);
    return info;
}

QString LinuxSystemInfoCollector::ProcessorNameWithClock(const QString& name, int clockMhz)
{
    if (name.isEmpty() || clockMhz <= 0 || name.contains(QLatin1String("GHz")) || name.contains(QLatin1String("MHz")))
        return name;
    if (clockMhz > 999)
        return name + QLatin1Char(' ') + QString::number(clockMhz / 1000.0, 'f', 2) + QLatin1String("GHz");
    return name + QLatin1Char(' ') + QString::number(clockMhz) + QLatin1String("MHz");
}

QString LinuxSystemInfoCollector::FormatBcd(unsigned bcd)
{
    return QString::number(bcd >> 8 & 0xFF, 16) + QLatin1Char('.') +
           QStringLiteral("%1").arg(bcd & 0xFF, 2, 16, QLatin1Char('0'));
}

// SuperSpeed and faster count as high speed, the fastest value the record knows.
int LinuxSystemInfoCollector::SpeedFromSysfs(const QString& speed)
{
    if (speed == QLatin1String("1.5"))
        return SystemInfo::UsbNode::SpeedLow;
    if (speed == QLatin1String("12"))
        return SystemInfo::UsbNode::SpeedFull;
    if (speed == QLatin1String("480"))
        return SystemInfo::UsbNode::SpeedHigh;
    bool ok = false;
    const unsigned mbps = speed.toUInt(&ok);
    return ok && mbps >= 5000 ? SystemInfo::UsbNode::SpeedHigh : SystemInfo::UsbNode::SpeedUnknown;
}

void LinuxSystemInfoCollector::ReadOperatingSystem(SystemInfo& info) const
{
    const QHash<QString, QString> release = ParseOsRelease(ReadFileBytes(m_sources.osReleasePath, SmallFileLimit));
    info.osName = release.value(QStringLiteral("PRETTY_NAME"));
    if (info.osName.isEmpty())
        info.osName = release.value(QStringLiteral("NAME"));
    info.servicePack = ReadAttribute(m_sources.procRoot, QStringLiteral("sys/kernel/osrelease"));
}

void LinuxSystemInfoCollector::ReadMemory(SystemInfo& info) const
{
    QHash<QString, qint64> kilobytes;
    const QByteArray text = ReadFileBytes(m_sources.procRoot + QStringLiteral("/meminfo"), SmallFileLimit);
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine);
        const int colon = line.indexOf(QLatin1Char(':'));
        const QStringList value = line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const qint64 amount = value.isEmpty() ? 0 : value.first().toLongLong(&ok);
        if (colon > 0 && ok && amount >= 0)
            kilobytes.insert(line.left(colon), amount);
    }
    const auto toMegabytes = [](qint64 kb, std::int32_t* target) {
        if (kb / 1024 <= std::numeric_limits<std::int32_t>::max())
            *target = static_cast<std::int32_t>(kb / 1024);
    };
    if (kilobytes.contains(QStringLiteral("MemTotal")))
        toMegabytes(kilobytes.value(QStringLiteral("MemTotal")), &info.totalMemoryMb);
    if (kilobytes.contains(QStringLiteral("MemAvailable")))
        toMegabytes(kilobytes.value(QStringLiteral("MemAvailable")), &info.freeMemoryMb);
    else if (kilobytes.contains(QStringLiteral("MemFree")))
        toMegabytes(kilobytes.value(QStringLiteral("MemFree")), &info.freeMemoryMb);
}

void LinuxSystemInfoCollector::ReadProcessor(SystemInfo& info) const
{
    const QHash<QString, QString> cpu =
        FirstProcessorBlock(ReadFileBytes(m_sources.procRoot + QStringLiteral("/cpuinfo"), CpuInfoLimit));
    if (cpu.isEmpty())
        return;

    bool ok = false;
    const qint64 maxKhz =
        ReadAttribute(m_sources.sysRoot, QStringLiteral("devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"))
            .toLongLong(&ok);
    int clockMhz = 0;
    if (ok && maxKhz > 0 && maxKhz / 1000 < std::numeric_limits<int>::max())
        clockMhz = static_cast<int>((maxKhz + 500) / 1000);
    if (clockMhz == 0) {
        const double mhz = cpu.value(QStringLiteral("cpu MHz")).toDouble(&ok);
        if (ok && mhz > 0 && mhz < std::numeric_limits<int>::max())
            clockMhz = static_cast<int>(std::lround(mhz));
    }
    info.processorName = ProcessorNameWithClock(cpu.value(QStringLiteral("model name")), clockMhz);

    QString machine = ReadAttribute(m_sources.procRoot, QStringLiteral("sys/kernel/arch"));
    if (machine.isEmpty())
        machine = QString::fromLocal8Bit(Uname().machine);
    QString caption = ArchitectureName(machine, cpu.value(QStringLiteral("vendor_id")));
    const std::pair<const char*, const char*> parts[] = {
        {"cpu family", "Family"}, {"model", "Model"}, {"stepping", "Stepping"}};
    for (const auto& part : parts) {
        const QString value = cpu.value(QLatin1String(part.first));
        if (!value.isEmpty())
            caption += QLatin1Char(' ') + QLatin1String(part.second) + QLatin1Char(' ') + value;
    }
    info.processorCaption = caption.simplified();
}

QString LinuxSystemInfoCollector::HwdataFile(const QString& name) const
{
    for (const QString& folder : m_sources.hwdataFolders) {
        const QString path = folder + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

// Bridges and base system peripherals, and the SMBus controller: what Windows files under the
// "System devices" class.
void LinuxSystemInfoCollector::ReadPciDevices(SystemInfo& info, const HwdataIds& pciIds) const
{
    const QString bus = m_sources.sysRoot + QStringLiteral("/bus/pci/devices");
    for (const QString& entry : QDir(bus).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString dir = bus + QLatin1Char('/') + entry;
        unsigned deviceClass = 0;
        SystemInfo::PciDevice device;
        if (!ParseHex(ReadAttribute(dir, QStringLiteral("class")), 0xFFFFFF, &deviceClass) ||
            !ReadHex16(dir, QStringLiteral("vendor"), &device.vendorId) ||
            !ReadHex16(dir, QStringLiteral("device"), &device.deviceId))
            continue;
        const auto baseClass = static_cast<std::uint8_t>(deviceClass >> 16);
        const auto subClass = static_cast<std::uint8_t>(deviceClass >> 8);
        if (baseClass != 0x06 && baseClass != 0x08 && !(baseClass == 0x0C && subClass == 0x05))
            continue;
        device.name = pciIds.DeviceName(device.vendorId, device.deviceId);
        if (device.name.isEmpty())
            device.name = pciIds.ClassName(baseClass, subClass);
        info.pciDevices.append(device);
    }
}

// One record per host controller: the device that the root hubs ("usbN") hang from. An xHCI
// controller carries two root hubs, its USB 2 and its SuperSpeed one, both as its children.
void LinuxSystemInfoCollector::ReadUsbControllers(SystemInfo& info, const HwdataIds& pciIds,
                                                  const HwdataIds& usbIds) const
{
    const QString bus = m_sources.sysRoot + QStringLiteral("/bus/usb/devices");
    const QStringList rootHubs = NumberedChildren(bus, QRegularExpression(QStringLiteral("^usb(\\d+)$")), QDir::Dirs);
    QStringList controllerPaths;
    for (const QString& rootHub : rootHubs) {
        const QString hubPath = LinkTarget(bus + QLatin1Char('/') + rootHub);
        if (hubPath.isEmpty())
            continue; // removed while we looked
        const QString controllerPath = QFileInfo(hubPath).absolutePath();
        int index = controllerPaths.indexOf(controllerPath);
        if (index < 0) {
            SystemInfo::UsbNode controller;
            if (ReadHex16(controllerPath, QStringLiteral("vendor"), &controller.vendorId) &&
                ReadHex16(controllerPath, QStringLiteral("device"), &controller.productId))
                controller.name = pciIds.DeviceName(controller.vendorId, controller.productId);
            if (controller.name.isEmpty()) // the host controller driver's own description of it
                controller.name = ReadAttribute(hubPath, QStringLiteral("product")).simplified();
            if (controller.name.isEmpty())
                controller.name = QFileInfo(LinkTarget(controllerPath + QStringLiteral("/driver"))).fileName();
            controllerPaths.append(controllerPath);
            info.usbControllers.append(controller);
            index = controllerPaths.size() - 1;
        }

        SystemInfo::UsbNode hub = ReadUsbNode(hubPath, usbIds, 0);
        unsigned bcdUsb = 0;
        hub.name = ReadBcdUsb(hubPath, &bcdUsb) && bcdUsb >= 0x0200 ? UsbHighSpeedRootHubName : UsbRootHubName;
        info.usbControllers[index].children.push_back(std::move(hub));
    }
}

SystemInfo::UsbNode LinuxSystemInfoCollector::ReadUsbNode(const QString& path, const HwdataIds& usbIds, int depth) const
{
    SystemInfo::UsbNode node;
    const QString deviceName = QFileInfo(path).fileName();
    const bool haveIds = ReadHex16(path, QStringLiteral("idVendor"), &node.vendorId) &&
                         ReadHex16(path, QStringLiteral("idProduct"), &node.productId);

    std::uint16_t deviceClass = 0;
    ReadHex16(path, QStringLiteral("bDeviceClass"), &deviceClass, 0xFF);
    if (deviceClass == 0) {
        // Interface folders are "<device>:<configuration>.<interface>"; the lowest of the active
        // configuration stands for the first interface descriptor.
        const QStringList interfaces = NumberedChildren(
            path,
            QRegularExpression(
                QStringLiteral("^%1:%2\\.(\\d+)$")
                    .arg(QRegularExpression::escape(deviceName),
                         QRegularExpression::escape(ReadAttribute(path, QStringLiteral("bConfigurationValue"))))),
            QDir::Dirs);
        if (!interfaces.isEmpty())
            ReadHex16(path + QLatin1Char('/') + interfaces.first(), QStringLiteral("bInterfaceClass"), &deviceClass,
                      0xFF);
    }
    node.deviceClass = deviceClass;
    node.speed = SpeedFromSysfs(ReadAttribute(path, QStringLiteral("speed")));
    unsigned bcd = 0;
    if (ReadBcdUsb(path, &bcd))
        node.version = FormatBcd(bcd);
    std::uint16_t bcdDevice = 0;
    if (ReadHex16(path, QStringLiteral("bcdDevice"), &bcdDevice))
        node.revision = FormatBcd(bcdDevice);

    node.name = ReadAttribute(path, QStringLiteral("product")).simplified();
    if (node.name.isEmpty() && haveIds)
        node.name = usbIds.DeviceName(node.vendorId, node.productId);
    if (node.name.isEmpty())
        node.name = deviceClass == HubClass ? GenericHubName : UnknownDeviceName;

    if (depth >= MaxUsbDepth)
        return node;
    // A root hub "usbN" has its ports' devices as "N-<port>", any other hub as "<itself>.<port>".
    const QRegularExpressionMatch root = QRegularExpression(QStringLiteral("^usb(\\d+)$")).match(deviceName);
    const QString childPrefix = root.hasMatch() ? root.captured(1) + QLatin1Char('-') : deviceName + QLatin1Char('.');
    const QStringList children = NumberedChildren(
        path,
        QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(childPrefix) + QStringLiteral("(\\d+)$")),
        QDir::Dirs | QDir::NoSymLinks);
    for (const QString& child : children)
        node.children.push_back(ReadUsbNode(path + QLatin1Char('/') + child, usbIds, depth + 1));
    return node;
}

// The kernel modules bound to USB interfaces; a driver without a module of its own is named by
// the driver.
void LinuxSystemInfoCollector::ReadUsbDrivers(SystemInfo& info) const
{
    const QString bus = m_sources.sysRoot + QStringLiteral("/bus/usb/devices");
    QHash<QString, QString> modulePaths;
    bool modulePathsRead = false;
    for (const QString& entry : QDir(bus).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!entry.contains(QLatin1Char(':')))
            continue; // a device, not an interface
        const QString driverPath = LinkTarget(bus + QLatin1Char('/') + entry + QStringLiteral("/driver"));
        if (driverPath.isEmpty())
            continue; // no driver bound
        const QString modulePath = LinkTarget(driverPath + QStringLiteral("/module"));
        const QString moduleName = QFileInfo(modulePath).fileName();
        if (!moduleName.isEmpty() && !modulePathsRead) {
            modulePaths = ReadModulePaths(m_sources.modulesFolder);
            modulePathsRead = true;
        }

        SystemInfo::UsbDriver driver;
        driver.driverPath = modulePaths.value(moduleName);
        if (driver.driverPath.isEmpty())
            driver.driverPath = moduleName.isEmpty() ? QFileInfo(driverPath).fileName() : moduleName;
        const bool listed = std::any_of(
            info.usbDrivers.cbegin(), info.usbDrivers.cend(),
            [&driver](const SystemInfo::UsbDriver& known) { return known.driverPath == driver.driverPath; });
        if (listed)
            continue;
        if (!modulePath.isEmpty())
            driver.version = ReadAttribute(modulePath, QStringLiteral("version"));
        const QFileInfo file(m_sources.modulesFolder + QLatin1Char('/') + driver.driverPath);
        if (file.isFile())
            driver.date = (file.birthTime().isValid() ? file.birthTime() : file.lastModified()).date();
        info.usbDrivers.append(driver);
    }
}

} // namespace OrvoCommon
