#include "device/QueryVersionThread.h"

#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "device/BcCmdConstants.h"
#include "device/PsKeys.h"
#include "device/PsValueText.h"
#include "device/ReleaseVersionKey.h"
#include "usb/ICsrDevice.h"

namespace OrvoCommon {

namespace {

constexpr int StackVersionSize = 2; // the first word of the build id

} // namespace

QueryVersionThread::QueryVersionThread(ICsrDevice* device)
    : DeviceQueryThread(device, ErrorCodes::GetVersionError,
                        QStringLiteral("Device disconnected while querying versions")),
      m_asciiVersion(GetConfiguration()->HasAsciiVersionNumber()),
      m_releaseKey(ReleaseVersionKey::ForProduct(device->GetProductId()))
{
}

QString QueryVersionThread::FormatVersion(const QByteArray& value) const
{
    return m_asciiVersion ? PsValueText::CharacterVersion(value) : PsValueText::NumericVersion(value);
}

QString QueryVersionThread::ReadPsVersion(std::uint16_t key, const QString& logLine)
{
    QByteArray value;
    if (!Attempt([&] { return m_protocol.GetPsKey(m_device, key, m_timeoutMs, &value); }))
        return QString();
    const QString text = FormatVersion(value);
    m_logger->LogInformation(logLine.arg(text));
    return text;
}

void QueryVersionThread::run()
{
    m_logger->LogInformation(QStringLiteral("Querying versions"));
    QList<QString> versions;
    versions.append(ReadPsVersion(m_releaseKey, QStringLiteral("Release version read: %1")));

    QByteArray buildId;
    QString stack;
    if (Attempt(
            [&] { return m_protocol.BcCmdGet(m_device, BcCmd::VaridBuildId, QByteArray(), m_timeoutMs, &buildId); })) {
        stack = PsValueText::NumericVersion(buildId.left(StackVersionSize));
        m_logger->LogInformation(QStringLiteral("Stack version read: %1").arg(stack));
    }
    versions.append(stack);

    versions.append(ReadPsVersion(PsKeys::VmAppVersion, QStringLiteral("VM App version read: %1")));
    ReportOnOwnerThread([this, versions] { emit QueryVersionsComplete(m_device, versions, Error()); });
}

} // namespace OrvoCommon
