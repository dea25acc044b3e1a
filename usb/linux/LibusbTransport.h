#pragma once

#include "usb/IUsbTransport.h"

#include <atomic>
#include <thread>

struct libusb_context;
struct libusb_device;

namespace OrvoCommon {

// The real-hardware transport (UsbBackend "libusb"): a libusb context of its own, a thread that runs
// libusb's events and hands hotplug notices to the thread the transport lives in, and device paths
// named after the usbfs node ("/dev/bus/usb/001/007"), which change whenever a device re-enumerates.
// Only devices that offer a Bluetooth HCI or a DFU interface are reported.
class LibusbTransport : public IUsbTransport
{
    Q_OBJECT

public:
    LibusbTransport();
    ~LibusbTransport() override;

    // False when libusb could not be initialised; the transport then has no devices.
    bool IsAvailable() const { return m_context != nullptr; }

    QStringList PresentDevicePaths() override;
    bool PeekIds(const QString& path, std::uint16_t* vendorId, std::uint16_t* productId) override;
    std::unique_ptr<IUsbTransportDevice> Open(const QString& path, QString* error) override;

    static QString DevicePath(libusb_device* device);

private:
    static int OnHotplug(libusb_device* device, bool arrived, void* self);
    void RunEvents();
    // The present device with this path, with a reference the caller drops; null when there is none.
    libusb_device* FindDevice(const QString& path);

    libusb_context* m_context = nullptr;
    int m_hotplugHandle = 0;
    bool m_hotplugRegistered = false;
    std::atomic<bool> m_stopping{false};
    std::thread m_eventThread;
};

} // namespace OrvoCommon
