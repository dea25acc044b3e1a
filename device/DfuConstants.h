#pragma once

#include <cstdint>

// USB DFU 1.1 as the programming side uses it: class requests on the DFU interface, the states and
// status codes the device reports, and the file suffix that ends every image.
namespace OrvoCommon::Dfu {

inline constexpr std::uint8_t RequestTypeOut = 0x21; // class, interface, host to device
inline constexpr std::uint8_t RequestTypeIn = 0xA1;  // class, interface, device to host

inline constexpr std::uint8_t RequestDetach = 0;
inline constexpr std::uint8_t RequestDnload = 1;
inline constexpr std::uint8_t RequestUpload = 2; // never sent
inline constexpr std::uint8_t RequestGetStatus = 3;
inline constexpr std::uint8_t RequestClrStatus = 4;
inline constexpr std::uint8_t RequestGetState = 5;
inline constexpr std::uint8_t RequestAbort = 6;

inline constexpr std::uint16_t GetStatusLength = 6;
inline constexpr std::uint16_t GetStateLength = 1;

enum State : std::uint8_t
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

enum Status : std::uint8_t
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

// bmAttributes of the functional descriptor.
inline constexpr int AttributeCanDownload = 0x01;
inline constexpr int AttributeManifestationTolerant = 0x04;

inline constexpr int DefaultMessageRetries = 2;
inline constexpr int RetryIntervalMs = 200;
inline constexpr std::uint16_t DetachTimeoutMs = 2000;

// File suffix, positions counted back from the end of the file.
inline constexpr int SuffixMinLength = 16;
inline constexpr int SuffixLengthFromEnd = 5;    // bLength
inline constexpr int SuffixCrcSize = 4;          // dwCRC, the last 4 bytes
inline constexpr int SuffixSignatureFromEnd = 8; // "UFD" at L-8 .. L-6
inline constexpr int SuffixVendorFromEnd = 12;
inline constexpr int SuffixProductFromEnd = 14;
inline constexpr std::uint16_t SuffixAnyId = 0xFFFF;

} // namespace OrvoCommon::Dfu
