#pragma once

#include "sim/umockdev/UsbfsDeviceHandler.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace Sim {

class SimBus;
class SimHeadset;

// Makes the simulated headsets of a bus look like real USB hardware to libusb and other unmodified
// programs: a umockdev testbed with a usbfs node and sysfs entry per enumeration, the model's
// descriptors, arrival and removal uevents as the model comes and goes, and usbfs ioctls answered
// by the model. Create it before libusb is initialised (the testbed redirects /sys and /dev of this
// process, and of children started with the preload library); destroy it after libusb has gone.
// Lives in the bus's thread.
class UmockdevHeadsetBed : public QObject
{
    Q_OBJECT

public:
    explicit UmockdevHeadsetBed(std::shared_ptr<SimBus> bus, QObject* parent = nullptr);
    ~UmockdevHeadsetBed() override;

    // The preload library umockdev redirects a child process with.
    static QString PreloadLibrary();
    // The testbed's root; children find it through UMOCKDEV_DIR.
    QString RootDirectory() const;
    // The environment a child process needs to see the testbed: base plus the preload library and
    // UMOCKDEV_DIR (and leave to an address-sanitized child to start after it).
    QProcessEnvironment ProgramEnvironment(const QProcessEnvironment& base) const;

    const std::shared_ptr<SimBus>& Bus() const { return m_bus; }
    // The usbfs node of the headset's present enumeration; empty when it is not on the bus.
    QString NodePath(SimHeadset* headset) const;
    // What all enumerations of the headset answered so far.
    UsbfsCounters Counters(SimHeadset* headset) const;

    // Raw notices, as the kernel sometimes sends them: another "add" for a present device, a
    // "remove" for a device that never arrived.
    void RepeatArrival(SimHeadset* headset);
    void AnnounceUnknownRemoval();

    // Another maker's Bluetooth adapter arrives on the bus (the computer's own, held by its kernel
    // driver). It is not modelled: its usbfs node only counts the opens and requests it receives,
    // which a program that leaves it alone never makes. Returns its node path.
    QString AddForeignBluetoothAdapter(std::uint16_t vendorId, std::uint16_t productId);
    int ForeignRequests(const QString& nodePath) const;

private slots:
    void OnDeviceArrived(const QString& path);
    void OnDeviceRemoved(const QString& path);

private:
    struct Node
    {
        QString modelPath;
        QString sysPath;
        QString nodePath;
        SimHeadset* headset = nullptr;
        UsbfsDeviceHandler* handler = nullptr;
    };

    struct ForeignNode;

    void AddNode(const QString& modelPath);
    // The sysfs entry of a device with these descriptors and its usbfs node served by handler; false
    // when the node cannot be set up.
    bool AddSysfsDevice(const QString& sysPath, const QString& nodePath, int number, const QByteArray& device,
                        const QByteArray& configuration, UMockdevIoctlBase* handler,
                        const QStringList& attributes = QStringList());

    std::shared_ptr<SimBus> m_bus;
    UMockdevTestbed* m_testbed = nullptr;
    // Handlers stay until the testbed goes: a client may still hold the node of a device that left.
    std::vector<std::unique_ptr<UsbfsDeviceHandler>> m_handlers;
    mutable QMutex m_mutex; // guards m_nodes and m_handlers against readers on other threads
    QList<Node> m_nodes;    // present enumerations
    QList<Node> m_gone;     // enumerations that ended, for their counters
    std::vector<std::unique_ptr<ForeignNode>> m_foreign;
    int m_nextDeviceNumber = 2; // 1 is the root hub
};

} // namespace Sim
