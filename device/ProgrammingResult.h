#pragma once

#include <QList>
#include <QMutex>
#include <QString>

namespace OrvoCommon {

// What a programming run reports: its first error code and the device's version list (release version,
// then one entry per sub ID). The programming thread, the slots on the owner's thread and the fail-safe
// all write or read it, so both sit under one mutex; nothing here logs or emits.
class ProgrammingResult
{
public:
    explicit ProgrammingResult(const QList<QString>& versions);

    // Keeps the first code of the run; true when this one was the first.
    bool RecordError(const QString& code);
    QString Error() const;

    QList<QString> Versions() const;
    void SetVersions(const QList<QString>& versions);
    // The release version as now written to the device.
    void SetReleaseVersion(const QString& text);

private:
    mutable QMutex m_mutex;
    QString m_error;
    QList<QString> m_versions;
};

} // namespace OrvoCommon
