// Answers the modal dialogs a GUI action opens, the way a user would: it
// records each message box's caption and text and presses a button, types a
// file name into file dialogs and a device into the port chooser, and lets a
// test press the buttons of a running transfer dialog. Real widgets, no
// stand-ins.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace dialogs {
class TransferDialog;
}
class QWidget;

namespace testing_support {

struct SeenBox {
    QString caption;
    QString text;
};

struct SeenFileDialog {
    QString caption;
    QString folder; // where it started
    QStringList filters;
};

class ModalWatcher : public QObject {
    Q_OBJECT

public:
    ModalWatcher();
    ~ModalWatcher() override;

    // Answers for the next message boxes, in order; when they run out,
    // boxes are answered with their default (or escape) button.
    void AnswerBoxes(QList<QMessageBox::StandardButton> answers) { m_answers = answers; }
    // File names for the next file dialogs, in order; an empty name cancels.
    void AnswerFiles(QStringList files) { m_files = files; }
    // Name filters chosen in the next file dialogs, in order, before their
    // file names; none left keeps a dialog's own choice.
    void AnswerFilters(QStringList filters) { m_filters = filters; }
    // Devices for the next port choosers, in order: typed into the device
    // field and confirmed with OK. An empty entry, or none left, cancels.
    void AnswerPortChoosers(QStringList devices) { m_devices = devices; }
    // Called at every poll while a transfer dialog is the active modal window,
    // to press its buttons or look at its progress; it need not close it.
    void WhileTransferDialog(std::function<void(dialogs::TransferDialog*)> handler) {
        m_transfer = std::move(handler);
    }
    // Called for each message box before it is answered.
    void OnBox(std::function<void(QMessageBox*)> handler) { m_box = std::move(handler); }
    // Called for any other modal dialog; it must close it.
    void OnOtherDialog(std::function<void(QWidget*)> handler) { m_other = std::move(handler); }

    const QList<SeenBox>& Boxes() const { return m_boxes; }
    int FileDialogs() const { return m_fileDialogs; }
    const QList<SeenFileDialog>& FileDialogsSeen() const { return m_fileDialogsSeen; }
    int PortChoosers() const { return m_portChoosers; }
    // The captions of the transfer dialogs that were shown, in order.
    const QStringList& TransferDialogs() const { return m_transferCaptions; }
    void Clear() {
        m_boxes.clear();
        m_fileDialogs = 0;
        m_fileDialogsSeen.clear();
        m_portChoosers = 0;
        m_transferCaptions.clear();
    }

private:
    void Poll();

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_files;
    QStringList m_filters;
    QList<SeenBox> m_boxes;
    int m_fileDialogs = 0;
    QList<SeenFileDialog> m_fileDialogsSeen;
    QStringList m_devices;
    int m_portChoosers = 0;
    QPointer<QWidget> m_chooserPending;
    std::function<void(dialogs::TransferDialog*)> m_transfer;
    QPointer<dialogs::TransferDialog> m_lastTransfer;
    QStringList m_transferCaptions;
    std::function<void(QWidget*)> m_other;
    std::function<void(QMessageBox*)> m_box;
};

} // namespace testing_support
