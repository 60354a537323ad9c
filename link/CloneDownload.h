// The clone download: the radio sends its image unasked in three stretches
// (10 bytes, 8 bytes, the other 16193) and waits for 0x06 after each; every
// 0x06 the computer sends comes back as an echo that is read before going on.
#pragma once

#include "link/CloneTransfer.h"

#include <array>

namespace radiolink {

class CloneDownload : public CloneTransfer {
public:
    explicit CloneDownload(std::unique_ptr<SerialLine> line, TransferTiming timing = {});

    // One receive step: read the echo of the last acknowledgement, or read
    // image bytes, at most up to the end of the current group of 64 and never
    // past the next place where the radio waits.
    void Step(Clock::time_point now) override;

    // The image as received; whole and checked once State() is Succeeded,
    // cleared when the transfer fails or is cancelled.
    const std::array<Byte, kImageSize>& Image() const { return m_buffer; }

    bool WaitingForEcho() const { return m_waitingForEcho; }
    int GroupCount() const { return m_groupCount; }
    // Acknowledgements written so far (three in a good download).
    int AcksSent() const { return m_acksSent; }

private:
    void ReceiveEcho(Clock::time_point now);
    void ReceiveImage(Clock::time_point now);
    void TestChecksum();
    void Discard() override;

    std::array<Byte, kImageSize> m_buffer{};
    int m_groupCount = 0;
    bool m_waitingForEcho = false;
    int m_acksSent = 0;
};

} // namespace radiolink
