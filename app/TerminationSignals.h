#pragma once

namespace OrvoCommon {

// Ends the event loop when the session or the user asks the process to stop (SIGTERM, SIGINT), so
// that the program leaves the way it does after a confirmed Cancel: the engine shut down in order,
// the log closed, the temporary files deleted. Call once, after the application object exists.
void QuitOnTerminationSignals();

// Whether such a request has come. One that arrives before the event loop runs may be seen only
// by a stray processEvents() (a splash screen waiting to be painted calls one), where ending the
// event loop has no effect; the caller then does not enter the loop at all.
bool TerminationRequested();

} // namespace OrvoCommon
