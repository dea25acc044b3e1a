// Feeds arbitrary bytes to the Config.xml reader as the program's Config.xml: every getter must
// answer or throw "config-file-error", never crash, hang or throw anything else.

#include "app/ConfigKeys.h"
#include "app/Configuration.h"
#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QString& ConfigPath()
{
    static QString path;
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

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    OrvoCommon::GetLogger()->SetLoggingLevel(0);
    static QTemporaryDir folder(QStringLiteral("/dev/shm/tessary-fuzz-config-XXXXXX"));
    if (!folder.isValid())
        std::abort();
    qputenv("TESSARY_APP_DIR", QFile::encodeName(folder.path()));
    ConfigPath() = folder.filePath(QStringLiteral("Config.xml"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        QFile config(ConfigPath());
        if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        config.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
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
