// Feeds arbitrary bytes to the index-file loader: every input must end in a loaded index file or in
// "index-corrupted", never in a crash, a hang or another error code. An input that loads is then
// signed and loaded as a signed file: that may fail only for an image without a digest, must give
// every image it offers a digest when it succeeds, and must be refused once its signature is bent.

#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "firmware/Ed25519Key.h"
#include "firmware/IndexFile.h"
#include "firmware/TrustedKeys.h"
#include "tests/fuzz/FuzzProgramFolder.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

const QString& InputPath()
{
    static const QString path = FuzzProgramFolder::FilePath(QStringLiteral("index.xml"));
    return path;
}

const QString& SignaturePath()
{
    static const QString path = FuzzProgramFolder::FilePath(QStringLiteral("index.xml.sig"));
    return path;
}

OrvoCommon::Ed25519Key& Key()
{
    static OrvoCommon::Ed25519Key key = OrvoCommon::Ed25519Key::Generate();
    return key;
}

const OrvoCommon::TrustedKeys& Keys()
{
    static const OrvoCommon::TrustedKeys keys = [] {
        OrvoCommon::TrustedKeys trusted;
        QString error;
        trusted.Add(QStringLiteral("fuzz.pem"), OrvoCommon::Ed25519Key::FromPem(Key().PublicPem(), false, &error));
        return trusted;
    }();
    return keys;
}

// Every image the queries reach, as the fuzzed file's queries walk them.
template <typename Visit>
void WalkImages(const OrvoCommon::IIndexFile& index, Visit visit)
{
    OrvoCommon::ProductIdentity identity;
    for (std::uint16_t id : index.GetProductIds()) {
        identity.productId = id;
        std::uint16_t sibling = 0;
        index.GetSiblingProductId(id, &sibling);
        for (const QString& hardware : {QStringLiteral("01.00.00"), QStringLiteral("00.00.00")}) {
            identity.hardwareRevision = hardware;
            const QString newest = index.GetNewestVersion(identity);
            for (const OrvoCommon::IFirmwareImageDescriptor* descriptor : index.GetImageDescriptors(newest, identity))
                visit(*descriptor);
        }
    }
}

bool IsIndexCorrupted(const OrvoCommon::OrvoException& exception)
{
    return exception.GetErrorCode() == QLatin1String(OrvoCommon::ErrorCodes::IndexCorrupted);
}

void CheckSigned(const QByteArray& content)
{
    QByteArray signature = Key().Sign(content);
    if (signature.size() != OrvoCommon::Ed25519Key::SignatureSize)
        std::abort();
    FuzzProgramFolder::Write(SignaturePath(), signature.constData(), static_cast<std::size_t>(signature.size()));
    try {
        const auto index = OrvoCommon::IndexFile::Create(InputPath(), SignaturePath(), Keys());
        WalkImages(*index, [](const OrvoCommon::IFirmwareImageDescriptor& descriptor) {
            if (descriptor.GetSha256().size() != 32)
                std::abort();
        });
    } catch (const OrvoCommon::OrvoException& exception) {
        if (!IsIndexCorrupted(exception) || !exception.GetMessage().contains(QLatin1String("has no SHA256")))
            std::abort();
    }

    const int bent = content.size() % signature.size();
    signature[bent] = static_cast<char>(signature.at(bent) ^ 0x01);
    FuzzProgramFolder::Write(SignaturePath(), signature.constData(), static_cast<std::size_t>(signature.size()));
    try {
        OrvoCommon::IndexFile::Create(InputPath(), SignaturePath(), Keys());
        std::abort();
    } catch (const OrvoCommon::OrvoException& exception) {
        if (!IsIndexCorrupted(exception) || !exception.GetMessage().contains(QLatin1String("does not match")))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (Keys().IsEmpty())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    FuzzProgramFolder::Write(InputPath(), bytes, size);
    try {
        const std::unique_ptr<OrvoCommon::IIndexFile> index = OrvoCommon::IndexFile::Create(InputPath());
        WalkImages(*index, [](const OrvoCommon::IFirmwareImageDescriptor&) {});
    } catch (const OrvoCommon::OrvoException& exception) {
        if (!IsIndexCorrupted(exception))
            std::abort();
        return 0;
    }
    CheckSigned(QByteArray::fromRawData(bytes, static_cast<int>(size)));
    return 0;
}
