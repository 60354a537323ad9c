// The spreadsheet grid every channel table and settings page uses, without a
// screen: a cell store that the radio model fills and reads, and that a Qt
// view (a QTableView with delegates) shows directly as its model.
//
// Grid coordinates are those of the grid control: columns and rows count
// from 1; row 0 holds the column headers and column 0 the row labels. The
// model's own indexes are 0-based over the cells only, so that model row r is
// grid row r + 1 and model column c is grid column c + 1; the header texts and
// row labels reach a view through headerData().
//
// A cell has a kind (text, number, choice list, check box), a text, a list
// index, a lock and a maximum length. Choice lists are shared: every cell of
// a column holds a handle to the same list. Operations that address several
// cells take a GridBlock.
//
// The cells themselves live in a CellTable: by default a TextTable the store
// makes for itself, or a table it is given. The store keeps what belongs to
// the grid on screen: headers and row labels, column options, the active cell
// and selection, sort keys, the redraw switch and the change notices. The
// rules of the user's editing (EditRules) are the owner's: the store calls
// them around every value a view puts in.
#pragma once

#include "outside/CellTable.h"
#include "outside/EditRules.h"
#include "outside/TextTable.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace outside {

class CellStore : public QAbstractTableModel {
    Q_OBJECT

public:
    using CellKind = outside::CellKind;
    using SortOrder = outside::SortOrder;
    using ChoiceList = outside::ChoiceList;
    using List = ChoiceListPtr;
    using CellFormat = outside::CellFormat;
    static List MakeList(QStringList items, bool editable = false) {
        return ChoiceList::Make(std::move(items), editable);
    }

    // Roles beyond Qt's own. Display and edit roles give the cell text (a
    // check box has no display text; its state is Qt::CheckStateRole).
    enum Role {
        KindRole = Qt::UserRole + 1, // int(CellKind)
        ListItemsRole,               // QStringList of a list cell
        ListIndexRole,               // int, -1 for none
        ListEditableRole,            // bool
        LockRole,                    // bool
        MaxLengthRole,               // int, 0 for no limit
        DecimalsRole,                // int
        // Horizontal header only:
        ColumnHiddenRole, // bool
        ColumnWidthRole,  // double, in characters; 0 is the view's default
        // Cells: the value does not apply to its row (a view draws it muted).
        MutedRole, // bool
    };

    // Tells which cells hold a value that does not apply to their row; the
    // rule reads the row's other cells. A change to a cell then redraws its
    // whole row, since the rule may look at it. Without a rule the table
    // tells.
    using MutedRule = std::function<bool(const CellStore& grid, int col, int row)>;
    void SetMutedRule(MutedRule rule);
    bool IsMuted(int col, int row) const;

    explicit CellStore(QObject* parent = nullptr);
    ~CellStore() override;

    // --- The table of cells ----------------------------------------------------
    // Shows another table (which must outlive its use here), or with nullptr
    // the store's own again. The grid takes the table's size; its headers,
    // column options and selection are kept as far as they fit.
    void SetTable(CellTable* table);
    CellTable& Table() { return *m_table; }
    const CellTable& Table() const { return *m_table; }
    // The table's contents changed behind the store (filled again): views
    // show the cells of the block anew, all of them for an invalid block;
    // with lists, the cells' lists changed too and views lay their columns
    // out again.
    void TableChanged(const GridBlock& block = GridBlock{}, bool lists = false);

    // --- The rules of the user's editing ---------------------------------------
    // Who hears of the values a view puts into cells and guards the active
    // cell (none by default: every edit is taken as it comes). The rules must
    // outlive their use here.
    void SetEditRules(EditRules* rules) { m_editRules = rules; }
    EditRules* Rules() const { return m_editRules; }

    // --- Size ----------------------------------------------------------------
    int MaxRows() const { return m_rows; }
    int MaxCols() const { return m_cols; }
    // Content of the cells that stay inside the new size is kept.
    void SetMaxRows(int rows);
    void SetMaxCols(int cols);
    void SetSize(int cols, int rows);
    bool IsCell(int col, int row) const {
        return col >= 1 && row >= 1 && col <= m_cols && row <= m_rows;
    }
    // The highest column that holds a non-empty text in any row; 0 if none.
    int ColumnsInUse() const;

    // Everything back to an empty grid: no rows, no columns, no lists, no
    // selection, no sort keys, redraw on (the table is emptied, not replaced).
    void Reset();

    // --- Cells -----------------------------------------------------------------
    // Row 0 is a column header, column 0 a row label; (0, 0) is the corner.
    QString Text(int col, int row) const;
    // Sets a text by the cell's kind: a text cell keeps at most its maximum
    // length; a list cell selects the matching item (an editable list keeps
    // any other text with index -1, a fixed list empties the cell); a check
    // box holds "1", "0" or nothing; an empty text always clears the cell.
    void SetText(int col, int row, const QString& text);
    // A number written with the cell's decimals ("146.52000" for 5).
    void SetValue(int col, int row, double value);
    int ListIndex(int col, int row) const { return m_table->ListIndex(col, row); }
    // Selects item index of a list cell; any index outside the list clears it.
    void SetListIndex(int col, int row, int index);
    bool IsChecked(int col, int row) const { return Text(col, row) == QLatin1String("1"); }
    void SetChecked(int col, int row, bool on) {
        SetText(col, row, on ? QStringLiteral("1") : QStringLiteral("0"));
    }
    CellKind Kind(int col, int row) const { return m_table->Kind(col, row); }
    List CellList(int col, int row) const { return m_table->List(col, row); }
    int MaxLength(int col, int row) const { return m_table->MaxLength(col, row); }
    int Decimals(int col, int row) const { return m_table->Decimals(col, row); }
    bool IsLocked(int col, int row) const { return m_table->IsLocked(col, row); }

    void SetFormat(const GridBlock& block, const CellFormat& format);
    void SetLock(const GridBlock& block, bool locked);

    // --- Columns -------------------------------------------------------------
    bool IsColumnHidden(int col) const;
    void SetColumnHidden(int col, bool hidden);
    int ColumnItemValue(int col) const;
    void SetColumnItemValue(int col, int value);
    double ColumnWidth(int col) const;
    void SetColumnWidth(int col, double width);
    int FrozenColumns() const { return m_frozenCols; }
    void SetFrozenColumns(int count);

    // --- Active cell and block selection ---------------------------------------
    int ActiveColumn() const { return m_activeCol; }
    int ActiveRow() const { return m_activeRow; }
    void SetActiveCell(int col, int row);
    // The selected block; invalid when nothing is selected.
    GridBlock Selection() const { return m_selection; }
    void SelectBlock(const GridBlock& block);
    void ClearSelection() { SelectBlock(GridBlock{}); }
    // First and last selected row; -1 when nothing is selected.
    int SelectionFirstRow() const { return m_selection.IsValid() ? m_selection.row1 : -1; }
    int SelectionLastRow() const { return m_selection.IsValid() ? m_selection.row2 : -1; }

    // --- Block operations ------------------------------------------------------
    // The block as tab-separated text, one line per row, each ending in a
    // line feed; a field holding a tab, a line break or a double quote is put
    // in double quotes. List cells give their item text, check boxes 1 or 0.
    QString CopyBlock(const GridBlock& block) const;
    // Copies, then empties the block's cells.
    QString CutBlock(const GridBlock& block);
    // Writes tab-separated text (LF, CRLF or CR line ends; double-quoted
    // fields) into the cells from (col, row) on, as SetText does, clipped to
    // the grid. Locks do not stop it. Returns the block written.
    GridBlock PasteText(int col, int row, const QString& text);
    // The same on the current selection (its top left cell).
    QString Copy() const { return CopyBlock(m_selection); }
    QString Cut() { return CutBlock(m_selection); }
    GridBlock Paste(const QString& text);

    // Moves the contents (text, list index, lock) of a block so that its top
    // left cell lands on (destCol, destRow). Source cells that the
    // destination does not cover become empty. Cells outside the grid are
    // dropped.
    void MoveBlock(const GridBlock& block, int destCol, int destRow);
    // Empties the cells (data only), or also puts their format and lock back
    // to a plain unlocked text cell.
    void ClearBlock(const GridBlock& block, bool dataOnly = true);

    // Sort keys 1 and 2: a key column and an order; key column 0 is none.
    void SetSortKey(int key, int col, SortOrder order);
    int SortKeyColumn(int key) const;
    SortOrder SortKeyOrder(int key) const;
    // Sorts the rows of a block by the sort keys (a stable sort; empty key
    // cells go last in either order). The cells of the block's columns move
    // with their rows; row labels stay. Returns where each row came from:
    // the old row numbers in their new order (empty when nothing was sorted).
    std::vector<int> SortBlockByRows(const GridBlock& block);

    // --- Redraw switch ----------------------------------------------------------
    // While off, cell changes send no signals; switching it on tells attached
    // views once that every cell and header may have changed.
    bool Redraw() const { return m_redraw; }
    void SetRedraw(bool on);

    // --- Baseline: what the radio model last put into the cells ---------------
    // Remembers every cell's text; the write-back leaves rows alone whose
    // cells still show it.
    void TakeBaseline() { m_table->TakeBaseline(); }
    // The same for one row, the others keeping theirs; nothing without a
    // baseline (every row then counts as changed).
    void TakeRowBaseline(int row) { m_table->TakeRowBaseline(row); }
    void DropBaseline() { m_table->DropBaseline(); }
    bool HasBaseline() const { return m_table->HasBaseline(); }
    bool CellMatchesBaseline(int col, int row) const {
        return m_table->CellMatchesBaseline(col, row);
    }
    bool RowMatchesBaseline(int row) const { return m_table->RowMatchesBaseline(row); }
    bool ColumnMatchesBaseline(int col) const { return m_table->ColumnMatchesBaseline(col); }

    // --- Model indexes -------------------------------------------------------
    QModelIndex CellIndex(int col, int row) const;
    static int GridColumn(const QModelIndex& index) { return index.column() + 1; }
    static int GridRow(const QModelIndex& index) { return index.row() + 1; }

    // --- QAbstractTableModel -----------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // What a screen reader says of a cell (Qt::AccessibleTextRole): its
    // value ("checked" / "not checked" for a check box), ", not used by this
    // channel" when it is drawn greyed, "empty channel" for an empty row.
    QString SpokenText(int col, int row) const;
    // A user's value from a view: refused on a locked cell; otherwise the
    // cell takes it, between the edit rules' BeforeEdit and AfterEdit (the
    // latter only when the value differs), or for a check box before their
    // Toggled.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void activeCellChanged(int col, int row);
    void blockSelectionChanged();
    // Hidden columns, widths or the frozen column count changed.
    void columnOptionsChanged();

private:
    struct Column {
        bool hidden = false;
        int itemValue = 0;
        double width = 0;
    };
    struct SortKey {
        int col = 0;
        SortOrder order = SortOrder::None;
    };

    GridBlock Clip(const GridBlock& block) const { return block.Within(m_cols, m_rows); }
    void Resize(int cols, int rows);
    // Takes the size of the table; headers and columns follow it.
    void FitToTable();
    void NotifyCells(const GridBlock& block);
    void NotifyHeader(Qt::Orientation orientation, int first, int last);

    TextTable m_ownTable;
    CellTable* m_table = &m_ownTable;
    // The table's size, as last taken from it.
    int m_rows = 0;
    int m_cols = 0;
    QStringList m_columnHeaders;   // index col, 0 the corner
    QStringList m_rowLabels;       // index row, 0 unused
    std::vector<Column> m_columns; // index col
    int m_frozenCols = 0;
    MutedRule m_mutedRule;
    EditRules* m_editRules = nullptr;
    int m_activeCol = 1;
    int m_activeRow = 1;
    GridBlock m_selection;
    SortKey m_sortKeys[2];
    bool m_redraw = true;
    bool m_pendingRedraw = false;
    // Column headers, widths, options or cell formats changed while redraw
    // was off: views lay their columns out again.
    bool m_pendingColumns = false;
};

} // namespace outside
