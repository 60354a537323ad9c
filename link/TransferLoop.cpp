#include "link/TransferLoop.h"

#include <cerrno>

#include <poll.h>

namespace radiolink {

TransferState RunTransfer(CloneTransfer& transfer, int cancelDescriptor,
                          const std::function<void(const CloneTransfer&)>& afterStep) {
    while (transfer.IsRunning()) {
        pollfd watch[2]{};
        nfds_t count = 0;
        int cancelSlot = -1;
        if (transfer.WantsInput() && transfer.Descriptor() >= 0)
            watch[count++] = {transfer.Descriptor(), POLLIN, 0};
        if (cancelDescriptor >= 0) {
            cancelSlot = static_cast<int>(count);
            watch[count++] = {cancelDescriptor, POLLIN, 0};
        }

        timespec wait{};
        timespec* timeout = nullptr;
        if (const auto deadline = transfer.NextDeadline()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::nanoseconds>(*deadline - Clock::now());
            const long long ns = left.count() > 0 ? left.count() : 0;
            wait.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            timeout = &wait;
        }
        if (count == 0 && !timeout) {
            // Nothing could ever wake the transfer (an upload not started).
            transfer.Cancel();
            break;
        }
        if (::ppoll(watch, count, timeout, nullptr) < 0 && errno != EINTR) {
            transfer.Cancel();
            break;
        }
        if (cancelSlot >= 0 && watch[cancelSlot].revents) {
            transfer.Cancel();
            break;
        }
        transfer.Step(Clock::now());
        if (afterStep && transfer.IsRunning())
            afterStep(transfer);
    }
    if (afterStep)
        afterStep(transfer);
    return transfer.State();
}

} // namespace radiolink
