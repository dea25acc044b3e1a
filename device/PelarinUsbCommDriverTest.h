#pragma once

#include "device/IPelarinUsbCommDriverTest.h"

#include <atomic>

namespace UpdatePelarin {

// The process-wide device-layer switches. Atomics, so worker threads read them without a lock
// and without a data race; a reader sees the old or the new value.
class PelarinUsbCommDriverTest : public IPelarinUsbCommDriverTest
{
public:
    // Created on first request, from any thread; lives until the process ends.
    static PelarinUsbCommDriverTest* Instance();

    void SetDfuCommFault(bool on) override { m_dfuCommFault = on; }
    void SetHciCommFault(bool on) override { m_hciCommFault = on; }
    void SetColdResetAfterUpdate(bool on) override { m_coldResetAfterUpdate = on; }

    bool IsDfuCommFault() const { return m_dfuCommFault; }
    bool IsHciCommFault() const { return m_hciCommFault; }
    bool IsColdResetAfterUpdate() const { return m_coldResetAfterUpdate; }

private:
    PelarinUsbCommDriverTest() = default;

    std::atomic<bool> m_dfuCommFault{false};
    std::atomic<bool> m_hciCommFault{false};
    std::atomic<bool> m_coldResetAfterUpdate{true};
};

} // namespace UpdatePelarin
