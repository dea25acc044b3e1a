#pragma once

#include <QMetaType>
#include <QString>

#include <memory>

namespace OrvoCommon {

// The one exception type: an error code from ErrorCodes.h and an English message for the log.
// Thrown by value, caught by reference.
class OrvoException
{
public:
    OrvoException(const QString& errorCode, const QString& message) : m_errorCode(errorCode), m_message(message) {}

    const QString& GetErrorCode() const { return m_errorCode; }
    const QString& GetMessage() const { return m_message; }

private:
    QString m_errorCode;
    QString m_message;
};

// How a failure crosses threads in a completion signal: a shared, immutable copy of the exception,
// null on success. The emitter makes the copy with MakeExceptionPtr; every receiver (queued or
// direct, one or many) reads code and message during its call and may keep the pointer or copy the
// exception. The last holder releases it, so nothing leaks whoever connects or disconnects.
using ExceptionPtr = std::shared_ptr<const OrvoException>;

inline ExceptionPtr MakeExceptionPtr(const OrvoException& exception)
{
    return std::make_shared<const OrvoException>(exception);
}

inline ExceptionPtr MakeExceptionPtr(const QString& errorCode, const QString& message)
{
    return std::make_shared<const OrvoException>(errorCode, message);
}

// Registers the types that cross threads in signals; safe to call more than once.
void RegisterCommonMetaTypes();

} // namespace OrvoCommon

Q_DECLARE_METATYPE(OrvoCommon::ExceptionPtr)
