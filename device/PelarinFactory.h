#pragma once

namespace UpdatePelarin {

class IPelarin;

// Hands out the process-wide device facade, made on first use under a mutex (the first call comes
// from the GUI thread). The factory owns it; construction failures throw OrvoException.
class PelarinFactory
{
public:
    static IPelarin* CreatePelarin();
    // Ends the facade before the comm driver and the USB interface go (and between tests).
    static void Destroy();
};

} // namespace UpdatePelarin
