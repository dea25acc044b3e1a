#pragma once

#include "sim/HeadsetProfile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace TestSupport {

// The sample headset (the ids and PS store of sim/profiles/SimulatedHeadset.xml) with zero timing,
// so tests run at full speed unless they ask for time.
Sim::HeadsetProfile SampleHeadsetProfile();
// The same headset already in its DFU boot loader.
Sim::HeadsetProfile DfuModeHeadsetProfile();

// A packer image (header, payload, DFU suffix for the sample's ids) of payloadSize bytes.
QByteArray PackerImage(std::uint16_t subId, const QString& version, int payloadSize);
// What a host downloads of it: everything before the DFU suffix.
QByteArray PackerImageBody(std::uint16_t subId, const QString& version, int payloadSize);

// A profile file's text with one headset, for loader tests: inner goes inside <Headset>.
QByteArray ProfileXml(const QString& inner);

} // namespace TestSupport
