#include "tests/support/FakeUsbTree.h"

#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace TestSupport {

FakeUsbTree::FakeUsbTree()
{
    QDir().mkpath(Sys(QStringLiteral("bus/usb/devices")));
    QDir().mkpath(Dev(QStringLiteral("bus/usb/001")));
}

void FakeUsbTree::AddDevice(const QString& name, const QString& vid, const QString& pid, int devnum, bool deviceFile)
{
    const QString folder = Sys(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/") + name);
    WriteFile(folder + QStringLiteral("/idVendor"), vid.toLatin1() + '\n');
    WriteFile(folder + QStringLiteral("/idProduct"), pid.toLatin1() + '\n');
    WriteFile(folder + QStringLiteral("/authorized"), "1\n");
    const QString devName = QStringLiteral("bus/usb/001/%1").arg(devnum, 3, 10, QLatin1Char('0'));
    WriteFile(
        folder + QStringLiteral("/uevent"),
        QStringLiteral("MAJOR=189\nMINOR=%1\nDEVNAME=%2\nDEVTYPE=usb_device\n").arg(devnum).arg(devName).toLatin1());
    QFile::link(folder, Sys(QStringLiteral("bus/usb/devices/") + name));
    if (deviceFile)
        WriteFile(Dev(devName), QByteArray());
}

void FakeUsbTree::AddInterface(const QString& device, const QString& number, const QString& triple,
                               const QString& driver)
{
    const QString folder = Sys(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/%1/%1:%2").arg(device, number));
    const QStringList parts = triple.split(QLatin1Char('/'));
    WriteFile(folder + QStringLiteral("/bInterfaceClass"), parts.at(0).toLatin1() + '\n');
    WriteFile(folder + QStringLiteral("/bInterfaceSubClass"), parts.at(1).toLatin1() + '\n');
    WriteFile(folder + QStringLiteral("/bInterfaceProtocol"), parts.at(2).toLatin1() + '\n');
    QFile::link(folder, Sys(QStringLiteral("bus/usb/devices/%1:%2").arg(device, number)));
    if (!driver.isEmpty()) {
        QDir().mkpath(Sys(QStringLiteral("bus/usb/drivers/") + driver));
        QFile::link(Sys(QStringLiteral("bus/usb/drivers/") + driver), folder + QStringLiteral("/driver"));
    }
}

void FakeUsbTree::DenyDeviceFile(int devnum)
{
    const QString path = Dev(QStringLiteral("bus/usb/001/%1").arg(devnum, 3, 10, QLatin1Char('0')));
    QFile::remove(path);
    QDir().mkpath(path);
}

} // namespace TestSupport
