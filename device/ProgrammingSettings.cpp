#include "device/ProgrammingSettings.h"

#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ConfiguredInt.h"
#include "app/IConfiguration.h"

#include <algorithm>

namespace OrvoCommon {

ProgrammingSettings ProgrammingSettings::Read()
{
    ProgrammingSettings settings;
    settings.resetTimeoutMs = std::max(1, ConfiguredInt(ConfigKeys::ResetTimeout, ConfigKeys::ResetTimeoutDefault));
    settings.sequenceRetries = ConfiguredInt(ConfigKeys::SequenceRetries, ConfigKeys::SequenceRetriesDefault);
    settings.failsafeSeconds = ConfiguredInt(ConfigKeys::FailsafeTimeout, ConfigKeys::FailsafeTimeoutDefault) / 1000;
    settings.acceptNonMatchingSuffix = GetConfiguration()->GetBool(
        QLatin1String(ConfigKeys::AcceptNonMatchingDfuSuffix), ConfigKeys::AcceptNonMatchingDfuSuffixDefault);
    settings.hciTimeoutMs = ConfiguredInt(ConfigKeys::HciTimeout, ConfigKeys::HciTimeoutDefault);
    settings.messageRetries = ConfiguredInt(ConfigKeys::MessageRetries, ConfigKeys::MessageRetriesDefault);
    return settings;
}

} // namespace OrvoCommon
