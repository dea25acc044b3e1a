#pragma once

#include <QByteArray>

#include <atomic>
#include <cstdint>
#include <deque>

typedef struct _GSource GSource;
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
    int waiting = 0;     // REAPURB and BULK requests waiting for their answer now
    int eventReads = 0;  // interrupt-IN URBs and BULK reads of the event endpoint waiting for an event now
};

// Answers the usbfs ioctls of one enumeration of a simulated headset, as the kernel would for the
// real device, to every program that opens its node (each open is a client of its own): control URBs
// go to the model when submitted, interrupt-IN URBs complete when the model has an event, discarded
// URBs are reaped with -ENOENT, REAPURB waits for a URB (REAPURBNDELAY does not), the synchronous
// CONTROL and BULK requests (BULK on the interrupt endpoint too) wait for their answer, and once the
// enumeration has ended every URB still pending completes with -ESHUTDOWN and every request fails
// with ENODEV. umockdev calls it on its worker thread only, where the requests that wait are served
// by a short poll; it touches the model and nothing of Qt's object system there.
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
        UMockdevIoctlClient* client = nullptr; // owned reference: whose URB it is
        UMockdevIoctlData* urb = nullptr;      // owned reference
        UMockdevIoctlData* buffer = nullptr;   // owned reference, null without data
    };
    // A REAPURB or a synchronous BULK transfer waiting for its answer.
    struct Waiter
    {
        UMockdevIoctlClient* client = nullptr; // owned reference
        UMockdevIoctlData* data = nullptr;     // owned reference: the reap slot, or the BULK buffer
        bool reap = true;
        unsigned endpoint = 0;
        int length = 0;
        qint64 deadline = -1; // monotonic ms; -1 waits for ever
    };

    static int OnIoctl(UMockdevIoctlBase* base, UMockdevIoctlClient* client, void* self);
    static int OnPoll(void* self);
    void Handle(UMockdevIoctlClient* client);
    bool IsCurrent() const;
    int Submit(UMockdevIoctlClient* client, UMockdevIoctlData* urb);
    void RunControl(const Urb& urb);
    // The model's answer to one control request; the result is a byte count or -errno.
    int Control(const std::uint8_t* setup, std::uint8_t* data, int length);
    void Bulk(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
    // An interrupt-IN transfer: the next piece of the event stream, at most length bytes; -1 when the
    // model has nothing yet.
    int NextEventBytes(std::uint8_t* data, int length);
    bool CompleteInterrupt(const Urb& urb);
    bool TakeReapable(UMockdevIoctlClient* client, Urb* urb);
    void CompleteReap(UMockdevIoctlClient* client, UMockdevIoctlData* slot, Urb* urb);
    // True when the waiter got its answer (or its client went away).
    bool Serve(Waiter* waiter);
    void Wait(const Waiter& waiter);
    int Discard(UMockdevIoctlClient* client, unsigned long clientAddress);
    // The bmAttributes transfer type of an endpoint of the present configuration; -1 when there is none.
    int EndpointType(unsigned endpoint) const;
    // Drops what belongs to programs that have closed the node.
    void DropVanishedClients();
    // Brings the counters of what waits up to date.
    void CountWaiting();
    static void Release(Urb* urb);
    static void Release(Waiter* waiter);

    SimHeadset* m_headset;
    const quint64 m_generation;
    UMockdevIoctlBase* m_base = nullptr;
    unsigned long m_handlerId = 0;
    std::deque<Urb> m_done;    // completed, waiting to be reaped in order
    std::deque<Urb> m_pending; // interrupt and bulk URBs the device has not answered yet
    std::deque<Waiter> m_waiters;
    GSource* m_poll = nullptr; // serves the waiters while there are any
    QByteArray m_eventRest;    // the part of an event that did not fit into the last transfer
    bool m_reset = false;      // this node reset the headset
    std::atomic<int> m_control{0};
    std::atomic<int> m_downloads{0};
    std::atomic<int> m_statusPolls{0};
    std::atomic<int> m_interruptIn{0};
    std::atomic<int> m_waiting{0};
    std::atomic<int> m_eventReads{0};
};

} // namespace Sim
