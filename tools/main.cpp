// tessary-pack: writes a firmware image file for the simulated headset (header, payload, DFU suffix)
// and, when asked, adds it to an index file with its length, CRC and SHA-256 and signs the index
// file. It also makes the key pair to sign with.

#include "firmware/IndexNumber.h"
#include "firmware/VersionNumbers.h"
#include "tools/FirmwarePacker.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

int Fail(const QString& message)
{
    QTextStream(stderr) << "tessary-pack: " << message << '\n';
    return 1;
}

bool ReadNumber(const QCommandLineParser& parser, const QString& option, std::uint32_t maximum, std::uint32_t* value)
{
    return OrvoCommon::ParseIndexNumber(parser.value(option), maximum, value) == OrvoCommon::IndexNumberResult::Ok;
}

} // namespace

int main(int argc, char** argv)
{
    // Attribute order in the written index file follows the hash seed; a fixed seed keeps builds
    // reproducible.
    qSetGlobalQHashSeed(0);
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Packs a firmware image for the simulated headset."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options = {
        {QStringLiteral("output"), QStringLiteral("Image file to write."), QStringLiteral("file")},
        {QStringLiteral("sub-id"), QStringLiteral("Sub ID: 0 stack, 1 VM application."), QStringLiteral("n")},
        {QStringLiteral("version"), QStringLiteral("The image's version, e.g. 01.02.00."), QStringLiteral("version")},
        {QStringLiteral("payload"), QStringLiteral("File whose bytes are the payload."), QStringLiteral("file")},
        {QStringLiteral("payload-size"), QStringLiteral("Generate a payload of this many bytes."), QStringLiteral("n")},
        {QStringLiteral("vendor-id"), QStringLiteral("DFU suffix idVendor."), QStringLiteral("id")},
        {QStringLiteral("product-id"), QStringLiteral("DFU suffix idProduct and the index file's DEVICE ID."),
         QStringLiteral("id")},
        {QStringLiteral("bcd-device"), QStringLiteral("DFU suffix bcdDevice."), QStringLiteral("n"),
         QStringLiteral("0xFFFF")},
        {QStringLiteral("index"), QStringLiteral("Index file to create or update."), QStringLiteral("file")},
        {QStringLiteral("product-name"), QStringLiteral("PRODUCTNAME of the DEVICE."), QStringLiteral("name")},
        {QStringLiteral("sibling-id"),
         QStringLiteral("Also list this product id under the same name, with the same hardware, "
                        "releases and images (the headset in its other USB mode)."),
         QStringLiteral("id")},
        {QStringLiteral("hardware"), QStringLiteral("HARDWARE REVISION."), QStringLiteral("version")},
        {QStringLiteral("release"), QStringLiteral("RELEASE REVISION (default: the image's version)."),
         QStringLiteral("version")},
        {QStringLiteral("http-host"), QStringLiteral("RELEASE HTTPHOST."), QStringLiteral("host")},
        {QStringLiteral("url-path"), QStringLiteral("RELEASE URLPATH."), QStringLiteral("path")},
        {QStringLiteral("sign"),
         QStringLiteral("Sign the index file (after adding the image, if one is given) with this PEM private key "
                        "into <index>.sig."),
         QStringLiteral("key")},
        {QStringLiteral("generate-key"),
         QStringLiteral("Write a new Ed25519 private key to this PEM file and its public key to --public-key."),
         QStringLiteral("file")},
        {QStringLiteral("public-key"), QStringLiteral("Where --generate-key writes the public key."),
         QStringLiteral("file")},
    };
    parser.addOptions(options);
    parser.process(application);

    QString error;
    if (parser.isSet(QStringLiteral("generate-key"))) {
        if (!parser.isSet(QStringLiteral("public-key")))
            return Fail(QStringLiteral("--generate-key needs --public-key"));
        if (!FirmwarePacker::GenerateKeyPair(parser.value(QStringLiteral("generate-key")),
                                             parser.value(QStringLiteral("public-key")), &error))
            return Fail(error);
        return 0;
    }
    const bool sign = parser.isSet(QStringLiteral("sign"));
    if (sign && !parser.isSet(QStringLiteral("index")))
        return Fail(QStringLiteral("--sign needs --index"));
    const auto signIndex = [&] {
        if (sign && !FirmwarePacker::SignIndex(parser.value(QStringLiteral("index")),
                                               parser.value(QStringLiteral("sign")), &error))
            return Fail(error);
        return 0;
    };
    // Signing alone: an index file made earlier or elsewhere.
    if (sign && !parser.isSet(QStringLiteral("output")))
        return signIndex();

    for (const char* required : {"output", "sub-id", "version", "vendor-id", "product-id"}) {
        if (!parser.isSet(QLatin1String(required)))
            return Fail(QStringLiteral("--%1 is required").arg(QLatin1String(required)));
    }
    FirmwarePacker::ImageRequest request;
    std::uint32_t number = 0;
    request.outputPath = parser.value(QStringLiteral("output"));
    if (!ReadNumber(parser, QStringLiteral("sub-id"), 0xFF, &number))
        return Fail(QStringLiteral("--sub-id must be a number from 0 to 255"));
    request.subId = static_cast<std::uint16_t>(number);
    request.imageVersion = parser.value(QStringLiteral("version"));
    if (!OrvoCommon::IsValidVersion(request.imageVersion))
        return Fail(QStringLiteral("--version %1 is not a valid version").arg(request.imageVersion));
    if (!ReadNumber(parser, QStringLiteral("vendor-id"), 0xFFFF, &number))
        return Fail(QStringLiteral("--vendor-id must be a 16-bit number"));
    request.vendorId = static_cast<std::uint16_t>(number);
    if (!ReadNumber(parser, QStringLiteral("product-id"), 0xFFFF, &number))
        return Fail(QStringLiteral("--product-id must be a 16-bit number"));
    request.productId = static_cast<std::uint16_t>(number);
    if (!ReadNumber(parser, QStringLiteral("bcd-device"), 0xFFFF, &number))
        return Fail(QStringLiteral("--bcd-device must be a 16-bit number"));
    request.bcdDevice = static_cast<std::uint16_t>(number);

    if (parser.isSet(QStringLiteral("payload")) == parser.isSet(QStringLiteral("payload-size")))
        return Fail(QStringLiteral("give exactly one of --payload and --payload-size"));
    if (parser.isSet(QStringLiteral("payload"))) {
        QFile payload(parser.value(QStringLiteral("payload")));
        if (!payload.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read %1").arg(payload.fileName()));
        request.payload = payload.readAll();
    } else {
        if (!ReadNumber(parser, QStringLiteral("payload-size"), 64 * 1024 * 1024, &number))
            return Fail(QStringLiteral("--payload-size must be a number up to 64 MiB"));
        request.payload = FirmwarePacker::PatternPayload(static_cast<int>(number), request.subId, request.imageVersion);
    }

    QByteArray image;
    if (!FirmwarePacker::WriteImage(request, &image, &error))
        return Fail(error);
    if (!parser.isSet(QStringLiteral("index")))
        return 0;

    FirmwarePacker::IndexEntry entry;
    entry.indexPath = parser.value(QStringLiteral("index"));
    entry.productName = parser.value(QStringLiteral("product-name"));
    if (entry.productName.isEmpty())
        return Fail(QStringLiteral("--product-name is required with --index"));
    entry.hardwareRevision = parser.value(QStringLiteral("hardware"));
    entry.releaseVersion =
        parser.isSet(QStringLiteral("release")) ? parser.value(QStringLiteral("release")) : request.imageVersion;
    if (!OrvoCommon::IsValidVersion(entry.hardwareRevision))
        return Fail(QStringLiteral("--hardware must be a valid version"));
    if (!OrvoCommon::IsValidVersion(entry.releaseVersion))
        return Fail(QStringLiteral("--release must be a valid version"));
    if (parser.isSet(QStringLiteral("sibling-id"))) {
        if (!ReadNumber(parser, QStringLiteral("sibling-id"), 0xFFFF, &number))
            return Fail(QStringLiteral("--sibling-id must be a 16-bit number"));
        entry.siblingProductId = static_cast<std::uint16_t>(number);
        entry.hasSibling = true;
    }
    entry.httpHost = parser.value(QStringLiteral("http-host"));
    entry.urlPath = parser.value(QStringLiteral("url-path"));
    if (!FirmwarePacker::UpdateIndex(entry, request, image, &error))
        return Fail(error);
    return signIndex();
}
