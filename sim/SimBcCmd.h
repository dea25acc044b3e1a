#pragma once

#include "sim/HeadsetProfile.h"

#include <QByteArray>

#include <cstdint>

namespace Sim {

class SimPsStore;

enum class SimBcCmdOutcome
{
    Ignored,  // not a request, or the faults keep the chip silent
    Answered, // the response is ready to go back as vendor events
    Restart,  // a reset was set: the chip restarts instead of answering
};

// The chip's BCCMD service: one request message in, its GETRESP out, with the status the chip gives.
// It knows the variables a host uses: the firmware build id, PS size and PS value over the store, and
// the two resets.
SimBcCmdOutcome AnswerBcCmd(const QByteArray& request, const SimFaults& faults, std::uint16_t buildId,
                            SimPsStore* store, QByteArray* response);

} // namespace Sim
