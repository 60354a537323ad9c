#include "link/CloneTransfer.h"

namespace radiolink {

CloneTransfer::CloneTransfer(std::unique_ptr<SerialLine> line, TransferTiming timing)
    : m_line(std::move(line)), m_timing(timing) {}

CloneTransfer::~CloneTransfer() {
    if (IsRunning())
        m_line->Close();
}

std::optional<Clock::time_point> CloneTransfer::NextDeadline() const {
    if (!IsRunning() || !m_watchdogArmed)
        return std::nullopt;
    return m_lastActivity + m_timing.silenceLimit;
}

void CloneTransfer::Cancel() {
    if (IsRunning())
        End(TransferState::Cancelled);
}

void CloneTransfer::NoteActivity(Clock::time_point now) {
    m_watchdogArmed = true;
    m_lastActivity = now;
}

bool CloneTransfer::SilenceExpired(Clock::time_point now) const {
    return m_watchdogArmed && now - m_lastActivity >= m_timing.silenceLimit;
}

void CloneTransfer::Succeed() {
    End(TransferState::Succeeded);
}

void CloneTransfer::Fail(const QString& message) {
    m_message = message;
    End(TransferState::Failed);
}

std::optional<Byte> CloneTransfer::ReadByte(Clock::time_point now) {
    Byte byte = 0;
    const int n = Line().Read(&byte, 1);
    if (n < 0) {
        FailOnLine();
        return std::nullopt;
    }
    if (n == 0)
        return std::nullopt;
    NoteActivity(now);
    return byte;
}

void CloneTransfer::FailOnLine() {
    Fail(m_line->Failure());
}

void CloneTransfer::End(TransferState state) {
    m_state = state;
    if (state != TransferState::Succeeded)
        Discard();
    m_line->Close();
}

CloneTransfer::StepGuard::StepGuard(CloneTransfer& transfer)
    : m_transfer(transfer), m_entered(!transfer.m_busy && transfer.IsRunning()) {
    if (m_entered)
        m_transfer.m_busy = true;
}

CloneTransfer::StepGuard::~StepGuard() {
    if (m_entered)
        m_transfer.m_busy = false;
}

} // namespace radiolink
