#include "tools/HeadsetSurvey.h"

#include "app/ErrorCodes.h"
#include "device/DeviceText.h"
#include "device/IPelarinUsbCommDriver.h"
#include "usb/ICsrDevice.h"

#include <algorithm>

using namespace OrvoCommon;

namespace {

// The answers after which the facade still takes a headset as ready.
bool IsTolerated(const QString& error, std::initializer_list<const char*> tolerated)
{
    return error.isEmpty() || std::any_of(tolerated.begin(), tolerated.end(),
                                          [&error](const char* code) { return error == QLatin1String(code); });
}

} // namespace

ProductIdentity SurveyedHeadset::Identity() const
{
    ProductIdentity identity;
    identity.productId = productId;
    identity.hardwareRevision = hardwareRevision;
    return identity;
}

HeadsetSurvey::HeadsetSurvey(IPelarinUsbCommDriver* driver, QObject* parent) : QObject(parent)
{
    connect(driver, &IPelarinUsbCommDriver::DeviceConnected, this, &HeadsetSurvey::OnDeviceConnected);
    connect(driver, &IPelarinUsbCommDriver::DeviceDisconnected, this, &HeadsetSurvey::OnDeviceDisconnected);
    connect(driver, &IPelarinUsbCommDriver::QueryVersionsComplete, this, &HeadsetSurvey::OnQueryVersionsComplete);
    connect(driver, &IPelarinUsbCommDriver::QueryInfoComplete, this, &HeadsetSurvey::OnQueryInfoComplete);
}

bool HeadsetSurvey::AllRead() const
{
    return !m_present.isEmpty() &&
           std::all_of(m_present.begin(), m_present.end(), [](const SurveyedHeadset& h) { return h.read; });
}

SurveyedHeadset* HeadsetSurvey::Find(ICsrDevice* device)
{
    for (SurveyedHeadset& headset : m_present) {
        if (headset.device == device)
            return &headset;
    }
    return nullptr;
}

void HeadsetSurvey::OnDeviceConnected(ICsrDevice* device)
{
    if (Find(device))
        return;
    SurveyedHeadset headset;
    headset.device = device;
    headset.updateMode = device->IsDfuMode();
    headset.vendorId = device->GetVendorId();
    headset.productId = device->GetProductId();
    headset.hardwareRevision = HardwareRevisionText(device->GetDeviceRelease());
    m_present.append(headset);
}

void HeadsetSurvey::OnDeviceDisconnected(ICsrDevice* device)
{
    m_present.erase(std::remove_if(m_present.begin(), m_present.end(),
                                   [device](const SurveyedHeadset& h) { return h.device == device; }),
                    m_present.end());
}

void HeadsetSurvey::OnQueryVersionsComplete(ICsrDevice* device, QList<QString> versions, QString error)
{
    SurveyedHeadset* headset = Find(device);
    if (!headset)
        return;
    if (!versions.isEmpty())
        headset->versions = versions;
    // After any other failure the facade asks no further: the headset is as read as it will be.
    if (!IsTolerated(error, {ErrorCodes::DeviceNotAppMode, ErrorCodes::GetVersionError})) {
        headset->error = error;
        headset->read = true;
    }
}

void HeadsetSurvey::OnQueryInfoComplete(ICsrDevice* device, OrvoCommonPelarin::QueryInfo info, QString error)
{
    SurveyedHeadset* headset = Find(device);
    if (!headset)
        return;
    if (error.isEmpty())
        headset->info = info;
    else if (!IsTolerated(error, {ErrorCodes::PtsDataError, ErrorCodes::DeviceNotAppMode}))
        headset->error = error;
    headset->read = true;
}
