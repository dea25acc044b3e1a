#include "usb/IUsbTransport.h"

#include <QMetaObject>

namespace OrvoCommon {

void IUsbTransport::AnnounceResetInPlace(const QString& path)
{
    // Queued in this order, so the removal is handled before the arrival opens the node again.
    QMetaObject::invokeMethod(
        this, [this, path] { emit DeviceRemoved(path); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        this, [this, path] { emit DeviceArrived(path); }, Qt::QueuedConnection);
}

} // namespace OrvoCommon
