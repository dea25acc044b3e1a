// Feeds arbitrary bytes to the DFU suffix check as an image file (found and verified the way the
// programming thread gets it): the check must pass or fail with "firmware-corrupted" or
// "dfu-file-mismatch", never crash, hang or read outside the file.

#include "app/ErrorCodes.h"
#include "app/LoggerFactory.h"
#include "device/DfuFileSuffix.h"
#include "firmware/Crc32.h"
#include "firmware/FirmwareImageDescriptor.h"
#include "firmware/FirmwareImageFile.h"
#include "firmware/IFirmwareImageFile.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "tests/fuzz/FuzzProgramFolder.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QString& ImagePath()
{
    static const QString path = FuzzProgramFolder::FilePath(QStringLiteral("image.dfu"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The image is looked for where the program looks, which needs the bundle path.
    OrvoCommon::LinkLinuxSystemInfoReader();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace OrvoCommon;
    // The first byte picks the check's options; the rest is the image.
    if (size < 1)
        return 0;
    const bool acceptNonMatching = data[0] & 1;
    const QByteArray image(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
    FuzzProgramFolder::Write(ImagePath(), image.constData(), static_cast<std::size_t>(image.size()));
    FirmwareImageDescriptor::Fields fields;
    fields.fileName = QStringLiteral("image.dfu");
    fields.length = static_cast<std::uint32_t>(image.size());
    fields.crc = Crc32::Of(image);
    const FirmwareImageDescriptor descriptor(fields, GetLogger());
    const std::unique_ptr<IFirmwareImageFile> file = FirmwareImageFile::Create(&descriptor);
    const DfuFileSuffix::Result result =
        DfuFileSuffix::Validate(file.get(), 0x0A12, 0x1F20, nullptr, acceptNonMatching, GetLogger());
    if (!result.errorCode.isEmpty() && result.errorCode != QLatin1String(ErrorCodes::FirmwareCorrupted) &&
        result.errorCode != QLatin1String(ErrorCodes::DfuFileMismatch))
        std::abort();
    // A suffix that passes was read whole, and the download leaves it out.
    if (result.errorCode.isEmpty() && (!result.lengthRead || result.length < 16 || result.length > image.size()))
        std::abort();
    return 0;
}
