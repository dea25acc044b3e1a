#pragma once

#include "app/OrvoException.h"

#include <QEvent>

namespace UpdatePelarin {

// What the wizard posts to itself for every device and acquisition result, so that its state
// handlers never run inside another object's signal emission. Copies share the failure, which
// nobody changes.
class WizardEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = static_cast<QEvent::Type>(1001);

    enum Kind
    {
        Ready = 0,
        Disconnected = 1,
        FirmwareFilesAcquired = 2,
        ProgrammingComplete = 3,
        DeviceError = 4,
    };

    explicit WizardEvent(Kind kind, OrvoCommon::ExceptionPtr exception = nullptr)
        : QEvent(EventType), m_kind(kind), m_exception(std::move(exception))
    {
    }
    WizardEvent(const WizardEvent& other) : QEvent(EventType), m_kind(other.m_kind), m_exception(other.m_exception) {}
    WizardEvent& operator=(const WizardEvent&) = delete;

    Kind GetKind() const { return m_kind; }
    // Null unless the result was a failure.
    const OrvoCommon::ExceptionPtr& GetException() const { return m_exception; }

private:
    Kind m_kind;
    OrvoCommon::ExceptionPtr m_exception;
};

} // namespace UpdatePelarin
