#include "sim/umockdev/UmockdevHeadsetBed.h"

#include "sim/SimBus.h"
#include "sim/SimHeadset.h"
#include "sim/umockdev/UeventSendGuard.h"

#include <QFileInfo>
#include <QMutexLocker>
#include <QPair>

#include <atomic>
#include <cerrno>

// GLib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <umockdev.h>
#pragma pop_macro("signals")

namespace Sim {

namespace {

constexpr int BusNumber = 1;
constexpr int UsbDeviceMajor = 189;
constexpr char ParentPath[] = "/sys/devices/pci0000:00/0000:00:14.0/usb1";

QString Hex(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0'));
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

} // namespace

// Counts what reaches a node nobody should open.
struct UmockdevHeadsetBed::ForeignNode
{
    ForeignNode() : base(umockdev_ioctl_base_new())
    {
        g_signal_connect(base, "client-connected", G_CALLBACK(&ForeignNode::OnOpen), this);
        g_signal_connect(base, "handle-ioctl", G_CALLBACK(&ForeignNode::OnIoctl), this);
    }
    ~ForeignNode()
    {
        g_signal_handlers_disconnect_by_data(base, this);
        g_object_unref(base);
    }
    ForeignNode(const ForeignNode&) = delete;
    ForeignNode& operator=(const ForeignNode&) = delete;

    static void OnOpen(UMockdevIoctlBase*, UMockdevIoctlClient*, void* self)
    {
        ++static_cast<ForeignNode*>(self)->requests;
    }
    static int OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self)
    {
        ++static_cast<ForeignNode*>(self)->requests;
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }

    UMockdevIoctlBase* base;
    QString nodePath;
    std::atomic<int> requests{0};
};

UmockdevHeadsetBed::UmockdevHeadsetBed(std::shared_ptr<SimBus> bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_testbed(umockdev_testbed_new())
{
    KeepUeventSendGuard();
    connect(m_bus.get(), &SimBus::DeviceArrived, this, &UmockdevHeadsetBed::OnDeviceArrived);
    connect(m_bus.get(), &SimBus::DeviceRemoved, this, &UmockdevHeadsetBed::OnDeviceRemoved);
    for (const QString& path : m_bus->PresentPaths())
        AddNode(path);
}

UmockdevHeadsetBed::~UmockdevHeadsetBed()
{
    disconnect(m_bus.get(), nullptr, this, nullptr);
    // The testbed stops its worker thread; only then may the handlers it calls go.
    g_object_unref(m_testbed);
    QMutexLocker lock(&m_mutex);
    m_handlers.clear();
    m_foreign.clear();
}

QString UmockdevHeadsetBed::PreloadLibrary()
{
    const QString installed = QStringLiteral(TESSARY_UMOCKDEV_LIBDIR "/libumockdev-preload.so.0");
    return QFileInfo::exists(installed) ? installed : QStringLiteral("libumockdev-preload.so.0");
}

QString UmockdevHeadsetBed::RootDirectory() const
{
    gchar* root = umockdev_testbed_get_root_dir(m_testbed);
    const QString path = QString::fromLocal8Bit(root);
    g_free(root);
    return path;
}

QProcessEnvironment UmockdevHeadsetBed::ProgramEnvironment(const QProcessEnvironment& base) const
{
    QProcessEnvironment environment = base;
    const QString preload = base.value(QStringLiteral("LD_PRELOAD"));
    environment.insert(QStringLiteral("LD_PRELOAD"),
                       preload.isEmpty() ? PreloadLibrary() : PreloadLibrary() + QLatin1Char(':') + preload);
    environment.insert(QStringLiteral("UMOCKDEV_DIR"), RootDirectory());
    // A program built with the address sanitizer refuses to start when another library is preloaded
    // ahead of its runtime; umockdev's only forwards what it does not handle, so the order is harmless.
    const QString sanitizer = base.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       (sanitizer.isEmpty() ? QString() : sanitizer + QLatin1Char(':')) +
                           QStringLiteral("verify_asan_link_order=0"));
    return environment;
}

QString UmockdevHeadsetBed::NodePath(SimHeadset* headset) const
{
    QMutexLocker lock(&m_mutex);
    for (const Node& node : m_nodes) {
        if (node.headset == headset)
            return node.nodePath;
    }
    return QString();
}

UsbfsCounters UmockdevHeadsetBed::Counters(SimHeadset* headset) const
{
    QMutexLocker lock(&m_mutex);
    UsbfsCounters sum;
    for (const QList<Node>* list : {&m_gone, &m_nodes}) {
        for (const Node& node : *list) {
            if (node.headset != headset)
                continue;
            const UsbfsCounters counters = node.handler->Counters();
            sum.control += counters.control;
            sum.downloads += counters.downloads;
            sum.statusPolls += counters.statusPolls;
            sum.interruptIn += counters.interruptIn;
            sum.waiting += counters.waiting;
            sum.eventReads += counters.eventReads;
        }
    }
    return sum;
}

void UmockdevHeadsetBed::OnDeviceArrived(const QString& path)
{
    {
        QMutexLocker lock(&m_mutex);
        for (const Node& node : qAsConst(m_nodes)) {
            if (node.modelPath.compare(path, Qt::CaseInsensitive) == 0)
                return; // the bus repeats itself; the kernel would not
        }
    }
    AddNode(path);
}

void UmockdevHeadsetBed::AddNode(const QString& modelPath)
{
    quint64 generation = 0;
    SimHeadset* headset = m_bus->Find(modelPath, &generation);
    if (!headset)
        return; // gone again before we saw it
    QByteArray device;
    QByteArray configuration;
    if (headset->ReadDeviceDescriptor(generation, &device) != SimUsbResult::Ok ||
        headset->ReadConfigDescriptor(generation, &configuration) != SimUsbResult::Ok || device.size() < 18 ||
        configuration.size() < 9)
        return;

    const int number = m_nextDeviceNumber++;
    Node node;
    node.modelPath = modelPath;
    node.headset = headset;
    node.sysPath = QStringLiteral("%1/%2-%3").arg(QLatin1String(ParentPath)).arg(BusNumber).arg(headset->Number());
    node.nodePath = QStringLiteral("/dev/bus/usb/%1/%2")
                        .arg(BusNumber, 3, 10, QLatin1Char('0'))
                        .arg(number, 3, 10, QLatin1Char('0'));
    // The kernel shows the device's strings in sysfs too.
    const HeadsetProfile profile = headset->Profile();
    QStringList strings;
    const QPair<const char*, QString> named[] = {
        {"manufacturer", profile.manufacturer}, {"product", profile.product}, {"serial", profile.serialNumber}};
    for (const auto& [name, text] : named) {
        if (!text.isEmpty())
            strings << QStringLiteral("A: %1=%2\\n").arg(QLatin1String(name), text); // sysfs ends values in a line feed
    }
    auto handler = std::make_unique<UsbfsDeviceHandler>(headset, generation);
    node.handler = handler.get();
    if (!AddSysfsDevice(node.sysPath, node.nodePath, number, device, configuration, handler->Base(), strings))
        return;
    QMutexLocker lock(&m_mutex);
    m_handlers.push_back(std::move(handler));
    m_nodes.append(node);
}

bool UmockdevHeadsetBed::AddSysfsDevice(const QString& sysPath, const QString& nodePath, int number,
                                        const QByteArray& device, const QByteArray& configuration,
                                        UMockdevIoctlBase* handler, const QStringList& attributes)
{
    const auto byte = [](const QByteArray& bytes, int offset) { return static_cast<std::uint8_t>(bytes.at(offset)); };
    const auto word = [&byte](const QByteArray& bytes, int offset) {
        return byte(bytes, offset) | byte(bytes, offset + 1) << 8;
    };
    const int minor = (BusNumber - 1) * 128 + number - 1;

    GError* error = nullptr;
    umockdev_testbed_attach_ioctl(m_testbed, nodePath.toUtf8().constData(), handler, &error);
    if (error) {
        qWarning("umockdev: cannot attach %s: %s", qPrintable(nodePath), error->message);
        g_error_free(error);
        return false;
    }

    // Everything, the binary descriptors included, is in place before the "add" uevent goes out.
    QStringList lines;
    lines << QStringLiteral("P: %1").arg(sysPath.mid(4)) << QStringLiteral("N: %1").arg(nodePath.mid(5))
          << QStringLiteral("E: DEVNAME=%1").arg(nodePath) << QStringLiteral("E: DEVTYPE=usb_device")
          << QStringLiteral("E: DRIVER=usb") << QStringLiteral("E: SUBSYSTEM=usb")
          << QStringLiteral("E: PRODUCT=%1/%2/%3")
                 .arg(word(device, 8), 0, 16)
                 .arg(word(device, 10), 0, 16)
                 .arg(word(device, 12), 0, 16)
          << QStringLiteral("E: BUSNUM=%1").arg(BusNumber, 3, 10, QLatin1Char('0'))
          << QStringLiteral("E: DEVNUM=%1").arg(number, 3, 10, QLatin1Char('0'))
          << QStringLiteral("E: MAJOR=%1").arg(UsbDeviceMajor) << QStringLiteral("E: MINOR=%1").arg(minor)
          << QStringLiteral("A: dev=%1:%2").arg(UsbDeviceMajor).arg(minor)
          << QStringLiteral("A: busnum=%1").arg(BusNumber) << QStringLiteral("A: devnum=%1").arg(number)
          << QStringLiteral("A: speed=12") << QStringLiteral("A: version= 2.00")
          << QStringLiteral("A: idVendor=%1").arg(Hex(word(device, 8), 4))
          << QStringLiteral("A: idProduct=%1").arg(Hex(word(device, 10), 4))
          << QStringLiteral("A: bcdDevice=%1").arg(Hex(word(device, 12), 4))
          << QStringLiteral("A: bDeviceClass=%1").arg(Hex(byte(device, 4), 2))
          << QStringLiteral("A: bNumConfigurations=%1").arg(byte(device, 17))
          << QStringLiteral("A: bConfigurationValue=%1").arg(byte(configuration, 5))
          << QStringLiteral("A: bNumInterfaces=%1").arg(byte(configuration, 4), 2)
          << QStringLiteral("A: bmAttributes=%1").arg(Hex(byte(configuration, 7), 2))
          << QStringLiteral("H: descriptors=%1").arg(QString::fromLatin1((device.left(18) + configuration).toHex()));
    lines += attributes;
    const QByteArray description = lines.join(QLatin1Char('\n')).toUtf8() + "\n";
    umockdev_testbed_add_from_string(m_testbed, description.constData(), &error);
    if (error) {
        qWarning("umockdev: cannot add %s: %s", qPrintable(sysPath), error->message);
        g_error_free(error);
    }
    return true;
}

void UmockdevHeadsetBed::OnDeviceRemoved(const QString& path)
{
    Node gone;
    {
        QMutexLocker lock(&m_mutex);
        for (int i = 0; i < m_nodes.size(); ++i) {
            if (m_nodes.at(i).modelPath.compare(path, Qt::CaseInsensitive) == 0) {
                gone = m_nodes.takeAt(i);
                m_gone.append(gone);
                break;
            }
        }
    }
    if (gone.sysPath.isEmpty())
        return;
    const QByteArray sysPath = gone.sysPath.toUtf8();
    // umockdev 0.17 removes the entry without telling anybody; the kernel sends "remove" first.
    umockdev_testbed_uevent(m_testbed, sysPath.constData(), "remove");
    umockdev_testbed_remove_device(m_testbed, sysPath.constData());
}

QString UmockdevHeadsetBed::AddForeignBluetoothAdapter(std::uint16_t vendorId, std::uint16_t productId)
{
    QByteArray device = Bytes({18, 1, 0x00, 0x02, 0xE0, 1, 1, 64, 0, 0, 0, 0, 0x01, 0x00, 0, 0, 0, 1});
    device[8] = static_cast<char>(vendorId & 0xFF);
    device[9] = static_cast<char>(vendorId >> 8);
    device[10] = static_cast<char>(productId & 0xFF);
    device[11] = static_cast<char>(productId >> 8);
    // HCI (events, ACL) and SCO, as every Bluetooth adapter has.
    QByteArray configuration = Bytes({9, 2, 0, 0, 2, 1, 0, 0xE0, 0x32});
    configuration += Bytes(
        {9, 4, 0, 0, 3, 0xE0, 1, 1, 0, 7, 5, 0x81, 3, 16, 0, 1, 7, 5, 0x82, 2, 64, 0, 0, 7, 5, 0x02, 2, 64, 0, 0});
    configuration += Bytes({9, 4, 1, 0, 2, 0xE0, 1, 1, 0, 7, 5, 0x83, 1, 0, 0, 1, 7, 5, 0x03, 1, 0, 0, 1});
    configuration[2] = static_cast<char>(configuration.size());

    const int number = m_nextDeviceNumber++;
    auto node = std::make_unique<ForeignNode>();
    node->nodePath = QStringLiteral("/dev/bus/usb/%1/%2")
                         .arg(BusNumber, 3, 10, QLatin1Char('0'))
                         .arg(number, 3, 10, QLatin1Char('0'));
    const QString sysPath = QStringLiteral("%1/%2-%3").arg(QLatin1String(ParentPath)).arg(BusNumber).arg(100 + number);
    if (!AddSysfsDevice(sysPath, node->nodePath, number, device, configuration, node->base))
        return QString();
    const QString nodePath = node->nodePath;
    QMutexLocker lock(&m_mutex);
    m_foreign.push_back(std::move(node));
    return nodePath;
}

int UmockdevHeadsetBed::ForeignRequests(const QString& nodePath) const
{
    QMutexLocker lock(&m_mutex);
    for (const std::unique_ptr<ForeignNode>& node : m_foreign) {
        if (node->nodePath == nodePath)
            return node->requests;
    }
    return -1;
}

void UmockdevHeadsetBed::RepeatArrival(SimHeadset* headset)
{
    QByteArray sysPath;
    {
        QMutexLocker lock(&m_mutex);
        for (const Node& node : qAsConst(m_nodes)) {
            if (node.headset == headset)
                sysPath = node.sysPath.toUtf8();
        }
    }
    if (!sysPath.isEmpty())
        umockdev_testbed_uevent(m_testbed, sysPath.constData(), "add");
}

void UmockdevHeadsetBed::AnnounceUnknownRemoval()
{
    // A node whose descriptors cannot be read: a USB stack never takes it into its device list.
    const QString sysPath = QStringLiteral("%1/%2-99").arg(QLatin1String(ParentPath)).arg(BusNumber);
    const QString nodePath = QStringLiteral("/dev/bus/usb/%1/999").arg(BusNumber, 3, 10, QLatin1Char('0'));
    const QByteArray description = QStringLiteral("P: %1\nN: %2\nE: DEVNAME=%3\nE: DEVTYPE=usb_device\n"
                                                  "E: SUBSYSTEM=usb\nA: busnum=%4\nA: devnum=999\n")
                                       .arg(sysPath.mid(4), nodePath.mid(5), nodePath)
                                       .arg(BusNumber)
                                       .toUtf8();
    GError* error = nullptr;
    umockdev_testbed_add_from_string(m_testbed, description.constData(), &error);
    if (error) {
        g_error_free(error);
        return;
    }
    umockdev_testbed_uevent(m_testbed, sysPath.toUtf8().constData(), "remove");
    umockdev_testbed_remove_device(m_testbed, sysPath.toUtf8().constData());
}

} // namespace Sim
