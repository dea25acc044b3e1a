#pragma once

namespace OrvoCommon {

// The program's version as the log and the support information report it.
inline constexpr char ApplicationVersion[] = "1.0.5924";

} // namespace OrvoCommon
