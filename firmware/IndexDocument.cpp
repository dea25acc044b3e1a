#include "firmware/IndexDocument.h"

#include "firmware/IndexNames.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace OrvoCommon {

namespace {

// A real catalogue nests seven deep. The bound keeps the ancestor walks below cheap on hostile files.
constexpr int MaximumDepth = 64;

// An open element: its name and its place in the record list of its kind (-1 for other kinds).
struct Frame
{
    QString name;
    int record;
};

IndexDocument::ImageRecord ReadImagePlace(const QVector<Frame>& stack, const IndexDocument::Attributes& attributes)
{
    IndexDocument::ImageRecord image;
    image.attributes = attributes;
    const int size = stack.size();
    const QString expected[] = {IndexNames::Release, IndexNames::Hardware, IndexNames::Device};
    int* records[] = {&image.release, &image.hardware, &image.device};
    for (int level = 0; level < 3; ++level) {
        if (size - 1 - level < 0 || stack.at(size - 1 - level).name != expected[level]) {
            image.missingParent = expected[level];
            break;
        }
        *records[level] = stack.at(size - 1 - level).record;
    }
    return image;
}

} // namespace

IndexDocument::Attributes::Attributes(const QXmlStreamAttributes& attributes)
{
    m_items.reserve(attributes.size());
    for (const QXmlStreamAttribute& attribute : attributes)
        m_items.append({Intern(attribute.qualifiedName()), attribute.value().toString()});
}

bool IndexDocument::Attributes::hasAttribute(const QString& name) const
{
    return std::any_of(m_items.cbegin(), m_items.cend(), [&](const Item& item) { return item.first == name; });
}

QString IndexDocument::Attributes::value(const QString& name) const
{
    for (const Item& item : m_items) {
        if (item.first == name)
            return item.second;
    }
    return QString();
}

// The catalogue's own attribute names are shared rather than copied: a large file has tens of
// thousands of them.
QString IndexDocument::Attributes::Intern(const QStringRef& name)
{
    static const QString known[] = {IndexNames::Id,       IndexNames::ProductName, IndexNames::Variant,
                                    IndexNames::Revision, IndexNames::SubId,       IndexNames::FileName,
                                    IndexNames::Length,   IndexNames::Crc,         IndexNames::Compression,
                                    IndexNames::Flags,    IndexNames::HttpHost,    IndexNames::UrlPath,
                                    IndexNames::NoForce,  IndexNames::Match,       IndexNames::PostUpgradeUrlPath,
                                    IndexNames::Sha256};
    for (const QString& candidate : known) {
        if (name == candidate)
            return candidate;
    }
    return name.toString();
}

QString IndexDocument::Read(const QByteArray& content)
{
    QVector<Frame> stack;
    QXmlStreamReader reader(content);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            stack.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (stack.size() >= MaximumDepth)
            return QStringLiteral("elements are nested more than %1 deep").arg(MaximumDepth);
        const QString name = reader.qualifiedName().toString();
        if (stack.isEmpty())
            rootName = name;
        int record = -1;
        if (name == IndexNames::Device) {
            record = devices.size();
            devices.append(Attributes(reader.attributes()));
        } else if (name == IndexNames::Hardware) {
            record = hardware.size();
            hardware.append(HardwareRecord{Attributes(reader.attributes()), {}});
        } else if (name == IndexNames::Release) {
            record = releases.size();
            releases.append(Attributes(reader.attributes()));
        } else if (name == IndexNames::PatternMatch) {
            record = patternMatches.size();
            patternMatches.append(QVector<Attributes>());
            for (const Frame& frame : qAsConst(stack)) {
                if (frame.name == IndexNames::Hardware)
                    hardware[frame.record].patternMatches.append(record);
            }
        } else if (name == IndexNames::Regex) {
            for (const Frame& frame : qAsConst(stack)) {
                if (frame.name == IndexNames::PatternMatch)
                    patternMatches[frame.record].append(Attributes(reader.attributes()));
            }
        } else if (name == IndexNames::Image) {
            images.append(ReadImagePlace(stack, Attributes(reader.attributes())));
        }
        stack.append({name, record});
    }
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace OrvoCommon
