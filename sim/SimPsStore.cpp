#include "sim/SimPsStore.h"

#include "sim/SimProtocol.h"

namespace Sim {

SimPsStore::SimPsStore(const Keys& keys) : m_keys(keys) {}

bool SimPsStore::Contains(std::uint16_t key) const
{
    return m_keys.contains(key);
}

QVector<std::uint16_t> SimPsStore::Value(std::uint16_t key) const
{
    return m_keys.value(key);
}

void SimPsStore::Write(std::uint16_t key, const QVector<std::uint16_t>& words)
{
    m_keys.insert(key, words);
}

std::uint16_t SimPsStore::ReadSize(std::uint16_t key, std::uint16_t* words) const
{
    const auto found = m_keys.constFind(key);
    if (found == m_keys.constEnd())
        return SimProtocol::BcCmdNoValue;
    *words = static_cast<std::uint16_t>(found->size());
    return SimProtocol::BcCmdOk;
}

std::uint16_t SimPsStore::Read(std::uint16_t key, int room, QVector<std::uint16_t>* words) const
{
    const auto found = m_keys.constFind(key);
    if (found == m_keys.constEnd())
        return SimProtocol::BcCmdNoValue;
    if (found->size() > room)
        return SimProtocol::BcCmdTooBig;
    *words = *found;
    words->resize(room);
    return SimProtocol::BcCmdOk;
}

} // namespace Sim
