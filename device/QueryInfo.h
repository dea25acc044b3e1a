#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace OrvoCommonPelarin {

// What the information query reads from a device; a field that could not be read stays empty.
struct QueryInfo
{
    QString serialNumber;
    QString bluetoothAddress; // "00:02:5B:00:A1:B2"
    QStringList pairingList;  // one address text per paired device
    QString deviceName;
};

} // namespace OrvoCommonPelarin

Q_DECLARE_METATYPE(OrvoCommonPelarin::QueryInfo)

namespace OrvoCommon {

// Registers the types the query threads send through queued signals ("QueryInfo", "QList<QString>"
// and the device pointer); safe to call more than once.
void RegisterDeviceMetaTypes();

} // namespace OrvoCommon
