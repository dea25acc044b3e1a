#pragma once

namespace UpdatePelarin {

// A window that offers more once support mode is on (the error box's System Information button,
// the system-information dialog's "Send to Orvo"). The support manager keeps a list of the open
// ones; it does not own them.
class ISupportHost
{
public:
    virtual ~ISupportHost() = default;
    virtual void EnableSupport(bool enable) = 0;
};

} // namespace UpdatePelarin
