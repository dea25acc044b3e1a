#include "ui/SystemInfoHtml.h"

#include "web/WebSystemInfo.h"

#include <QLocale>
#include <QTextStream>

namespace UpdatePelarin {

namespace {

using OrvoCommon::SystemInfo;

constexpr char Indent[] = "&nbsp;&nbsp;&nbsp;&nbsp;";

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Vendor and product ids: lowercase hexadecimal right-aligned in four places.
QString PaddedId(std::uint16_t id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char(' '));
}

void WriteDevice(QTextStream& out, const WebSystemInfo& info)
{
    const WebPelarinInfo& device = info.deviceInfo;
    out << "<h4 dir=\"ltr\">"
        << "Device Information"
        << "</h4>" << '\n'
        << "<p dir=\"ltr\">";
    const auto line = [&out](const char* label, const QString& value) {
        if (!value.isEmpty())
            out << QString::fromLatin1(label).arg(Escaped(value)) << "<br>";
    };
    line("Connected Device: %1", device.deviceName);
    line("Serial Number: %1", device.serialNumber);
    line("Hardware Version: %1", device.hardwareVersion);
    line("Target Firmware Version: %1", info.targetFirmwareVersion);
    line("Device Firmware Version: %1", device.firmwareVersion);
    line("<i>Bluetooth</i> Address: %1", device.bluetoothAddress);
    if (!device.bluetoothPairingList.isEmpty()) {
        out << "<i>Bluetooth</i> Pairing List:<br>";
        for (const QString& entry : device.bluetoothPairingList)
            out << Indent << Escaped(entry) << "<br>";
    }
    out << QStringLiteral("Device ID: 0x%1").arg(device.deviceId, 4, 16, QLatin1Char('0')) << "<br>";
    if (device.deviceName.isEmpty() && device.serialNumber.isEmpty() && device.hardwareVersion.isEmpty() &&
        device.firmwareVersion.isEmpty())
        out << "No device detected";
    out << "</p>";
}

void WriteComputer(QTextStream& out, const SystemInfo& system)
{
    out << "<h4 dir=\"ltr\">"
        << "Computer Information"
        << "</h4>" << '\n';
    out << "<p dir=\"ltr\">" << QStringLiteral("%1 %2").arg(Escaped(system.osName), Escaped(system.servicePack))
        << "</p>" << '\n';
    out << "<p dir=\"ltr\">"
        << QStringLiteral("Processor: %1, %2").arg(Escaped(system.processorName), Escaped(system.processorCaption))
        << "</p>" << '\n';
    if (system.freeMemoryMb != -1 && system.totalMemoryMb != -1)
        out << "<p dir=\"ltr\">"
            << QStringLiteral("Memory: %1 MB / %2 MB").arg(system.freeMemoryMb).arg(system.totalMemoryMb) << "</p>"
            << '\n';
}

void WritePci(QTextStream& out, const SystemInfo& system)
{
    out << "<h4 dir=\"ltr\">"
        << "PCI Devices"
        << "</h4>" << '\n';
    for (const SystemInfo::PciDevice& device : system.pciDevices)
        out << "<p dir=\"ltr\">"
            << "<h5>" << Escaped(device.name) << "</h5>"
            << "<br>" << QStringLiteral("VID: %1").arg(PaddedId(device.vendorId)) << "<br>"
            << QStringLiteral("PID: %1").arg(PaddedId(device.deviceId)) << "</p>";
}

void WriteUsbNode(QTextStream& out, const SystemInfo::UsbNode& node, int depth)
{
    const QString indent = QString::fromLatin1(Indent).repeated(depth);
    out << "<p dir=\"ltr\">"
        << "<h5 dir=\"ltr\">" << indent << Escaped(node.name) << " ";
    if (node.deviceClass != 0)
        out << QStringLiteral("(%1)").arg(node.deviceClass);
    out << "</h5>";
    const auto line = [&out, &indent](const QString& text) { out << "<br>" << indent << text; };
    line(QStringLiteral("Speed: %1").arg(node.speed));
    if (node.vendorId != 0)
        line(QStringLiteral("VID: %1").arg(PaddedId(node.vendorId)));
    if (node.productId != 0)
        line(QStringLiteral("PID: %1").arg(PaddedId(node.productId)));
    if (!node.revision.isEmpty())
        line(QStringLiteral("Revision: %1").arg(Escaped(node.revision)));
    if (!node.version.isEmpty())
        line(QStringLiteral("Version: %1").arg(Escaped(node.version)));
    out << "</p>" << '\n';
    for (const SystemInfo::UsbNode& child : node.children)
        WriteUsbNode(out, child, depth + 1);
}

void WriteUsb(QTextStream& out, const SystemInfo& system)
{
    out << "<h4 dir=\"ltr\">"
        << "USB Devices"
        << "</h4>" << '\n';
    for (const SystemInfo::UsbNode& controller : system.usbControllers)
        WriteUsbNode(out, controller, 0);
    out << "<h4 dir=\"ltr\">"
        << "USB Drivers"
        << "</h4>" << '\n';
    const QLocale locale;
    for (const SystemInfo::UsbDriver& driver : system.usbDrivers)
        out << "<p dir=\"ltr\">"
            << QStringLiteral("%1, %2 (%3)")
                   .arg(Escaped(driver.driverPath), Escaped(driver.version),
                        locale.toString(driver.date, QLocale::ShortFormat))
            << "</p>" << '\n';
}

} // namespace

QString SystemInfoHtml(const WebSystemInfo& info, const QStringList& errorLines)
{
    QString html;
    QTextStream out(&html);
    out << "<qt>";
    out << "<h3 dir=\"ltr\">"
        << QStringLiteral("%1 %2").arg(QStringLiteral("Orvo ZR3h <i>Bluetooth</i> Headphone Update"),
                                       Escaped(info.applicationVersion))
        << "</h3>" << '\n';
    WriteDevice(out, info);
    WriteComputer(out, info.systemInfo);
    WritePci(out, info.systemInfo);
    WriteUsb(out, info.systemInfo);
    out << "<h3 dir=\"ltr\">"
        << "Error Log"
        << "</h3>";
    for (const QString& line : errorLines)
        out << Escaped(line) << "<br>";
    out << "<hr>"
        << "</qt>";
    out.flush();
    return html;
}

} // namespace UpdatePelarin
