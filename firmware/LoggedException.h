#pragma once

#include <QString>

namespace OrvoCommon {

class ILogger;

// The firmware catalogue logs each exception once, as an exception line, where it raises it.
// A null logger still throws.
[[noreturn]] void ThrowLoggedException(ILogger* logger, const char* errorCode, const QString& message);

} // namespace OrvoCommon
