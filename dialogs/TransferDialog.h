// What the two transfer dialogs share: the port is chosen (the remembered
// one, else the chooser) and opened before the dialog shows; the engine runs
// from the event loop through a TransferDriver; the progress bar, the byte
// count, Cancel and Help; and whatever ends the dialog closes the port, with
// DTR and RTS dropped.
#pragma once

#include "link/CloneTransfer.h"
#include "link/TransferDriver.h"

#include <QDialog>
#include <QStringList>

#include <chrono>
#include <memory>

namespace radiolink {
class SerialPort;
}
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace dialogs {

// The dialogs' texts.
constexpr const char* kGetDataCaption = "Get data from";
constexpr const char* kSendDataCaption = "Send data to";
constexpr const char* kInsertCable = "1. Insert cable into the Speaker/Mic jack.";
constexpr const char* kCloneMode = "2. Press and hold the FW key while turning on the VX-7";
constexpr const char* kPressBand = "3. Press the \"Band\" key on the VX-7.";
constexpr const char* kPressVm = "3. Press the \"V/M\" key on the VX-7.";
constexpr const char* kClickOk = "4. Click the OK button to start the transfer.";
// The byte count field holds at most this many characters.
constexpr int kByteCountLength = 6;

class TransferDialog : public QDialog {
    Q_OBJECT

public:
    ~TransferDialog() override;

    // Chooses and opens the port, then runs the dialog modally. Ends at once
    // with Rejected, without showing the dialog, when the user cancels the
    // port choice or the port does not open (after the port's message in a
    // "Com port error" box).
    int exec() override;

    // Why the dialog ended without a finished transfer: the transfer's or
    // the port's message; empty when it finished or the user cancelled.
    const QString& Failure() const { return m_failure; }

    // The device in use, once the port is open.
    const QString& Device() const { return m_device; }
    // The transfer over the open port; nullptr before the port is open.
    const radiolink::CloneTransfer* Transfer() const { return m_transfer.get(); }

    QProgressBar* ProgressBar() const { return m_progress; }
    QLineEdit* ByteCount() const { return m_byteCount; }
    QDialogButtonBox* Buttons() const { return m_buttons; }
    QPushButton* CancelButton() const;
    QPushButton* HelpButton() const;

public slots:
    // Any ending (Cancel, Escape, the window's close button, the end of the
    // transfer) cancels a running transfer, which closes the port.
    void done(int result) override;

protected:
    TransferDialog(const char* caption, const QStringList& instructions, int helpTopic,
                   std::chrono::milliseconds tick, QWidget* parent);

    // The engine over the freshly opened port; nullptr ends the dialog.
    virtual std::unique_ptr<radiolink::CloneTransfer>
    MakeTransfer(std::unique_ptr<radiolink::SerialPort> port) = 0;
    // Called once the engine is made, before the dialog shows.
    virtual void OnPortOpen() {}

    // Starts the timer, the notifier and the deadline timer.
    void StartDriving();
    // A line below the instructions, above the port; a warning is drawn
    // as one.
    QLabel* AddNote(const QString& text, const QString& objectName, bool warning = false);

private:
    std::unique_ptr<radiolink::SerialPort> OpenPort();
    void ShowHelp();
    void OnProgress(int position);
    void OnEnded(radiolink::TransferState state, const QString& message);

    int m_helpTopic;
    std::chrono::milliseconds m_tick;
    QString m_device;
    QString m_failure;
    QVBoxLayout* m_steps;
    QLabel* m_portLabel;
    QProgressBar* m_progress;
    QLineEdit* m_byteCount;
    QDialogButtonBox* m_buttons;
    // The driver refers to the transfer: it goes first.
    std::unique_ptr<radiolink::CloneTransfer> m_transfer;
    std::unique_ptr<radiolink::TransferDriver> m_driver;
    bool m_closing = false;
};

} // namespace dialogs
