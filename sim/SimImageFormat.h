#pragma once

#include <cstddef>
#include <cstdint>

// The firmware image the simulated headset accepts, as the firmware packer writes it:
//
//   [header, 32 bytes][payload, payloadLength bytes][DFU 1.1 suffix, 16 bytes]
//
// The header (all numbers little-endian):
//   0  char[4]  magic "TSFW"
//   4  u16      format version (1)
//   6  u16      sub ID: 0 = Bluetooth stack, 1 = VM application
//   8  char[8]  the image's version as written in the index file ("01.02.03"), no terminator
//   16 u32      payload length
//   20 u32      CRC-32 (standard, as zlib's crc32) of the payload
//   24 u32      CRC-32 of header bytes 0..23
//   28 u8[4]    reserved, zero
//
// The DFU suffix (USB DFU 1.1, table B-1): bcdDevice, idProduct, idVendor, bcdDFU 0x0100, "UFD",
// bLength 16, then dwCRC over everything before it. Only header and payload are downloaded to the
// device; a host never sends the suffix.
namespace SimImageFormat {

inline constexpr char Magic[4] = {'T', 'S', 'F', 'W'};
inline constexpr std::uint16_t FormatVersion = 1;
inline constexpr std::size_t HeaderSize = 32;
inline constexpr std::size_t VersionSize = 8;
inline constexpr std::size_t SuffixSize = 16;

inline constexpr std::size_t MagicOffset = 0;
inline constexpr std::size_t FormatVersionOffset = 4;
inline constexpr std::size_t SubIdOffset = 6;
inline constexpr std::size_t VersionOffset = 8;
inline constexpr std::size_t PayloadLengthOffset = 16;
inline constexpr std::size_t PayloadCrcOffset = 20;
inline constexpr std::size_t HeaderCrcOffset = 24;

inline constexpr std::uint16_t SubIdStack = 0;
inline constexpr std::uint16_t SubIdVmApplication = 1;

} // namespace SimImageFormat
