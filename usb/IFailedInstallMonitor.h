#pragma once

#include "usb/ICsrUsbInterface.h"

#include <QThread>

namespace OrvoCommon {

// The thread that watches for devices whose driver installation failed. The platform layer supplies
// it through CsrUsbInterface::SetPlatformServices; the thread deletes itself once stopped.
class IFailedInstallMonitor : public QThread
{
    Q_OBJECT

public:
    using QThread::QThread;
    virtual void RequestStop() = 0;

signals:
    void FailedInstall(QString instance, OrvoCommon::ICsrUsbInterface::FailedInstallReason reason);
};

} // namespace OrvoCommon
