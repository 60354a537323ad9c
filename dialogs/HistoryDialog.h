// Radio > History...: the images kept from every transfer, newest first.
// Delete asks first and acts at once; Open, Compare With and Send to radio
// end the dialog with the chosen entry for the main window to act on.
#pragma once

#include "link/ImageHistory.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace dialogs {

class HistoryDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { None, Open, Compare, Send };

    // canCompare: a document is open to compare an entry with.
    explicit HistoryDialog(bool canCompare, QWidget* parent = nullptr);

    // What the user chose, and for which entry, once exec() returned.
    Choice Chosen() const { return m_choice; }
    const std::optional<radiolink::history::Entry>& Entry() const { return m_chosen; }

    QTreeWidget* List() const { return m_list; }
    QPushButton* Button(Choice choice) const;
    QPushButton* DeleteButton() const { return m_delete; }

private:
    void Fill();
    void UpdateButtons();
    const radiolink::history::Entry* Current() const;
    void Choose(Choice choice);
    void DeleteCurrent();

    bool m_canCompare;
    QTreeWidget* m_list;
    QPushButton* m_open;
    QPushButton* m_compare;
    QPushButton* m_send;
    QPushButton* m_delete;
    std::vector<radiolink::history::Entry> m_entries;
    Choice m_choice = Choice::None;
    std::optional<radiolink::history::Entry> m_chosen;
};

} // namespace dialogs
