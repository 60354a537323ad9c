#include "support/ModalWatcher.h"

#include "dialogs/TransferDialog.h"
#include "widgets/PortChooser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

namespace testing_support {

ModalWatcher::ModalWatcher() {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::Poll);
    m_timer.start();
}

ModalWatcher::~ModalWatcher() = default;

void ModalWatcher::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_boxes.push_back({box->windowTitle(), box->text()});
        if (m_box)
            m_box(box);
        QAbstractButton* button = nullptr;
        if (!m_answers.isEmpty())
            button = box->button(m_answers.takeFirst());
        if (!button)
            button = box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton())
                                          : box->escapeButton();
        if (button)
            button->click();
        else
            box->done(0);
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        ++m_fileDialogs;
        m_fileDialogsSeen.push_back(
            {dialog->windowTitle(), dialog->directory().absolutePath(), dialog->nameFilters()});
        if (!m_filters.isEmpty()) {
            // As a user's choice in the list, which tells the dialog's owner.
            const QString filter = m_filters.takeFirst();
            dialog->selectNameFilter(filter);
            emit dialog->filterSelected(filter);
        }
        const QString file = m_files.isEmpty() ? QString() : m_files.takeFirst();
        if (file.isEmpty()) {
            dialog->reject();
        } else {
            // The dialog leaves its file name field alone while that field has
            // the focus (it may hold what a user is typing), and the focus
            // arrives whenever the window system gets round to activating the
            // dialog: before this poll or after it. Take the focus away so that
            // the name is typed in either way.
            if (QWidget* focus = dialog->focusWidget())
                focus->clearFocus();
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        }
        return;
    }
    if (auto* chooser = qobject_cast<widgets::PortChooserDialog*>(modal)) {
        if (m_chooserPending == chooser)
            return; // its OK is on the way
        ++m_portChoosers;
        const QString device = m_devices.isEmpty() ? QString() : m_devices.takeFirst();
        if (device.isEmpty()) {
            chooser->reject();
        } else {
            chooser->DeviceField()->setText(device);
            // From the event loop, so that a message box that OK opens is
            // answered by the next poll.
            m_chooserPending = chooser;
            QTimer::singleShot(0, chooser, [this, chooser] {
                m_chooserPending = nullptr;
                chooser->accept();
            });
        }
        return;
    }
    if (auto* transfer = qobject_cast<dialogs::TransferDialog*>(modal)) {
        if (m_lastTransfer != transfer) {
            m_lastTransfer = transfer;
            m_transferCaptions << transfer->windowTitle();
        }
        if (m_transfer)
            m_transfer(transfer);
        return;
    }
    if (m_other)
        m_other(modal);
}

} // namespace testing_support
