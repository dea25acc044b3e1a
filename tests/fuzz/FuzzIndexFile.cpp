// Feeds arbitrary bytes to the index-file loader: every input must end in a loaded index file or in
// "index-corrupted", never in a crash, a hang or another error code. An input that loads is then
// signed and loaded as a signed file: that may fail only for an image without a digest, must give
// every image it offers a digest when it succeeds, and must be refused once its signature is bent.

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "firmware/Ed25519Key.h"
#include "firmware/IndexFile.h"
#include "firmware/TrustedKeys.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QString& InputPath()
{
    static QString path;
    return path;
}

QString& SignaturePath()
{
    static QString path;
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

void Write(const QString& path, const char* data, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data, size) != size)
        std::abort();
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
    Write(SignaturePath(), signature.constData(), signature.size());
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
    Write(SignaturePath(), signature.constData(), signature.size());
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
    // Millions of rejected inputs would otherwise fill the error log.
    OrvoCommon::GetLogger()->SetLoggingLevel(0);
    static QTemporaryFile file(QStringLiteral("/dev/shm/tessary-fuzz-index-XXXXXX"));
    static QTemporaryFile signature(QStringLiteral("/dev/shm/tessary-fuzz-index-XXXXXX.sig"));
    if (!file.open() || !signature.open() || Keys().IsEmpty())
        std::abort();
    InputPath() = file.fileName();
    SignaturePath() = signature.fileName();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    Write(InputPath(), bytes, static_cast<qint64>(size));
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
