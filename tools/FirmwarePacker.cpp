#include "tools/FirmwarePacker.h"

#include "firmware/Crc32.h"
#include "firmware/Ed25519Key.h"
#include "firmware/IndexNames.h"
#include "firmware/IndexNumber.h"
#include "firmware/Sha256.h"
#include "sim/SimImage.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

namespace Names = OrvoCommon::IndexNames;

QString HexId(std::uint16_t id)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

bool SameNumber(const QString& text, std::uint32_t wanted)
{
    std::uint32_t value = 0;
    return OrvoCommon::ParseIndexNumber(text, 0xFFFFFFFF, &value) == OrvoCommon::IndexNumberResult::Ok &&
           value == wanted;
}

// The child element of the tag whose attribute satisfies the test, appended when there is none.
template <typename Test>
QDomElement ChildWhere(QDomDocument& document, QDomElement parent, const QString& tag, const QString& attribute,
                       Test test, const QString& newValue)
{
    for (QDomElement child = parent.firstChildElement(tag); !child.isNull(); child = child.nextSiblingElement(tag)) {
        if (test(child.attribute(attribute)))
            return child;
    }
    QDomElement child = document.createElement(tag);
    child.setAttribute(attribute, newValue);
    parent.appendChild(child);
    return child;
}

bool WriteFile(const QString& path, const QByteArray& content, QString* error,
               QFileDevice::Permissions permissions = QFileDevice::Permissions())
{
    QSaveFile file(path);
    // Set before anything is written, so that a private key is never readable by others.
    if (!file.open(QIODevice::WriteOnly) || (permissions && !file.setPermissions(permissions)) ||
        file.write(content) != content.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool FirmwarePacker::WriteImage(const ImageRequest& request, QByteArray* image, QString* error)
{
    Sim::SimImageInfo info;
    info.subId = request.subId;
    info.version = request.imageVersion;
    info.payload = request.payload;
    Sim::DfuSuffix suffix;
    suffix.bcdDevice = request.bcdDevice;
    suffix.idProduct = request.productId;
    suffix.idVendor = request.vendorId;
    *image = Sim::BuildSimImage(info, suffix);
    return WriteFile(request.outputPath, *image, error);
}

bool FirmwarePacker::UpdateIndex(const IndexEntry& entry, const ImageRequest& request, const QByteArray& image,
                                 QString* error)
{
    QDomDocument document;
    QFile existing(entry.indexPath);
    if (existing.exists()) {
        QString parseError;
        if (!existing.open(QIODevice::ReadOnly) || !document.setContent(&existing, &parseError)) {
            *error = QStringLiteral("cannot read index file %1: %2").arg(entry.indexPath, parseError);
            return false;
        }
        if (document.documentElement().tagName() != Names::Index) {
            *error = QStringLiteral("%1 is not an index file").arg(entry.indexPath);
            return false;
        }
    } else {
        document.appendChild(document.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
        document.appendChild(document.createElement(Names::Index));
    }
    QDomElement index = document.documentElement();

    // A headset in its boot loader reports its other product id; the same releases must be found
    // under it, or a headset whose update was interrupted could not be recovered.
    QList<std::uint16_t> productIds{request.productId};
    if (entry.hasSibling && entry.siblingProductId != request.productId)
        productIds.append(entry.siblingProductId);
    for (const std::uint16_t productId : productIds) {
        QDomElement device = ChildWhere(
            document, index, Names::Device, Names::Id, [&](const QString& v) { return SameNumber(v, productId); },
            HexId(productId));
        device.setAttribute(Names::ProductName, entry.productName);
        QDomElement hardware = ChildWhere(
            document, device, Names::Hardware, Names::Revision,
            [&](const QString& v) { return v == entry.hardwareRevision; }, entry.hardwareRevision);
        QDomElement release = ChildWhere(
            document, hardware, Names::Release, Names::Revision,
            [&](const QString& v) { return v == entry.releaseVersion; }, entry.releaseVersion);
        if (!entry.httpHost.isEmpty())
            release.setAttribute(Names::HttpHost, entry.httpHost);
        if (!entry.urlPath.isEmpty())
            release.setAttribute(Names::UrlPath, entry.urlPath);
        QDomElement imageElement = ChildWhere(
            document, release, Names::Image, Names::SubId,
            [&](const QString& v) { return SameNumber(v, request.subId); }, QString::number(request.subId));
        imageElement.setAttribute(Names::FileName, QFileInfo(request.outputPath).fileName());
        imageElement.setAttribute(Names::Length, QString::number(image.size()));
        imageElement.setAttribute(Names::Crc,
                                  QStringLiteral("0x%1").arg(OrvoCommon::Crc32::Of(image), 8, 16, QLatin1Char('0')));
        imageElement.setAttribute(Names::Revision, request.imageVersion);
        imageElement.setAttribute(Names::Sha256, QString::fromLatin1(OrvoCommon::Sha256::Of(image).toHex()));
    }

    return WriteFile(entry.indexPath, document.toByteArray(4), error);
}

bool FirmwarePacker::GenerateKeyPair(const QString& privateKeyPath, const QString& publicKeyPath, QString* error)
{
    const OrvoCommon::Ed25519Key key = OrvoCommon::Ed25519Key::Generate();
    const QByteArray privatePem = key.PrivatePem();
    const QByteArray publicPem = key.PublicPem();
    if (privatePem.isEmpty() || publicPem.isEmpty()) {
        *error = QStringLiteral("cannot generate an Ed25519 key");
        return false;
    }
    return WriteFile(privateKeyPath, privatePem, error, QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
           WriteFile(publicKeyPath, publicPem, error);
}

bool FirmwarePacker::SignIndex(const QString& indexPath, const QString& privateKeyPath, QString* error)
{
    QFile keyFile(privateKeyPath);
    if (!keyFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read key %1: %2").arg(privateKeyPath, keyFile.errorString());
        return false;
    }
    QString keyError;
    const OrvoCommon::Ed25519Key key = OrvoCommon::Ed25519Key::FromPem(keyFile.readAll(), true, &keyError);
    if (key.IsNull()) {
        *error = QStringLiteral("%1 holds no Ed25519 private key: %2").arg(privateKeyPath, keyError);
        return false;
    }
    QFile indexFile(indexPath);
    QDomDocument document;
    QString parseError;
    if (!indexFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read index file %1: %2").arg(indexPath, indexFile.errorString());
        return false;
    }
    const QByteArray content = indexFile.readAll();
    if (!document.setContent(content, &parseError)) {
        *error = QStringLiteral("cannot read index file %1: %2").arg(indexPath, parseError);
        return false;
    }
    const QDomNodeList images = document.elementsByTagName(Names::Image);
    for (int i = 0; i < images.size(); ++i) {
        const QDomElement image = images.at(i).toElement();
        if (!image.hasAttribute(Names::Sha256)) {
            *error = QStringLiteral("the IMAGE %1 in %2 gives no SHA256; a signed index file needs one for every image")
                         .arg(image.attribute(Names::FileName), indexPath);
            return false;
        }
    }
    const QByteArray signature = key.Sign(content);
    if (signature.isEmpty()) {
        *error = QStringLiteral("cannot sign %1").arg(indexPath);
        return false;
    }
    return WriteFile(indexPath + QStringLiteral(".sig"), signature, error);
}

QByteArray FirmwarePacker::PatternPayload(int size, std::uint16_t subId, const QString& version)
{
    // A small linear congruential generator seeded from what the image is.
    std::uint32_t state = OrvoCommon::Crc32::Of(version.toLatin1()) ^ (static_cast<std::uint32_t>(subId) << 16);
    QByteArray payload(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        payload[i] = static_cast<char>(state >> 24);
    }
    return payload;
}
