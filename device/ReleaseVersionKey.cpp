#include "device/ReleaseVersionKey.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/IConfiguration.h"
#include "device/PsKeys.h"

#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>

namespace OrvoCommon {

namespace {

struct AltPskeyPidList
{
    QMutex mutex;
    bool loaded = false;
    QList<std::uint16_t> productIds;
};

AltPskeyPidList& List()
{
    static AltPskeyPidList list;
    return list;
}

} // namespace

QList<std::uint16_t> ReleaseVersionKey::ParseAltPskeyPids(const QString& text)
{
    static const QRegularExpression token(QStringLiteral("\\b0x([0-9a-fA-F]{4})\\b"));
    QList<std::uint16_t> productIds;
    QRegularExpressionMatchIterator matches = token.globalMatch(text);
    while (matches.hasNext()) {
        bool ok = false;
        // Unsigned: product ids from 0x8000 up are as valid as any other.
        const ushort productId = matches.next().captured(1).toUShort(&ok, 16);
        if (ok)
            productIds.append(productId);
    }
    return productIds;
}

std::uint16_t ReleaseVersionKey::ForProduct(std::uint16_t productId)
{
    AltPskeyPidList& list = List();
    QMutexLocker lock(&list.mutex);
    if (!list.loaded) {
        list.productIds =
            ParseAltPskeyPids(GetConfiguration()->GetString(QLatin1String(ConfigKeys::AltPskeyPids), QString()));
        list.loaded = true;
    }
    return list.productIds.contains(productId) ? PsKeys::AltReleaseVersion : PsKeys::ReleaseVersion;
}

void ReleaseVersionKey::ReloadForTest()
{
    AltPskeyPidList& list = List();
    QMutexLocker lock(&list.mutex);
    list.loaded = false;
    list.productIds.clear();
}

} // namespace OrvoCommon
