#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QVector>

#include <cstdint>

namespace Sim {

// How long the simulated headset takes; all zero makes it answer at once (the test default).
struct SimTiming
{
    int latencyMs = 0;       // added to every control transfer; a pulled cable cuts it short
    int flashPerBlockMs = 0; // bwPollTimeout and dfuDNBUSY time per downloaded block
    int manifestMs = 0;      // bwPollTimeout and time spent in dfuMANIFEST
    int reenumerationMs = 0; // from a reset or cold reset to the new device's arrival
    int plugDelayMs = 0;     // from loading the profile to the first arrival
};

// Misbehaviour on demand. Counters run from the moment the headset is created or its faults are set.
struct SimFaults
{
    enum class BcCmd
    {
        Normal,
        Silent, // BCCMD requests are swallowed: the host times out
        Error,  // every BCCMD answer carries bcCmdErrorStatus
    };

    int unplugAfterBlocks = -1;  // the cable is pulled right after this many non-empty DFU_DNLOAD blocks, once
    int replugAfterMs = -1;      // ... and goes back in after this long: a power cut rather than a pulled cable
    int stallAfterTransfers = 0; // control transfers let through before the stalls start
    int stallTransfers = 0;      // this many control transfers then stall
    bool neverReturnAfterReset = false;
    // Comes back in application mode when DFU mode was due, and back; with invalid firmware there is
    // only the boot loader to come back to.
    bool wrongModeAfterReset = false;
    QMap<std::uint16_t, QString> reportedVersions; // per sub ID: version reported whatever was programmed
    BcCmd bcCmd = BcCmd::Normal;
    std::uint16_t bcCmdErrorStatus = 8;
    int dfuErrorAtBlock = -1;        // DFU_DNLOAD block number that fails
    int dfuErrorTimes = 1;           // how many downloads of that block fail
    std::uint8_t dfuErrorStatus = 3; // errWRITE
};

// One simulated headset: identity, descriptors, persistent store, firmware, timing and faults.
struct HeadsetProfile
{
    QString name;
    std::uint16_t vendorId = 0x0A12;
    std::uint16_t productId = 0x1F20;
    std::uint16_t dfuProductId = 0x1F21;
    std::uint16_t deviceRelease = 0x0100;
    bool pluggedIn = true;
    bool startInDfuMode = false;
    // A USB reset that leaves the descriptors as they were (application to application) keeps the
    // device where it is, as the Linux kernel does: same address, no removal, no arrival.
    bool resetInPlace = false;

    // String descriptors (language 0x0409); an empty one is not offered.
    QString manufacturer = QStringLiteral("Orvo");
    QString product = QStringLiteral("Orvo ZR3h");
    QString serialNumber;

    std::uint8_t runtimeAttributes = 0x05; // DFU functional descriptor in application mode
    std::uint8_t dfuModeAttributes = 0x05; // ... and in DFU mode (bit 2: manifestation tolerant)
    std::uint16_t detachTimeoutMs = 5000;
    std::uint16_t transferSize = 1023;
    bool functionalDescriptor = true;
    // Raw configuration descriptor sets replacing the generated ones, for odd devices.
    QByteArray applicationConfiguration;
    QByteArray dfuConfiguration;
    std::uint32_t flashSize = 0x100000;

    // Firmware build id (BCCMD varid 0x2819): the stack's major and minor version.
    std::uint16_t buildId = 0x0100;
    QMap<std::uint16_t, QVector<std::uint16_t>> psStore;
    // Sub IDs whose firmware is not whole: a download into it began and no verified image has been
    // manifested since. With any of them the chip can only start its boot loader, whatever StartMode
    // says, and it keeps doing so across resets and power cycles until the firmware is complete.
    QSet<std::uint16_t> invalidFirmware;

    SimTiming timing;
    SimFaults faults;
};

// Reads a profile file; on failure error names the file and the problem.
bool LoadHeadsetProfiles(const QString& path, QList<HeadsetProfile>* profiles, QString* error);
bool ParseHeadsetProfiles(const QByteArray& xml, const QString& fileName, QList<HeadsetProfile>* profiles,
                          QString* error);

// Version text "MM.mm.BB" (hexadecimal major and minor, two build characters) as the chip stores it:
// word 0 = (major << 8) + minor, word 1 = (build character 1 << 8) + build character 2.
bool EncodeVersionWords(const QString& version, QVector<std::uint16_t>* words);
// The firmware build id for a stack version: only major and minor fit in it.
bool BuildIdForVersion(const QString& version, std::uint16_t* buildId);
// Bluetooth address text "NN:NN:UU:LL:LL:LL" as the four PS words LAP high, LAP low, UAP, NAP.
bool EncodeAddressWords(const QString& address, QVector<std::uint16_t>* words);

} // namespace Sim
