#include "firmware/LoggedException.h"

#include "app/ILogger.h"
#include "app/OrvoException.h"

namespace OrvoCommon {

void ThrowLoggedException(ILogger* logger, const char* errorCode, const QString& message)
{
    const OrvoException exception(QLatin1String(errorCode), message);
    if (logger)
        logger->LogException(exception);
    throw exception;
}

} // namespace OrvoCommon
