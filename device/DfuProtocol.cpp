#include "device/DfuProtocol.h"

#include "app/ILogger.h"
#include "device/DeviceServices.h"
#include "device/DfuConstants.h"
#include "device/PelarinUsbCommDriverTest.h"
#include "usb/ICsrDevice.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

namespace OrvoCommon {

namespace {

const QStringList& StateNames()
{
    static const QStringList names{
        QStringLiteral("appIDLE"),          QStringLiteral("appDETACH"),   QStringLiteral("dfuIDLE"),
        QStringLiteral("dfuDNLOAD_SYNC"),   QStringLiteral("dfuDNBUSY"),   QStringLiteral("dfuDNLOAD_IDLE"),
        QStringLiteral("dfuMANIFEST_SYNC"), QStringLiteral("dfuMANIFEST"), QStringLiteral("dfuMANIFEST_WAIT_RESET"),
        QStringLiteral("dfuUPLOAD_IDLE"),   QStringLiteral("dfuERROR"),
    };
    return names;
}

const QStringList& StatusNames()
{
    static const QStringList names{
        QStringLiteral("OK"),          QStringLiteral("errTARGET"),
        QStringLiteral("errFILE"),     QStringLiteral("errWRITE"),
        QStringLiteral("errERASE"),    QStringLiteral("errCHECK_ERASED"),
        QStringLiteral("errPROG"),     QStringLiteral("errVERIFY"),
        QStringLiteral("errADDRESS"),  QStringLiteral("errNOT_DONE"),
        QStringLiteral("errFIRMWARE"), QStringLiteral("errVENDOR"),
        QStringLiteral("errUSBR"),     QStringLiteral("errPOR"),
        QStringLiteral("errUNKNOWN"),  QStringLiteral("errSTALLED_PKT"),
    };
    return names;
}

std::uint8_t ByteOrZero(const QByteArray& bytes, int index)
{
    return index < bytes.size() ? static_cast<std::uint8_t>(bytes.at(index)) : 0;
}

} // namespace

DfuProtocol::DfuProtocol()
    : m_logger(RequireLogger()), m_messageRetries(Dfu::DefaultMessageRetries), m_test(RequireTestSwitches())
{
}

DfuProtocol::~DfuProtocol() = default;

QString DfuProtocol::StateName(int state)
{
    return state >= 0 && state < StateNames().size() ? StateNames().at(state) : QStringLiteral("INVALID STATE");
}

QString DfuProtocol::StatusName(int status)
{
    return status >= 0 && status < StatusNames().size() ? StatusNames().at(status) : QStringLiteral("INVALID STATUS");
}

bool DfuProtocol::WithRetries(const QString& faultLine, const std::function<bool()>& attempt)
{
    if (m_test->IsDfuCommFault()) {
        m_logger->LogInformation(faultLine);
        return false;
    }
    int retries = m_messageRetries;
    for (;;) {
        if (!m_device || !m_device->IsOpen())
            return false;
        if (attempt())
            return true;
        if (retries <= 0)
            return false;
        --retries;
        // Queued notices (a disconnection above all) must get through while the device is refusing;
        // a device that has gone is not waited for.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!m_device->IsOpen())
            return false;
        QThread::msleep(Dfu::RetryIntervalMs);
    }
}

bool DfuProtocol::ControlRead(std::uint8_t request, std::uint16_t length, QByteArray* data)
{
    return WithRetries(QStringLiteral("ControlReadTransfer failing due to set fault"), [&] {
        return m_device->ControlReadTransfer(Dfu::RequestTypeIn, request, 0, m_device->GetDfuInterface(), length, data);
    });
}

bool DfuProtocol::ControlWrite(std::uint8_t request, std::uint16_t value, const QByteArray& data)
{
    return WithRetries(QStringLiteral("ControlWriteTransfer failing due to set fault"), [&] {
        return m_device->ControlWriteTransfer(Dfu::RequestTypeOut, request, value, m_device->GetDfuInterface(), data);
    });
}

bool DfuProtocol::Logged(bool ok, const QString& success, const QString& failure)
{
    if (ok)
        m_logger->LogInformation(success);
    else
        m_logger->LogError(failure);
    return ok;
}

bool DfuProtocol::Detach(std::uint16_t timeoutMs)
{
    return Logged(ControlWrite(Dfu::RequestDetach, timeoutMs, QByteArray()), QStringLiteral("DFU_DETACH"),
                  QStringLiteral("DFU_DETACH FAILED"));
}

bool DfuProtocol::Download(std::uint16_t block, const QByteArray& data)
{
    const QString details = QStringLiteral("block = %1, count = %2").arg(block).arg(data.size());
    return Logged(ControlWrite(Dfu::RequestDnload, block, data), QStringLiteral("DFU_DNLOAD - ") + details,
                  QStringLiteral("DFU_DNLOAD FAILED - ") + details);
}

bool DfuProtocol::GetStatus(std::uint8_t* status, std::uint32_t* pollTimeoutMs, std::uint8_t* state)
{
    QByteArray data;
    if (!ControlRead(Dfu::RequestGetStatus, Dfu::GetStatusLength, &data))
        return Logged(false, QString(), QStringLiteral("DFU_GETSTATUS FAILED"));
    const std::uint8_t statusByte = ByteOrZero(data, 0);
    const std::uint32_t timeout = ByteOrZero(data, 1) | (ByteOrZero(data, 2) << 8) | (ByteOrZero(data, 3) << 16);
    const std::uint8_t stateByte = ByteOrZero(data, 4);
    if (status)
        *status = statusByte;
    if (pollTimeoutMs)
        *pollTimeoutMs = timeout;
    if (state)
        *state = stateByte;
    m_logger->LogInformation(QStringLiteral("DFU_GETSTATUS - status = %1, timeout = %2, state = %3")
                                 .arg(StatusName(statusByte))
                                 .arg(timeout)
                                 .arg(StateName(stateByte)));
    return true;
}

bool DfuProtocol::ClearStatus()
{
    return Logged(ControlWrite(Dfu::RequestClrStatus, 0, QByteArray()), QStringLiteral("DFU_CLRSTATUS"),
                  QStringLiteral("DFU_CLRSTATUS FAILED"));
}

bool DfuProtocol::GetState(std::uint8_t* state)
{
    QByteArray data;
    if (!ControlRead(Dfu::RequestGetState, Dfu::GetStateLength, &data))
        return Logged(false, QString(), QStringLiteral("DFU_GETSTATE FAILED"));
    const std::uint8_t stateByte = ByteOrZero(data, 0);
    if (state)
        *state = stateByte;
    m_logger->LogInformation(QStringLiteral("DFU_GETSTATE - state = %1").arg(StateName(stateByte)));
    return true;
}

bool DfuProtocol::Abort()
{
    return Logged(ControlWrite(Dfu::RequestAbort, 0, QByteArray()), QStringLiteral("DFU_ABORT"),
                  QStringLiteral("DFU_ABORT FAILED"));
}

bool DfuProtocol::Reset()
{
    if (m_test->IsDfuCommFault()) {
        m_logger->LogInformation(QStringLiteral("Reset failing due to set fault"));
        return false;
    }
    if (!m_device)
        return false;
    return Logged(m_device->Reset(), QStringLiteral("Device reset"), QStringLiteral("Device reset FAILED"));
}

} // namespace OrvoCommon
