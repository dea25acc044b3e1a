#include "sysinfo/linux/HwdataIds.h"

#include <QList>

namespace OrvoCommon {

namespace {

// A field of exactly `digits` hexadecimal digits followed by white space, and the name after it.
bool ParseEntry(const QByteArray& line, int digits, std::uint32_t* id, QString* name)
{
    if (line.size() <= digits || (line.at(digits) != ' ' && line.at(digits) != '\t'))
        return false;
    bool ok = false;
    *id = line.left(digits).toUInt(&ok, 16);
    if (!ok)
        return false;
    *name = QString::fromUtf8(line.mid(digits)).trimmed();
    return !name->isEmpty();
}

} // namespace

HwdataIds::HwdataIds(const QByteArray& text)
{
    enum class Section
    {
        None,
        Vendor,
        Class
    };
    Section section = Section::None;
    std::uint32_t owner = 0; // the vendor or base class the indented lines belong to

    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        std::uint32_t id = 0;
        QString name;
        if (line.startsWith("\t\t")) {
            continue; // subsystems and programming interfaces
        } else if (line.startsWith('\t')) {
            const QByteArray entry = line.mid(1);
            if (section == Section::Vendor && ParseEntry(entry, 4, &id, &name))
                m_devices.insert(owner << 16 | id, name);
            else if (section == Section::Class && ParseEntry(entry, 2, &id, &name))
                m_subClasses.insert(static_cast<std::uint16_t>(owner << 8 | id), name);
        } else if (line.startsWith("C ") && ParseEntry(line.mid(2), 2, &id, &name)) {
            section = Section::Class;
            owner = id;
            m_baseClasses.insert(static_cast<std::uint8_t>(id), name);
        } else if (ParseEntry(line, 4, &id, &name)) {
            section = Section::Vendor;
            owner = id;
        } else {
            section = Section::None; // another list (languages, HID usages...) whose lines look alike
        }
    }
}

QString HwdataIds::DeviceName(std::uint16_t vendorId, std::uint16_t deviceId) const
{
    return m_devices.value(std::uint32_t{vendorId} << 16 | deviceId);
}

QString HwdataIds::ClassName(std::uint8_t baseClass, std::uint8_t subClass) const
{
    const QString name = m_subClasses.value(static_cast<std::uint16_t>(baseClass << 8 | subClass));
    return name.isEmpty() ? m_baseClasses.value(baseClass) : name;
}

} // namespace OrvoCommon
