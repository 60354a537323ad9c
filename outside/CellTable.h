// The cells behind a grid, apart from how a view shows them. A CellTable
// holds what each cell is and holds (kind, text, list index, lock) and the
// baseline the write-back compares with; the cell store (CellStore) puts a
// model for Qt's views on top of one and keeps selection, headers, column
// options and change notices itself.
//
// Coordinates are the grid's: columns and rows count from 1. A table answers
// cells outside its size with empty values and ignores writes to them.
//
// The rule that turns a typed text into a cell's contents and the order the
// grid sorts rows by are free functions (cells::ApplyTextRule,
// cells::CompareForSort), so every table stores and sorts alike: the sorted
// rows end up in saved files.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <utility>
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
    // The part inside a grid of cols x rows cells; invalid when none is.
    GridBlock Within(int cols, int rows) const {
        if (!IsValid())
            return GridBlock{};
        const GridBlock b{std::max(col1, 1), std::max(row1, 1), std::min(col2, cols),
                          std::min(row2, rows)};
        return b.IsValid() && b.col1 <= cols && b.row1 <= rows ? b : GridBlock{};
    }
    bool operator==(const GridBlock& o) const {
        return col1 == o.col1 && row1 == o.row1 && col2 == o.col2 && row2 == o.row2;
    }
    bool operator!=(const GridBlock& o) const { return !(*this == o); }
};

enum class CellKind : quint8 { Text, Number, List, CheckBox };
enum class SortOrder : quint8 { None, Ascending, Descending };

// The items of a choice list; immutable once made, shared by its cells.
class ChoiceList {
public:
    // Texts a list once held under another spelling, each with the index of
    // the item it now is: still found, never shown.
    using OldTexts = std::vector<std::pair<QString, int>>;

    ChoiceList(QStringList items, bool editable, const OldTexts& oldTexts = {});
    static std::shared_ptr<const ChoiceList> Make(QStringList items, bool editable = false,
                                                  const OldTexts& oldTexts = {});
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
using ChoiceListPtr = std::shared_ptr<const ChoiceList>;

// What a cell is; applied to blocks of cells (usually whole columns).
struct CellFormat {
    CellKind kind = CellKind::Text;
    int decimals = 0;   // number cells
    int maxLength = 0;  // text cells; 0 is no limit
    ChoiceListPtr list; // list cells
};

namespace cells {

// Whether a check box's text reads as ticked: "1", "true", "on", "yes" or
// "x", in any case.
bool IsCheckedText(const QString& text);

// What a cell holds: its text and the index of the list item it shows (-1
// for none).
struct Content {
    QString text;
    int listIndex = -1;
};

// A text put into a cell of the given kind: a text cell keeps at most its
// maximum length (0 is no limit); a list cell selects the matching item (an
// editable list keeps any other text with index -1, a fixed list empties the
// cell); a check box holds "1" or "0"; an empty text always empties the cell.
Content ApplyTextRule(CellKind kind, int maxLength, const ChoiceList* list, const QString& text);
// Item index of a list cell; any index outside the list empties the cell.
Content ApplyListIndex(CellKind kind, const ChoiceList* list, int index);

// What the row sort reads of a key cell.
struct SortCell {
    QString text;
    CellKind kind = CellKind::Text;
    int listIndex = -1;
    ChoiceListPtr list;
};
// Compares two key cells: <0, 0 or >0 for the order. Empty cells go last in
// either order; cells showing items of the same list compare by item index;
// two numbers (C locale) as numbers; anything else as text, case aside first.
int CompareForSort(const SortCell& x, const SortCell& y, SortOrder order);

} // namespace cells

class CellTable {
public:
    virtual ~CellTable();

    // --- Size ----------------------------------------------------------------
    virtual int Rows() const = 0;
    virtual int Columns() const = 0;
    // Cells that stay inside the new size keep their contents; the baseline
    // is dropped.
    virtual void Resize(int cols, int rows) = 0;

    // --- Cells -----------------------------------------------------------------
    virtual QString Text(int col, int row) const = 0;
    virtual int ListIndex(int col, int row) const = 0;
    virtual CellKind Kind(int col, int row) const = 0;
    virtual ChoiceListPtr List(int col, int row) const = 0;
    virtual int MaxLength(int col, int row) const = 0;
    virtual int Decimals(int col, int row) const = 0;
    virtual bool IsLocked(int col, int row) const = 0;
    // The value does not apply to its row (a view draws it muted).
    virtual bool IsMuted(int col, int row) const = 0;
    // Whether a change to one cell may mute or unmute others of its row.
    virtual bool MutesByRow() const = 0;

    // As cells::ApplyTextRule and cells::ApplyListIndex.
    virtual void SetText(int col, int row, const QString& text) = 0;
    virtual void SetListIndex(int col, int row, int index) = 0;
    // A new format keeps a cell's text as far as the new kind allows.
    virtual void SetFormat(const GridBlock& block, const CellFormat& format) = 0;
    virtual void SetLock(const GridBlock& block, bool locked) = 0;

    // --- Blocks --------------------------------------------------------------
    // Moves the contents (text, list index, lock) of a block so that its top
    // left cell lands on (destCol, destRow); a cell of another kind or list
    // takes the moved text by its own rule. Source cells that the
    // destination does not cover become empty; cells outside are dropped.
    virtual void MoveBlock(const GridBlock& block, int destCol, int destRow) = 0;
    // Empties the cells (data only), or also puts their format and lock back
    // to a plain unlocked text cell.
    virtual void ClearBlock(const GridBlock& block, bool dataOnly) = 0;
    // Row block.row1 + k of the block's columns takes the contents (text,
    // list index, lock) that row from[k] held; from is a permutation of the
    // block's rows.
    virtual void PermuteRows(const GridBlock& block, const std::vector<int>& from) = 0;

    // --- Baseline: what the cells held when it was taken ---------------------
    virtual void TakeBaseline() = 0;
    // One row only, the others keeping theirs; nothing without a baseline.
    virtual void TakeRowBaseline(int row) = 0;
    virtual void DropBaseline() = 0;
    virtual bool HasBaseline() const = 0;
    // All false without a baseline.
    virtual bool CellMatchesBaseline(int col, int row) const = 0;
    virtual bool RowMatchesBaseline(int row) const = 0;
    virtual bool ColumnMatchesBaseline(int col) const = 0;
};

} // namespace outside
