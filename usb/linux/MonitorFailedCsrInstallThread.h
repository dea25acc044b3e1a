#pragma once

#include "usb/IFailedInstallMonitor.h"

#include <QStringList>

#include <atomic>

namespace OrvoCommon {

// Polls for failed installs while the wizard waits for a device, reporting each device node once.
// Started and stopped by the USB interface; deletes itself when it has stopped.
class MonitorFailedCsrInstallThread : public IFailedInstallMonitor
{
    Q_OBJECT

public:
    explicit MonitorFailedCsrInstallThread(const QString& sysfsRoot = QStringLiteral("/sys"),
                                           const QString& devRoot = QStringLiteral("/dev"));

    void RequestStop() override { m_stop = true; }
    // Tests poll faster than the usual second.
    void SetPollIntervalMs(int intervalMs) { m_pollIntervalMs = intervalMs; }

protected:
    void run() override;

private:
    QString m_sysfsRoot;
    QString m_devRoot;
    QStringList m_reported;
    std::atomic<bool> m_stop{false};
    int m_pollIntervalMs = 1000;
};

} // namespace OrvoCommon
