#pragma once

namespace OrvoCommon {

// The end of the device engine: the facade, the comm driver, the USB interface and every worker
// thread they started. The wizard, the script engine and tessary-update all leave through it.
class DeviceEngine
{
public:
    static constexpr int DefaultShutdownMs = 10000;

    // Ends the engine at any moment: during a query, programming, a reset wait or the cold reset that
    // follows an update. Call it on the GUI thread, after its event loop has ended or from inside it,
    // while the Qt application object and the firmware acquisition (whose images a programming run
    // reads) still exist, and not from a handler of the engine's own signals: the object emitting
    // would be destroyed under it (post the shutdown to the event loop instead).
    //
    // In order: every worker is asked to stop (a programming run abandons the device where it stands;
    // the headset then reports an interrupted update and is programmed in full next time); every
    // device is closed, which ends a blocked HCI read at once; the workers are waited for, each
    // within the control-transfer time-out that may still be running; then the facade, the comm
    // driver and the USB interface are destroyed, in that order. No completion signal is delivered
    // afterwards, and the factories make a new engine on their next use.
    //
    // Returns false, leaving the engine in place, when a worker is still running at the deadline:
    // destroying what it uses would be worse than keeping it.
    static bool ShutDown(int timeoutMs = DefaultShutdownMs);
};

} // namespace OrvoCommon
