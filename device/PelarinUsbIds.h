#pragma once

#include <cstdint>

namespace UpdatePelarin {

// The maker's USB vendor id: every headset and its DFU boot loader enumerate under it.
inline constexpr std::uint16_t OrvoUsbVendorId = 0x0A12;

} // namespace UpdatePelarin
