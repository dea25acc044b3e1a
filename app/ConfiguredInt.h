#pragma once

namespace OrvoCommon {

// A Config.xml number for a count or a time-out held in an int: the configured value (defaultValue
// when absent), capped at INT_MAX. Throws what GetConfiguration() throws.
int ConfiguredInt(const char* key, unsigned defaultValue);

} // namespace OrvoCommon
