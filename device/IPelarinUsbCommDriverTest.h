#pragma once

namespace UpdatePelarin {

// Fault injection for the device layer, written by scripts on the GUI thread and read by the
// protocol and programming threads at the moment they act.
class IPelarinUsbCommDriverTest
{
public:
    virtual ~IPelarinUsbCommDriverTest() = default;
    virtual void SetDfuCommFault(bool on) = 0;
    virtual void SetHciCommFault(bool on) = 0;
    virtual void SetColdResetAfterUpdate(bool on) = 0;
};

} // namespace UpdatePelarin
