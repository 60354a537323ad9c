// The common ground of the clone download and upload: a transfer over one
// serial line, run one step at a time by its caller, with a silence watchdog.
//
// Nothing here waits on its own. A caller runs Step() whenever bytes arrive
// on Descriptor() (if WantsInput()) and when NextDeadline() has passed: the
// desktop dialogs from their window timer and a socket notifier, the command
// line from its poll loop (TransferLoop.h). A step's reads wait at most 3 ms.
#pragma once

#include "link/LinkProtocol.h"
#include "link/SerialLine.h"

#include <QString>

#include <memory>
#include <optional>

namespace radiolink {

enum class TransferState { Running, Succeeded, Failed, Cancelled };

// Timing that tests may shorten; the program always uses the defaults.
struct TransferTiming {
    Clock::duration silenceLimit = kSilenceLimit;
    Clock::duration blockPause = kBlockPause; // upload only
};

class CloneTransfer {
public:
    CloneTransfer(std::unique_ptr<SerialLine> line, TransferTiming timing);
    CloneTransfer(const CloneTransfer&) = delete;
    CloneTransfer& operator=(const CloneTransfer&) = delete;
    virtual ~CloneTransfer();

    // One step of the transfer at time now.
    virtual void Step(Clock::time_point now) = 0;
    // Whether the next step waits for bytes on the line (else only for the
    // deadline).
    virtual bool WantsInput() const { return true; }
    // When a step is due even if no byte arrives; nullopt: only on bytes.
    virtual std::optional<Clock::time_point> NextDeadline() const;

    // Ends the transfer at once: nothing half-received is kept and the line
    // is closed.
    void Cancel();

    TransferState State() const { return m_state; }
    bool IsRunning() const { return m_state == TransferState::Running; }
    // Why the transfer failed, in the words shown to the user.
    const QString& Message() const { return m_message; }
    // Bytes received (download) or echoed (upload), 0 to 16211.
    int Position() const { return m_position; }
    // The line's descriptor while the transfer runs, else -1.
    int Descriptor() const { return IsRunning() ? m_line->Descriptor() : -1; }

protected:
    SerialLine& Line() { return *m_line; }
    const TransferTiming& Timing() const { return m_timing; }

    // Bytes moved on the line: the watchdog starts, or starts over.
    void NoteActivity(Clock::time_point now);
    bool SilenceExpired(Clock::time_point now) const;

    void Succeed();
    void Fail(const QString& message);
    // Fails with the line's own text.
    void FailOnLine();
    // Reads one byte, waiting at most one read: nullopt when nothing arrived
    // or the line failed (the transfer has failed then). A byte that arrives
    // counts as activity for the watchdog.
    std::optional<Byte> ReadByte(Clock::time_point now);
    // Forgets whatever was received; called when the transfer ends without
    // success.
    virtual void Discard() {}

    // Keeps steps from overlapping when a caller re-enters (a message box
    // opened from a step runs the event loop).
    class StepGuard {
    public:
        explicit StepGuard(CloneTransfer& transfer);
        ~StepGuard();
        StepGuard(const StepGuard&) = delete;
        StepGuard& operator=(const StepGuard&) = delete;
        bool Entered() const { return m_entered; }

    private:
        CloneTransfer& m_transfer;
        bool m_entered;
    };

    int m_position = 0;

private:
    void End(TransferState state);

    std::unique_ptr<SerialLine> m_line;
    TransferTiming m_timing;
    TransferState m_state = TransferState::Running;
    QString m_message;
    bool m_busy = false;
    bool m_watchdogArmed = false;
    Clock::time_point m_lastActivity{};
};

} // namespace radiolink
