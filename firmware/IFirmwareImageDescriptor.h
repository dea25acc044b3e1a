#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace OrvoCommon {

// One IMAGE entry of the index file: what the image file is called, how long it is, its CRC and
// digest, where to download it and which device it is for. Owned by the index file; holders keep a
// non-owning pointer that is valid while the index file lives.
class IFirmwareImageDescriptor
{
public:
    virtual ~IFirmwareImageDescriptor() = default;
    virtual std::uint16_t GetDeviceId() const = 0;
    virtual std::uint16_t GetSubId() const = 0;
    virtual QString GetFileName() const = 0;
    // The standard CRC-32 of the whole file.
    virtual std::uint32_t GetCrc() const = 0;
    virtual QString GetReleaseRevision() const = 0;
    virtual QString GetImageRevision() const = 0;
    virtual QString GetProductName() const = 0;
    virtual QString GetHardwareRevision() const = 0;
    virtual bool HasPersonality() const = 0;
    // Throws "internal-error" when the image has no personality.
    virtual std::int16_t GetPersonality() const = 0;
    virtual std::uint32_t GetLength() const = 0;
    // 0 none, 1 for the index file's compression type 16.
    virtual int GetCompression() const = 0;
    virtual std::uint32_t GetFlags() const = 0;
    virtual QString GetHttpHost() const = 0;
    // Empty, or beginning and ending with "/".
    virtual QString GetUrlPath() const = 0;
    virtual bool IsForced() const = 0;
    // -1 for none.
    virtual std::int16_t GetVariant() const = 0;
    virtual QString GetMatchPattern() const = 0;
    virtual QString GetPostUpgradeUrlPath() const = 0;
    // The SHA-256 of the whole file, 32 bytes; empty when the index file gives none.
    virtual QByteArray GetSha256() const = 0;
};

} // namespace OrvoCommon
