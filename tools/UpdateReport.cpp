#include "tools/UpdateReport.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <cstdio>

namespace {

// Unknown values are null rather than empty, so that a script can tell them apart.
QJsonValue TextOrNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonValue VersionsJson(const QList<QString>& versions)
{
    if (versions.isEmpty())
        return QJsonValue();
    return QJsonObject{{QStringLiteral("release"), TextOrNull(versions.value(0))},
                       {QStringLiteral("stack"), TextOrNull(versions.value(1))},
                       {QStringLiteral("vmApplication"), TextOrNull(versions.value(2))}};
}

QJsonValue ErrorJson(const QString& code, const QString& message)
{
    if (code.isEmpty())
        return QJsonValue();
    return QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}};
}

QJsonObject HeadsetJson(const SurveyedHeadset& headset, const QString& productName)
{
    const auto hex = [](std::uint16_t id) { return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')); };
    return QJsonObject{
        {QStringLiteral("mode"), headset.updateMode ? QStringLiteral("update") : QStringLiteral("application")},
        {QStringLiteral("vendorId"), hex(headset.vendorId)},
        {QStringLiteral("productId"), hex(headset.productId)},
        {QStringLiteral("product"), TextOrNull(productName)},
        {QStringLiteral("hardware"), headset.hardwareRevision},
        {QStringLiteral("serial"), TextOrNull(headset.info.serialNumber)},
        {QStringLiteral("bluetoothAddress"), TextOrNull(headset.info.bluetoothAddress)},
        {QStringLiteral("bluetoothName"), TextOrNull(headset.info.deviceName)},
    };
}

} // namespace

UpdateReport::UpdateReport(bool json) : m_json(json), m_out(stdout), m_err(stderr) {}

void UpdateReport::Say(const QString& line)
{
    (m_json ? m_err : m_out) << line << Qt::endl;
}

void UpdateReport::Warn(const QString& line)
{
    m_out.flush();
    m_err << line << Qt::endl;
}

void UpdateReport::SetDevice(const SurveyedHeadset& headset, const QString& productName)
{
    m_device = HeadsetJson(headset, productName);
    m_before = headset.versions;
}

void UpdateReport::AddListed(const SurveyedHeadset& headset, const QString& productName, const QStringList& offered,
                             const QString& newest, bool updateAvailable, const QString& errorMessage)
{
    QJsonObject entry = HeadsetJson(headset, productName);
    entry.insert(QStringLiteral("versions"), VersionsJson(headset.versions));
    entry.insert(QStringLiteral("offered"), QJsonArray::fromStringList(offered));
    entry.insert(QStringLiteral("newest"), TextOrNull(newest));
    entry.insert(QStringLiteral("updateAvailable"), updateAvailable);
    entry.insert(QStringLiteral("error"), ErrorJson(headset.error, errorMessage));
    m_listed.append(entry);
}

void UpdateReport::Finish(const UpdateOutcome& outcome, bool listing)
{
    if (!outcome.text.isEmpty())
        Say(outcome.text);
    if (!m_json)
        return;
    QJsonObject document{
        {QStringLiteral("command"), listing ? QStringLiteral("list") : QStringLiteral("update")},
        {QStringLiteral("result"), outcome.result},
        {QStringLiteral("exitCode"), outcome.exitCode},
        {QStringLiteral("error"), ErrorJson(outcome.errorCode, outcome.errorMessage)},
    };
    if (listing) {
        document.insert(QStringLiteral("headsets"), m_listed);
    } else {
        document.insert(QStringLiteral("device"), m_device.isEmpty() ? QJsonValue() : QJsonValue(m_device));
        document.insert(QStringLiteral("target"), TextOrNull(m_target));
        document.insert(QStringLiteral("before"), m_device.isEmpty() ? QJsonValue() : VersionsJson(m_before));
        document.insert(QStringLiteral("after"), VersionsJson(m_after));
    }
    m_out << QJsonDocument(document).toJson(QJsonDocument::Indented);
    m_out.flush();
}
