#include "usb/linux/LibusbTransport.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "usb/linux/LibusbTransportDevice.h"

#include <QMetaObject>

#include <libusb.h>

#include <chrono>

namespace OrvoCommon {

namespace {

constexpr int ClassBluetooth = 0xE0;
constexpr int ClassApplicationSpecific = 0xFE;
constexpr int SubclassDfu = 0x01;
constexpr int EventPollMs = 250;

struct Interfaces
{
    int hci = -1;
    int eventEndpoint = -1;
    int dfu = -1;
};

// The HCI and DFU interfaces of the active configuration, from the descriptors the kernel cached.
Interfaces FindInterfaces(libusb_device* device)
{
    Interfaces found;
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS || !config)
        return found;
    for (int i = 0; i < config->bNumInterfaces; ++i) {
        const libusb_interface& interface = config->interface[i];
        if (interface.num_altsetting < 1)
            continue;
        const libusb_interface_descriptor& setting = interface.altsetting[0];
        if (found.hci < 0 && setting.bInterfaceClass == ClassBluetooth && setting.bInterfaceSubClass == 1 &&
            setting.bInterfaceProtocol == 1) {
            found.hci = setting.bInterfaceNumber;
            for (int e = 0; e < setting.bNumEndpoints; ++e) {
                const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
                if ((endpoint.bEndpointAddress & LIBUSB_ENDPOINT_IN) &&
                    (endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_INTERRUPT) {
                    found.eventEndpoint = endpoint.bEndpointAddress;
                    break;
                }
            }
        }
        if (found.dfu < 0 && setting.bInterfaceClass == ClassApplicationSpecific &&
            setting.bInterfaceSubClass == SubclassDfu)
            found.dfu = setting.bInterfaceNumber;
    }
    libusb_free_config_descriptor(config);
    return found;
}

// A device that may be a headset: one with a Bluetooth HCI or a DFU interface. A configuration libusb
// cannot parse is left to the device's own descriptor walk.
bool IsCandidate(libusb_device* device)
{
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS || !config)
        return true;
    libusb_free_config_descriptor(config);
    const Interfaces interfaces = FindInterfaces(device);
    return interfaces.hci >= 0 || interfaces.dfu >= 0;
}

QString ErrorText(int error)
{
    return QString::fromLatin1(libusb_error_name(error));
}

} // namespace

LibusbTransport::LibusbTransport()
{
    const int result = libusb_init(&m_context);
    if (result != LIBUSB_SUCCESS) {
        m_context = nullptr;
        GetLogger()->LogError(QStringLiteral("libusb: initialisation failed: %1").arg(ErrorText(result)));
        return;
    }
    if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
        const int registered = libusb_hotplug_register_callback(
            m_context,
            static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
            LIBUSB_HOTPLUG_NO_FLAGS, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
            [](libusb_context*, libusb_device* device, libusb_hotplug_event event, void* self) {
                return OnHotplug(device, event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED, self);
            },
            this, &m_hotplugHandle);
        m_hotplugRegistered = registered == LIBUSB_SUCCESS;
    }
    if (!m_hotplugRegistered)
        GetLogger()->LogWarning(QStringLiteral("libusb: no hotplug notices; devices are seen only when present"));
    m_eventThread = std::thread([this] { RunEvents(); });
}

LibusbTransport::~LibusbTransport()
{
    if (!m_context)
        return;
    m_stopping = true;
    if (m_hotplugRegistered)
        libusb_hotplug_deregister_callback(m_context, m_hotplugHandle);
    libusb_interrupt_event_handler(m_context);
    m_eventThread.join();
    libusb_exit(m_context);
}

void LibusbTransport::RunEvents()
{
    while (!m_stopping) {
        const auto start = std::chrono::steady_clock::now();
        timeval period{0, EventPollMs * 1000};
        libusb_handle_events_timeout_completed(m_context, &period, nullptr);
        // A node that is always ready (umockdev's are plain files) would turn this loop into a busy
        // one. Threads waiting for their own transfers handle events themselves meanwhile.
        if (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(1))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

int LibusbTransport::OnHotplug(libusb_device* device, bool arrived, void* self)
{
    auto* transport = static_cast<LibusbTransport*>(self);
    if (transport->m_stopping)
        return 0;
    // A device that has left can no longer be asked what it was; the interface ignores unknown paths.
    if (arrived && !IsCandidate(device))
        return 0;
    const QString path = DevicePath(device);
    // Runs on the event thread; the interface expects its notices on its own thread.
    if (arrived)
        QMetaObject::invokeMethod(
            transport, [transport, path] { emit transport->DeviceArrived(path); }, Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(
            transport, [transport, path] { emit transport->DeviceRemoved(path); }, Qt::QueuedConnection);
    return 0;
}

QString LibusbTransport::DevicePath(libusb_device* device)
{
    return QStringLiteral("/dev/bus/usb/%1/%2")
        .arg(libusb_get_bus_number(device), 3, 10, QLatin1Char('0'))
        .arg(libusb_get_device_address(device), 3, 10, QLatin1Char('0'));
}

QStringList LibusbTransport::PresentDevicePaths()
{
    QStringList paths;
    if (!m_context)
        return paths;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        if (IsCandidate(list[i]))
            paths.append(DevicePath(list[i]));
    }
    if (list)
        libusb_free_device_list(list, 1);
    // Zero-padded bus and device numbers sort in the order the devices arrived.
    paths.sort();
    return paths;
}

libusb_device* LibusbTransport::FindDevice(const QString& path)
{
    if (!m_context)
        return nullptr;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    libusb_device* device = nullptr;
    for (ssize_t i = 0; i < count && !device; ++i) {
        if (DevicePath(list[i]) == path)
            device = libusb_ref_device(list[i]);
    }
    if (list)
        libusb_free_device_list(list, 1);
    return device;
}

bool LibusbTransport::PeekIds(const QString& path, std::uint16_t* vendorId, std::uint16_t* productId)
{
    libusb_device* device = FindDevice(path);
    if (!device)
        return false;
    // libusb keeps the device descriptor from enumeration (sysfs); reading it opens nothing.
    libusb_device_descriptor descriptor{};
    const bool read = libusb_get_device_descriptor(device, &descriptor) == LIBUSB_SUCCESS;
    libusb_unref_device(device);
    if (!read)
        return false;
    *vendorId = descriptor.idVendor;
    *productId = descriptor.idProduct;
    return true;
}

std::unique_ptr<IUsbTransportDevice> LibusbTransport::Open(const QString& path, QString* error)
{
    const auto fail = [error, &path](const QString& why) {
        GetLogger()->LogWarning(QStringLiteral("libusb: cannot open %1: %2").arg(path, why));
        if (error)
            *error = why;
        return nullptr;
    };
    if (!m_context)
        return fail(QStringLiteral("libusb is not available"));
    libusb_device* device = FindDevice(path);
    if (!device)
        return fail(QStringLiteral("no such device"));

    const Interfaces interfaces = FindInterfaces(device);
    libusb_device_handle* handle = nullptr;
    const int opened = libusb_open(device, &handle);
    libusb_unref_device(device);
    if (opened != LIBUSB_SUCCESS)
        return fail(ErrorText(opened));
    // The kernel's Bluetooth driver holds the HCI interface; it gets it back when we release it.
    libusb_set_auto_detach_kernel_driver(handle, 1);
    QList<int> claimed;
    for (int interface : {interfaces.hci, interfaces.dfu}) {
        if (interface < 0)
            continue;
        const int result = libusb_claim_interface(handle, interface);
        if (result != LIBUSB_SUCCESS) {
            for (int done : qAsConst(claimed))
                libusb_release_interface(handle, done);
            libusb_close(handle);
            return fail(QStringLiteral("cannot claim interface %1: %2").arg(interface).arg(ErrorText(result)));
        }
        claimed.append(interface);
    }
    return std::make_unique<LibusbTransportDevice>(this, m_context, handle, claimed, interfaces.eventEndpoint);
}

} // namespace OrvoCommon
