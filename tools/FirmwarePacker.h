#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Builds firmware image files for the simulated headset and keeps an index file in step with them.
class FirmwarePacker
{
public:
    struct ImageRequest
    {
        QString outputPath;
        std::uint16_t subId = 0;
        QString imageVersion;
        QByteArray payload;
        // DFU suffix: the device the file is meant for.
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        std::uint16_t bcdDevice = 0;
    };

    struct IndexEntry
    {
        QString indexPath;
        QString productName;
        // A second product id listed under the same name, with the same hardware, releases and images:
        // the same headset in its other USB mode.
        std::uint16_t siblingProductId = 0;
        bool hasSibling = false;
        QString hardwareRevision;
        QString releaseVersion;
        QString httpHost;
        QString urlPath;
    };

    // Writes the image; false with a message in error when it cannot.
    static bool WriteImage(const ImageRequest& request, QByteArray* image, QString* error);

    // Adds the image to the index file (created when absent) or updates its entry: the DEVICE of the
    // image's product id (and of the sibling id), its HARDWARE, the RELEASE and the IMAGE of the sub ID,
    // with the file's name, length, CRC and SHA-256.
    static bool UpdateIndex(const IndexEntry& entry, const ImageRequest& request, const QByteArray& image,
                            QString* error);

    // Writes a new Ed25519 key pair as PEM files, the private one readable by its owner only.
    static bool GenerateKeyPair(const QString& privateKeyPath, const QString& publicKeyPath, QString* error);

    // Signs the index file's exact bytes with the PEM private key into the index path + ".sig" (the
    // raw 64-byte signature). Refuses an index file that the program would refuse once signed: one
    // with an IMAGE that gives no SHA256.
    static bool SignIndex(const QString& indexPath, const QString& privateKeyPath, QString* error);

    // A payload that depends only on its size, sub ID and version, so builds are reproducible.
    static QByteArray PatternPayload(int size, std::uint16_t subId, const QString& version);
};
