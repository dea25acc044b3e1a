#pragma once

#include "firmware/IFirmwareImageDescriptor.h"

namespace OrvoCommon {

class ILogger;

// The descriptor the index file builds from one IMAGE and its ancestors; read-only once built.
class FirmwareImageDescriptor : public IFirmwareImageDescriptor
{
public:
    struct Fields
    {
        std::uint16_t deviceId = 0;
        std::uint16_t subId = 0;
        QString fileName;
        std::uint32_t crc = 0;
        QString releaseRevision;
        QString imageRevision;
        QString productName;
        QString hardwareRevision;
        bool hasPersonality = false;
        std::int16_t personality = 0;
        std::uint32_t length = 0;
        int compression = 0;
        std::uint32_t flags = 0;
        QString httpHost;
        QString urlPath;
        bool forced = true;
        std::int16_t variant = -1;
        QString matchPattern;
        QString postUpgradeUrlPath;
        QByteArray sha256;
    };

    FirmwareImageDescriptor(const Fields& fields, ILogger* logger) : m_fields(fields), m_logger(logger) {}

    std::uint16_t GetDeviceId() const override { return m_fields.deviceId; }
    std::uint16_t GetSubId() const override { return m_fields.subId; }
    QString GetFileName() const override { return m_fields.fileName; }
    std::uint32_t GetCrc() const override { return m_fields.crc; }
    QString GetReleaseRevision() const override { return m_fields.releaseRevision; }
    QString GetImageRevision() const override { return m_fields.imageRevision; }
    QString GetProductName() const override { return m_fields.productName; }
    QString GetHardwareRevision() const override { return m_fields.hardwareRevision; }
    bool HasPersonality() const override { return m_fields.hasPersonality; }
    std::int16_t GetPersonality() const override;
    std::uint32_t GetLength() const override { return m_fields.length; }
    int GetCompression() const override { return m_fields.compression; }
    std::uint32_t GetFlags() const override { return m_fields.flags; }
    QString GetHttpHost() const override { return m_fields.httpHost; }
    QString GetUrlPath() const override { return m_fields.urlPath; }
    bool IsForced() const override { return m_fields.forced; }
    std::int16_t GetVariant() const override { return m_fields.variant; }
    QString GetMatchPattern() const override { return m_fields.matchPattern; }
    QString GetPostUpgradeUrlPath() const override { return m_fields.postUpgradeUrlPath; }
    QByteArray GetSha256() const override { return m_fields.sha256; }

    // Releases are compared by exact text; read without copying, for the index file's queries.
    const Fields& GetFields() const { return m_fields; }

private:
    const Fields m_fields;
    ILogger* m_logger;
};

} // namespace OrvoCommon
