#pragma once

#include "usb/IUsbTransportDevice.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace OrvoCommon {

// What CsrUsbInterface needs from a USB stack: the present device paths, opening one, and notice of
// arrivals and removals. The notices are emitted on the thread the transport lives in (the GUI
// thread), whatever thread the stack reports them on.
class IUsbTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QStringList PresentDevicePaths() = 0;
    // The vendor and product id of a present device, from the descriptor the system keeps for it: the
    // device is not opened, so a device that is not ours stays with its own driver. False when the
    // path names no present device.
    virtual bool PeekIds(const QString& path, std::uint16_t* vendorId, std::uint16_t* productId) = 0;
    // Null when the path cannot be opened; error then says why.
    virtual std::unique_ptr<IUsbTransportDevice> Open(const QString& path, QString* error) = 0;

    // A reset that the USB stack completed in place (the descriptors did not change, so the device
    // neither left nor came back) still makes a new device of it, as every reset does above this
    // layer: the path is announced as removed and then as arrived. Callable from any thread.
    void AnnounceResetInPlace(const QString& path);

signals:
    void DeviceArrived(const QString& path);
    void DeviceRemoved(const QString& path);
};

} // namespace OrvoCommon
