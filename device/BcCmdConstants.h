#pragma once

#include <cstdint>

// What travels on the wire when the chip is talked to in application mode: HCI commands as USB class
// requests, the CSR vendor extension around them, and BCCMD messages inside it. All little-endian.
namespace OrvoCommon::Hci {

inline constexpr std::uint8_t CommandRequestType = 0x20; // class request to an interface, host to device
inline constexpr std::uint8_t CommandRequest = 0;
inline constexpr std::uint8_t NoInterface = 0xFF;
inline constexpr int CommandHeaderSize = 3; // opcode word and parameter length byte
inline constexpr int MaxParameterSize = 255;
inline constexpr int EventHeaderSize = 2; // event code and parameter length byte

// The CSR vendor command: OGF 0x3F, OCF 0 (opcode 0xFC00).
inline constexpr std::uint8_t VendorOgf = 0x3F;
inline constexpr std::uint16_t VendorOcf = 0x000;
inline constexpr int OcfBits = 10;
inline constexpr std::uint16_t OcfMask = 0x03FF;

} // namespace OrvoCommon::Hci

namespace OrvoCommon::CsrHciExt {

inline constexpr std::uint8_t FragmentFirst = 0x80;
inline constexpr std::uint8_t FragmentLast = 0x40;
inline constexpr std::uint8_t ChannelMask = 0x3F;
inline constexpr std::uint8_t ChannelBcCmd = 2;

} // namespace OrvoCommon::CsrHciExt

namespace OrvoCommon::BcCmd {

inline constexpr std::uint16_t GetReq = 0;
inline constexpr std::uint16_t GetResp = 1;
inline constexpr std::uint16_t SetReq = 2;
inline constexpr std::uint16_t StatusOk = 0;

// Header words: type, length in words, sequence number, varid, status.
inline constexpr int HeaderSize = 10;
inline constexpr int TypeOffset = 0;
inline constexpr int LengthOffset = 2;
inline constexpr int SequenceOffset = 4;
inline constexpr int VaridOffset = 6;
inline constexpr int StatusOffset = 8;
inline constexpr int MinPayloadSize = 8;

inline constexpr std::uint16_t VaridColdReset = 0x4001;
inline constexpr std::uint16_t VaridPsKeySize = 0x3006;
inline constexpr std::uint16_t VaridPsKeyValue = 0x7003;
inline constexpr std::uint16_t VaridBuildId = 0x2819;

inline constexpr std::uint16_t PsStoreDefault = 0;
// The PS value request carries key, length and store before the value words.
inline constexpr int PsValueHeaderSize = 6;
// The chip restarts instead of answering a cold reset, so the wait always runs this long.
inline constexpr int ColdResetTimeoutMs = 5000;

} // namespace OrvoCommon::BcCmd
