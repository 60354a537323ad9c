#include "link/CloneUpload.h"

#include <algorithm>
#include <cstring>

namespace radiolink {

CloneUpload::CloneUpload(std::unique_ptr<SerialLine> line, const Byte* image, TransferTiming timing)
    : CloneTransfer(std::move(line), timing) {
    std::memcpy(m_send.data(), image, kImageSize);
}

void CloneUpload::Start(Clock::time_point now) {
    StepGuard guard(*this);
    if (!guard.Entered() || Started())
        return;
    m_position = 0;
    m_echoCount = 0;
    m_blockLength = 0;
    Drain();
    if (IsRunning())
        ScheduleBlock(now);
}

bool CloneUpload::WantsInput() const {
    switch (m_phase) {
    case Phase::NotStarted:
        return false;
    case Phase::Pause:
        // Whatever arrives before the first block cannot be its echo.
        return m_blocksSent == 0;
    case Phase::Echo:
    case Phase::Answer:
        return true;
    }
    return true;
}

std::optional<Clock::time_point> CloneUpload::NextDeadline() const {
    std::optional<Clock::time_point> deadline = CloneTransfer::NextDeadline();
    if (IsRunning() && m_phase == Phase::Pause)
        deadline = deadline ? std::min(*deadline, m_blockDue) : m_blockDue;
    return deadline;
}

void CloneUpload::Step(Clock::time_point now) {
    StepGuard guard(*this);
    if (!guard.Entered() || !Started())
        return;
    if (SilenceExpired(now)) {
        Fail(QString::fromLatin1(kCommunicationTimeout));
        return;
    }
    switch (m_phase) {
    case Phase::NotStarted:
        break;
    case Phase::Pause:
        if (m_blocksSent == 0)
            Drain();
        if (IsRunning() && now >= m_blockDue)
            SendBlock(now);
        break;
    case Phase::Answer:
        AnswerStep(now);
        break;
    case Phase::Echo:
        EchoStep(now);
        break;
    }
}

void CloneUpload::Drain() {
    Byte scratch[256];
    for (int drained = 0; drained < kDrainLimit;) {
        const int n = Line().Read(scratch, static_cast<int>(sizeof scratch));
        if (n < 0) {
            FailOnLine();
            return;
        }
        if (n == 0)
            return;
        drained += n;
    }
}

void CloneUpload::ScheduleBlock(Clock::time_point now) {
    m_blockLength = BlockLengthAt(m_position);
    m_blockDue = now + Timing().blockPause;
    m_phase = Phase::Pause;
}

void CloneUpload::SendBlock(Clock::time_point now) {
    if (Line().Write(m_send.data() + m_position, m_blockLength) != m_blockLength) {
        FailOnLine();
        return;
    }
    ++m_blocksSent;
    m_echoCount = 0;
    m_phase = Phase::Echo;
    NoteActivity(now);
}

void CloneUpload::AnswerStep(Clock::time_point now) {
    const std::optional<Byte> read = ReadByte(now);
    if (!read)
        return;
    const Byte byte = *read;
    if (byte == kNak) {
        Fail(QString::fromLatin1(kCommError));
    } else if (byte == kAck) {
        m_echoCount = 0;
        ScheduleBlock(now);
    }
    // Anything else: keep waiting for the radio's answer.
}

void CloneUpload::EchoStep(Clock::time_point now) {
    int count = m_blockLength - m_echoCount;
    if (m_position == 0) {
        // The echo starts with the image's first byte; what comes before it
        // is not ours.
        for (;;) {
            const std::optional<Byte> byte = ReadByte(now);
            if (!byte)
                return;
            if (*byte == kFirstImageByte) {
                m_echo[0] = *byte;
                m_position = 1;
                m_echoCount = 1;
                --count;
                break;
            }
        }
    }
    if (count > 0) {
        const int n = Line().Read(m_echo.data() + m_position, count);
        if (n < 0) {
            FailOnLine();
            return;
        }
        if (n == 0)
            return;
        NoteActivity(now);
        m_position += n;
        m_echoCount += n;
    }

    if (m_position == kImageSize) {
        // The checksum byte is not acknowledged: the upload is complete.
        m_echoCount = 0;
        Succeed();
    } else if (IsAckBoundary(m_position)) {
        m_echoCount = 0;
        m_phase = Phase::Answer;
    } else if (m_echoCount >= m_blockLength) {
        m_echoCount = 0;
        ScheduleBlock(now);
    }
}

} // namespace radiolink
