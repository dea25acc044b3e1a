#pragma once

#include "device/DeviceQueryThread.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace OrvoCommon {

// Reads a device's release, stack and VM application versions on a thread of its own, reports them
// once in QueryVersionsComplete (always three entries, empty where unreadable) and deletes itself.
class QueryVersionThread : public DeviceQueryThread
{
    Q_OBJECT

public:
    // Reads the configuration; throws OrvoException when a service is missing.
    explicit QueryVersionThread(ICsrDevice* device);

signals:
    void QueryVersionsComplete(OrvoCommon::ICsrDevice* device, QList<QString> versions, QString error);

protected:
    void run() override;

private:
    QString FormatVersion(const QByteArray& value) const;
    QString ReadPsVersion(std::uint16_t key, const QString& logLine);

    const bool m_asciiVersion;
    const std::uint16_t m_releaseKey;
};

} // namespace OrvoCommon
