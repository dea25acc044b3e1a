#pragma once

#include <functional>

namespace OrvoCommon {

// Ends the event loop when the session or the user asks the process to stop (SIGTERM, SIGINT), so
// that the program leaves the way it does after a confirmed Cancel: the engine shut down in order,
// the log closed, the temporary files deleted. Call once, after the application object exists.
void QuitOnTerminationSignals();

// Whether such a request has come. One that arrives before the event loop runs may be seen only
// by a stray processEvents() (a splash screen waiting to be painted calls one), where ending the
// event loop has no effect; the caller then does not enter the loop at all.
bool TerminationRequested();

// While the guard answers false (the headset is being written), a first stop request is held: the
// program says why and carries on, as a closed window would; a second request ends it anyway. An
// empty guard lets every request through.
void SetTerminationGuard(std::function<bool()> mayEndNow);

} // namespace OrvoCommon
