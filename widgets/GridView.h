// The spreadsheet grid on screen: a QTableView over the grid cell store,
// with delegates for its cell kinds (choice lists as combo boxes, check
// boxes, numbers with their decimals, texts with their maximum length and,
// per column, the characters they accept),
// two-line column headers, row labels and frozen leading columns.
//
// A value the user types or picks enters its cell through Qt's commit path
// (the delegate's setModelData, the store's setData), where the store's edit
// rules hear of it. What Qt has no hook for the view asks those rules itself:
// whether the active cell may move, and what becomes of an attempt to edit a
// locked cell. It also reports a dragged block dropped and the right mouse
// button released.
#pragma once

#include "outside/CellStore.h"

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <map>

namespace widgets {
class GridView;
}

namespace widgets {

// Creates and fills the editor of a cell by its kind.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit GridDelegate(GridView* view);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    GridView* m_view;
};

class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void SetCells(outside::CellStore* grid);
    outside::CellStore* Cells() const { return m_grid; }

    // The active cell (grid coordinates).
    int ActiveColumn() const;
    int ActiveRow() const;
    void SetActiveCell(int col, int row);
    // Whether a cell editor is open; start or end edit mode on the active
    // cell (ending commits what the editor holds).
    bool IsEditing() const { return m_editIndex.isValid(); }
    void StartEdit();
    void EndEdit();

    // The width of a column, computed from its header, list items and size.
    void FitColumns();

    // The characters the text cells of a column accept as they are typed or
    // pasted into the cell editor; others are refused there. None set: all.
    using CharacterFilter = std::function<bool(QChar)>;
    void SetCharacterFilter(int col, CharacterFilter accepts);
    CharacterFilter ColumnCharacterFilter(int col) const;

    // Internal, for the grid and its frozen pane: whether an edit the
    // trigger asks for lands on a locked cell (the edit rules then hear of
    // it and may name another cell of the row to make active); an editor
    // opened or closed. Tab or Shift+Tab (the hint) moves the active cell
    // once the editor has closed.
    bool RefusesLockedEdit(const QModelIndex& index, EditTrigger trigger, EditTriggers allowed);
    void NoteEditorOpened(const QModelIndex& index) { m_editIndex = index; }
    void NoteEditorClosed(QAbstractItemDelegate::EndEditHint hint = QAbstractItemDelegate::NoHint);
    // Whether an editor that is closing was let go of by a reset of the
    // cells (once: it counts as closed then).
    bool WasReleased(QWidget* editor);
    static QAbstractItemDelegate::EndEditHint ClosingHint(QAbstractItemDelegate::EndEditHint hint);
    // The cell Tab (step 1) or Shift+Tab (-1) goes to: the next shown column
    // of the active row; the active cell itself at the row's end.
    QModelIndex NextAlongRow(int step) const;

signals:
    // A dragged block was dropped with its top left cell at to's; the
    // handler moves what it wants.
    void blockDropped(const outside::GridBlock& from, const outside::GridBlock& to);
    // The right mouse button came up over the grid or its frozen pane, at a
    // point of the screen.
    void contextMenuWanted(const QPoint& globalPos);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The Menu key and Shift+F10 open the right-click menu at the active cell.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    void ApplyColumnOptions();
    void SyncSelectionFromGrid();
    void SyncActiveCellFromGrid(int col, int row);
    void UpdateFrozenGeometry();
    void OnModelReset();
    void NoteCellsReset();

    outside::CellStore* m_grid = nullptr;
    std::map<int, CharacterFilter> m_characterFilters; // by grid column
    QTableView* m_frozen = nullptr; // the frozen leading columns, over the left edge
    int m_frozenCount = 0;
    bool m_revertingCurrent = false;
    bool m_syncing = false;
    QModelIndex m_editIndex;
    QPointer<QWidget> m_releasedEditor;
    QPoint m_pressPos;
    bool m_pressOnSelection = false;
};

} // namespace widgets
