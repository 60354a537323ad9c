// The clone upload: the computer sends the image in blocks of 10 and 8 bytes,
// each answered by the radio with 0x06 (0x15 refuses), then 64 bytes at a
// time and the checksum byte last. Each block goes out 50 ms after the echo of
// the one before is complete; the echo of every block is counted first.
#pragma once

#include "link/CloneTransfer.h"

#include <array>

namespace radiolink {

class CloneUpload : public CloneTransfer {
public:
    // image: the 16211 bytes to send, with the header and checksums already
    // put in place (TransferDocument.h).
    CloneUpload(std::unique_ptr<SerialLine> line, const Byte* image, TransferTiming timing = {});

    // The start of the transfer (the dialog's OK button): drains what waits
    // on the line and makes the first block due after its pause.
    void Start(Clock::time_point now);

    // Writes a block when its pause is over, runs the answer step while the
    // radio's 0x06 is awaited, and the echo step otherwise.
    void Step(Clock::time_point now) override;
    bool WantsInput() const override;
    std::optional<Clock::time_point> NextDeadline() const override;

    bool Started() const { return m_phase != Phase::NotStarted; }
    bool WaitingForAck() const { return m_phase == Phase::Answer; }
    int BlockLength() const { return m_blockLength; }
    int EchoCount() const { return m_echoCount; }
    int BlocksSent() const { return m_blocksSent; }
    // The echoed bytes (kept, not compared).
    const std::array<Byte, kImageSize>& Echo() const { return m_echo; }

private:
    enum class Phase { NotStarted, Pause, Echo, Answer };

    void Drain();
    void ScheduleBlock(Clock::time_point now);
    void SendBlock(Clock::time_point now);
    void AnswerStep(Clock::time_point now);
    void EchoStep(Clock::time_point now);

    std::array<Byte, kImageSize> m_send{};
    std::array<Byte, kImageSize> m_echo{};
    Phase m_phase = Phase::NotStarted;
    Clock::time_point m_blockDue{};
    int m_blockLength = 0;
    int m_echoCount = 0;
    int m_blocksSent = 0;
};

} // namespace radiolink
