#include "usb/linux/MonitorFailedCsrInstallThread.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "usb/linux/CsrDeviceInfo.h"

#include <QDeadlineTimer>

namespace OrvoCommon {

MonitorFailedCsrInstallThread::MonitorFailedCsrInstallThread(const QString& sysfsRoot, const QString& devRoot)
    : m_sysfsRoot(sysfsRoot), m_devRoot(devRoot)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void MonitorFailedCsrInstallThread::run()
{
    ILogger* logger = GetLogger();
    CsrDeviceInfo info(m_sysfsRoot, m_devRoot);
    while (!m_stop) {
        QStringList instances;
        CsrDeviceInfo::Reasons reasons;
        try {
            info.GetFailedInstalls(true, &instances, &reasons);
        } catch (const OrvoException& exception) {
            // Nothing registered to look for: polling again would only repeat the same failure.
            if (logger)
                logger->LogException(exception);
            return;
        }
        for (int i = 0; i < instances.size(); ++i) {
            if (m_reported.contains(instances.at(i)))
                continue;
            m_reported.append(instances.at(i));
            emit FailedInstall(instances.at(i), reasons.at(i));
        }
        // Sleep in short slices so that a stop request ends the thread promptly.
        const QDeadlineTimer next(m_pollIntervalMs);
        while (!m_stop && !next.hasExpired())
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(20, next.remainingTime())));
    }
}

} // namespace OrvoCommon
