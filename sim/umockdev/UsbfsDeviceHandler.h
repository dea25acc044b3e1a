#pragma once

#include <QByteArray>

#include <atomic>
#include <deque>

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

namespace Sim {

class SimHeadset;

// Control transfers one enumeration answered, by kind; read from any thread.
struct UsbfsCounters
{
    int control = 0;
    int downloads = 0;   // DFU_DNLOAD with data
    int statusPolls = 0; // DFU_GETSTATUS
    int interruptIn = 0; // completed event reads
};

// Answers the usbfs ioctls of one enumeration of a simulated headset, as the kernel would for the
// real device: control URBs go to the model when submitted, interrupt-IN URBs complete when the
// model has an event, discarded URBs are reaped with -ENOENT, and once the enumeration has ended
// every URB still pending completes with -ESHUTDOWN and every request fails with ENODEV.
// umockdev calls it on its worker thread only; it touches the model and nothing of Qt's object
// system there.
class UsbfsDeviceHandler
{
public:
    UsbfsDeviceHandler(SimHeadset* headset, quint64 generation);
    ~UsbfsDeviceHandler();
    UsbfsDeviceHandler(const UsbfsDeviceHandler&) = delete;
    UsbfsDeviceHandler& operator=(const UsbfsDeviceHandler&) = delete;

    UMockdevIoctlBase* Base() const { return m_base; }
    UsbfsCounters Counters() const;

private:
    struct Urb
    {
        UMockdevIoctlData* urb = nullptr;    // owned reference
        UMockdevIoctlData* buffer = nullptr; // owned reference, null without data
    };

    static int OnIoctl(UMockdevIoctlBase* base, UMockdevIoctlClient* client, void* self);
    void Handle(UMockdevIoctlClient* client);
    bool IsCurrent() const;
    int Submit(UMockdevIoctlData* urb);
    void RunControl(const Urb& urb);
    bool CompleteInterrupt(const Urb& urb);
    bool TakeReapable(Urb* urb);
    int Discard(unsigned long clientAddress);
    static void Release(Urb* urb);

    SimHeadset* m_headset;
    const quint64 m_generation;
    UMockdevIoctlBase* m_base = nullptr;
    unsigned long m_handlerId = 0;
    std::deque<Urb> m_done;    // completed, waiting to be reaped in order
    std::deque<Urb> m_pending; // interrupt and bulk URBs the device has not answered yet
    QByteArray m_eventRest;    // the part of an event that did not fit into the last URB
    bool m_reset = false;      // this node reset the headset
    std::atomic<int> m_control{0};
    std::atomic<int> m_downloads{0};
    std::atomic<int> m_statusPolls{0};
    std::atomic<int> m_interruptIn{0};
};

} // namespace Sim
