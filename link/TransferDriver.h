// Drives a transfer from a Qt event loop, as the transfer dialogs do: a
// window-style timer (5 ms for a download, 20 ms for an upload), a socket
// notifier that runs a step as soon as bytes arrive, and a precise one-shot
// timer for the transfer's next deadline (the end of an upload block's
// pause, the watchdog), so that no block waits for the next tick.
#pragma once

#include "link/CloneTransfer.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

namespace radiolink {

class TransferDriver : public QObject {
    Q_OBJECT

public:
    // The transfer must outlive the driver. tick: kDownloadTick or
    // kUploadTick.
    TransferDriver(CloneTransfer& transfer, std::chrono::milliseconds tick,
                   QObject* parent = nullptr);
    ~TransferDriver() override;

    // Starts driving (an upload must have been started first).
    void Start();
    // The Cancel button.
    void Cancel();

signals:
    // Bytes received or echoed so far, whenever the count changes.
    void progress(int position);
    // Once, when the transfer has ended; message is empty unless it failed.
    void ended(radiolink::TransferState state, const QString& message);

private:
    void RunStep();
    void Rearm();
    void Finish();

    CloneTransfer& m_transfer;
    QTimer m_tick;
    QTimer m_deadline;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_shown = -1;
    bool m_ended = false;
};

} // namespace radiolink
