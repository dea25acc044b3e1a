#include "firmware/IndexFile.h"

#include "app/ArgumentMap.h"
#include "app/ControlCharacters.h"
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/ProgramFiles.h"
#include "firmware/Crc32.h"
#include "firmware/Ed25519Key.h"
#include "firmware/IndexDocument.h"
#include "firmware/IndexNames.h"
#include "firmware/IndexNumber.h"
#include "firmware/LoggedException.h"
#include "firmware/Sha256.h"
#include "firmware/TrustedKeys.h"
#include "firmware/VersionNumbers.h"
#include "web/HttpHost.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace OrvoCommon {

namespace {

constexpr std::uint32_t MaxProductId = 0xFFFF;
constexpr std::uint32_t MaxSubId = 0xFF;
constexpr std::uint32_t MaxVariant = 0xFFFF;
constexpr std::uint32_t Max32 = 0xFFFFFFFF;
constexpr std::uint32_t CompressionNone = 0;
constexpr std::uint32_t CompressionType16 = 16;

using Attributes = IndexDocument::Attributes;

// A file name is joined to folder paths, used as a download target and written to the line-based
// temporary-file list, so it must name a file inside the folder and nothing else.
bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !ContainsControlCharacters(name);
}

bool IsSha256Text(const QString& text)
{
    return text.size() == 2 * Sha256::Size && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
               return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                      (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                      (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
           });
}

// Turns the gathered elements into descriptors and the product table, with the index file's messages.
class Loader
{
public:
    // A signed index file vouches for its images only through their digests, so it must give them.
    Loader(ILogger* logger, const IndexDocument& document, bool requireDigests)
        : m_logger(logger), m_document(document), m_requireDigests(requireDigests)
    {
    }

    // Messages quote the file's values, which must not break the log line.
    [[noreturn]] void Fail(const QString& message) const
    {
        ThrowLoggedException(m_logger, ErrorCodes::IndexCorrupted, EscapeControlCharacters(message));
    }

    QString ReadText(const Attributes& element, const QString& name) const
    {
        if (!element.hasAttribute(name))
            Fail(QStringLiteral("The node ") + name + QStringLiteral(" could not be read from the index file"));
        return element.value(name);
    }

    std::uint32_t ReadNumber(const Attributes& element, const QString& name, std::uint32_t maximum) const
    {
        const QString text = ReadText(element, name);
        std::uint32_t value = 0;
        switch (ParseIndexNumber(text, maximum, &value)) {
        case IndexNumberResult::Ok:
            return value;
        case IndexNumberResult::NotNumeric:
            Fail(QStringLiteral("The index file node ") + name + QStringLiteral(" value (") + text +
                 QStringLiteral(") is not numeric"));
        case IndexNumberResult::OutOfRange:
            break;
        }
        Fail(QStringLiteral("The index file node ") + name + QStringLiteral(" value (") + text +
             QStringLiteral(") is out of range"));
    }

    std::uint32_t ReadOptionalNumber(const Attributes& element, const QString& name, std::uint32_t maximum,
                                     std::uint32_t absent) const
    {
        return element.hasAttribute(name) ? ReadNumber(element, name, maximum) : absent;
    }

    QString ReadVersion(const Attributes& element, const QString& name) const
    {
        const QString text = ReadText(element, name);
        if (!IsValidVersion(text))
            Fail(QStringLiteral("The version ") + text + QStringLiteral(" in the index file is invalid"));
        return text;
    }

    static QString ReadOptionalText(const Attributes& element, const QString& name) { return element.value(name); }

    FirmwareImageDescriptor::Fields ReadImage(const IndexDocument::ImageRecord& record) const
    {
        if (!record.missingParent.isEmpty())
            Fail(QStringLiteral("The node does not have a parent %1 node").arg(record.missingParent));
        const Attributes& image = record.attributes;
        const Attributes& release = m_document.releases.at(record.release);
        const IndexDocument::HardwareRecord& hardware = m_document.hardware.at(record.hardware);
        const Attributes& device = m_document.devices.at(record.device);

        FirmwareImageDescriptor::Fields fields;
        fields.deviceId = static_cast<std::uint16_t>(ReadNumber(device, IndexNames::Id, MaxProductId));
        fields.subId = static_cast<std::uint16_t>(ReadNumber(image, IndexNames::SubId, MaxSubId));
        fields.fileName = ReadText(image, IndexNames::FileName);
        if (!IsPlainFileName(fields.fileName))
            Fail(QStringLiteral("The index file node FILENAME value (") + fields.fileName +
                 QStringLiteral(") is not a plain file name"));
        // Downloads land in the program's folder; none may replace what the program reads there.
        if (IsProgramFileName(fields.fileName))
            Fail(QStringLiteral("The index file node FILENAME value (") + fields.fileName +
                 QStringLiteral(") names a file of the program"));
        fields.crc = ReadNumber(image, IndexNames::Crc, Max32);
        fields.releaseRevision = ReadVersion(release, IndexNames::Revision);
        fields.imageRevision = ReadVersion(image, IndexNames::Revision);
        fields.productName = ReadText(device, IndexNames::ProductName);
        fields.hardwareRevision = ReadVersion(hardware.attributes, IndexNames::Revision);
        fields.length = ReadNumber(image, IndexNames::Length, IndexFile::MaximumImageLength);

        const std::uint32_t compression = ReadOptionalNumber(image, IndexNames::Compression, Max32, CompressionNone);
        if (compression != CompressionNone && compression != CompressionType16)
            Fail(QStringLiteral("The index file contains an invalid compression type: ") +
                 QString::number(compression));
        fields.compression = compression == CompressionType16 ? 1 : 0;
        fields.flags = ReadOptionalNumber(image, IndexNames::Flags, Max32, 0);

        fields.httpHost =
            ReadOptionalText(image.hasAttribute(IndexNames::HttpHost) ? image : release, IndexNames::HttpHost);
        CheckHost(fields.httpHost);
        fields.urlPath =
            ReadOptionalText(image.hasAttribute(IndexNames::UrlPath) ? image : release, IndexNames::UrlPath);
        if (!fields.urlPath.isEmpty())
            fields.urlPath = NormaliseUrlPath(fields.urlPath);

        fields.forced = ReadOptionalNumber(image, IndexNames::NoForce, Max32, 0) != 1;
        fields.variant =
            static_cast<std::int16_t>(ReadOptionalNumber(device, IndexNames::Variant, MaxVariant, MaxVariant));
        fields.matchPattern = FindMatchPattern(hardware, fields.subId);
        fields.postUpgradeUrlPath = ReadOptionalText(release, IndexNames::PostUpgradeUrlPath);

        if (image.hasAttribute(IndexNames::Sha256)) {
            const QString text = image.value(IndexNames::Sha256);
            if (!IsSha256Text(text))
                Fail(QStringLiteral("The index file node SHA256 value (") + text +
                     QStringLiteral(") is not 64 hexadecimal digits"));
            fields.sha256 = QByteArray::fromHex(text.toLatin1());
        } else if (m_requireDigests) {
            Fail(QStringLiteral("The image ") + fields.fileName +
                 QStringLiteral(" has no SHA256 in the signed index file"));
        }
        return fields;
    }

    void ReadProduct(const Attributes& device, QMap<std::uint16_t, QString>* productNames) const
    {
        const QString idText = ReadText(device, IndexNames::Id);
        std::uint32_t id = 0;
        switch (ParseIndexNumber(idText, MaxProductId, &id)) {
        case IndexNumberResult::Ok:
            break;
        case IndexNumberResult::NotNumeric:
            Fail(QStringLiteral("The index file node %1 (%2) is not numeric").arg(IndexNames::Id, idText));
        case IndexNumberResult::OutOfRange:
            Fail(QStringLiteral("The index file node ") + IndexNames::Id + QStringLiteral(" value (") + idText +
                 QStringLiteral(") is out of range"));
        }
        productNames->insert(static_cast<std::uint16_t>(id), ReadText(device, IndexNames::ProductName));
    }

private:
    // An empty host is reported when an image is to be downloaded; a malformed one at once. Every
    // image of a release shares its host, so each text is parsed once.
    void CheckHost(const QString& host) const
    {
        if (host.isEmpty() || m_validHosts.contains(host))
            return;
        if (!ParseHttpHost(host))
            Fail(QStringLiteral("The index file node HTTPHOST value (") + host +
                 QStringLiteral(") is not of the form name[:port]"));
        m_validHosts.insert(host);
    }

    // Honoured only when the HARDWARE holds exactly one PATTERNMATCH.
    QString FindMatchPattern(const IndexDocument::HardwareRecord& hardware, std::uint16_t subId) const
    {
        if (hardware.patternMatches.size() != 1)
            return QString();
        for (const Attributes& regex : m_document.patternMatches.at(hardware.patternMatches.first())) {
            if (ReadNumber(regex, IndexNames::SubId, MaxSubId) == subId)
                return ReadText(regex, IndexNames::Match);
        }
        return QString();
    }

    ILogger* m_logger;
    const IndexDocument& m_document;
    const bool m_requireDigests;
    mutable QSet<QString> m_validHosts;
};

// Checked before the parser sees a byte of the file, so that only the maker's own files are parsed.
void CheckSignature(ILogger* logger, const Loader& loader, const QString& path, const QByteArray& content,
                    const QString& signaturePath, const TrustedKeys& keys)
{
    QFile file(signaturePath);
    if (!file.open(QIODevice::ReadOnly))
        loader.Fail(QStringLiteral("Unable to open index file signature: ") + signaturePath);
    const QString name = QFileInfo(path).fileName();
    const QString signatureName = QFileInfo(signaturePath).fileName();
    const QByteArray signature = file.read(Ed25519Key::SignatureSize + 1);
    if (signature.size() != Ed25519Key::SignatureSize || file.size() != Ed25519Key::SignatureSize) {
        loader.Fail(QStringLiteral("The index file signature %1 is %2 bytes long instead of %3")
                        .arg(signatureName, QString::number(file.size()), QString::number(Ed25519Key::SignatureSize)));
    }
    const QString signer = keys.FindSigner(content, signature);
    if (signer.isEmpty()) {
        loader.Fail(QStringLiteral("The index file %1 does not match its signature %2 under any trusted key")
                        .arg(name, signatureName));
    }
    logger->LogInformation(QStringLiteral("Index file %1 verified with trusted key %2").arg(name, signer));
}

} // namespace

std::unique_ptr<IIndexFile> IndexFile::Create(const QString& path)
{
    return Make(path, QString(), nullptr);
}

std::unique_ptr<IIndexFile> IndexFile::Create(const QString& path, const QString& signaturePath,
                                              const TrustedKeys& keys)
{
    return Make(path, signaturePath, &keys);
}

std::unique_ptr<IIndexFile> IndexFile::Make(const QString& path, const QString& signaturePath, const TrustedKeys* keys)
{
    std::unique_ptr<IndexFile> indexFile(new IndexFile(RequireLogger()));
    indexFile->Load(path, signaturePath, keys);
    return indexFile;
}

void IndexFile::Load(const QString& path, const QString& signaturePath, const TrustedKeys* keys)
{
    IndexDocument document;
    const Loader loader(m_logger, document, keys != nullptr);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        loader.Fail(QStringLiteral("Unable to open index file: ") + path);
    // The size is checked before reading: read(max) would reserve the whole maximum every time.
    QByteArray content;
    if (file.size() <= MaximumFileSize)
        content = file.readAll();
    if (file.size() > MaximumFileSize || content.size() > MaximumFileSize)
        loader.Fail(QStringLiteral("Error parsing index file: the file is larger than %1 bytes").arg(MaximumFileSize));
    m_crc = Crc32::Of(content);
    file.close();
    if (keys)
        CheckSignature(m_logger, loader, path, content, signaturePath, *keys);

    const QString parseError = document.Read(content);
    if (!parseError.isEmpty())
        loader.Fail(QStringLiteral("Error parsing index file: ") + parseError);
    if (document.rootName != IndexNames::Index)
        loader.Fail(QStringLiteral("The index file does not contain a top-level INDEX node."));

    // Every IMAGE in document order: valid images sit in their RELEASE, so this is release order,
    // and a misplaced IMAGE is reported instead of silently skipped.
    m_descriptors.reserve(static_cast<std::size_t>(document.images.size()));
    for (const IndexDocument::ImageRecord& image : qAsConst(document.images))
        m_descriptors.push_back(std::make_unique<FirmwareImageDescriptor>(loader.ReadImage(image), m_logger));
    for (const Attributes& device : qAsConst(document.devices))
        loader.ReadProduct(device, &m_productNames);
}

bool IndexFile::StrictMatch(const FirmwareImageDescriptor::Fields& fields, const ProductIdentity& identity)
{
    return fields.deviceId == identity.productId && fields.hardwareRevision == identity.hardwareRevision &&
           (!fields.hasPersonality || fields.personality == identity.personality) &&
           (identity.variant == -1 || fields.variant == identity.variant);
}

bool IndexFile::FallbackMatch(const FirmwareImageDescriptor::Fields& fields, const ProductIdentity& identity)
{
    return fields.deviceId == identity.productId && fields.hardwareRevision == identity.hardwareRevision &&
           (!fields.hasPersonality || fields.personality == identity.personality) && fields.variant == -1;
}

QStringList IndexFile::CollectVersions(const ProductIdentity& identity, Match match) const
{
    QStringList versions;
    QSet<QString> seen;
    for (const auto& descriptor : m_descriptors) {
        const FirmwareImageDescriptor::Fields& fields = descriptor->GetFields();
        if (match(fields, identity) && !seen.contains(fields.releaseRevision)) {
            seen.insert(fields.releaseRevision);
            versions.append(fields.releaseRevision);
        }
    }
    return versions;
}

QStringList IndexFile::GetVersions(const ProductIdentity& identity) const
{
    const QStringList strict = CollectVersions(identity, &StrictMatch);
    return strict.isEmpty() ? CollectVersions(identity, &FallbackMatch) : strict;
}

QString IndexFile::GetNewestVersion(const ProductIdentity& identity) const
{
    const QStringList versions = GetVersions(identity);
    QString newest;
    for (const QString& version : versions) {
        if (newest.isEmpty() || CompareVersions(version, newest) > 0)
            newest = version;
    }
    return newest;
}

int IndexFile::CompareVersions(const QString& a, const QString& b) const
{
    return OrvoCommon::CompareVersions(a, b);
}

FirmwareImageDescriptorList IndexFile::CollectDescriptors(const QString& releaseVersion,
                                                          const ProductIdentity& identity, Match match) const
{
    FirmwareImageDescriptorList result;
    QSet<std::uint16_t> subIds;
    for (const auto& descriptor : m_descriptors) {
        const FirmwareImageDescriptor::Fields& fields = descriptor->GetFields();
        if (fields.releaseRevision != releaseVersion || !match(fields, identity))
            continue;
        if (subIds.contains(fields.subId)) {
            m_logger->LogError(QStringLiteral("Index file contains more than one image for sub ID ") +
                               QString::number(fields.subId) + QStringLiteral(" in release version ") + releaseVersion);
        }
        subIds.insert(fields.subId);
        result.append(descriptor.get());
    }
    return result;
}

FirmwareImageDescriptorList IndexFile::GetImageDescriptors(const QString& releaseVersion,
                                                           const ProductIdentity& identity) const
{
    const FirmwareImageDescriptorList strict = CollectDescriptors(releaseVersion, identity, &StrictMatch);
    return strict.isEmpty() ? CollectDescriptors(releaseVersion, identity, &FallbackMatch) : strict;
}

bool IndexFile::GetSiblingProductId(std::uint16_t productId, std::uint16_t* siblingId) const
{
    // An unknown id has no product, so nothing can be its sibling.
    const auto own = m_productNames.constFind(productId);
    if (own == m_productNames.constEnd())
        return false;
    for (auto it = m_productNames.constBegin(); it != m_productNames.constEnd(); ++it) {
        if (it.key() != productId && it.value() == own.value()) {
            if (siblingId)
                *siblingId = it.key();
            return true;
        }
    }
    return false;
}

} // namespace OrvoCommon
