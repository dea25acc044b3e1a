#pragma once

#include "firmware/FirmwareImageDescriptor.h"
#include "firmware/IIndexFile.h"

#include <QMap>

#include <memory>
#include <vector>

namespace OrvoCommon {

class ILogger;
class TrustedKeys;

class IndexFile : public IIndexFile
{
public:
    // Files larger than this are refused rather than parsed; a real catalogue is a few hundred KiB.
    static constexpr qint64 MaximumFileSize = 16 * 1024 * 1024;
    // The longest image an IMAGE may list. BlueCore images run to a few hundred KiB, a few MiB at
    // most; a LENGTH beyond this could only make the program fetch gigabytes for nothing.
    static constexpr std::uint32_t MaximumImageLength = 16 * 1024 * 1024;

    // Loads the file; throws "index-corrupted" (logged) when anything is wrong with it.
    static std::unique_ptr<IIndexFile> Create(const QString& path);
    // The same for a file that must be signed: its bytes must verify against the detached signature
    // in signaturePath (64 raw bytes) under one of the keys before they are parsed, and every IMAGE
    // must give a SHA256.
    static std::unique_ptr<IIndexFile> Create(const QString& path, const QString& signaturePath,
                                              const TrustedKeys& keys);

    FirmwareImageDescriptorList GetImageDescriptors(const QString& releaseVersion,
                                                    const ProductIdentity& identity) const override;
    std::uint32_t GetIndexFileCrc() const override { return m_crc; }
    QString GetNewestVersion(const ProductIdentity& identity) const override;
    int CompareVersions(const QString& a, const QString& b) const override;
    QStringList GetVersions(const ProductIdentity& identity) const override;
    QString GetProductName(std::uint16_t productId) const override { return m_productNames.value(productId); }
    bool GetSiblingProductId(std::uint16_t productId, std::uint16_t* siblingId) const override;
    QList<std::uint16_t> GetProductIds() const override { return m_productNames.keys(); }

private:
    explicit IndexFile(ILogger* logger) : m_logger(logger) {}

    static std::unique_ptr<IIndexFile> Make(const QString& path, const QString& signaturePath, const TrustedKeys* keys);
    void Load(const QString& path, const QString& signaturePath, const TrustedKeys* keys);

    using Match = bool (*)(const FirmwareImageDescriptor::Fields&, const ProductIdentity&);
    static bool StrictMatch(const FirmwareImageDescriptor::Fields& fields, const ProductIdentity& identity);
    static bool FallbackMatch(const FirmwareImageDescriptor::Fields& fields, const ProductIdentity& identity);
    QStringList CollectVersions(const ProductIdentity& identity, Match match) const;
    FirmwareImageDescriptorList CollectDescriptors(const QString& releaseVersion, const ProductIdentity& identity,
                                                   Match match) const;

    ILogger* m_logger;
    std::vector<std::unique_ptr<FirmwareImageDescriptor>> m_descriptors;
    QMap<std::uint16_t, QString> m_productNames;
    std::uint32_t m_crc = 0;
};

} // namespace OrvoCommon
