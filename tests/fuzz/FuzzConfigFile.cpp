// Feeds arbitrary bytes to the Config.xml reader as the program's Config.xml: every getter must
// answer or throw "config-file-error", never crash, hang or throw anything else.

#include "app/ConfigKeys.h"
#include "app/Configuration.h"
#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "tests/fuzz/FuzzProgramFolder.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QString& ConfigPath()
{
    static const QString path = FuzzProgramFolder::FilePath(QStringLiteral("Config.xml"));
    return path;
}

template <typename Call>
void Expect(Call call)
{
    try {
        call();
    } catch (const OrvoCommon::OrvoException& exception) {
        if (exception.GetErrorCode() != QLatin1String(OrvoCommon::ErrorCodes::ConfigFileError))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzProgramFolder::Write(ConfigPath(), reinterpret_cast<const char*>(data), size);
    using namespace OrvoCommon;
    Configuration configuration;
    Expect([&] { configuration.GetIndexFileHost(); });
    Expect([&] { configuration.GetIndexFilePath(); });
    Expect([&] { configuration.GetIndexFileName(); });
    Expect([&] { configuration.GetLoggingLevel(); });
    Expect([&] { configuration.GetNumber(QLatin1String(ConfigKeys::HciTimeout), 5000); });
    Expect([&] { configuration.GetNumber(QLatin1String(ConfigKeys::ResetTimeout)); });
    Expect([&] { configuration.GetBool(QLatin1String(ConfigKeys::CleanErrorLog), true); });
    Expect([&] { configuration.GetBool(QLatin1String(ConfigKeys::AcceptNonMatchingDfuSuffix)); });
    Expect([&] { configuration.GetString(QLatin1String(ConfigKeys::UsbBackend), QStringLiteral("libusb")); });
    Expect([&] { configuration.GetLanguages(); });
    Expect([&] { configuration.HasAsciiVersionNumber(); });
    return 0;
}
