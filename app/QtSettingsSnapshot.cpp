#include "app/QtSettingsSnapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace OrvoCommon {

namespace {

void CollectGroups(QSettings& settings, const QString& prefix, QStringList* groups)
{
    const QStringList children = settings.childGroups();
    for (const QString& child : children) {
        const QString path = prefix.isEmpty() ? child : prefix + QLatin1Char('/') + child;
        groups->append(path);
        settings.beginGroup(child);
        CollectGroups(settings, path, groups);
        settings.endGroup();
    }
}

} // namespace

QtSettingsSnapshot::QtSettingsSnapshot(const QString& configDirectory) : m_configDirectory(configDirectory)
{
    if (m_configDirectory.isEmpty())
        m_configDirectory = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsSnapshot::OrganisationFolder() const
{
    return m_configDirectory + QStringLiteral("/Trolltech");
}

QString QtSettingsSnapshot::OrganisationDefaultsFile() const
{
    return m_configDirectory + QStringLiteral("/Trolltech.conf");
}

QStringList QtSettingsSnapshot::ListGroups() const
{
    QSettings settings(OrganisationDefaultsFile(), QSettings::IniFormat);
    QStringList groups;
    CollectGroups(settings, QString(), &groups);
    return groups;
}

void QtSettingsSnapshot::Take()
{
    m_defaultsExisted = QFileInfo::exists(OrganisationDefaultsFile());
    m_organisationExisted = m_defaultsExisted || QFileInfo(OrganisationFolder()).isDir();
    m_groups.clear();
    if (m_defaultsExisted)
        m_groups = ListGroups();
}

void QtSettingsSnapshot::Restore() const
{
    if (!m_organisationExisted) {
        QDir(OrganisationFolder()).removeRecursively();
        QFile::remove(OrganisationDefaultsFile());
    } else if (m_defaultsExisted) {
        QStringList added = ListGroups();
        added.erase(std::remove_if(added.begin(), added.end(),
                                   [this](const QString& group) { return m_groups.contains(group); }),
                    added.end());
        if (added.isEmpty())
            return;
        QSettings settings(OrganisationDefaultsFile(), QSettings::IniFormat);
        for (const QString& group : added)
            settings.remove(group);
        settings.sync();
    } else {
        QFile::remove(OrganisationDefaultsFile());
    }
}

} // namespace OrvoCommon
