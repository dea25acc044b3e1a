// Verifying a 1 MiB image (CRC + length, and with a SHA-256 digest) against zlib's crc32 over the same
// bytes in memory.

#include "firmware/Crc32.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IndexFile.h"
#include "firmware/Sha256.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <zlib.h>

using namespace OrvoCommon;

namespace {

constexpr int ImageSize = 1024 * 1024;
constexpr int Rounds = 200;

bool Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

double MegabytesPerSecond(qint64 nanoseconds)
{
    return double(ImageSize) * Rounds / (1024.0 * 1024.0) / (double(nanoseconds) / 1e9);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    LinkLinuxSystemInfoReader();
    QTextStream out(stdout);
    QTemporaryDir dir;
    qputenv("TESSARY_APP_DIR", QFile::encodeName(dir.path()));

    QByteArray image(ImageSize, Qt::Uninitialized);
    std::uint32_t state = 1;
    for (char& byte : image) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    const std::uint32_t crc = Crc32::Of(image);
    if (!Write(dir.filePath(QStringLiteral("image.dfu")), image))
        return 1;
    const QString index =
        QStringLiteral("<INDEX><DEVICE ID=\"1\" PRODUCTNAME=\"P\"><HARDWARE REVISION=\"01.00.00\"><RELEASE "
                       "REVISION=\"01.00.00\"><IMAGE SUBID=\"0\" FILENAME=\"image.dfu\" LENGTH=\"%1\" "
                       "CRC=\"%2\" REVISION=\"01.00.00\"/></RELEASE></HARDWARE></DEVICE></INDEX>")
            .arg(ImageSize)
            .arg(crc);
    const QString digested = QString(index).replace(
        QStringLiteral("REVISION=\"01.00.00\"/>"),
        QStringLiteral("REVISION=\"01.00.00\" SHA256=\"%1\"/>").arg(QString::fromLatin1(Sha256::Of(image).toHex())));
    if (!Write(dir.filePath(QStringLiteral("index.xml")), index.toUtf8()) ||
        !Write(dir.filePath(QStringLiteral("digested.xml")), digested.toUtf8()))
        return 1;
    const auto indexFile = IndexFile::Create(dir.filePath(QStringLiteral("index.xml")));
    const auto digestedFile = IndexFile::Create(dir.filePath(QStringLiteral("digested.xml")));
    ProductIdentity identity;
    identity.productId = 1;
    identity.hardwareRevision = QStringLiteral("01.00.00");
    const IFirmwareImageDescriptor* descriptor =
        indexFile->GetImageDescriptors(QStringLiteral("01.00.00"), identity).value(0);
    const IFirmwareImageDescriptor* digestedDescriptor =
        digestedFile->GetImageDescriptors(QStringLiteral("01.00.00"), identity).value(0);

    QElapsedTimer timer;
    unsigned long sink = 0;
    timer.start();
    for (int round = 0; round < Rounds; ++round)
        sink ^= crc32(0, reinterpret_cast<const Bytef*>(image.constData()), ImageSize);
    const qint64 zlibNs = timer.nsecsElapsed();

    timer.restart();
    for (int round = 0; round < Rounds; ++round)
        sink ^= Crc32::Of(image);
    const qint64 helperNs = timer.nsecsElapsed();

    timer.restart();
    for (int round = 0; round < Rounds; ++round)
        FirmwareImageFile::Create(descriptor);
    const qint64 verifyNs = timer.nsecsElapsed();

    timer.restart();
    for (int round = 0; round < Rounds; ++round)
        FirmwareImageFile::Create(digestedDescriptor);
    const qint64 digestNs = timer.nsecsElapsed();

    out << "1 MiB image, " << Rounds << " rounds (checksum " << (sink & 1) << ")\n"
        << "zlib crc32 in memory:                 " << MegabytesPerSecond(zlibNs) << " MiB/s\n"
        << "Crc32 helper in memory:               " << MegabytesPerSecond(helperNs) << " MiB/s\n"
        << "FirmwareImageFile::Create (file, CRC + length): " << MegabytesPerSecond(verifyNs) << " MiB/s, "
        << double(verifyNs) / Rounds / 1e6 << " ms per image\n"
        << "FirmwareImageFile::Create (file, CRC + length + SHA-256): " << MegabytesPerSecond(digestNs) << " MiB/s, "
        << double(digestNs) / Rounds / 1e6 << " ms per image\n";
    return 0;
}
