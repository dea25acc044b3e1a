#pragma once

#include "usb/IUsbTransportDevice.h"

#include <QObject>
#include <QStringList>

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
    // Null when the path cannot be opened; error then says why.
    virtual std::unique_ptr<IUsbTransportDevice> Open(const QString& path, QString* error) = 0;

signals:
    void DeviceArrived(const QString& path);
    void DeviceRemoved(const QString& path);
};

} // namespace OrvoCommon
