// Runs a transfer to its end without an event loop: sleeps in ppoll on the
// line and the transfer's deadlines, and runs a step whenever bytes arrive or
// a deadline passes. The command line and the benchmarks use it.
#pragma once

#include "link/CloneTransfer.h"

#include <functional>

namespace radiolink {

// cancelDescriptor: becomes readable when the user cancels (for example a
// signalfd for SIGINT), or -1. afterStep: called after every step, for
// progress. Returns the transfer's final state.
TransferState RunTransfer(CloneTransfer& transfer, int cancelDescriptor = -1,
                          const std::function<void(const CloneTransfer&)>& afterStep = {});

} // namespace radiolink
