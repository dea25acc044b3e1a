#include "usb/linux/CsrDeviceInfo.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "sysinfo/linux/SysfsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace OrvoCommon {

namespace {

struct Registry
{
    QMutex mutex;
    std::uint16_t vendorId = 0;
    QList<unsigned short> productIds;
};

Registry& Ids()
{
    static Registry registry;
    return registry;
}

bool ReadHexId(const QString& path, unsigned short* value)
{
    bool ok = false;
    const uint parsed = ReadSysfsAttribute(path).toUInt(&ok, 16);
    if (!ok || parsed > 0xFFFF)
        return false;
    *value = static_cast<unsigned short>(parsed);
    return true;
}

enum class Access
{
    Usable,
    Waiting, // udev has not made the device file yet
    Denied,
};

// Opens the device file the way the USB stack will: read and write.
Access DeviceFileAccess(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return Access::Usable;
    }
    return errno == ENOENT ? Access::Waiting : Access::Denied;
}

// Drivers that may hold the headset's interfaces: the kernel's Bluetooth driver (detached when the
// updater claims the interface) and usbfs, through which libusb claims it.
bool IsExpectedDriver(const QString& driver, bool hciInterface)
{
    return driver == QLatin1String("usbfs") || (hciInterface && driver == QLatin1String("btusb"));
}

// True when the node's Bluetooth HCI or DFU interface is bound to a driver we do not expect.
bool HasForeignDriver(const QString& devicePath, const QString& deviceName)
{
    const QStringList interfaces =
        QDir(devicePath).entryList({deviceName + QStringLiteral(":*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : interfaces) {
        const QString interfacePath = devicePath + QLatin1Char('/') + name;
        const QString cls = ReadSysfsAttribute(interfacePath + QStringLiteral("/bInterfaceClass")).toLower();
        const QString subClass = ReadSysfsAttribute(interfacePath + QStringLiteral("/bInterfaceSubClass")).toLower();
        const QString protocol = ReadSysfsAttribute(interfacePath + QStringLiteral("/bInterfaceProtocol")).toLower();
        const bool hci =
            cls == QLatin1String("e0") && subClass == QLatin1String("01") && protocol == QLatin1String("01");
        const bool dfu = cls == QLatin1String("fe") && subClass == QLatin1String("01");
        if (!hci && !dfu)
            continue;
        const QFileInfo driverLink(interfacePath + QStringLiteral("/driver"));
        if (!driverLink.isSymLink())
            continue;
        const QString driver = QFileInfo(driverLink.symLinkTarget()).fileName();
        if (!IsExpectedDriver(driver, hci))
            return true;
    }
    return false;
}

// The device file named by the node's uevent (DEVNAME), else the usual bus/device numbering.
QString DeviceFilePath(const QString& devRoot, const QString& devicePath)
{
    const QStringList uevent = ReadSysfsAttribute(devicePath + QStringLiteral("/uevent")).split(QLatin1Char('\n'));
    for (const QString& line : uevent) {
        if (line.startsWith(QLatin1String("DEVNAME=")))
            return devRoot + QLatin1Char('/') + line.mid(8);
    }
    const int bus = ReadSysfsAttribute(devicePath + QStringLiteral("/busnum")).toInt();
    const int device = ReadSysfsAttribute(devicePath + QStringLiteral("/devnum")).toInt();
    return devRoot +
           QStringLiteral("/bus/usb/%1/%2").arg(bus, 3, 10, QLatin1Char('0')).arg(device, 3, 10, QLatin1Char('0'));
}

bool WriteAttribute(const QString& path, const QByteArray& value)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    return file.write(value) == value.size();
}

} // namespace

void CsrDeviceInfo::SetRegisteredIds(std::uint16_t vendorId, const QList<unsigned short>& productIds)
{
    QMutexLocker lock(&Ids().mutex);
    Ids().vendorId = vendorId;
    Ids().productIds = productIds;
}

CsrDeviceInfo::CsrDeviceInfo(const QString& sysfsRoot, const QString& devRoot)
    : m_sysfsRoot(sysfsRoot), m_devRoot(devRoot), m_logger(GetLogger())
{
}

QString CsrDeviceInfo::DevicesFolder() const
{
    return m_sysfsRoot + QStringLiteral("/bus/usb/devices");
}

void CsrDeviceInfo::GetFailedInstalls(bool /*presentOnly*/, QStringList* instances, Reasons* reasons)
{
    const auto fail = [](const char* message) {
        throw OrvoException(QLatin1String(ErrorCodes::InternalError), QLatin1String(message));
    };
    if (!instances)
        fail("CsrDeviceInfo::GetFailedInstalls  pFailedInstances is NULL");
    if (!reasons)
        fail("CsrDeviceInfo::GetFailedInstalls  pReasons is NULL");
    std::uint16_t vendorId = 0;
    QList<unsigned short> productIds;
    {
        QMutexLocker lock(&Ids().mutex);
        vendorId = Ids().vendorId;
        productIds = Ids().productIds;
    }
    if (productIds.isEmpty())
        fail("CsrDeviceInfo::GetFailedInstalls s_pids is empty");
    instances->clear();
    reasons->clear();

    // Device nodes only: interfaces ("1-1:1.0") describe their parent.
    const QStringList names =
        QDir(DevicesFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (name.contains(QLatin1Char(':')))
            continue;
        const QString devicePath = DevicesFolder() + QLatin1Char('/') + name;
        unsigned short vid = 0;
        unsigned short pid = 0;
        if (!ReadHexId(devicePath + QStringLiteral("/idVendor"), &vid) ||
            !ReadHexId(devicePath + QStringLiteral("/idProduct"), &pid)) {
            // A device that left in the middle of the walk, or a node without ids.
            m_logger->LogInformation(QStringLiteral("VID PID not found in device ID %1").arg(name));
            continue;
        }
        if (vid != vendorId || !productIds.contains(pid))
            continue;
        const Access access = DeviceFileAccess(DeviceFilePath(m_devRoot, devicePath));
        if (access == Access::Denied) {
            instances->append(name);
            reasons->append(ICsrUsbInterface::InstallFailed);
        } else if (HasForeignDriver(devicePath, name)) {
            m_logger->LogInformation(QStringLiteral("Found CSR device under different driver"));
            instances->append(name);
            reasons->append(ICsrUsbInterface::WrongDriver);
        }
    }
}

bool CsrDeviceInfo::UninstallDevice(const QString& instanceId)
{
    const QString authorized = DevicesFolder() + QLatin1Char('/') + instanceId + QStringLiteral("/authorized");
    if (instanceId.isEmpty() || instanceId.contains(QLatin1Char('/')) || !QFileInfo::exists(authorized)) {
        m_logger->LogError(QStringLiteral("Couldn't find device to uninstall %1").arg(instanceId));
        return false;
    }
    if (!WriteAttribute(authorized, "0") || !WriteAttribute(authorized, "1")) {
        m_logger->LogError(QStringLiteral("Failed to uninstall device %1").arg(instanceId));
        return false;
    }
    m_logger->LogInformation(QStringLiteral("Uninstalled device %1").arg(instanceId));
    return true;
}

} // namespace OrvoCommon
