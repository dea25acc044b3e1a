#include "sysinfo/linux/LinuxSystemInfoCollector.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"

#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace OrvoCommon;
using TestSupport::WriteFile;
using Node = SystemInfo::UsbNode;

namespace {

const char PciIds[] = "# pci.ids excerpt\n"
                      "8086  Intel Corporation\n"
                      "\t1237  440FX - 82441FX PMC [Natoma]\n"
                      "\ta36d  Cannon Lake PCH USB 3.1 xHCI Host Controller\n"
                      "\t\t1028 0869  Vostro 3470\n"
                      "C 06  Bridge\n"
                      "\t00  Host bridge\n"
                      "\t04  PCI bridge\n"
                      "\t\t00  Normal decode\n"
                      "C 08  Generic system peripheral\n";

const char UsbIds[] = "0a12  Cambridge Silicon Radio, Ltd\n"
                      "\t0001  Bluetooth Dongle (HCI mode)\n"
                      "C 09  Hub\n"
                      "\t00  Unused\n"
                      "HUT 0a12  Not a vendor\n"
                      "\t0002  Not a product\n";

// A fabricated system laid out as the kernel shows it: devices under sys/devices, the bus lists as
// symbolic links to them, driver and module links.
class FakeSystem
{
public:
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    void Write(const QString& relative, const QByteArray& content) { QVERIFY(WriteFile(Path(relative), content)); }

    void Link(const QString& relative, const QString& targetRelative)
    {
        QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
        QVERIFY(QFile::link(Path(targetRelative), Path(relative)));
    }

    // A USB device or interface folder with its attributes, listed on the bus.
    void AddUsb(const QString& devicePath, const QMap<QString, QByteArray>& attributes)
    {
        QDir().mkpath(Path(devicePath));
        for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
            Write(devicePath + QLatin1Char('/') + it.key(), it.value() + '\n');
        Link(QStringLiteral("sys/bus/usb/devices/") + QFileInfo(devicePath).fileName(), devicePath);
    }

    void BindUsbDriver(const QString& interfacePath, const QString& driver, const QString& module)
    {
        const QString driverDir = QStringLiteral("sys/bus/usb/drivers/") + driver;
        QDir().mkpath(Path(driverDir));
        if (!module.isEmpty() && !QFileInfo(Path(driverDir + QStringLiteral("/module"))).isSymLink()) {
            QDir().mkpath(Path(QStringLiteral("sys/module/") + module));
            Link(driverDir + QStringLiteral("/module"), QStringLiteral("sys/module/") + module);
        }
        Link(interfacePath + QStringLiteral("/driver"), driverDir);
    }

    LinuxSystemInfoCollector::Sources Sources() const
    {
        LinuxSystemInfoCollector::Sources sources;
        sources.procRoot = Path(QStringLiteral("proc"));
        sources.sysRoot = Path(QStringLiteral("sys"));
        sources.osReleasePath = Path(QStringLiteral("etc/os-release"));
        sources.hwdataFolders = QStringList{Path(QStringLiteral("nothing")), Path(QStringLiteral("hwdata"))};
        sources.modulesFolder = Path(QStringLiteral("modules"));
        return sources;
    }

    SystemInfo Collect() const { return LinuxSystemInfoCollector(Sources()).Collect(); }

private:
    QTemporaryDir m_dir;
};

// A device's attributes; the product string only when one is given.
QMap<QString, QByteArray> UsbDevice(const QByteArray& ids, const QByteArray& deviceClass, const QByteArray& speed,
                                    const QByteArray& version, const QByteArray& bcdDevice,
                                    const QByteArray& product = QByteArray())
{
    QMap<QString, QByteArray> attributes{
        {QStringLiteral("idVendor"), ids.left(4)},     {QStringLiteral("idProduct"), ids.mid(5)},
        {QStringLiteral("bDeviceClass"), deviceClass}, {QStringLiteral("speed"), speed},
        {QStringLiteral("version"), version},          {QStringLiteral("bcdDevice"), bcdDevice},
        {QStringLiteral("bConfigurationValue"), "1"}};
    if (!product.isNull())
        attributes.insert(QStringLiteral("product"), product);
    return attributes;
}

QMap<QString, QByteArray> Interface(const QByteArray& interfaceClass)
{
    return {{QStringLiteral("bInterfaceClass"), interfaceClass}};
}

// "name class speed vendor:product version revision", the fields a node shows.
QString Describe(const Node& node)
{
    static const char* const speeds[] = {"high", "full", "low", "?"};
    return QStringLiteral("%1 %2 %3 %4:%5 %6 %7")
        .arg(node.name)
        .arg(node.deviceClass, 0, 16)
        .arg(QLatin1String(speeds[node.speed]))
        .arg(node.vendorId, 4, 16, QLatin1Char('0'))
        .arg(node.productId, 4, 16, QLatin1Char('0'))
        .arg(node.version, node.revision);
}

} // namespace

class TestSystemInfoCollector : public QObject
{
    Q_OBJECT

private slots:
    void operatingSystem_data()
    {
        QTest::addColumn<QByteArray>("osRelease");
        QTest::addColumn<QString>("expected");
        QTest::newRow("double quoted") << QByteArray(
                                              "NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n")
                                       << "Debian GNU/Linux 12 (bookworm)";
        QTest::newRow("single quoted") << QByteArray("PRETTY_NAME='Fedora Linux 39'\n") << "Fedora Linux 39";
        QTest::newRow("unquoted") << QByteArray("PRETTY_NAME=Arch\n") << "Arch";
        QTest::newRow("escapes") << QByteArray("PRETTY_NAME=\"Say \\\"hi\\\" \\\\o/\"\n") << "Say \"hi\" \\o/";
        QTest::newRow("name when no pretty name") << QByteArray("# comment\nNAME=Gentoo\n") << "Gentoo";
        QTest::newRow("garbage") << QByteArray("\x01\x02=\n=x\nno equals\n") << "";
    }

    void operatingSystem()
    {
        QFETCH(QByteArray, osRelease);
        QFETCH(QString, expected);
        FakeSystem system;
        system.Write(QStringLiteral("etc/os-release"), osRelease);
        system.Write(QStringLiteral("proc/sys/kernel/osrelease"), "6.1.0-13-amd64\n");
        const SystemInfo info = system.Collect();
        QCOMPARE(info.osName, expected);
        QCOMPARE(info.servicePack, QStringLiteral("6.1.0-13-amd64"));
    }

    void memory_data()
    {
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("free");
        QTest::newRow("available") << QByteArray("MemTotal:       16303412 kB\nMemFree:  1000000 kB\n"
                                                 "MemAvailable:   12288000 kB\n")
                                   << 15921 << 12000;
        QTest::newRow("free when no available") << QByteArray("MemTotal: 2048 kB\nMemFree: 1024 kB\n") << 2 << 1;
        QTest::newRow("beyond 31 bits") << QByteArray("MemTotal: 2199023255552 kB\nMemFree: 2199023254528 kB\n") << -1
                                        << 2147483647;
        QTest::newRow("negative and garbage") << QByteArray("MemTotal: -5 kB\nMemFree: lots\n") << -1 << -1;
    }

    void memory()
    {
        QFETCH(QByteArray, meminfo);
        QFETCH(int, total);
        QFETCH(int, free);
        FakeSystem system;
        system.Write(QStringLiteral("proc/meminfo"), meminfo);
        const SystemInfo info = system.Collect();
        QCOMPARE(info.totalMemoryMb, total);
        QCOMPARE(info.freeMemoryMb, free);
    }

    // The rest of the clock's forms come with the processor cases below.
    void processorName()
    {
        QCOMPARE(LinuxSystemInfoCollector::ProcessorNameWithClock("Slow", 999), QStringLiteral("Slow 999MHz"));
        QCOMPARE(LinuxSystemInfoCollector::ProcessorNameWithClock("Edge", 1000), QStringLiteral("Edge 1.00GHz"));
        QCOMPARE(LinuxSystemInfoCollector::ProcessorNameWithClock("Cyrix 166MHz", 166), QStringLiteral("Cyrix 166MHz"));
        QCOMPARE(LinuxSystemInfoCollector::ProcessorNameWithClock("ARM Cortex", 0), QStringLiteral("ARM Cortex"));
        QCOMPARE(LinuxSystemInfoCollector::ProcessorNameWithClock(QString(), 2400), QString());
    }

    void processor_data()
    {
        QTest::addColumn<QByteArray>("cpuinfo");
        QTest::addColumn<QByteArray>("maxFreqKhz");
        QTest::addColumn<QByteArray>("arch");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const QByteArray amd = "processor\t: 0\nvendor_id\t: AuthenticAMD\ncpu family\t: 25\nmodel\t\t: 17\n"
                               "model name\t: AMD  EPYC\nstepping\t: 1\ncpu MHz\t\t: 2596.146\n\n"
                               "processor\t: 1\nmodel name\t: Second CPU\n";
        QTest::newRow("cpufreq wins") << amd << QByteArray("3701000\n") << QByteArray("x86_64") << "AMD  EPYC 3.70GHz"
                                      << "AMD64 Family 25 Model 17 Stepping 1";
        QTest::newRow("cpu MHz without cpufreq") << amd << QByteArray() << QByteArray("x86_64") << "AMD  EPYC 2.60GHz"
                                                 << "AMD64 Family 25 Model 17 Stepping 1";
        QTest::newRow("intel 32-bit") << QByteArray("vendor_id : GenuineIntel\ncpu family : 6\nmodel : 8\n"
                                                    "model name : Pentium III\nstepping : 3\ncpu MHz : 933.0\n")
                                      << QByteArray() << QByteArray("i686") << "Pentium III 933MHz"
                                      << "x86 Family 6 Model 8 Stepping 3";
        QTest::newRow("intel 64-bit") << QByteArray("vendor_id : GenuineIntel\ncpu family : 6\nmodel : 158\n"
                                                    "model name : Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\n")
                                      << QByteArray("4600000") << QByteArray("x86_64")
                                      << "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz"
                                      << "Intel64 Family 6 Model 158";
        QTest::newRow("no name, no clock")
            << QByteArray("processor : 0\nBogoMIPS : 50.00\n") << QByteArray() << QByteArray("aarch64") << ""
            << "aarch64";
        QTest::newRow("no cpuinfo") << QByteArray() << QByteArray("2400000") << QByteArray("x86_64") << ""
                                    << "";
    }

    void processor()
    {
        QFETCH(QByteArray, cpuinfo);
        QFETCH(QByteArray, maxFreqKhz);
        QFETCH(QByteArray, arch);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        FakeSystem system;
        if (!cpuinfo.isEmpty())
            system.Write(QStringLiteral("proc/cpuinfo"), cpuinfo);
        if (!maxFreqKhz.isEmpty())
            system.Write(QStringLiteral("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"), maxFreqKhz);
        system.Write(QStringLiteral("proc/sys/kernel/arch"), arch + '\n');
        const SystemInfo info = system.Collect();
        QCOMPARE(info.processorName, name);
        QCOMPARE(info.processorCaption, caption);
    }

    // The common values (480, 12, 1.5 and 5000 Mbit/s; "2.00") are read in the USB tree below.
    void sysfsValues()
    {
        QCOMPARE(LinuxSystemInfoCollector::SpeedFromSysfs(QStringLiteral("20000")), int(Node::SpeedHigh));
        QCOMPARE(LinuxSystemInfoCollector::SpeedFromSysfs(QStringLiteral("53.3-480")), int(Node::SpeedUnknown));
        QCOMPARE(LinuxSystemInfoCollector::SpeedFromSysfs(QString()), int(Node::SpeedUnknown));
        QCOMPARE(LinuxSystemInfoCollector::FormatBcd(0x1FABu), QStringLiteral("1f.ab"));
    }

    void pciDevices_data()
    {
        QTest::addColumn<QByteArray>("pciClass");
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("name");
        QTest::newRow("host bridge named by pci.ids")
            << QByteArray("0x060000") << QByteArray("0x1237") << true << "440FX - 82441FX PMC [Natoma]";
        QTest::newRow("unknown bridge named by subclass")
            << QByteArray("0x060400") << QByteArray("0xffff") << true << "PCI bridge";
        QTest::newRow("IOMMU named by base class")
            << QByteArray("0x080600") << QByteArray("0xfffe") << true << "Generic system peripheral";
        QTest::newRow("SMBus without a name") << QByteArray("0x0c0500") << QByteArray("0xfffd") << true << "";
        QTest::newRow("USB controller") << QByteArray("0x0c0330") << QByteArray("0xa36d") << false << "";
        QTest::newRow("display") << QByteArray("0x030000") << QByteArray("0x1237") << false << "";
        QTest::newRow("unreadable class") << QByteArray("bridge") << QByteArray("0x1237") << false << "";
    }

    void pciDevices()
    {
        QFETCH(QByteArray, pciClass);
        QFETCH(QByteArray, device);
        QFETCH(bool, listed);
        QFETCH(QString, name);
        FakeSystem system;
        system.Write(QStringLiteral("hwdata/pci.ids"), PciIds);
        const QString dir = QStringLiteral("sys/devices/pci0000:00/0000:00:1f.0");
        system.Write(dir + QStringLiteral("/class"), pciClass + '\n');
        system.Write(dir + QStringLiteral("/vendor"), "0x8086\n");
        system.Write(dir + QStringLiteral("/device"), device + '\n');
        system.Link(QStringLiteral("sys/bus/pci/devices/0000:00:1f.0"), dir);
        const SystemInfo info = system.Collect();
        QCOMPARE(info.pciDevices.size(), listed ? 1 : 0);
        if (listed) {
            QCOMPARE(info.pciDevices[0].name, name);
            QCOMPARE(info.pciDevices[0].vendorId, std::uint16_t{0x8086});
            QCOMPARE(info.pciDevices[0].deviceId, static_cast<std::uint16_t>(device.toUInt(nullptr, 16)));
        }
    }

    void usbTreeAndDrivers()
    {
        FakeSystem system;
        system.Write(QStringLiteral("hwdata/pci.ids"), PciIds);
        system.Write(QStringLiteral("hwdata/usb.ids"), UsbIds);
        const QString xhci = QStringLiteral("sys/devices/pci0000:00/0000:00:14.0");
        system.Write(xhci + QStringLiteral("/vendor"), "0x8086\n");
        system.Write(xhci + QStringLiteral("/device"), "0xa36d\n");
        system.Write(xhci + QStringLiteral("/class"), "0x0c0330\n");

        const QString usb1 = xhci + QStringLiteral("/usb1");
        system.AddUsb(usb1, UsbDevice("1d6b:0002", "09", "480", " 2.00", "0601", "xHCI Host Controller"));
        system.AddUsb(usb1 + QStringLiteral("/1-0:1.0"), Interface("09"));
        system.BindUsbDriver(usb1 + QStringLiteral("/1-0:1.0"), QStringLiteral("hub"), QStringLiteral("usbcore"));

        const QString hub = usb1 + QStringLiteral("/1-1");
        system.AddUsb(hub, UsbDevice("05e3:0608", "09", "480", " 2.00", "8537"));
        system.AddUsb(hub + QStringLiteral("/1-1:1.0"), Interface("09"));
        system.BindUsbDriver(hub + QStringLiteral("/1-1:1.0"), QStringLiteral("hub"), QStringLiteral("usbcore"));

        const QString mouse = hub + QStringLiteral("/1-1.2");
        system.AddUsb(mouse, UsbDevice("046d:c077", "00", "1.5", " 1.10", "7200", "  USB\tOptical   Mouse "));
        system.AddUsb(mouse + QStringLiteral("/1-1.2:1.0"), Interface("03"));
        system.BindUsbDriver(mouse + QStringLiteral("/1-1.2:1.0"), QStringLiteral("usbhid"), QStringLiteral("usbhid"));

        const QString dongle = hub + QStringLiteral("/1-1.10");
        system.AddUsb(dongle, UsbDevice("0a12:0001", "00", "12", " 2.00", "8891"));
        system.AddUsb(dongle + QStringLiteral("/1-1.10:1.1"), Interface("fe"));
        system.AddUsb(dongle + QStringLiteral("/1-1.10:1.0"), Interface("e0"));
        system.AddUsb(dongle + QStringLiteral("/1-1.10:2.0"), Interface("03")); // not the active configuration
        system.BindUsbDriver(dongle + QStringLiteral("/1-1.10:1.0"), QStringLiteral("btusb"), QStringLiteral("btusb"));
        system.BindUsbDriver(dongle + QStringLiteral("/1-1.10:1.1"), QStringLiteral("btusb"), QStringLiteral("btusb"));
        system.Write(QStringLiteral("sys/module/btusb/version"), "0.8\n");

        const QString unknown = usb1 + QStringLiteral("/1-3");
        system.AddUsb(unknown, UsbDevice("0a12:0002", "ff", "12", " 1.10", "0100"));
        system.AddUsb(unknown + QStringLiteral("/1-3:1.0"), Interface("ff")); // waiting for its driver

        const QString usb2 = xhci + QStringLiteral("/usb2");
        system.AddUsb(usb2, UsbDevice("1d6b:0003", "09", "5000", " 3.00", "0601"));
        system.AddUsb(usb2 + QStringLiteral("/2-1"), UsbDevice("0781:5581", "00", "5000", " 3.20", "0100", "Ultra"));
        system.AddUsb(usb2 + QStringLiteral("/2-1/2-1:1.0"), Interface("08"));
        system.BindUsbDriver(usb2 + QStringLiteral("/2-1/2-1:1.0"), QStringLiteral("usb-storage"),
                             QStringLiteral("usb_storage"));

        const QString dummy = QStringLiteral("sys/devices/platform/dummy_hcd.0");
        system.AddUsb(dummy + QStringLiteral("/usb3"), UsbDevice("1d6b:0001", "09", "12", " 1.10", "0601"));
        QDir().mkpath(system.Path(QStringLiteral("sys/bus/platform/drivers/dummy_hcd")));
        system.Link(dummy + QStringLiteral("/driver"), QStringLiteral("sys/bus/platform/drivers/dummy_hcd"));

        system.Write(QStringLiteral("modules/modules.dep"),
                     "kernel/drivers/hid/usbhid/usbhid.ko.xz: kernel/drivers/hid/hid.ko.xz\n"
                     "kernel/drivers/bluetooth/btusb.ko.xz: kernel/drivers/bluetooth/btintel.ko.xz\n"
                     "kernel/drivers/usb/storage/usb-storage.ko.xz:\n");
        system.Write(QStringLiteral("modules/modules.builtin"), "kernel/drivers/usb/core/usbcore.ko\n");
        system.Write(QStringLiteral("modules/kernel/drivers/bluetooth/btusb.ko.xz"), "module");

        const SystemInfo info = system.Collect();
        QCOMPARE(info.usbControllers.size(), 2);

        const Node& controller = info.usbControllers[0];
        QCOMPARE(Describe(controller), QStringLiteral("Cannon Lake PCH USB 3.1 xHCI Host Controller 0 ? 8086:a36d  "));
        QCOMPARE(controller.children.size(), std::size_t{2});
        const Node& root = controller.children[0];
        QCOMPARE(Describe(root), QStringLiteral("USB High-Speed Root Hub 9 high 1d6b:0002 2.00 6.01"));
        QCOMPARE(root.children.size(), std::size_t{2});
        const Node& genericHub = root.children[0];
        QCOMPARE(Describe(genericHub), QStringLiteral("Generic USB Hub 9 high 05e3:0608 2.00 85.37"));
        QCOMPARE(genericHub.children.size(), std::size_t{2}); // port 2 before port 10
        QCOMPARE(Describe(genericHub.children[0]), QStringLiteral("USB Optical Mouse 3 low 046d:c077 1.10 72.00"));
        QCOMPARE(Describe(genericHub.children[1]),
                 QStringLiteral("Bluetooth Dongle (HCI mode) e0 full 0a12:0001 2.00 88.91"));
        QCOMPARE(Describe(root.children[1]), QStringLiteral("Unknown Device ff full 0a12:0002 1.10 1.00"));

        const Node& superRoot = controller.children[1];
        QCOMPARE(superRoot.name, QStringLiteral("USB High-Speed Root Hub"));
        QCOMPARE(superRoot.children.size(), std::size_t{1});
        QCOMPARE(Describe(superRoot.children[0]), QStringLiteral("Ultra 8 high 0781:5581 3.20 1.00"));

        const Node& platform = info.usbControllers[1];
        QCOMPARE(Describe(platform), QStringLiteral("dummy_hcd 0 ? 0000:0000  "));
        QCOMPARE(platform.children.size(), std::size_t{1});
        QCOMPARE(platform.children[0].name, QStringLiteral("USB Root Hub"));

        QCOMPARE(info.usbDrivers.size(), 4);
        QCOMPARE(info.usbDrivers[0].driverPath, QStringLiteral("kernel/drivers/usb/core/usbcore.ko"));
        QVERIFY(!info.usbDrivers[0].date.isValid()); // built into the kernel: no file
        QCOMPARE(info.usbDrivers[1].driverPath, QStringLiteral("kernel/drivers/bluetooth/btusb.ko.xz"));
        QCOMPARE(info.usbDrivers[1].version, QStringLiteral("0.8"));
        QCOMPARE(info.usbDrivers[1].date, QDate::currentDate());
        QCOMPARE(info.usbDrivers[2].driverPath, QStringLiteral("kernel/drivers/hid/usbhid/usbhid.ko.xz"));
        QCOMPARE(info.usbDrivers[2].version, QString());
        QCOMPARE(info.usbDrivers[3].driverPath, QStringLiteral("kernel/drivers/usb/storage/usb-storage.ko.xz"));
    }

    void controllerNamedByItsDriverDescription()
    {
        FakeSystem system; // no pci.ids at all
        const QString ehci = QStringLiteral("sys/devices/pci0000:00/0000:00:1d.0");
        system.Write(ehci + QStringLiteral("/vendor"), "0x8086\n");
        system.Write(ehci + QStringLiteral("/device"), "0x1c26\n");
        system.AddUsb(ehci + QStringLiteral("/usb1"),
                      UsbDevice("1d6b:0002", "09", "480", " 2.00", "0601", "EHCI Host Controller"));
        system.AddUsb(ehci + QStringLiteral("/usb1/1-1"), UsbDevice("0a12:0001", "e0", "12", " 2.00", "8891"));
        const SystemInfo info = system.Collect();
        QCOMPARE(info.usbControllers.size(), 1);
        QCOMPARE(info.usbControllers[0].name, QStringLiteral("EHCI Host Controller"));
        QCOMPARE(info.usbControllers[0].productId, std::uint16_t{0x1c26});
        QCOMPARE(info.usbControllers[0].children[0].children[0].name, QStringLiteral("Unknown Device"));
    }

    // Vanished devices, odd files and loops: the walk keeps what it can read and always ends.
    void oddEntries()
    {
        FakeSystem system;
        const QString usb1 = QStringLiteral("sys/devices/platform/vhci_hcd.0/usb1");
        system.AddUsb(usb1, UsbDevice("1d6b:0002", "09", "480", " 2.00", "0601"));
        system.Link(QStringLiteral("sys/bus/usb/devices/usb2"), QStringLiteral("sys/devices/gone/usb2"));

        const QString odd = usb1 + QStringLiteral("/1-1");
        system.AddUsb(odd, {{QStringLiteral("idVendor"), "zzzz"},
                            {QStringLiteral("bDeviceClass"), "0x1ff"},
                            {QStringLiteral("version"), "2"},
                            {QStringLiteral("bcdDevice"), "10000"}});
        QDir().mkpath(system.Path(odd + QStringLiteral("/product"))); // a folder where a file belongs
        QCOMPARE(::mkfifo(QFile::encodeName(system.Path(odd + QStringLiteral("/speed"))).constData(), 0600), 0);
        system.Link(odd + QStringLiteral("/1-1.1"), usb1); // a loop back to the root hub
        system.Link(odd + QStringLiteral("/1-1:1.0/driver"), QStringLiteral("sys/bus/usb/drivers/gone"));

        QString chain = usb1 + QStringLiteral("/1-2");
        QString name = QStringLiteral("1-2");
        for (int level = 0; level < 40; ++level) {
            system.AddUsb(chain, UsbDevice("05e3:0608", "09", "480", " 2.00", "8537"));
            name += QStringLiteral(".1");
            chain += QLatin1Char('/') + name;
        }

        QElapsedTimer timer;
        timer.start();
        const SystemInfo info = system.Collect();
        QVERIFY(timer.elapsed() < 10000);
        QCOMPARE(info.usbControllers.size(), 1);
        const Node& root = info.usbControllers[0].children.at(0);
        QCOMPARE(root.children.size(), std::size_t{2});
        QCOMPARE(Describe(root.children[0]), QStringLiteral("Unknown Device 0 ? 0000:0000  "));
        QVERIFY(root.children[0].children.empty());

        int depth = 0;
        for (const Node* node = &root.children[1]; !node->children.empty(); node = &node->children[0])
            ++depth;
        QVERIFY(depth > 4);
        QVERIFY(depth < 40);
        QVERIFY(info.usbDrivers.isEmpty());
    }

    void nothingToRead()
    {
        FakeSystem system;
        const SystemInfo info = system.Collect();
        QCOMPARE(info.osName, QString());
        QCOMPARE(info.servicePack, QString());
        QCOMPARE(info.totalMemoryMb, -1);
        QCOMPARE(info.freeMemoryMb, -1);
        QCOMPARE(info.processorName, QString());
        QCOMPARE(info.processorCaption, QString());
        QVERIFY(info.pciDevices.isEmpty());
        QVERIFY(info.usbControllers.isEmpty());
        QVERIFY(info.usbDrivers.isEmpty());
    }

    void thisMachine()
    {
        QElapsedTimer timer;
        timer.start();
        // Through the registered reader, as the support functions ask for it.
        LinkLinuxSystemInfoReader();
        ISystemInfoReader* reader = SystemInfoReaderFactory::Registered()->CreateSystemInfoReader();
        QVERIFY(reader);
        const SystemInfo info = reader->GetSystemInfo();
        QVERIFY(timer.elapsed() < 10000);

        QVERIFY(!info.osName.isEmpty());
        QVERIFY(TestSupport::ReadFile(LinuxSystemInfoCollector::Sources::System().osReleasePath)
                    .contains(info.osName.toUtf8()));
        QCOMPARE(info.servicePack, QSysInfo::kernelVersion());
        QVERIFY(!info.processorName.isEmpty());
        QVERIFY(!info.processorCaption.isEmpty());
        QVERIFY(info.totalMemoryMb > 0);
        QVERIFY(info.freeMemoryMb >= 0);
        QVERIFY(info.freeMemoryMb <= info.totalMemoryMb);
    }
};

QTEST_GUILESS_MAIN(TestSystemInfoCollector)
#include "TestSystemInfoCollector.moc"
