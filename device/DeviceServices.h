#pragma once

#include "app/LoggerFactory.h"

namespace UpdatePelarin {
class PelarinUsbCommDriverTest;
}

namespace OrvoCommon {

// The services every protocol and thread of the device layer needs at construction: the logger
// (RequireLogger, from the logger factory) and the test switches. Both throw OrvoException
// ("internal-error") instead of handing out null.
UpdatePelarin::PelarinUsbCommDriverTest* RequireTestSwitches();

} // namespace OrvoCommon
