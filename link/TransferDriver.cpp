#include "link/TransferDriver.h"

#include <algorithm>

namespace radiolink {

TransferDriver::TransferDriver(CloneTransfer& transfer, std::chrono::milliseconds tick,
                               QObject* parent)
    : QObject(parent), m_transfer(transfer) {
    m_tick.setInterval(tick);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &TransferDriver::RunStep);
    // A coarse timer may be 5 % late: over 256 pauses of 50 ms that alone
    // would cost more than the upload may lose.
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, &TransferDriver::RunStep);
}

TransferDriver::~TransferDriver() = default;

void TransferDriver::Start() {
    if (m_transfer.Descriptor() >= 0) {
        m_notifier =
            std::make_unique<QSocketNotifier>(m_transfer.Descriptor(), QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &TransferDriver::RunStep);
    }
    m_tick.start();
    Rearm();
    if (!m_transfer.IsRunning())
        Finish();
}

void TransferDriver::Cancel() {
    m_transfer.Cancel();
    Finish();
}

void TransferDriver::RunStep() {
    if (m_ended)
        return;
    m_transfer.Step(Clock::now());
    if (m_transfer.Position() != m_shown) {
        m_shown = m_transfer.Position();
        emit progress(m_shown);
    }
    if (m_transfer.IsRunning())
        Rearm();
    else
        Finish();
}

void TransferDriver::Rearm() {
    if (m_notifier)
        m_notifier->setEnabled(m_transfer.IsRunning() && m_transfer.WantsInput());
    if (const auto deadline = m_transfer.NextDeadline()) {
        // Rounded up, so that the step does not run just before its time.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
        m_deadline.start(std::max(left, std::chrono::milliseconds(0)));
    } else {
        m_deadline.stop();
    }
}

void TransferDriver::Finish() {
    if (m_ended)
        return;
    m_ended = true;
    m_tick.stop();
    m_deadline.stop();
    if (m_notifier)
        m_notifier->setEnabled(false);
    emit ended(m_transfer.State(), m_transfer.Message());
}

} // namespace radiolink
