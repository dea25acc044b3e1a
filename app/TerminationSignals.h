#pragma once

namespace OrvoCommon {

// Ends the event loop when the session or the user asks the process to stop (SIGTERM, SIGINT), so
// that the program leaves the way it does after a confirmed Cancel: the engine shut down in order,
// the log closed, the temporary files deleted. Call once, after the application object exists.
void QuitOnTerminationSignals();

} // namespace OrvoCommon
