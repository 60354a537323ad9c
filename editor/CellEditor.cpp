#include "editor/CellEditor.h"

#include "document/RadioDocument.h"
#include "outside/CellStore.h"
#include "outside/EditRules.h"
#include "radio/ChannelColumns.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"

#include <QMessageBox>
#include <QTimer>

using namespace radio;

namespace editor {

// The edit rules of one tab's grid.
class CellEditor::TabRules : public outside::EditRules {
public:
    TabRules(CellEditor& editor, int tab) : m_editor(editor), m_tab(tab) {}
    void BeforeEdit(int col, int row) override { m_editor.BeforeEdit(m_tab, col, row); }
    void AfterEdit(int col, int row) override { m_editor.AfterEdit(m_tab, col, row); }
    void Toggled(int col, int row, bool) override { m_editor.Toggled(m_tab, col, row); }
    bool CanLeave(int col, int row, int, int newRow) override {
        return m_editor.CanLeave(m_tab, col, row, newRow);
    }
    int LockedCellEdited(int col, int row) override {
        return m_editor.LockedCellEdited(m_tab, col, row);
    }

private:
    CellEditor& m_editor;
    int m_tab;
};

CellEditor::CellEditor(document::RadioDocument& doc, std::function<void(int)> commit,
                       QObject* parent)
    : QObject(parent), m_rules(doc.Radio()), m_commit(std::move(commit)) {}

CellEditor::~CellEditor() = default;

void CellEditor::Attach(int t, widgets::GridView* view, radio::TabChannels& channels) {
    if (t < 0 || t >= tab::kCount || !view || !view->Cells())
        return;
    m_views[t] = view;
    m_channels[t] = &channels;
    m_tabRules[t] = std::make_unique<TabRules>(*this, t);
    view->Cells()->SetEditRules(m_tabRules[t].get());
}

outside::CellStore& CellEditor::Cells(int t) const {
    return *m_views[t]->Cells();
}

void CellEditor::BeforeEdit(int t, int col, int row) {
    m_rules.EditStarted(t, *m_channels[t], col, row);
}

void CellEditor::SelectRow(int t, int row) {
    outside::CellStore& grid = Cells(t);
    grid.SelectBlock({1, row, grid.MaxCols(), row});
}

void CellEditor::AfterEdit(int t, int col, int row) {
    radio::TabChannels& channels = *m_channels[t];
    if (m_rules.Changed(t, channels, col, row))
        SelectRow(t, row);
    if (m_rules.EditEnded(t, channels, col, row))
        SelectRow(t, row);
    // An acceptable value goes into the image now, with what it changed
    // around it; a refused one waits for the user to leave the cell. The
    // commit may fill the grid's cells again while the cell editor is still
    // open: the editor only closes after it.
    if (m_rules.CheckCell(t, channels, col, row)) {
        SetPending(t, col, row);
        return;
    }
    ClearPending(t, col, row);
    m_commit(t);
}

void CellEditor::Toggled(int t, int col, int row) {
    radio::TabChannels& channels = *m_channels[t];
    m_rules.ButtonClicked(t, channels, col, row);
    if (m_rules.Changed(t, channels, col, row))
        SelectRow(t, row);
    // A check box changes without edit mode: it is committed at once.
    m_commit(t);
}

bool CellEditor::CanLeave(int t, int col, int row, int newRow) {
    widgets::GridView* view = m_views[t];
    radio::TabChannels& channels = *m_channels[t];
    if (const auto refusal = m_rules.CheckCell(t, channels, col, row)) {
        SetPending(t, col, row);
        Show(refusal->message, view);
        if (refusal->keepEditing)
            EditAgain(view, col, row);
        return false;
    }
    ClearPending(t, col, row);
    m_rules.CellLeft(t, channels, col, row, newRow);
    if (newRow != row)
        m_rules.RowLeft(t, channels, row);
    return true;
}

int CellEditor::LockedCellEdited(int t, int col, int row) {
    int activeCol = 0;
    const auto message = m_rules.EditRefused(t, *m_channels[t], col, row, &activeCol);
    if (!message)
        return 0;
    Show(*message, m_views[t]);
    return activeCol;
}

void CellEditor::SetPending(int t, int col, int row) {
    m_pendingTab = t;
    m_pendingCol = col;
    m_pendingRow = row;
}

void CellEditor::ClearPending(int t, int col, int row) {
    if (m_pendingTab == t && m_pendingCol == col && m_pendingRow == row)
        m_pendingTab = -1;
}

bool CellEditor::CheckEditedCell(bool keepEditing) {
    if (m_pendingTab < 0)
        return true;
    widgets::GridView* view = m_views[m_pendingTab];
    const auto refusal =
        m_rules.CheckCell(m_pendingTab, *m_channels[m_pendingTab], m_pendingCol, m_pendingRow);
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

bool CellEditor::KeepsTypedCells(int t, int row) const {
    const radio::TabChannels* channels = t >= 0 && t < tab::kCount ? m_channels[t] : nullptr;
    if (!channels)
        return false;
    for (const int set : {0, 1, 2}) {
        const ChannelDraft* d = channels->Channel(row, set);
        if (!d)
            continue;
        if (set > 0 && d->rx.IsBlank())
            return true;
        const int shift = set == 0 ? 0 : set == 1 ? hypercol::kSetAShift : hypercol::kSetBShift;
        for (const int col : {channelcol::kReceive, channelcol::kTransmit, channelcol::kOffset}) {
            if (m_rules.CheckCell(t, *channels, shift + col, row))
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
