#include "device/UpdateProgressEstimate.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "firmware/IFirmwareImageDescriptor.h"

#include <QMutexLocker>

#include <algorithm>
#include <cmath>

namespace OrvoCommon {

namespace {

constexpr double Complete = 100;

} // namespace

UpdateProgressEstimate::UpdateProgressEstimate(QObject* parent) : QObject(parent), m_logger(RequireLogger()) {}

void UpdateProgressEstimate::SetTransferSize(std::uint32_t bytes)
{
    QMutexLocker lock(&m_mutex);
    if (bytes == 0)
        return;
    m_transferSize = bytes;
    RecalculateLocked();
}

void UpdateProgressEstimate::SetImages(const FirmwareImageList& images)
{
    QMutexLocker lock(&m_mutex);
    m_images = images;
    RecalculateLocked();
}

void UpdateProgressEstimate::SetDeviceVersions(const QStringList& versions)
{
    QMutexLocker lock(&m_mutex);
    m_deviceVersions = versions;
    RecalculateLocked();
}

void UpdateProgressEstimate::RemoveLoadedImages(const QSet<int>& subIds)
{
    QMutexLocker lock(&m_mutex);
    m_logger->LogInformation(QStringLiteral("Updating estimate for loaded images"));
    for (int i = m_images.size() - 1; i >= 0; --i) {
        if (subIds.contains(m_images.at(i)->GetDescriptor()->GetSubId()))
            m_images.removeAt(i);
    }
    RecalculateLocked();
}

void UpdateProgressEstimate::AddPacket()
{
    short value = -1;
    {
        QMutexLocker lock(&m_mutex);
        AdvanceLocked(m_increment);
        value = PublishLocked(true);
        if (!m_firstPacketSeen) {
            m_firstPacketSeen = true;
            RecalculateLocked();
        }
    }
    Emit(value);
}

void UpdateProgressEstimate::AddElapsed(std::uint16_t milliseconds)
{
    short value = -1;
    {
        QMutexLocker lock(&m_mutex);
        AdvanceLocked(milliseconds * m_increment * UnitsPerSecond / 1000);
        value = PublishLocked(true);
    }
    Emit(value);
}

void UpdateProgressEstimate::Publish(bool onlyIfChanged)
{
    short value = -1;
    {
        QMutexLocker lock(&m_mutex);
        value = PublishLocked(onlyIfChanged);
    }
    Emit(value);
}

double UpdateProgressEstimate::GetCurrent() const
{
    QMutexLocker lock(&m_mutex);
    return m_current;
}

double UpdateProgressEstimate::GetIncrement() const
{
    QMutexLocker lock(&m_mutex);
    return m_increment;
}

double UpdateProgressEstimate::GetCeiling() const
{
    QMutexLocker lock(&m_mutex);
    return m_ceiling;
}

qint64 UpdateProgressEstimate::GetUnits() const
{
    QMutexLocker lock(&m_mutex);
    return m_units;
}

void UpdateProgressEstimate::AdvanceLocked(double amount)
{
    // Capped by the ceiling, but never backwards.
    m_current = std::max(m_current, std::min(m_current + amount, m_ceiling));
}

short UpdateProgressEstimate::PublishLocked(bool onlyIfChanged)
{
    const auto value = static_cast<short>(std::min(m_current + 0.5, Complete));
    if (onlyIfChanged && value == m_lastEmitted)
        return -1;
    m_lastEmitted = value;
    m_logger->LogInformation(QStringLiteral("Update progress changed to ") + QString::number(value));
    return value;
}

void UpdateProgressEstimate::Emit(short value)
{
    if (value >= 0)
        emit Progress(value);
}

void UpdateProgressEstimate::RecalculateLocked()
{
    qint64 units = m_firstPacketSeen ? FixedUnitsAfterFirstPacket : FixedUnitsBeforeFirstPacket;
    qint64 firstImageUnits = 0;
    for (const IFirmwareImageFile* image : qAsConst(m_images)) {
        const IFirmwareImageDescriptor* descriptor = image->GetDescriptor();
        const int subId = descriptor->GetSubId();
        const QString deviceVersion = subId < m_deviceVersions.size() ? m_deviceVersions.at(subId) : QString();
        if (deviceVersion == descriptor->GetImageRevision())
            continue;
        const qint64 blocks = (static_cast<qint64>(descriptor->GetLength()) + m_transferSize - 1) / m_transferSize;
        const qint64 imageUnits = blocks + UnitsPerImage;
        units += imageUnits;
        if (firstImageUnits == 0)
            firstImageUnits = imageUnits;
    }
    m_units = units;
    m_increment = (Complete - m_current) / static_cast<double>(units);
    m_logger->LogInformation(QStringLiteral("Remaining packet units = ") + QString::number(units));
    m_logger->LogInformation(QStringLiteral("Packet percent increment = ") + QString::number(m_increment, 'g', 6));
    if (firstImageUnits == 0)
        firstImageUnits = FixedUnitsAfterFirstPacket;
    m_ceiling =
        Complete - (1 - static_cast<double>(firstImageUnits) / static_cast<double>(units)) * (Complete - m_current);
    m_logger->LogInformation(QStringLiteral("Max percent for image = ") + QString::number(m_ceiling, 'g', 6));
}

} // namespace OrvoCommon
