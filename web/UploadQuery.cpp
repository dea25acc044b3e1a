#include "web/UploadQuery.h"

#include "app/FixedDateFormat.h"
#include "web/WebSystemInfo.h"
#include "web/WebVersionInfo.h"

#include <QUrl>
#include <QXmlStreamWriter>

#include <algorithm>

namespace UpdatePelarin {

namespace {

using OrvoCommon::SystemInfo;

// Builds "key=value&key=value" with both sides percent-encoded.
class FormBody
{
public:
    void Add(const QString& key, const QString& value)
    {
        if (!m_body.isEmpty())
            m_body += '&';
        m_body += QUrl::toPercentEncoding(key) + '=' + QUrl::toPercentEncoding(value);
    }
    void AddIfNotEmpty(const QString& key, const QString& value)
    {
        if (!value.isEmpty())
            Add(key, value);
    }
    const QByteArray& Body() const { return m_body; }

private:
    QByteArray m_body;
};

QString Hex(unsigned value)
{
    return QString::number(value, 16);
}

QString SpeedText(int speed)
{
    switch (speed) {
    case SystemInfo::UsbNode::SpeedHigh:
        return QStringLiteral("high");
    case SystemInfo::UsbNode::SpeedFull:
        return QStringLiteral("full");
    case SystemInfo::UsbNode::SpeedLow:
        return QStringLiteral("low");
    default:
        return QString();
    }
}

// Depth first; a node's path is its parent's path, "_" and its 1-based place among its siblings.
void AddUsbNode(FormBody& body, const SystemInfo::UsbNode& node, const QString& path)
{
    const QString prefix = QStringLiteral("usb_device_") + path + QLatin1Char('_');
    body.AddIfNotEmpty(prefix + QStringLiteral("name"), node.name);
    if (node.deviceClass > 0)
        body.Add(prefix + QStringLiteral("class"), QString::number(node.deviceClass));
    body.AddIfNotEmpty(prefix + QStringLiteral("speed"), SpeedText(node.speed));
    if (node.vendorId != 0)
        body.Add(prefix + QStringLiteral("vid"), Hex(node.vendorId));
    if (node.productId != 0)
        body.Add(prefix + QStringLiteral("pid"), Hex(node.productId));
    body.AddIfNotEmpty(prefix + QStringLiteral("revision"), node.revision);
    body.AddIfNotEmpty(prefix + QStringLiteral("version"), node.version);
    for (std::size_t i = 0; i < node.children.size(); ++i)
        AddUsbNode(body, node.children[i], path + QLatin1Char('_') + QString::number(i + 1));
}

} // namespace

QByteArray UploadQuery::SystemInfo(const WebSystemInfo& info, const QStringList& errorLines)
{
    const WebPelarinInfo& device = info.deviceInfo;
    const OrvoCommon::SystemInfo& system = info.systemInfo;
    FormBody body;
    body.Add(QStringLiteral("serial_number"), device.serialNumber);
    body.Add(QStringLiteral("device_id"), QStringLiteral("0x%1").arg(device.deviceId, 4, 16, QLatin1Char('0')));
    body.AddIfNotEmpty(QStringLiteral("firmware_version"), device.firmwareVersion);
    body.AddIfNotEmpty(QStringLiteral("hardware_version"), device.hardwareVersion);
    body.AddIfNotEmpty(QStringLiteral("device_name"), device.deviceName);
    body.AddIfNotEmpty(QStringLiteral("target_firmware_version"), info.targetFirmwareVersion);
    body.AddIfNotEmpty(QStringLiteral("bluetooth_address"), device.bluetoothAddress);
    for (int i = 0; i < device.bluetoothPairingList.size(); ++i)
        body.Add(QStringLiteral("bluetooth_pairing_list_%1").arg(i + 1), device.bluetoothPairingList.at(i));
    body.Add(QStringLiteral("app_version"), info.applicationVersion);
    body.AddIfNotEmpty(QStringLiteral("os_version"), system.osName);
    body.AddIfNotEmpty(QStringLiteral("os_service_pack"), system.servicePack);

    for (int i = 0; i < system.usbControllers.size(); ++i)
        AddUsbNode(body, system.usbControllers.at(i), QString::number(i + 1));

    for (int i = 0; i < system.usbDrivers.size(); ++i) {
        const SystemInfo::UsbDriver& driver = system.usbDrivers.at(i);
        const QString prefix = QStringLiteral("usb_driver_%1_").arg(i + 1);
        body.AddIfNotEmpty(prefix + QStringLiteral("name"), driver.driverPath);
        body.AddIfNotEmpty(prefix + QStringLiteral("version"), driver.version);
        if (driver.date.isValid())
            body.Add(prefix + QStringLiteral("date"),
                     OrvoCommon::FixedDateText(driver.date, QStringLiteral("M/d/yyyy")));
    }

    for (int i = 0; i < system.pciDevices.size(); ++i) {
        const SystemInfo::PciDevice& pci = system.pciDevices.at(i);
        const QString prefix = QStringLiteral("pci_device_%1_").arg(i + 1);
        body.AddIfNotEmpty(prefix + QStringLiteral("name"), pci.name);
        if (pci.vendorId != 0)
            body.Add(prefix + QStringLiteral("vid"), Hex(pci.vendorId));
        if (pci.deviceId != 0)
            body.Add(prefix + QStringLiteral("pid"), Hex(pci.deviceId));
    }

    if (system.totalMemoryMb != -1)
        body.Add(QStringLiteral("total_physical_memory"), QString::number(system.totalMemoryMb));
    if (system.freeMemoryMb != -1)
        body.Add(QStringLiteral("available_physical_memory"), QString::number(system.freeMemoryMb));
    body.AddIfNotEmpty(QStringLiteral("processor_description"), system.processorName);
    body.AddIfNotEmpty(QStringLiteral("processor_details"), system.processorCaption);

    for (int i = 0; i < errorLines.size(); ++i)
        body.Add(QStringLiteral("error_log_%1").arg(i + 1), errorLines.at(i));
    return body.Body();
}

QString UploadQuery::VersionXml(const WebVersionInfo& info)
{
    QString xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("device"));
    writer.writeTextElement(QStringLiteral("deviceid"), QStringLiteral("0x") + Hex(info.deviceId));
    writer.writeTextElement(QStringLiteral("variant"),
                            QStringLiteral("0x%1").arg(info.variant, 4, 16, QLatin1Char('0')));
    writer.writeTextElement(QStringLiteral("serial_no"), info.serialNumber);
    writer.writeTextElement(QStringLiteral("hardware_revision"), info.hardwareRevision);
    writer.writeTextElement(QStringLiteral("personality"), QString::number(info.personality));
    writer.writeStartElement(QStringLiteral("subcomponents"));
    // Every stored sub-id is reported, in ascending order, even when the ids have gaps.
    QList<std::uint16_t> subIds = info.subcomponents.keys();
    std::sort(subIds.begin(), subIds.end());
    for (const std::uint16_t subId : subIds) {
        const QPair<QString, QString> revisions = info.subcomponents.value(subId);
        writer.writeEmptyElement(QStringLiteral("subcomponent"));
        writer.writeAttribute(QStringLiteral("subid"), QString::number(subId));
        writer.writeAttribute(QStringLiteral("previous_revision"), revisions.first);
        writer.writeAttribute(QStringLiteral("new_revision"), revisions.second);
    }
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

QByteArray UploadQuery::VersionInfo(const WebVersionInfo& info)
{
    FormBody body;
    body.Add(QStringLiteral("product_info"), VersionXml(info));
    return body.Body();
}

} // namespace UpdatePelarin
