#pragma once

namespace OrvoCommon {

// The configuration a programming run works with, read once when the run is made.
struct ProgrammingSettings
{
    int resetTimeoutMs = 0;  // between reset time-outs while a reconnection is awaited; at least 1
    int sequenceRetries = 0; // the run's shared budget of retries
    int failsafeSeconds = 0; // whole seconds without progress before the fail-safe ends the run
    bool acceptNonMatchingSuffix = false;
    int hciTimeoutMs = 0;   // each BCCMD request
    int messageRetries = 0; // each DFU control transfer

    // The configuration may throw OrvoException.
    static ProgrammingSettings Read();
};

} // namespace OrvoCommon
