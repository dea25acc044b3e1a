#pragma once

#include <QByteArray>

#include <cstdint>

namespace OrvoCommon {

class IFirmwareImageDescriptor;

// One image file on disk that was found and verified against its descriptor (length and CRC). The
// programming thread reads the DFU suffix and the download blocks through it. It does not own the
// descriptor.
class IFirmwareImageFile
{
public:
    virtual ~IFirmwareImageFile() = default;
    virtual const IFirmwareImageDescriptor* GetDescriptor() const = 0;
    // False when already open or when the file cannot be found or opened.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // At most maxCount bytes from the current position. Throws "internal-error" when closed.
    virtual QByteArray Read(std::uint16_t maxCount) = 0;
    // Throws "internal-error" when closed.
    virtual bool Seek(qint64 position) = 0;
    // The whole file from its start; empty when it cannot be read.
    virtual QByteArray ReadAll() = 0;
};

} // namespace OrvoCommon
