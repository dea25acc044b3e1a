#include "device/ProgrammingResult.h"

#include <QMutexLocker>

namespace OrvoCommon {

ProgrammingResult::ProgrammingResult(const QList<QString>& versions) : m_versions(versions) {}

bool ProgrammingResult::RecordError(const QString& code)
{
    QMutexLocker lock(&m_mutex);
    if (!m_error.isEmpty())
        return false;
    m_error = code;
    return true;
}

QString ProgrammingResult::Error() const
{
    QMutexLocker lock(&m_mutex);
    return m_error;
}

QList<QString> ProgrammingResult::Versions() const
{
    QMutexLocker lock(&m_mutex);
    return m_versions;
}

void ProgrammingResult::SetVersions(const QList<QString>& versions)
{
    QMutexLocker lock(&m_mutex);
    m_versions = versions;
}

void ProgrammingResult::SetReleaseVersion(const QString& text)
{
    QMutexLocker lock(&m_mutex);
    if (m_versions.isEmpty())
        m_versions.append(text);
    else
        m_versions[0] = text;
}

} // namespace OrvoCommon
