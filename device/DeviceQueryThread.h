#pragma once

#include "device/CsrBcCmdProtocol.h"
#include "device/DeviceWorkerThread.h"

#include <QMutex>
#include <QString>
#include <atomic>
#include <functional>

namespace OrvoCommon {

class ICsrDevice;
class ILogger;

// What the information and version queries share: one device, BCCMD with the configured time-out and
// retries, and an error code written by the worker and by the disconnection notice on the owner's
// thread. The thread deletes itself when it has finished (its owner's event loop does it).
class DeviceQueryThread : public DeviceWorkerThread
{
    Q_OBJECT

public:
    void RequestStop() override { m_stopping = true; }

protected:
    // Reads HciTimeout and HciRetries. Throws OrvoException when the logger, the test switches or the
    // configuration are missing. Must be made on the thread that owns the USB interface.
    DeviceQueryThread(ICsrDevice* device, const char* failureCode, const QString& disconnectedMessage);

    // Tries the query up to 1 + HciRetries times, at once one after the other. When every attempt
    // fails, records the failure code and returns false; once a stop is requested, it fails at once.
    // A failed attempt that leaves the device closed records the disconnection and ends the tries.
    bool Attempt(const std::function<bool()>& query);
    QString Error() const;
    // Emits the completion signal from the thread that owns this object, after the notices already
    // queued there: a query that failed because the cable was pulled must not outrun the removal
    // notice and report a plain query error. A stopped query reports nothing.
    void ReportOnOwnerThread(const std::function<void()>& emitCompletion);

    ICsrDevice* const m_device;
    ILogger* const m_logger;
    CsrBcCmdProtocol m_protocol;
    const int m_timeoutMs;
    const int m_retries;

private slots:
    void OnDeviceDisconnected(OrvoCommon::ICsrDevice* device);

private:
    void SetError(const QString& code);
    // Found by a request or by the removal notice, whichever comes first; logged once.
    void NoteDisconnected();

    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_disconnectionLogged{false};
    const QString m_failureCode;
    const QString m_disconnectedMessage;
    mutable QMutex m_errorMutex;
    QString m_error;
};

} // namespace OrvoCommon
