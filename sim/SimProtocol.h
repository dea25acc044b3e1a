#pragma once

#include <cstdint>

// What the simulated chip understands on the wire: the USB Bluetooth HCI transport, the CSR HCI
// extension carrying BCCMD, and USB DFU 1.1. Kept apart from the host's protocol constants on
// purpose: the model must answer as the chip does, not as our host code expects.
namespace SimProtocol {

// USB Bluetooth: HCI commands are class requests to the device on endpoint 0.
inline constexpr std::uint8_t HciCommandRequestType = 0x20;
inline constexpr std::uint8_t HciCommandRequest = 0x00;
inline constexpr std::uint16_t CsrVendorOpcode = 0xFC00;
inline constexpr std::uint8_t EventCommandComplete = 0x0E;
inline constexpr std::uint8_t EventVendor = 0xFF;
inline constexpr std::uint8_t HciStatusUnknownCommand = 0x01;
inline constexpr int MaxEventSize = 64; // what one interrupt read returns from the CSR driver

// HCI command: opcode (16 bits), parameter length, parameters.
inline constexpr int HciOpcodeOffset = 0;
inline constexpr int HciParameterLengthOffset = 2;
inline constexpr int HciCommandHeaderSize = 3;
// HCI event: event code, parameter length, parameters.
inline constexpr int HciEventHeaderSize = 2;

// CSR HCI extension: the first parameter of a vendor command or event is this descriptor byte, the
// rest is a fragment of the channel's message.
inline constexpr std::uint8_t FragmentFirst = 0x80;
inline constexpr std::uint8_t FragmentLast = 0x40;
inline constexpr std::uint8_t ChannelMask = 0x3F;
inline constexpr std::uint8_t ChannelBcCmd = 2;
inline constexpr int ExtensionDescriptorSize = 1;

// BCCMD message: five 16-bit words (type, length in words with the header, sequence number, varid,
// status), then the variable's value.
inline constexpr std::uint16_t BcCmdGetReq = 0;
inline constexpr std::uint16_t BcCmdGetResp = 1;
inline constexpr std::uint16_t BcCmdSetReq = 2;
inline constexpr int BcCmdTypeOffset = 0;
inline constexpr int BcCmdLengthOffset = 2;
inline constexpr int BcCmdSeqOffset = 4;
inline constexpr int BcCmdVaridOffset = 6;
inline constexpr int BcCmdStatusOffset = 8;
inline constexpr int BcCmdHeaderWords = 5;
inline constexpr int BcCmdHeaderSize = 2 * BcCmdHeaderWords; // where the value starts

// Values of the PS varids, from the start of the BCCMD value. PS size: key, size in words. PS: key,
// length in words, store, then the words.
inline constexpr int PsKeyOffset = 0;
inline constexpr int PsSizeOffset = 2;
inline constexpr int PsSizeValueSize = 4;
inline constexpr int PsLengthOffset = 2;
inline constexpr int PsWordsOffset = 6;

inline constexpr std::uint16_t VaridColdReset = 0x4001;
inline constexpr std::uint16_t VaridWarmReset = 0x4002;
inline constexpr std::uint16_t VaridPsSize = 0x3006;
inline constexpr std::uint16_t VaridPs = 0x7003;
inline constexpr std::uint16_t VaridBuildId = 0x2819;

inline constexpr std::uint16_t BcCmdOk = 0;
inline constexpr std::uint16_t BcCmdNoSuchVarid = 1;
inline constexpr std::uint16_t BcCmdTooBig = 2;
inline constexpr std::uint16_t BcCmdNoValue = 3;
inline constexpr std::uint16_t BcCmdBadReq = 4;
inline constexpr std::uint16_t BcCmdNoAccess = 5;
inline constexpr std::uint16_t BcCmdReadOnly = 6;
inline constexpr std::uint16_t BcCmdWriteOnly = 7;
inline constexpr std::uint16_t BcCmdError = 8;

// PS keys the headset's own firmware keeps up to date.
inline constexpr std::uint16_t PsKeyVmVersion = 0x0292;

// USB DFU 1.1.
inline constexpr std::uint8_t DfuRequestOut = 0x21;
inline constexpr std::uint8_t DfuRequestIn = 0xA1;
inline constexpr std::uint8_t DfuDetach = 0;
inline constexpr std::uint8_t DfuDnload = 1;
inline constexpr std::uint8_t DfuUpload = 2;
inline constexpr std::uint8_t DfuGetStatus = 3;
inline constexpr std::uint8_t DfuClrStatus = 4;
inline constexpr std::uint8_t DfuGetState = 5;
inline constexpr std::uint8_t DfuAbort = 6;

inline constexpr std::uint8_t AttrCanDownload = 0x01;
inline constexpr std::uint8_t AttrCanUpload = 0x02;
inline constexpr std::uint8_t AttrManifestationTolerant = 0x04;
inline constexpr std::uint8_t AttrWillDetach = 0x08;

enum DfuState : std::uint8_t
{
    AppIdle = 0,
    AppDetach = 1,
    DfuIdle = 2,
    DfuDnloadSync = 3,
    DfuDnbusy = 4,
    DfuDnloadIdle = 5,
    DfuManifestSync = 6,
    DfuManifest = 7,
    DfuManifestWaitReset = 8,
    DfuUploadIdle = 9,
    DfuError = 10,
};

// DFU_GETSTATUS answer: bStatus, bwPollTimeout (24 bits), bState, iString.
inline constexpr int DfuStatusPollOffset = 1;
inline constexpr int DfuStatusStateOffset = 4;
inline constexpr int DfuStatusSize = 6;

enum DfuStatus : std::uint8_t
{
    StatusOk = 0,
    ErrTarget = 1,
    ErrFile = 2,
    ErrWrite = 3,
    ErrErase = 4,
    ErrCheckErased = 5,
    ErrProg = 6,
    ErrVerify = 7,
    ErrAddress = 8,
    ErrNotDone = 9,
    ErrFirmware = 10,
    ErrVendor = 11,
    ErrUsbr = 12,
    ErrPor = 13,
    ErrUnknown = 14,
    ErrStalledPkt = 15,
};

// USB standard requests the model answers on endpoint 0.
inline constexpr std::uint8_t StdGetStatus = 0;
inline constexpr std::uint8_t StdGetDescriptor = 6;
inline constexpr std::uint8_t StdSetConfiguration = 9;
inline constexpr std::uint8_t StdSetInterface = 11;
inline constexpr std::uint8_t DescriptorDevice = 1;
inline constexpr std::uint8_t DescriptorConfiguration = 2;
inline constexpr std::uint8_t DescriptorString = 3;
inline constexpr std::uint8_t DescriptorInterface = 4;
inline constexpr std::uint8_t DescriptorEndpoint = 5;
inline constexpr std::uint8_t DescriptorDfuFunctional = 0x21;
inline constexpr std::uint16_t LanguageEnglishUs = 0x0409;
inline constexpr std::uint8_t StringManufacturer = 1;
inline constexpr std::uint8_t StringProduct = 2;
inline constexpr std::uint8_t StringSerialNumber = 3;

} // namespace SimProtocol
