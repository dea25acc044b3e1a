#pragma once

#include "usb/IUsbTransport.h"

namespace OrvoCommon {

// Stands in for a USB backend that is not available: no devices, no notices.
class NullUsbTransport : public IUsbTransport
{
    Q_OBJECT

public:
    using IUsbTransport::IUsbTransport;

    QStringList PresentDevicePaths() override { return QStringList(); }
    bool PeekIds(const QString&, std::uint16_t*, std::uint16_t*) override { return false; }
    std::unique_ptr<IUsbTransportDevice> Open(const QString& path, QString* error) override
    {
        if (error)
            *error = QStringLiteral("no USB backend for %1").arg(path);
        return nullptr;
    }
};

} // namespace OrvoCommon
