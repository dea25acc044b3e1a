#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>

namespace OrvoCommon {

// Names from one of the hwdata id files (pci.ids or usb.ids): the devices of each vendor and, for
// pci.ids, the device classes.
class HwdataIds
{
public:
    HwdataIds() = default;
    // The file's text; lines that do not follow the format are passed over.
    explicit HwdataIds(const QByteArray& text);

    QString DeviceName(std::uint16_t vendorId, std::uint16_t deviceId) const;
    // The subclass name ("PCI bridge"), else the base class name ("Bridge").
    QString ClassName(std::uint8_t baseClass, std::uint8_t subClass) const;

private:
    QHash<std::uint32_t, QString> m_devices;    // vendor << 16 | device
    QHash<std::uint16_t, QString> m_subClasses; // base class << 8 | subclass
    QHash<std::uint8_t, QString> m_baseClasses;
};

} // namespace OrvoCommon
