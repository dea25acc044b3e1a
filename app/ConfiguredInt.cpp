#include "app/ConfiguredInt.h"

#include "app/ConfigurationFactory.h"
#include "app/IConfiguration.h"

#include <QString>

#include <algorithm>
#include <climits>

namespace OrvoCommon {

int ConfiguredInt(const char* key, unsigned defaultValue)
{
    return static_cast<int>(
        std::min<unsigned>(GetConfiguration()->GetNumber(QLatin1String(key), defaultValue), INT_MAX));
}

} // namespace OrvoCommon
