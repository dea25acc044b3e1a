#pragma once

#include <QString>
#include <QStringList>

namespace OrvoCommon {

// Qt itself writes settings under the organisation "Trolltech" (file dialogs, styles). We take a
// snapshot at start-up and undo at exit whatever the run added, so the user's settings stay as
// they were. On Linux the organisation lives in the user's Qt configuration folder: the folder
// "Trolltech" (per-application files) and the organisation-wide file "Trolltech.conf".
class QtSettingsSnapshot
{
public:
    // configDirectory: the user's configuration folder; empty means the standard one
    // (XDG_CONFIG_HOME or ~/.config).
    explicit QtSettingsSnapshot(const QString& configDirectory = QString());

    void Take();
    void Restore() const;

    bool OrganisationExisted() const { return m_organisationExisted; }
    bool OrganisationDefaultsExisted() const { return m_defaultsExisted; }
    const QStringList& Groups() const { return m_groups; }

private:
    QString OrganisationFolder() const;
    QString OrganisationDefaultsFile() const;
    QStringList ListGroups() const;

    QString m_configDirectory;
    bool m_organisationExisted = false;
    bool m_defaultsExisted = false;
    QStringList m_groups;
};

} // namespace OrvoCommon
