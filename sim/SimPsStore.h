#pragma once

#include <QMap>
#include <QVector>

#include <cstdint>

namespace Sim {

// The chip's persistent store: keys of a few 16-bit words each, kept across resets and power cuts.
// Reads answer with the BCCMD status the chip gives. Not thread-safe: its headset calls it under the
// headset's lock.
class SimPsStore
{
public:
    using Keys = QMap<std::uint16_t, QVector<std::uint16_t>>;

    explicit SimPsStore(const Keys& keys = Keys());

    bool Contains(std::uint16_t key) const;
    // Empty for a key the store does not hold.
    QVector<std::uint16_t> Value(std::uint16_t key) const;
    const Keys& All() const { return m_keys; }
    void Write(std::uint16_t key, const QVector<std::uint16_t>& words);

    // BcCmdOk with the key's length in words, or BcCmdNoValue.
    std::uint16_t ReadSize(std::uint16_t key, std::uint16_t* words) const;
    // BcCmdOk with the value padded with zeros to room words, BcCmdNoValue, or BcCmdTooBig when the
    // value does not fit.
    std::uint16_t Read(std::uint16_t key, int room, QVector<std::uint16_t>* words) const;

private:
    Keys m_keys;
};

} // namespace Sim
