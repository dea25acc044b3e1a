#pragma once

#include "device/QueryInfo.h"
#include "firmware/ProductIdentity.h"

#include <QList>
#include <QString>

namespace OrvoCommon {

// What the device facade knows about one connected device. Copied by value; the programming thread
// gets a copy and reports the versions it ends with in its completion.
struct DeviceRecord
{
    // Release, stack and VM application versions; empty until read.
    QList<QString> versions;
    ProductIdentity identity;
    OrvoCommonPelarin::QueryInfo info;
};

} // namespace OrvoCommon
