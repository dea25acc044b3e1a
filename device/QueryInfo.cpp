#include "device/QueryInfo.h"

#include "usb/ICsrUsbInterface.h"

namespace OrvoCommon {

void RegisterDeviceMetaTypes()
{
    qRegisterMetaType<OrvoCommonPelarin::QueryInfo>("QueryInfo");
    qRegisterMetaType<OrvoCommonPelarin::QueryInfo>("OrvoCommonPelarin::QueryInfo");
    qRegisterMetaType<QList<QString>>("QList<QString>");
    qRegisterMetaType<ICsrDevice*>("OrvoCommon::ICsrDevice*");
    qRegisterMetaType<ICsrDevice*>("ICsrDevice*");
}

} // namespace OrvoCommon
