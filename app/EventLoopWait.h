#pragma once

#include <functional>

namespace OrvoCommon {

// Keeps the calling thread's event loop running, sleeping while nothing happens, until the
// condition holds (true) or the time is up (false). For code that runs outside a wizard's event loop.
bool ProcessEventsUntil(const std::function<bool()>& condition, int timeoutMs);

} // namespace OrvoCommon
