#include "firmware/IndexFile.h"

#include "app/ArgumentMap.h"
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "firmware/Crc32.h"
#include "firmware/IndexNumber.h"
#include "firmware/LoggedException.h"
#include "firmware/VersionNumbers.h"

#include <QDomDocument>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

namespace OrvoCommon {

namespace {

const QString Index = QStringLiteral("INDEX");
const QString Device = QStringLiteral("DEVICE");
const QString Hardware = QStringLiteral("HARDWARE");
const QString Release = QStringLiteral("RELEASE");
const QString Image = QStringLiteral("IMAGE");
const QString PatternMatch = QStringLiteral("PATTERNMATCH");
const QString Regex = QStringLiteral("REGEX");

constexpr std::uint32_t MaxProductId = 0xFFFF;
constexpr std::uint32_t MaxSubId = 0xFF;
constexpr std::uint32_t MaxVariant = 0xFFFF;
constexpr std::uint32_t Max32 = 0xFFFFFFFF;
constexpr std::uint32_t CompressionNone = 0;
constexpr std::uint32_t CompressionType16 = 16;
// A real catalogue nests seven deep; the DOM parser recurses per level and would exhaust the stack
// on a hostile file long before the size limit.
constexpr int MaximumDepth = 64;

// Elements of one tag below root, in document order. Iterative, so deep documents cannot exhaust
// the stack.
QList<QDomElement> DescendantsNamed(const QDomNode& root, const QString& tag)
{
    QList<QDomElement> found;
    QDomNode node = root.firstChild();
    while (!node.isNull() && node != root) {
        if (node.isElement() && node.toElement().tagName() == tag)
            found.append(node.toElement());
        if (node.hasChildNodes()) {
            node = node.firstChild();
            continue;
        }
        while (!node.isNull() && node != root && node.nextSibling().isNull())
            node = node.parentNode();
        if (node.isNull() || node == root)
            break;
        node = node.nextSibling();
    }
    return found;
}

// The stream reader does not recurse, so it vets the document before the DOM parser sees it. Empty
// when the document is well formed and shallow enough.
QString CheckWellFormed(const QByteArray& content)
{
    QXmlStreamReader reader(content);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > MaximumDepth)
            return QStringLiteral("elements are nested more than %1 deep").arg(MaximumDepth);
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    if (reader.hasError())
        return reader.errorString();
    return QString();
}

// A file name is joined to folder paths and later used as a download target, so it must name a
// file inside the folder and nothing else.
bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

// Everything that is only needed while the document is read.
class Loader
{
public:
    explicit Loader(ILogger* logger) : m_logger(logger) {}

    [[noreturn]] void Fail(const QString& message) const
    {
        ThrowLoggedException(m_logger, ErrorCodes::IndexCorrupted, message);
    }

    QString ReadText(const QDomElement& element, const QString& name) const
    {
        if (!element.hasAttribute(name))
            Fail(QStringLiteral("The node ") + name + QStringLiteral(" could not be read from the index file"));
        return element.attribute(name);
    }

    std::uint32_t ReadNumber(const QDomElement& element, const QString& name, std::uint32_t maximum) const
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

    std::uint32_t ReadOptionalNumber(const QDomElement& element, const QString& name, std::uint32_t maximum,
                                     std::uint32_t absent) const
    {
        return element.hasAttribute(name) ? ReadNumber(element, name, maximum) : absent;
    }

    QString ReadVersion(const QDomElement& element, const QString& name) const
    {
        const QString text = ReadText(element, name);
        if (!IsValidVersion(text))
            Fail(QStringLiteral("The version ") + text + QStringLiteral(" in the index file is invalid"));
        return text;
    }

    QDomElement RequireParent(const QDomElement& element, const QString& tag) const
    {
        const QDomElement parent = element.parentNode().toElement();
        if (parent.isNull() || parent.tagName() != tag)
            Fail(QStringLiteral("The node does not have a parent %1 node").arg(tag));
        return parent;
    }

    FirmwareImageDescriptor::Fields ReadImage(const QDomElement& image)
    {
        const QDomElement release = RequireParent(image, Release);
        const QDomElement hardware = RequireParent(release, Hardware);
        const QDomElement device = RequireParent(hardware, Device);

        FirmwareImageDescriptor::Fields fields;
        fields.deviceId = static_cast<std::uint16_t>(ReadNumber(device, QStringLiteral("ID"), MaxProductId));
        fields.subId = static_cast<std::uint16_t>(ReadNumber(image, QStringLiteral("SUBID"), MaxSubId));
        fields.fileName = ReadText(image, QStringLiteral("FILENAME"));
        if (!IsPlainFileName(fields.fileName))
            Fail(QStringLiteral("The index file node FILENAME value (") + fields.fileName +
                 QStringLiteral(") is not a plain file name"));
        fields.crc = ReadNumber(image, QStringLiteral("CRC"), Max32);
        fields.releaseRevision = ReadVersion(release, QStringLiteral("REVISION"));
        fields.imageRevision = ReadVersion(image, QStringLiteral("REVISION"));
        fields.productName = ReadText(device, QStringLiteral("PRODUCTNAME"));
        fields.hardwareRevision = ReadVersion(hardware, QStringLiteral("REVISION"));
        fields.length = ReadNumber(image, QStringLiteral("LENGTH"), Max32);

        const std::uint32_t compression =
            ReadOptionalNumber(image, QStringLiteral("COMPRESSION"), Max32, CompressionNone);
        if (compression != CompressionNone && compression != CompressionType16)
            Fail(QStringLiteral("The index file contains an invalid compression type: ") +
                 QString::number(compression));
        fields.compression = compression == CompressionType16 ? 1 : 0;
        fields.flags = ReadOptionalNumber(image, QStringLiteral("FLAGS"), Max32, 0);

        const QString host = QStringLiteral("HTTPHOST");
        fields.httpHost = image.hasAttribute(host) ? image.attribute(host) : release.attribute(host);
        const QString path = QStringLiteral("URLPATH");
        fields.urlPath = image.hasAttribute(path) ? image.attribute(path) : release.attribute(path);
        if (!fields.urlPath.isEmpty())
            fields.urlPath = NormaliseUrlPath(fields.urlPath);

        fields.forced = ReadOptionalNumber(image, QStringLiteral("NOFORCE"), Max32, 0) != 1;
        fields.variant =
            static_cast<std::int16_t>(ReadOptionalNumber(device, QStringLiteral("VARIANT"), MaxVariant, MaxVariant));
        fields.matchPattern = FindMatchPattern(hardware, fields.subId);
        fields.postUpgradeUrlPath = release.attribute(QStringLiteral("POSTUPGRADEURLPATH"));
        return fields;
    }

    void ReadProduct(const QDomElement& device, QMap<std::uint16_t, QString>* productNames) const
    {
        const QString idName = QStringLiteral("ID");
        const QString idText = ReadText(device, idName);
        std::uint32_t id = 0;
        switch (ParseIndexNumber(idText, MaxProductId, &id)) {
        case IndexNumberResult::Ok:
            break;
        case IndexNumberResult::NotNumeric:
            Fail(QStringLiteral("The index file node %1 (%2) is not numeric").arg(idName, idText));
        case IndexNumberResult::OutOfRange:
            Fail(QStringLiteral("The index file node ") + idName + QStringLiteral(" value (") + idText +
                 QStringLiteral(") is out of range"));
        }
        productNames->insert(static_cast<std::uint16_t>(id), ReadText(device, QStringLiteral("PRODUCTNAME")));
    }

private:
    // The images of one HARDWARE come one after the other, so its PATTERNMATCH is looked up once.
    QString FindMatchPattern(const QDomElement& hardware, std::uint16_t subId)
    {
        if (hardware != m_patternHardware) {
            m_patternHardware = hardware;
            const QList<QDomElement> patternMatches = DescendantsNamed(hardware, PatternMatch);
            m_regexes =
                patternMatches.size() == 1 ? DescendantsNamed(patternMatches.first(), Regex) : QList<QDomElement>();
        }
        for (const QDomElement& regex : qAsConst(m_regexes)) {
            if (ReadNumber(regex, QStringLiteral("SUBID"), MaxSubId) == subId)
                return ReadText(regex, QStringLiteral("MATCH"));
        }
        return QString();
    }

    ILogger* m_logger;
    QDomElement m_patternHardware;
    QList<QDomElement> m_regexes;
};

} // namespace

std::unique_ptr<IIndexFile> IndexFile::Create(const QString& path)
{
    ILogger* logger = GetLogger();
    if (!logger)
        throw OrvoException(QLatin1String(ErrorCodes::InternalError), QStringLiteral("Unable to get ILogger"));
    std::unique_ptr<IndexFile> indexFile(new IndexFile(logger));
    indexFile->Load(path);
    return indexFile;
}

void IndexFile::Load(const QString& path)
{
    Loader loader(m_logger);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        loader.Fail(QStringLiteral("Unable to open index file: ") + path);
    const QByteArray content = file.read(MaximumFileSize + 1);
    if (content.size() > MaximumFileSize)
        loader.Fail(QStringLiteral("Error parsing index file: the file is larger than %1 bytes").arg(MaximumFileSize));
    m_crc = Crc32::Of(content);
    file.close();

    QString parseError = CheckWellFormed(content);
    if (!parseError.isEmpty())
        loader.Fail(QStringLiteral("Error parsing index file: ") + parseError);
    QDomDocument document;
    if (!document.setContent(content, &parseError))
        loader.Fail(QStringLiteral("Error parsing index file: ") + parseError);
    const QDomElement root = document.documentElement();
    if (root.tagName() != Index)
        loader.Fail(QStringLiteral("The index file does not contain a top-level INDEX node."));

    // Every IMAGE in document order: valid images sit in their RELEASE, so this is release order,
    // and a misplaced IMAGE is reported instead of silently skipped.
    const QList<QDomElement> images = DescendantsNamed(document, Image);
    m_descriptors.reserve(static_cast<std::size_t>(images.size()));
    for (const QDomElement& image : images)
        m_descriptors.push_back(std::make_unique<FirmwareImageDescriptor>(loader.ReadImage(image), m_logger));

    const QList<QDomElement> devices = DescendantsNamed(document, Device);
    for (const QDomElement& device : devices)
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
    for (const auto& descriptor : m_descriptors) {
        const FirmwareImageDescriptor::Fields& fields = descriptor->GetFields();
        if (match(fields, identity) && !versions.contains(fields.releaseRevision))
            versions.append(fields.releaseRevision);
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
