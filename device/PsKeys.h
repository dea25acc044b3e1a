#pragma once

#include <cstdint>

// Persistent-store keys of the headset that the updater reads or writes.
namespace OrvoCommon::PsKeys {

// Addresses are 4 words: LAP bits 16-23, LAP bits 0-15, UAP, NAP.
inline constexpr std::uint16_t BluetoothAddress = 0x0001;
inline constexpr std::uint16_t DeviceName = 0x0108;   // 8-bit characters
inline constexpr std::uint16_t SerialNumber = 0x02C3; // one UTF-16 code unit per word
inline constexpr std::uint16_t PairingIndex = 0x02B3; // up to 6 words; w in 1..6 names key PairingIndex + w
inline constexpr int MaxPairings = 6;
inline constexpr std::uint16_t ReleaseVersion = 0x029D;
inline constexpr std::uint16_t AltReleaseVersion = 0x028D; // for the product ids listed in AltPskeyPids
inline constexpr std::uint16_t VmAppVersion = 0x0292;
inline constexpr std::uint16_t BootMode = 0x03CD;

} // namespace OrvoCommon::PsKeys
