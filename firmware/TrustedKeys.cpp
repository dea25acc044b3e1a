#include "firmware/TrustedKeys.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ControlCharacters.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/LoggerFactory.h"
#include "app/ProgramDirectory.h"
#include "firmware/LoggedException.h"

#include <QFile>
#include <QRegularExpression>

namespace OrvoCommon {

namespace {

// Only "*.pem" names directly in the program folder: the program's list of its own files holds
// every such name, so no download can replace a key.
bool IsKeyFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".pem"), Qt::CaseInsensitive) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !ContainsControlCharacters(name);
}

} // namespace

TrustedKeys TrustedKeys::FromConfiguration()
{
    ILogger* logger = GetLogger();
    const QString key = QLatin1String(ConfigKeys::IndexFileTrustedKeys);
    const QStringList names = GetConfiguration()
                                  ->GetString(key, QString())
                                  .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    TrustedKeys keys;
    for (const QString& name : names) {
        if (!IsKeyFileName(name))
            ThrowLoggedException(logger, ErrorCodes::ConfigFileError,
                                 QStringLiteral("The config file node ") + key + QStringLiteral(" names ") +
                                     EscapeControlCharacters(name) +
                                     QStringLiteral(", which is not a .pem file beside the program"));
        const QString path = ProgramDirectory() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            ThrowLoggedException(logger, ErrorCodes::ConfigFileError,
                                 QStringLiteral("Unable to open trusted key file: ") + path);
        QString error;
        Ed25519Key publicKey = Ed25519Key::FromPem(file.read(MaximumKeyFileSize), false, &error);
        if (publicKey.IsNull())
            ThrowLoggedException(logger, ErrorCodes::ConfigFileError,
                                 QStringLiteral("The trusted key file ") + path +
                                     QStringLiteral(" holds no Ed25519 public key: ") + error);
        keys.Add(name, std::move(publicKey));
    }
    return keys;
}

QString TrustedKeys::FindSigner(const QByteArray& message, const QByteArray& signature) const
{
    for (const auto& [name, key] : m_keys) {
        if (key.Verify(message, signature))
            return name;
    }
    return QString();
}

} // namespace OrvoCommon
