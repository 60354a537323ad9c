#include "editor/CellEditor.h"

#include "document/RadioDocument.h"
#include "outside/CellStore.h"
#include "radio/ChannelColumns.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"

#include <QMessageBox>
#include <QTimer>

using namespace radio;

namespace editor {

CellEditor::CellEditor(document::RadioDocument& doc, std::function<void(int)> commit,
                       QObject* parent)
    : QObject(parent), m_doc(doc), m_rules(doc.Radio()), m_commit(std::move(commit)) {}

void CellEditor::Attach(int t, widgets::GridView* view) {
    if (t < 0 || t >= tab::kCount)
        return;
    m_views[t] = view;
    connect(view, &widgets::GridView::editModeChanged, this,
            [this, t](int col, int row, int mode, bool changeMade) {
                OnEditMode(t, col, row, mode, changeMade);
            });
    connect(view, &widgets::GridView::changed, this,
            [this, t](int col, int row) { OnChanged(t, col, row); });
    connect(view, &widgets::GridView::leaveCell, this,
            [this, t](int col, int row, int newCol, int newRow, bool* cancel) {
                OnLeaveCell(t, col, row, newCol, newRow, cancel);
            });
    connect(view, &widgets::GridView::leaveRow, this,
            [this, t](int row, int newRow, bool*) { OnLeaveRow(t, row, newRow); });
    connect(view, &widgets::GridView::editRefused, this,
            [this, t](int col, int row, int code) { OnEditRefused(t, col, row, code); });
    connect(view, &widgets::GridView::buttonClicked, this,
            [this, t](int col, int row, int) { OnButtonClicked(t, col, row); });
}

void CellEditor::OnEditMode(int t, int col, int row, int mode, bool changeMade) {
    outside::CellStore& grid = *m_views[t]->Cells();
    if (mode != 0) {
        m_rules.EditStarted(t, grid, col, row);
        return;
    }
    if (!changeMade)
        return;
    m_rules.EditEnded(t, grid, col, row);
    // An acceptable value goes into the image now, with what it changed
    // around it; a refused one waits for the user to leave the cell.
    if (m_rules.CheckCell(t, grid, col, row)) {
        m_pendingTab = t;
        m_pendingCol = col;
        m_pendingRow = row;
        return;
    }
    if (m_pendingTab == t && m_pendingCol == col && m_pendingRow == row)
        m_pendingTab = -1;
    m_commit(t);
}

void CellEditor::OnChanged(int t, int col, int row) {
    widgets::GridView* view = m_views[t];
    m_rules.Changed(t, *view->Cells(), col, row);
    // A check box changes without edit mode: it is committed at once. An
    // edit is committed when its editor closes.
    if (!view->IsEditing())
        m_commit(t);
}

void CellEditor::OnLeaveCell(int t, int col, int row, int newCol, int newRow, bool* cancel) {
    if (newCol < 0)
        return; // the focus went elsewhere: the cell stays the active one
    widgets::GridView* view = m_views[t];
    outside::CellStore& grid = *view->Cells();
    if (const auto refusal = m_rules.CheckCell(t, grid, col, row)) {
        if (cancel)
            *cancel = true;
        m_pendingTab = t;
        m_pendingCol = col;
        m_pendingRow = row;
        Show(refusal->message, view);
        if (refusal->keepEditing)
            EditAgain(view, col, row);
        return;
    }
    if (m_pendingTab == t && m_pendingCol == col && m_pendingRow == row)
        m_pendingTab = -1;
    m_rules.CellLeft(t, grid, col, row, newRow);
}

void CellEditor::OnLeaveRow(int t, int row, int) {
    m_rules.RowLeft(t, *m_views[t]->Cells(), row);
}

void CellEditor::OnEditRefused(int t, int col, int row, int code) {
    if (code != 1)
        return;
    widgets::GridView* view = m_views[t];
    int activeCol = 0;
    const auto message = m_rules.EditRefused(t, *view->Cells(), col, row, &activeCol);
    if (!message)
        return;
    Show(*message, view);
    if (activeCol > 0)
        view->SetActiveCell(activeCol, row);
}

void CellEditor::OnButtonClicked(int t, int col, int row) {
    m_rules.ButtonClicked(t, *m_views[t]->Cells(), col, row);
}

bool CellEditor::CheckEditedCell(bool keepEditing) {
    if (m_pendingTab < 0)
        return true;
    widgets::GridView* view = m_views[m_pendingTab];
    const auto refusal =
        m_rules.CheckCell(m_pendingTab, *view->Cells(), m_pendingCol, m_pendingRow);
    if (!refusal) {
        m_pendingTab = -1;
        return true;
    }
    Show(refusal->message, view);
    if (keepEditing && refusal->keepEditing) {
        view->SetActiveCell(m_pendingCol, m_pendingRow);
        view->StartEdit();
    }
    return false;
}

bool CellEditor::KeepsTypedCells(int t, const outside::CellStore& grid, int row) const {
    for (const int shift : {0, hypercol::kSetAShift, hypercol::kSetBShift}) {
        if (entry::ChannelShift(t, shift + channelcol::kReceive) != shift)
            continue;
        if (shift > 0 &&
            entry::ReadFrequencyCell(m_doc.Radio(), grid, shift + channelcol::kReceive, row)
                .IsBlank())
            return true;
        for (const int col : {channelcol::kReceive, channelcol::kTransmit, channelcol::kOffset}) {
            if (m_rules.CheckCell(t, grid, shift + col, row))
                return true;
        }
    }
    return false;
}

void CellEditor::Show(const QString& text, widgets::GridView* view) {
    QMessageBox::warning(view ? view->window() : nullptr,
                         QString::fromLatin1(widgets::res::kAppTitle), text);
}

void CellEditor::EditAgain(widgets::GridView* view, int col, int row) {
    // After the view has gone back to the cell it was leaving.
    QTimer::singleShot(0, view, [view, col, row] {
        view->SetActiveCell(col, row);
        view->StartEdit();
    });
}

} // namespace editor
