#include "sim/HeadsetProfile.h"

#include "sim/SimImageFormat.h"

#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>

#include <limits>

namespace Sim {

namespace {

// A string descriptor's length is one byte: two for the header, two per UTF-16 code unit.
constexpr int MaxStringDescriptorCharacters = 126;

// Collects the first problem found while walking the document.
class ProfileReader
{
public:
    explicit ProfileReader(const QString& fileName) : m_fileName(fileName) {}

    bool Failed() const { return !m_problem.isEmpty(); }
    QString Error() const { return QStringLiteral("Simulated headset profile %1: %2").arg(m_fileName, m_problem); }

    void Fail(const QDomNode& where, const QString& problem)
    {
        if (m_problem.isEmpty())
            m_problem = QStringLiteral("line %1: %2").arg(where.lineNumber()).arg(problem);
    }

    template <typename T>
    T Number(const QDomElement& element, const QString& text, const QString& what, T fallback)
    {
        // Decimal or 0x-hexadecimal; a leading zero does not mean octal here.
        const QString trimmed = text.trimmed();
        const bool hex = trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
        bool ok = false;
        const qlonglong value = hex ? trimmed.mid(2).toLongLong(&ok, 16) : trimmed.toLongLong(&ok, 10);
        if (!ok || value < static_cast<qlonglong>(std::numeric_limits<T>::min()) ||
            value > static_cast<qlonglong>(std::numeric_limits<T>::max())) {
            Fail(element, QStringLiteral("%1 \"%2\" is not a valid number").arg(what, text));
            return fallback;
        }
        return static_cast<T>(value);
    }

    template <typename T>
    void Attribute(const QDomElement& element, const QString& name, T* value)
    {
        if (element.hasAttribute(name))
            *value = Number<T>(element, element.attribute(name), name, *value);
    }

    bool Bool(const QDomElement& element, const QString& text, const QString& what)
    {
        const QString value = text.trimmed().toLower();
        if (value == QLatin1String("true") || value == QLatin1String("1"))
            return true;
        if (value != QLatin1String("false") && value != QLatin1String("0"))
            Fail(element, QStringLiteral("%1 \"%2\" is not true or false").arg(what, text));
        return false;
    }

    void BoolAttribute(const QDomElement& element, const QString& name, bool* value)
    {
        if (element.hasAttribute(name))
            *value = Bool(element, element.attribute(name), name);
    }

    QByteArray Hex(const QDomElement& element)
    {
        const QString digits = element.text().remove(QRegularExpression(QStringLiteral("\\s")));
        if (digits.size() % 2 != 0 || !QRegularExpression(QStringLiteral("^[0-9a-fA-F]*$")).match(digits).hasMatch()) {
            Fail(element, QStringLiteral("%1 is not a list of hexadecimal bytes").arg(element.tagName()));
            return QByteArray();
        }
        return QByteArray::fromHex(digits.toLatin1());
    }

    void ReadKey(const QDomElement& key, HeadsetProfile* profile)
    {
        if (!key.hasAttribute(QStringLiteral("id"))) {
            Fail(key, QStringLiteral("Key without id"));
            return;
        }
        const auto id = Number<std::uint16_t>(key, key.attribute(QStringLiteral("id")), QStringLiteral("id"), 0);
        const QString type = key.attribute(QStringLiteral("type"), QStringLiteral("words"));
        const QString text = key.text();
        QVector<std::uint16_t> words;
        if (type == QLatin1String("words")) {
            const QStringList items = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            for (const QString& item : items)
                words.append(Number<std::uint16_t>(key, item, QStringLiteral("word"), 0));
        } else if (type == QLatin1String("text")) {
            // Two 8-bit characters per word, first character in the low byte.
            QByteArray bytes = text.toLatin1();
            if (bytes.size() % 2 != 0)
                bytes.append('\0');
            for (int i = 0; i < bytes.size(); i += 2)
                words.append(static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(i)) |
                                                        (static_cast<std::uint8_t>(bytes.at(i + 1)) << 8)));
        } else if (type == QLatin1String("utf16")) {
            for (const QChar c : text)
                words.append(c.unicode());
        } else if (type == QLatin1String("version")) {
            if (!EncodeVersionWords(text, &words))
                Fail(key, QStringLiteral("version \"%1\" is not of the form MM.mm.BB").arg(text));
        } else if (type == QLatin1String("address")) {
            if (!EncodeAddressWords(text, &words))
                Fail(key, QStringLiteral("address \"%1\" is not of the form 00:02:5B:00:A1:B2").arg(text));
        } else {
            Fail(key, QStringLiteral("unknown key type \"%1\"").arg(type));
        }
        profile->psStore.insert(id, words);
    }

    void ReadFaults(const QDomElement& element, SimFaults* faults)
    {
        Attribute(element, QStringLiteral("unplugAfterBlocks"), &faults->unplugAfterBlocks);
        Attribute(element, QStringLiteral("replugAfter"), &faults->replugAfterMs);
        Attribute(element, QStringLiteral("stallAfterTransfers"), &faults->stallAfterTransfers);
        Attribute(element, QStringLiteral("stallTransfers"), &faults->stallTransfers);
        BoolAttribute(element, QStringLiteral("neverReturnAfterReset"), &faults->neverReturnAfterReset);
        BoolAttribute(element, QStringLiteral("wrongModeAfterReset"), &faults->wrongModeAfterReset);
        Attribute(element, QStringLiteral("bccmdErrorStatus"), &faults->bcCmdErrorStatus);
        Attribute(element, QStringLiteral("dfuErrorAtBlock"), &faults->dfuErrorAtBlock);
        Attribute(element, QStringLiteral("dfuErrorStatus"), &faults->dfuErrorStatus);
        Attribute(element, QStringLiteral("dfuErrorTimes"), &faults->dfuErrorTimes);
        const QString bcCmd = element.attribute(QStringLiteral("bccmd"), QStringLiteral("normal"));
        if (bcCmd == QLatin1String("normal"))
            faults->bcCmd = SimFaults::BcCmd::Normal;
        else if (bcCmd == QLatin1String("silent"))
            faults->bcCmd = SimFaults::BcCmd::Silent;
        else if (bcCmd == QLatin1String("error"))
            faults->bcCmd = SimFaults::BcCmd::Error;
        else
            Fail(element, QStringLiteral("bccmd \"%1\" is not normal, silent or error").arg(bcCmd));
        for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
            if (child.tagName() != QLatin1String("ReportedVersion")) {
                Fail(child, QStringLiteral("unknown element %1").arg(child.tagName()));
                continue;
            }
            const auto subId =
                Number<std::uint16_t>(child, child.attribute(QStringLiteral("subId")), QStringLiteral("subId"), 0);
            QVector<std::uint16_t> check;
            if (!EncodeVersionWords(child.text(), &check))
                Fail(child, QStringLiteral("version \"%1\" is not of the form MM.mm.BB").arg(child.text()));
            faults->reportedVersions.insert(subId, child.text().trimmed());
        }
    }

    HeadsetProfile ReadHeadset(const QDomElement& headset)
    {
        HeadsetProfile profile;
        profile.name = headset.attribute(QStringLiteral("name"));
        for (QDomElement e = headset.firstChildElement(); !e.isNull() && !Failed(); e = e.nextSiblingElement()) {
            const QString tag = e.tagName();
            if (tag == QLatin1String("VendorId")) {
                profile.vendorId = Number<std::uint16_t>(e, e.text(), tag, 0);
            } else if (tag == QLatin1String("ProductId")) {
                profile.productId = Number<std::uint16_t>(e, e.text(), tag, 0);
            } else if (tag == QLatin1String("DfuProductId")) {
                profile.dfuProductId = Number<std::uint16_t>(e, e.text(), tag, 0);
            } else if (tag == QLatin1String("DeviceRelease")) {
                profile.deviceRelease = Number<std::uint16_t>(e, e.text(), tag, 0);
            } else if (tag == QLatin1String("PluggedIn")) {
                profile.pluggedIn = Bool(e, e.text(), tag);
            } else if (tag == QLatin1String("StartMode")) {
                const QString mode = e.text().trimmed();
                if (mode != QLatin1String("application") && mode != QLatin1String("dfu"))
                    Fail(e, QStringLiteral("StartMode \"%1\" is not application or dfu").arg(mode));
                profile.startInDfuMode = mode == QLatin1String("dfu");
            } else if (tag == QLatin1String("Firmware")) {
                // A headset an interrupted update left behind: stack and VM application both unfinished.
                bool valid = true;
                BoolAttribute(e, QStringLiteral("valid"), &valid);
                if (!valid)
                    profile.invalidFirmware = {SimImageFormat::SubIdStack, SimImageFormat::SubIdVmApplication};
            } else if (tag == QLatin1String("Reset")) {
                BoolAttribute(e, QStringLiteral("inPlace"), &profile.resetInPlace);
            } else if (tag == QLatin1String("Strings")) {
                profile.manufacturer = e.attribute(QStringLiteral("manufacturer"), profile.manufacturer);
                profile.product = e.attribute(QStringLiteral("product"), profile.product);
                profile.serialNumber = e.attribute(QStringLiteral("serial"), profile.serialNumber);
                for (const QString& text : {profile.manufacturer, profile.product, profile.serialNumber}) {
                    if (text.size() > MaxStringDescriptorCharacters)
                        Fail(e, QStringLiteral("string \"%1\" is longer than a string descriptor holds").arg(text));
                }
            } else if (tag == QLatin1String("Dfu")) {
                Attribute(e, QStringLiteral("runtimeAttributes"), &profile.runtimeAttributes);
                Attribute(e, QStringLiteral("dfuModeAttributes"), &profile.dfuModeAttributes);
                Attribute(e, QStringLiteral("detachTimeout"), &profile.detachTimeoutMs);
                Attribute(e, QStringLiteral("transferSize"), &profile.transferSize);
                Attribute(e, QStringLiteral("flashSize"), &profile.flashSize);
                BoolAttribute(e, QStringLiteral("functionalDescriptor"), &profile.functionalDescriptor);
                if (profile.transferSize == 0)
                    Fail(e, QStringLiteral("transferSize must not be 0"));
            } else if (tag == QLatin1String("ApplicationConfiguration")) {
                profile.applicationConfiguration = Hex(e);
            } else if (tag == QLatin1String("DfuConfiguration")) {
                profile.dfuConfiguration = Hex(e);
            } else if (tag == QLatin1String("StackVersion")) {
                if (!BuildIdForVersion(e.text(), &profile.buildId))
                    Fail(e, QStringLiteral("version \"%1\" is not of the form MM.mm.BB").arg(e.text()));
            } else if (tag == QLatin1String("PsStore")) {
                for (QDomElement key = e.firstChildElement(); !key.isNull(); key = key.nextSiblingElement()) {
                    if (key.tagName() == QLatin1String("Key"))
                        ReadKey(key, &profile);
                    else
                        Fail(key, QStringLiteral("unknown element %1").arg(key.tagName()));
                }
            } else if (tag == QLatin1String("Timing")) {
                Attribute(e, QStringLiteral("latency"), &profile.timing.latencyMs);
                Attribute(e, QStringLiteral("flashPerBlock"), &profile.timing.flashPerBlockMs);
                Attribute(e, QStringLiteral("manifest"), &profile.timing.manifestMs);
                Attribute(e, QStringLiteral("reenumeration"), &profile.timing.reenumerationMs);
                Attribute(e, QStringLiteral("plugDelay"), &profile.timing.plugDelayMs);
                const int values[] = {profile.timing.latencyMs, profile.timing.flashPerBlockMs,
                                      profile.timing.manifestMs, profile.timing.reenumerationMs,
                                      profile.timing.plugDelayMs};
                for (int value : values) {
                    if (value < 0)
                        Fail(e, QStringLiteral("times must not be negative"));
                }
            } else if (tag == QLatin1String("Faults")) {
                ReadFaults(e, &profile.faults);
            } else {
                Fail(e, QStringLiteral("unknown element %1").arg(tag));
            }
        }
        return profile;
    }

private:
    QString m_fileName;
    QString m_problem;
};

bool HexField(const QString& text, int* value)
{
    bool ok = false;
    *value = text.toInt(&ok, 16);
    return ok && text.size() == 2;
}

} // namespace

bool ParseHeadsetProfiles(const QByteArray& xml, const QString& fileName, QList<HeadsetProfile>* profiles,
                          QString* error)
{
    ProfileReader reader(fileName);
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(xml, &message, &line, &column)) {
        *error = QStringLiteral("Simulated headset profile %1: line %2, column %3: %4")
                     .arg(fileName)
                     .arg(line)
                     .arg(column)
                     .arg(message);
        return false;
    }
    const QDomElement root = document.documentElement();
    if (root.tagName() != QLatin1String("SimulatedHeadsets")) {
        reader.Fail(root, QStringLiteral("the root element is %1, not SimulatedHeadsets").arg(root.tagName()));
        *error = reader.Error();
        return false;
    }
    QList<HeadsetProfile> result;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() != QLatin1String("Headset")) {
            reader.Fail(e, QStringLiteral("unknown element %1").arg(e.tagName()));
            break;
        }
        result.append(reader.ReadHeadset(e));
        if (reader.Failed())
            break;
    }
    if (!reader.Failed() && result.isEmpty())
        reader.Fail(root, QStringLiteral("no Headset element"));
    if (reader.Failed()) {
        *error = reader.Error();
        return false;
    }
    *profiles = result;
    return true;
}

bool LoadHeadsetProfiles(const QString& path, QList<HeadsetProfile>* profiles, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Simulated headset profile %1: %2").arg(path, file.errorString());
        return false;
    }
    return ParseHeadsetProfiles(file.readAll(), path, profiles, error);
}

bool EncodeVersionWords(const QString& version, QVector<std::uint16_t>* words)
{
    const QString text = version.trimmed();
    if (text.size() != 8 || text.at(2) != QLatin1Char('.') || text.at(5) != QLatin1Char('.'))
        return false;
    int major = 0;
    int minor = 0;
    if (!HexField(text.mid(0, 2), &major) || !HexField(text.mid(3, 2), &minor))
        return false;
    const ushort build1 = text.at(6).unicode();
    const ushort build2 = text.at(7).unicode();
    if (build1 > 0xFF || build2 > 0xFF)
        return false;
    *words = {static_cast<std::uint16_t>((major << 8) | minor), static_cast<std::uint16_t>((build1 << 8) | build2)};
    return true;
}

bool BuildIdForVersion(const QString& version, std::uint16_t* buildId)
{
    QVector<std::uint16_t> words;
    if (!EncodeVersionWords(version, &words))
        return false;
    *buildId = words.at(0);
    return true;
}

bool EncodeAddressWords(const QString& address, QVector<std::uint16_t>* words)
{
    const QStringList parts = address.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 6)
        return false;
    int p[6] = {};
    for (int i = 0; i < 6; ++i) {
        if (!HexField(parts.at(i), &p[i]))
            return false;
    }
    // Text order is NAP (2 bytes), UAP, LAP (3 bytes).
    *words = {static_cast<std::uint16_t>(p[3]), static_cast<std::uint16_t>((p[4] << 8) | p[5]),
              static_cast<std::uint16_t>(p[2]), static_cast<std::uint16_t>((p[0] << 8) | p[1])};
    return true;
}

} // namespace Sim
