// Feeds arbitrary bytes to the index-file loader: every input must end in a loaded index file or in
// "index-corrupted", never in a crash, a hang or another error code.

#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "firmware/IndexFile.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzProgramFolder::Write(InputPath(), reinterpret_cast<const char*>(data), size);
    try {
        std::unique_ptr<OrvoCommon::IIndexFile> index = OrvoCommon::IndexFile::Create(InputPath());
        OrvoCommon::ProductIdentity identity;
        for (std::uint16_t id : index->GetProductIds()) {
            identity.productId = id;
            std::uint16_t sibling = 0;
            index->GetSiblingProductId(id, &sibling);
            for (const QString& hardware : {QStringLiteral("01.00.00"), QStringLiteral("00.00.00")}) {
                identity.hardwareRevision = hardware;
                const QString newest = index->GetNewestVersion(identity);
                index->GetImageDescriptors(newest, identity);
            }
        }
    } catch (const OrvoCommon::OrvoException& exception) {
        if (exception.GetErrorCode() != QLatin1String(OrvoCommon::ErrorCodes::IndexCorrupted))
            std::abort();
    }
    return 0;
}
