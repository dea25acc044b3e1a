#include "firmware/FirmwareImageDescriptor.h"

#include "app/ErrorCodes.h"
#include "firmware/LoggedException.h"

namespace OrvoCommon {

std::int16_t FirmwareImageDescriptor::GetPersonality() const
{
    if (!m_fields.hasPersonality)
        ThrowLoggedException(m_logger, ErrorCodes::InternalError, QStringLiteral("Image doesn't have personality"));
    return m_fields.personality;
}

} // namespace OrvoCommon
