#pragma once

namespace UpdatePelarin {
class PelarinUsbCommDriverTest;
}

namespace OrvoCommon {

class IPelarinUsbCommDriver;

// Hands out the process-wide comm driver (made on first use, from the GUI thread; construction
// failures throw OrvoException) and the device test switches (from any thread). The factory owns both.
class PelarinUsbCommDriverFactory
{
public:
    static IPelarinUsbCommDriver* CreatePelarinUsbCommDriver();
    static UpdatePelarin::PelarinUsbCommDriverTest* CreatePelarinUsbCommDriverTest();
    // Ends the driver before the USB interface it listens to goes (and between tests).
    static void Destroy();
};

} // namespace OrvoCommon
