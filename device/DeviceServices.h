#pragma once

namespace UpdatePelarin {
class PelarinUsbCommDriverTest;
}

namespace OrvoCommon {

class ILogger;

// The services every protocol and thread of the device layer needs at construction. Both throw
// OrvoException ("internal-error") instead of handing out null.
ILogger* RequireLogger();
UpdatePelarin::PelarinUsbCommDriverTest* RequireTestSwitches();

} // namespace OrvoCommon
