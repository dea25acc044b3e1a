#include "sim/SimHciTransport.h"

#include "sim/SimBytes.h"
#include "sim/SimProtocol.h"

namespace Sim {

using namespace SimProtocol;

namespace {

constexpr int MaxQueuedEvents = 64;
constexpr int MaxCommandFragments = 1024;

} // namespace

QByteArray SimHciTransport::Command(const QByteArray& command)
{
    // A command whose length byte disagrees with the transfer is dropped, as the chip's HCI
    // transport does with a corrupt packet.
    if (command.size() < HciCommandHeaderSize ||
        static_cast<std::uint8_t>(command.at(HciParameterLengthOffset)) != command.size() - HciCommandHeaderSize)
        return QByteArray();
    const std::uint16_t opcode = Word(command, HciOpcodeOffset);
    if (opcode != CsrVendorOpcode) {
        QByteArray event = Bytes({EventCommandComplete, 4, 1});
        AppendWord(&event, opcode);
        event.append(static_cast<char>(HciStatusUnknownCommand));
        QueueEvent(event);
        return QByteArray();
    }
    if (command.size() < HciCommandHeaderSize + ExtensionDescriptorSize)
        return QByteArray();
    const auto descriptor = static_cast<std::uint8_t>(command.at(HciCommandHeaderSize));
    const QByteArray fragment = command.mid(HciCommandHeaderSize + ExtensionDescriptorSize);
    if (descriptor & FragmentFirst)
        m_fragments = fragment;
    else if (m_fragments.isEmpty())
        return QByteArray(); // a continuation without a start
    else
        m_fragments += fragment;
    if (m_fragments.size() > MaxCommandFragments) {
        m_fragments.clear();
        return QByteArray();
    }
    if (!(descriptor & FragmentLast))
        return QByteArray();
    const QByteArray message = m_fragments;
    m_fragments.clear();
    return (descriptor & ChannelMask) == ChannelBcCmd ? message : QByteArray();
}

void SimHciTransport::SendBcCmd(const QByteArray& message)
{
    constexpr int chunk = MaxEventSize - HciEventHeaderSize - ExtensionDescriptorSize;
    for (int offset = 0; offset < message.size(); offset += chunk) {
        const QByteArray part = message.mid(offset, chunk);
        std::uint8_t descriptor = ChannelBcCmd;
        if (offset == 0)
            descriptor |= FragmentFirst;
        if (offset + chunk >= message.size())
            descriptor |= FragmentLast;
        QueueEvent(Bytes({EventVendor, part.size() + ExtensionDescriptorSize, descriptor}) + part);
    }
}

void SimHciTransport::Clear()
{
    m_events.clear();
    m_fragments.clear();
}

void SimHciTransport::QueueEvent(const QByteArray& event)
{
    if (m_events.size() >= MaxQueuedEvents)
        m_events.dequeue();
    m_events.enqueue(event);
}

} // namespace Sim
