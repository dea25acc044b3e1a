#pragma once

#include "sim/HeadsetProfile.h"
#include "sim/SimUsb.h"

#include <QByteArray>

#include <cstdint>

// What the headset tells a USB stack about itself on endpoint 0 in either mode: the descriptors the
// profile describes (or the raw sets that replace them) and the standard requests of enumeration.
namespace Sim {

// Interface numbers of the generated configurations.
inline constexpr std::uint8_t HciInterface = 0;
inline constexpr std::uint8_t RuntimeDfuInterface = 2;
inline constexpr std::uint8_t DfuModeInterface = 0;

QByteArray DeviceDescriptor(const HeadsetProfile& profile, SimMode mode);
// The configuration descriptor with its interfaces, endpoints and DFU functional descriptor.
QByteArray ConfigurationDescriptors(const HeadsetProfile& profile, SimMode mode);
// Empty for a string the headset does not have.
QByteArray StringDescriptor(const HeadsetProfile& profile, std::uint8_t index);
// GET_DESCRIPTOR, GET_STATUS, SET_CONFIGURATION and SET_INTERFACE; anything else stalls.
SimUsbResult StandardRequest(const HeadsetProfile& profile, SimMode mode, const SimSetup& setup, QByteArray* dataIn);

} // namespace Sim
