// Typing into the channel grids of one document window: the grid views'
// events go to the cell rules, refusals are shown in message boxes, and every
// cell edit that is accepted is committed into the image at once, as one
// step of the document's undo history.
#pragma once

#include "radio/CellEntry.h"

#include <QObject>

#include <functional>

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

    // Sends the events of a tab's grid view here.
    void Attach(int tab, widgets::GridView* view);

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
    bool KeepsTypedCells(int tab, const outside::CellStore& grid, int row) const;

private:
    void OnEditMode(int tab, int col, int row, int mode, bool changeMade);
    void OnChanged(int tab, int col, int row);
    void OnLeaveCell(int tab, int col, int row, int newCol, int newRow, bool* cancel);
    void OnLeaveRow(int tab, int row, int newRow);
    void OnEditRefused(int tab, int col, int row, int code);
    void OnButtonClicked(int tab, int col, int row);
    void Show(const QString& text, widgets::GridView* view);
    void EditAgain(widgets::GridView* view, int col, int row);

    document::RadioDocument& m_doc;
    radio::entry::CellRules m_rules;
    std::function<void(int)> m_commit;
    widgets::GridView* m_views[radio::tab::kCount] = {};
    // The edited cell that has not passed its check yet.
    int m_pendingTab = -1;
    int m_pendingCol = 0;
    int m_pendingRow = 0;
};

} // namespace editor
