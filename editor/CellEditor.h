// Typing into the channel grids of one document window: each grid's store
// hands the user's values, and its view the moves of the active cell, to the
// edit rules of their tab, which run the document's cell rules on the tab's
// table, where each typed value was read as it went in. This
// controller shows the refusals in message boxes, puts a refused cell back
// into edit mode, and commits every cell edit that is accepted into the image
// at once, as one step of the document's undo history.
#pragma once

#include "radio/CellEntry.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>

namespace document {
class RadioDocument;
}
namespace outside {
class CellStore;
}
namespace widgets {
class GridView;
}

namespace editor {

class CellEditor : public QObject {
    Q_OBJECT

public:
    // commit writes one tab's grid into the image (a cell edit was accepted).
    CellEditor(document::RadioDocument& doc, std::function<void(int tab)> commit,
               QObject* parent = nullptr);
    ~CellEditor() override;

    // Gives a tab's grid (its view and the store it shows) the edit rules of
    // the tab, which work on channels, the table the store shows. The store
    // must not outlive this editor with them, nor this editor the table.
    void Attach(int tab, widgets::GridView* view, radio::TabChannels& channels);

    radio::entry::CellRules& Rules() { return m_rules; }

    // Whether a cell that was edited and not left since may stay as it is;
    // when not, the message is shown and false comes back. With keepEditing
    // a refused frequency cell goes back into edit mode.
    bool CheckEditedCell(bool keepEditing);
    // The grids were filled again: no edit is waiting any more.
    void Forget() { m_pendingTab = -1; }
    // Whether a cell edit is waiting for its check.
    bool HasPendingCell() const { return m_pendingTab >= 0; }

    // Whether a row's cells stay as the user left them rather than show what
    // the image holds: a value that was refused, or a hyper memory's set whose
    // receive frequency was emptied (it stays empty until a refresh).
    bool KeepsTypedCells(int tab, int row) const;

private:
    class TabRules;

    // What the edit rules of a tab hear, with the tab.
    void BeforeEdit(int tab, int col, int row);
    void AfterEdit(int tab, int col, int row);
    void Toggled(int tab, int col, int row);
    bool CanLeave(int tab, int col, int row, int newRow);
    int LockedCellEdited(int tab, int col, int row);

    outside::CellStore& Cells(int tab) const;
    // A freshly seeded row is selected whole.
    void SelectRow(int tab, int row);
    void SetPending(int tab, int col, int row);
    void ClearPending(int tab, int col, int row);
    void Show(const QString& text, widgets::GridView* view);
    void EditAgain(widgets::GridView* view, int col, int row);

    radio::entry::CellRules m_rules;
    std::function<void(int)> m_commit;
    std::array<widgets::GridView*, radio::tab::kCount> m_views{};
    std::array<radio::TabChannels*, radio::tab::kCount> m_channels{};
    std::array<std::unique_ptr<TabRules>, radio::tab::kCount> m_tabRules;
    // The edited cell that has not passed its check yet.
    int m_pendingTab = -1;
    int m_pendingCol = 0;
    int m_pendingRow = 0;
};

} // namespace editor
