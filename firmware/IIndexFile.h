#pragma once

#include "firmware/ProductIdentity.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace OrvoCommon {

class IFirmwareImageDescriptor;

// Descriptors handed out by the index file stay owned by it.
using FirmwareImageDescriptorList = QList<const IFirmwareImageDescriptor*>;

// The parsed catalogue of firmware releases: which product ids belong to which product, which
// releases exist for a device and which image files make up a release. An object exists only when
// the whole file parsed; it owns its descriptors. Queries never throw, except CompareVersions.
class IIndexFile
{
public:
    virtual ~IIndexFile() = default;
    virtual FirmwareImageDescriptorList GetImageDescriptors(const QString& releaseVersion,
                                                            const ProductIdentity& identity) const = 0;
    // The standard CRC-32 of the file as read from disk.
    virtual std::uint32_t GetIndexFileCrc() const = 0;
    // Empty when no release is offered for the device.
    virtual QString GetNewestVersion(const ProductIdentity& identity) const = 0;
    // Positive when a is newer; throws "version-error".
    virtual int CompareVersions(const QString& a, const QString& b) const = 0;
    // Distinct release versions for the device, in order of first appearance.
    virtual QStringList GetVersions(const ProductIdentity& identity) const = 0;
    // Empty when the product id is unknown.
    virtual QString GetProductName(std::uint16_t productId) const = 0;
    // Another product id listed under the same product name (the same headset in its other USB mode).
    virtual bool GetSiblingProductId(std::uint16_t productId, std::uint16_t* siblingId) const = 0;
    virtual QList<std::uint16_t> GetProductIds() const = 0;
};

} // namespace OrvoCommon
