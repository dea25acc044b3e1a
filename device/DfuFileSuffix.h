#pragma once

#include <QString>

#include <cstdint>

namespace OrvoCommon {

class IFirmwareImageFile;
class IIndexFile;
class ILogger;

// The 16-byte DFU suffix that ends every image file, checked before any block is downloaded: its
// length, signature and CRC, and that it names the connected device (or its other-mode sibling, or any
// device through 0xFFFF). The suffix itself is never sent.
class DfuFileSuffix
{
public:
    struct Result
    {
        // The suffix length could be read; the download leaves out that many bytes at the end.
        bool lengthRead = false;
        std::uint8_t length = 0;
        // Empty when the suffix is good, otherwise "firmware-corrupted" or "dfu-file-mismatch".
        QString errorCode;
    };

    // Logs every failure as an error line. A mismatch passes when acceptNonMatching is set.
    static Result Validate(IFirmwareImageFile* image, std::uint16_t deviceVendorId, std::uint16_t deviceProductId,
                           const IIndexFile* indexFile, bool acceptNonMatching, ILogger* logger);

    // The suffix CRC: CRC-32 without the final inversion.
    static std::uint32_t Crc(const QByteArray& bytes);
};

} // namespace OrvoCommon
