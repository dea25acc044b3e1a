#pragma once

namespace OrvoCommon {

// Ends the device engine of a run without the wizard: lets running programming and query threads
// finish, then destroys the facade, the comm driver and the USB interface in that order while Qt is
// still up. Safe to call when nothing of the engine was ever made.
void ShutDownDeviceEngine();

} // namespace OrvoCommon
