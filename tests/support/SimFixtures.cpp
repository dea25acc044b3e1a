#include "tests/support/SimFixtures.h"

#include "sim/SimImage.h"

namespace TestSupport {

Sim::HeadsetProfile SampleHeadsetProfile()
{
    Sim::HeadsetProfile profile;
    profile.name = QStringLiteral("Orvo ZR3h");
    profile.serialNumber = QStringLiteral("ZR3H00012345");
    QVector<std::uint16_t> words;
    Sim::EncodeAddressWords(QStringLiteral("00:02:5B:00:A1:B2"), &words);
    profile.psStore.insert(0x0001, words);
    profile.psStore.insert(0x0108, {0x724F, 0x6F76, 0x5A20, 0x3352, 0x0068}); // "Orvo ZR3h"
    QVector<std::uint16_t> serial;
    for (const QChar c : QStringLiteral("ZR3H00012345"))
        serial.append(c.unicode());
    profile.psStore.insert(0x02C3, serial);
    profile.psStore.insert(0x02B3, {1, 2});
    Sim::EncodeAddressWords(QStringLiteral("00:1A:7D:DA:71:13"), &words);
    profile.psStore.insert(0x02B4, words);
    Sim::EncodeAddressWords(QStringLiteral("A4:C1:38:5E:02:9F"), &words);
    profile.psStore.insert(0x02B5, words);
    Sim::EncodeVersionWords(QStringLiteral("01.00.00"), &words);
    profile.psStore.insert(0x029D, words);
    profile.psStore.insert(0x0292, words);
    profile.psStore.insert(0x03CD, {1});
    return profile;
}

Sim::HeadsetProfile DfuModeHeadsetProfile()
{
    Sim::HeadsetProfile profile = SampleHeadsetProfile();
    profile.startInDfuMode = true;
    return profile;
}

namespace {

Sim::SimImageInfo ImageInfo(std::uint16_t subId, const QString& version, int payloadSize)
{
    Sim::SimImageInfo info;
    info.subId = subId;
    info.version = version;
    info.payload.resize(payloadSize);
    for (int i = 0; i < payloadSize; ++i)
        info.payload[i] = static_cast<char>((i * 7 + subId) & 0xFF);
    return info;
}

} // namespace

QByteArray PackerImage(std::uint16_t subId, const QString& version, int payloadSize)
{
    Sim::DfuSuffix suffix;
    suffix.bcdDevice = 0x0100;
    suffix.idProduct = 0x1F20;
    suffix.idVendor = 0x0A12;
    return Sim::BuildSimImage(ImageInfo(subId, version, payloadSize), suffix);
}

QByteArray PackerImageBody(std::uint16_t subId, const QString& version, int payloadSize)
{
    return Sim::BuildSimImageBody(ImageInfo(subId, version, payloadSize));
}

QByteArray ProfileXml(const QString& inner)
{
    return (QStringLiteral("<?xml version=\"1.0\"?>\n<SimulatedHeadsets>\n<Headset name=\"t\">\n") + inner +
            QStringLiteral("\n</Headset>\n</SimulatedHeadsets>\n"))
        .toUtf8();
}

} // namespace TestSupport
