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
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace outside {

// A rectangle of grid cells, both corners included.
struct GridBlock {
    int col1 = -1;
    int row1 = -1;
    int col2 = -1;
    int row2 = -1;

    static GridBlock Cell(int col, int row) { return {col, row, col, row}; }
    static GridBlock Rows(int row1, int row2, int col1, int col2) {
        return {col1, row1, col2, row2};
    }
    bool IsValid() const { return col1 >= 0 && row1 >= 0 && col2 >= col1 && row2 >= row1; }
    int ColumnCount() const { return IsValid() ? col2 - col1 + 1 : 0; }
    int RowCount() const { return IsValid() ? row2 - row1 + 1 : 0; }
    bool operator==(const GridBlock& o) const {
        return col1 == o.col1 && row1 == o.row1 && col2 == o.col2 && row2 == o.row2;
    }
    bool operator!=(const GridBlock& o) const { return !(*this == o); }
};

class CellStore : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class CellKind : quint8 { Text, Number, List, CheckBox };
    enum class SortOrder : quint8 { None, Ascending, Descending };

    // The items of a choice list; immutable once made, shared by its cells.
    class ChoiceList {
    public:
        ChoiceList(QStringList items, bool editable);
        const QStringList& Items() const { return m_items; }
        int Count() const { return static_cast<int>(m_items.size()); }
        // Whether a cell may hold a text that is not one of the items.
        bool Editable() const { return m_editable; }
        // The item equal to text (exactly, else without regard to case); -1.
        int IndexOf(const QString& text) const;

    private:
        QStringList m_items;
        bool m_editable;
        QHash<QString, int> m_exact;
        QHash<QString, int> m_folded;
    };
    using List = std::shared_ptr<const ChoiceList>;
    static List MakeList(QStringList items, bool editable = false);

    // What a cell is; applied to blocks of cells (usually whole columns).
    struct CellFormat {
        CellKind kind = CellKind::Text;
        int decimals = 0;  // number cells
        int maxLength = 0; // text cells; 0 is no limit
        List list;         // list cells
    };

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
    // whole row, since the rule may look at it.
    using MutedRule = std::function<bool(const CellStore& grid, int col, int row)>;
    void SetMutedRule(MutedRule rule);
    bool IsMuted(int col, int row) const;

    explicit CellStore(QObject* parent = nullptr);
    ~CellStore() override;

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
    // selection, no sort keys, redraw on.
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
    int ListIndex(int col, int row) const;
    // Selects item index of a list cell; any index outside the list clears it.
    void SetListIndex(int col, int row, int index);
    bool IsChecked(int col, int row) const { return Text(col, row) == QLatin1String("1"); }
    void SetChecked(int col, int row, bool on) {
        SetText(col, row, on ? QStringLiteral("1") : QStringLiteral("0"));
    }
    CellKind Kind(int col, int row) const;
    List CellList(int col, int row) const;
    int MaxLength(int col, int row) const;
    int Decimals(int col, int row) const;
    bool IsLocked(int col, int row) const;

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
    void TakeBaseline();
    // The same for one row, the others keeping theirs; nothing without a
    // baseline (every row then counts as changed).
    void TakeRowBaseline(int row);
    void DropBaseline();
    bool HasBaseline() const { return m_hasBaseline; }
    bool CellMatchesBaseline(int col, int row) const;
    bool RowMatchesBaseline(int row) const;
    bool ColumnMatchesBaseline(int col) const;

    // --- Model indexes -------------------------------------------------------
    QModelIndex CellIndex(int col, int row) const;
    static int GridColumn(const QModelIndex& index) { return index.column() + 1; }
    static int GridRow(const QModelIndex& index) { return index.row() + 1; }

    // --- QAbstractTableModel -----------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // An edit by a view: refused on a locked cell; otherwise the cell takes
    // the value and changed() (and for a check box buttonClicked()) follows.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A view changed a cell's value (the grid's change event).
    void changed(int col, int row);
    // A view ticked or cleared a check box; state is Qt::CheckState.
    void buttonClicked(int col, int row, int state);
    void activeCellChanged(int col, int row);
    void blockSelectionChanged();
    // Hidden columns, widths or the frozen column count changed.
    void columnOptionsChanged();

private:
    struct Cell {
        QString text;
        List list;
        qint16 listIndex = -1;
        qint16 maxLength = 0;
        CellKind kind = CellKind::Text;
        qint8 decimals = 0;
        bool locked = false;
    };
    struct Column {
        bool hidden = false;
        int itemValue = 0;
        double width = 0;
    };
    struct SortKey {
        int col = 0;
        SortOrder order = SortOrder::None;
    };

    Cell* At(int col, int row);
    const Cell* At(int col, int row) const;
    static void ApplyText(Cell& cell, const QString& text);
    static void ApplyListIndex(Cell& cell, int index);
    static void ClearData(Cell& cell);
    // Puts the contents of from into to, as far as to's kind and list allow.
    static void TakeContents(Cell& to, const Cell& from);
    GridBlock Clip(const GridBlock& block) const;
    void Resize(int cols, int rows);
    void NotifyCells(const GridBlock& block);
    void NotifyHeader(Qt::Orientation orientation, int first, int last);

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells;     // row-major, (row - 1) * m_cols + (col - 1)
    QStringList m_columnHeaders;   // index col, 0 the corner
    QStringList m_rowLabels;       // index row, 0 unused
    std::vector<Column> m_columns; // index col
    int m_frozenCols = 0;
    MutedRule m_mutedRule;
    int m_activeCol = 1;
    int m_activeRow = 1;
    GridBlock m_selection;
    SortKey m_sortKeys[2];
    bool m_redraw = true;
    bool m_pendingRedraw = false;
    // Column headers, widths, options or cell formats changed while redraw
    // was off: views lay their columns out again.
    bool m_pendingColumns = false;
    bool m_hasBaseline = false;
    std::vector<QString> m_baseline; // parallel to m_cells
};

} // namespace outside
