#pragma once

#include <QByteArray>
#include <QQueue>

namespace Sim {

// The chip's side of the USB Bluetooth transport: HCI commands arrive as class requests on endpoint
// 0, events leave through the interrupt endpoint. CSR extension commands are put together from their
// fragments, other commands are answered "unknown command". Holds the events the host has not read
// yet; when the chip's buffer is full the oldest is lost. Not thread-safe: its headset calls it under
// the headset's lock.
class SimHciTransport
{
public:
    // Takes one HCI command; returns a whole BCCMD message once its last fragment has come, else empty.
    QByteArray Command(const QByteArray& command);
    // Sends a BCCMD message back as vendor events, in fragments that each fit one interrupt read.
    void SendBcCmd(const QByteArray& message);
    bool HasEvent() const { return !m_events.isEmpty(); }
    QByteArray TakeEvent() { return m_events.dequeue(); }
    // What a restart or the end of an enumeration loses.
    void Clear();

private:
    void QueueEvent(const QByteArray& event);

    QQueue<QByteArray> m_events;
    QByteArray m_fragments; // of the CSR extension message being put together
};

} // namespace Sim
