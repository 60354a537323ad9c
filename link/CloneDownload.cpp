#include "link/CloneDownload.h"

#include "radio/RadioModel.h"

#include <algorithm>
#include <cstring>

namespace radiolink {

CloneDownload::CloneDownload(std::unique_ptr<SerialLine> line, TransferTiming timing)
    : CloneTransfer(std::move(line), timing) {}

void CloneDownload::Step(Clock::time_point now) {
    StepGuard guard(*this);
    if (!guard.Entered())
        return;
    // Before the radio's first byte the download waits for the user, who
    // puts the radio into clone mode or cancels; after it, a silent line
    // ends the transfer.
    if (SilenceExpired(now)) {
        Fail(QString::fromLatin1(kCommunicationTimeout));
        return;
    }
    if (m_waitingForEcho)
        ReceiveEcho(now);
    else
        ReceiveImage(now);
}

void CloneDownload::ReceiveEcho(Clock::time_point now) {
    // Serial adapters often hand the echo over later than one read waits;
    // taking the next image byte for it would shift the whole image. So an
    // empty read keeps waiting, and the watchdog bounds the wait.
    const std::optional<Byte> read = ReadByte(now);
    if (!read)
        return;
    const Byte byte = *read;
    m_waitingForEcho = false;
    if (byte == kAck)
        m_groupCount = 0;
    // Any other byte is dropped. After the last stretch the image is whole
    // either way: the echo only confirms the computer's own acknowledgement.
    if (m_position == kImageSize)
        TestChecksum();
}

void CloneDownload::ReceiveImage(Clock::time_point now) {
    const int ask = std::min(kGroupSize - m_groupCount, NextAckBoundary(m_position) - m_position);
    if (ask <= 0)
        return;
    Byte* into = m_buffer.data() + m_position;
    const int n = Line().Read(into, ask);
    if (n < 0) {
        FailOnLine();
        return;
    }
    if (n == 0)
        return;
    NoteActivity(now);

    int kept = n;
    if (m_position == 0) {
        // Bytes before the first 0x0A are noise as the radio starts sending.
        const Byte* first = std::find(into, into + n, kFirstImageByte);
        kept = static_cast<int>(into + n - first);
        std::memmove(into, first, static_cast<size_t>(kept));
        if (kept == 0)
            return;
    }
    m_position += kept;
    m_groupCount += kept;

    if (IsAckBoundary(m_position)) {
        const Byte ack = kAck;
        if (Line().Write(&ack, 1) != 1) {
            FailOnLine();
            return;
        }
        ++m_acksSent;
        m_waitingForEcho = true;
        m_groupCount = 0;
    } else if (m_groupCount >= kGroupSize) {
        m_groupCount = 0;
    }
}

void CloneDownload::TestChecksum() {
    if (radio::RadioModel::ImageChecksumHolds(m_buffer.data()))
        Succeed();
    else
        Fail(QString::fromLatin1(kChecksumError));
}

void CloneDownload::Discard() {
    m_buffer.fill(0);
}

} // namespace radiolink
