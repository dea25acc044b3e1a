#include "device/DeviceQueryThread.h"

#include "app/ConfigKeys.h"
#include "app/ConfiguredInt.h"
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "device/QueryInfo.h"
#include "usb/CsrUsbInterfaceFactory.h"
#include "usb/ICsrUsbInterface.h"

#include <QMutexLocker>

namespace OrvoCommon {

DeviceQueryThread::DeviceQueryThread(ICsrDevice* device, const char* failureCode, const QString& disconnectedMessage)
    : m_device(device), m_logger(RequireLogger()),
      m_timeoutMs(ConfiguredInt(ConfigKeys::HciTimeout, ConfigKeys::HciTimeoutDefault)),
      m_retries(ConfiguredInt(ConfigKeys::HciRetries, ConfigKeys::HciRetriesDefault)),
      m_failureCode(QLatin1String(failureCode)), m_disconnectedMessage(disconnectedMessage)
{
    RegisterDeviceMetaTypes();
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    // Connected here rather than when the run starts, so that a device that leaves before the thread
    // is scheduled is not missed.
    connect(GetCsrUsbInterface(), &ICsrUsbInterface::DeviceDisconnected, this,
            &DeviceQueryThread::OnDeviceDisconnected);
}

bool DeviceQueryThread::Attempt(const std::function<bool()>& query)
{
    for (int attempt = 0; attempt <= m_retries && !m_stopping; ++attempt) {
        if (query())
            return true;
        // A device that has gone is not asked again, whether or not its removal notice has come.
        if (!m_device->IsOpen()) {
            NoteDisconnected();
            return false;
        }
    }
    SetError(m_failureCode);
    return false;
}

void DeviceQueryThread::ReportOnOwnerThread(const std::function<void()>& emitCompletion)
{
    if (m_stopping)
        return;
    // Queued ahead of the finished() that deletes this object, so the object is still there.
    QMetaObject::invokeMethod(this, emitCompletion, Qt::QueuedConnection);
}

QString DeviceQueryThread::Error() const
{
    QMutexLocker lock(&m_errorMutex);
    return m_error;
}

void DeviceQueryThread::SetError(const QString& code)
{
    QMutexLocker lock(&m_errorMutex);
    // The queries that fail because the device has gone must not hide why they failed.
    if (m_error != QLatin1String(ErrorCodes::DeviceDisconnected))
        m_error = code;
}

void DeviceQueryThread::OnDeviceDisconnected(ICsrDevice* device)
{
    if (device == m_device)
        NoteDisconnected();
}

void DeviceQueryThread::NoteDisconnected()
{
    SetError(QLatin1String(ErrorCodes::DeviceDisconnected));
    if (!m_disconnectionLogged.exchange(true))
        m_logger->LogError(m_disconnectedMessage);
}

} // namespace OrvoCommon
