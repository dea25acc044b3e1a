#pragma once

#include <cstdint>

namespace Sim {

// The two faces the chip shows on the bus: its application (Bluetooth and DFU run-time) or its boot
// loader (DFU mode).
enum class SimMode
{
    Application,
    Dfu,
};

enum class SimUsbResult
{
    Ok,
    Stall,
    Timeout,
    NoDevice, // the enumeration the caller opened is gone
    Error,    // no such endpoint in this mode
};

struct SimSetup
{
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

} // namespace Sim
