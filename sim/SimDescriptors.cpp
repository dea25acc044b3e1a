#include "sim/SimDescriptors.h"

#include "sim/SimBytes.h"
#include "sim/SimProtocol.h"

#include <QString>

namespace Sim {

using namespace SimProtocol;

namespace {

constexpr std::uint16_t DfuVersion = 0x0110;

QByteArray FunctionalDescriptor(std::uint8_t attributes, std::uint16_t detachTimeout, std::uint16_t transferSize)
{
    QByteArray d = Bytes({9, DescriptorDfuFunctional, attributes});
    AppendWord(&d, detachTimeout);
    AppendWord(&d, transferSize);
    AppendWord(&d, DfuVersion);
    return d;
}

QByteArray WithConfigurationHeader(const QByteArray& body, int interfaces)
{
    QByteArray config = Bytes({9, DescriptorConfiguration, 0, 0, interfaces, 1, 0, 0x80, 0x32});
    config += body;
    PutWord(&config, 2, static_cast<std::uint16_t>(config.size()));
    return config;
}

} // namespace

QByteArray DeviceDescriptor(const HeadsetProfile& profile, SimMode mode)
{
    const bool app = mode == SimMode::Application;
    QByteArray d = Bytes({18, DescriptorDevice, 0x00, 0x02, app ? 0xE0 : 0, app ? 1 : 0, app ? 1 : 0, 64});
    AppendWord(&d, profile.vendorId);
    AppendWord(&d, app ? profile.productId : profile.dfuProductId);
    AppendWord(&d, profile.deviceRelease);
    d += Bytes({profile.manufacturer.isEmpty() ? 0 : StringManufacturer, profile.product.isEmpty() ? 0 : StringProduct,
                profile.serialNumber.isEmpty() ? 0 : StringSerialNumber, 1});
    return d;
}

QByteArray StringDescriptor(const HeadsetProfile& profile, std::uint8_t index)
{
    QByteArray d = Bytes({0, DescriptorString});
    if (index == 0) {
        AppendWord(&d, LanguageEnglishUs);
    } else {
        const QString text = index == StringManufacturer   ? profile.manufacturer
                             : index == StringProduct      ? profile.product
                             : index == StringSerialNumber ? profile.serialNumber
                                                           : QString();
        if (text.isEmpty())
            return QByteArray(); // no such string: the request stalls
        for (const QChar c : text)
            AppendWord(&d, c.unicode());
    }
    d[0] = static_cast<char>(d.size());
    return d;
}

QByteArray ConfigurationDescriptors(const HeadsetProfile& profile, SimMode mode)
{
    if (mode == SimMode::Application) {
        if (!profile.applicationConfiguration.isEmpty())
            return profile.applicationConfiguration;
        // HCI (commands on endpoint 0, events, ACL), SCO, DFU run-time.
        QByteArray body = Bytes({9, DescriptorInterface, HciInterface, 0, 3, 0xE0, 1, 1, 0});
        body += Bytes({7, DescriptorEndpoint, 0x81, 3, 16, 0, 1});
        body += Bytes({7, DescriptorEndpoint, 0x82, 2, 64, 0, 0});
        body += Bytes({7, DescriptorEndpoint, 0x02, 2, 64, 0, 0});
        body += Bytes({9, DescriptorInterface, 1, 0, 2, 0xE0, 1, 1, 0});
        body += Bytes({7, DescriptorEndpoint, 0x83, 1, 0, 0, 1});
        body += Bytes({7, DescriptorEndpoint, 0x03, 1, 0, 0, 1});
        body += Bytes({9, DescriptorInterface, RuntimeDfuInterface, 0, 0, 0xFE, 1, 1, 0});
        if (profile.functionalDescriptor)
            body += FunctionalDescriptor(profile.runtimeAttributes, profile.detachTimeoutMs, profile.transferSize);
        return WithConfigurationHeader(body, 3);
    }
    if (!profile.dfuConfiguration.isEmpty())
        return profile.dfuConfiguration;
    QByteArray body = Bytes({9, DescriptorInterface, DfuModeInterface, 0, 0, 0xFE, 1, 2, 0});
    if (profile.functionalDescriptor)
        body += FunctionalDescriptor(profile.dfuModeAttributes, profile.detachTimeoutMs, profile.transferSize);
    return WithConfigurationHeader(body, 1);
}

SimUsbResult StandardRequest(const HeadsetProfile& profile, SimMode mode, const SimSetup& setup, QByteArray* dataIn)
{
    if (setup.requestType == 0x80 && setup.request == StdGetDescriptor) {
        const int type = setup.value >> 8;
        if (type == DescriptorDevice) {
            *dataIn = DeviceDescriptor(profile, mode);
            return SimUsbResult::Ok;
        }
        if (type == DescriptorConfiguration) {
            *dataIn = ConfigurationDescriptors(profile, mode);
            return SimUsbResult::Ok;
        }
        if (type == DescriptorString) {
            // The chip has one language and answers whatever language the host asks for.
            *dataIn = StringDescriptor(profile, static_cast<std::uint8_t>(setup.value & 0xFF));
            return dataIn->isEmpty() ? SimUsbResult::Stall : SimUsbResult::Ok;
        }
        return SimUsbResult::Stall;
    }
    if (setup.requestType == 0x80 && setup.request == StdGetStatus) {
        *dataIn = Bytes({0, 0});
        return SimUsbResult::Ok;
    }
    if ((setup.requestType == 0x00 && setup.request == StdSetConfiguration) ||
        (setup.requestType == 0x01 && setup.request == StdSetInterface))
        return SimUsbResult::Ok;
    return SimUsbResult::Stall;
}

} // namespace Sim
