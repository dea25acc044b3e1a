#pragma once

#include "device/QueryInfo.h"
#include "firmware/ProductIdentity.h"

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>

namespace OrvoCommon {
class ICsrDevice;
class IPelarinUsbCommDriver;
} // namespace OrvoCommon

// One headset on the bus as tessary-update reports it.
struct SurveyedHeadset
{
    OrvoCommon::ICsrDevice* device = nullptr;
    bool updateMode = false; // running its DFU boot loader
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    QString hardwareRevision;
    // Release, stack and VM application versions; empty when they could not be read (as in update mode).
    QList<QString> versions;
    OrvoCommonPelarin::QueryInfo info;
    // Both queries have answered.
    bool read = false;
    // The code of a failure that keeps the headset from being used; empty otherwise.
    QString error;

    QString Release() const { return versions.value(0); }
    // The key the index file knows the headset by, as the device facade makes it.
    OrvoCommon::ProductIdentity Identity() const;
};

// Follows every headset the comm driver reports and collects what the device facade's queries find
// out about each, without asking anything itself: the facade shows one headset, this shows them all,
// with the mode each runs in. Lives on the GUI thread beside the facade; make it before the facade,
// whose answers to a headset in its boot loader come inside its handling of the arrival.
class HeadsetSurvey : public QObject
{
    Q_OBJECT

public:
    explicit HeadsetSurvey(OrvoCommon::IPelarinUsbCommDriver* driver, QObject* parent = nullptr);

    // In order of arrival.
    const QList<SurveyedHeadset>& Present() const { return m_present; }
    // At least one headset is present and every present one has been read.
    bool AllRead() const;

private slots:
    void OnDeviceConnected(OrvoCommon::ICsrDevice* device);
    void OnDeviceDisconnected(OrvoCommon::ICsrDevice* device);
    void OnQueryVersionsComplete(OrvoCommon::ICsrDevice* device, QList<QString> versions, QString error);
    void OnQueryInfoComplete(OrvoCommon::ICsrDevice* device, OrvoCommonPelarin::QueryInfo info, QString error);

private:
    SurveyedHeadset* Find(OrvoCommon::ICsrDevice* device);

    QList<SurveyedHeadset> m_present;
};
