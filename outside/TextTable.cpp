#include "outside/TextTable.h"

namespace outside {

void TextTable::Resize(int cols, int rows) {
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    std::vector<Cell> cells(static_cast<size_t>(cols) * static_cast<size_t>(rows));
    const int keepCols = std::min(cols, m_cols);
    const int keepRows = std::min(rows, m_rows);
    for (int r = 1; r <= keepRows; ++r) {
        for (int c = 1; c <= keepCols; ++c)
            cells[static_cast<size_t>(r - 1) * cols + (c - 1)] = std::move(At(c, r));
    }
    m_cells = std::move(cells);
    m_cols = cols;
    m_rows = rows;
    DropBaseline();
}

// ---------------------------------------------------------------------------
// Cells
// ---------------------------------------------------------------------------

QString TextTable::Text(int col, int row) const {
    return IsCell(col, row) ? At(col, row).text : QString();
}

int TextTable::ListIndex(int col, int row) const {
    return IsCell(col, row) ? At(col, row).listIndex : -1;
}

CellKind TextTable::Kind(int col, int row) const {
    return IsCell(col, row) ? At(col, row).kind : CellKind::Text;
}

ChoiceListPtr TextTable::List(int col, int row) const {
    return IsCell(col, row) ? At(col, row).list : ChoiceListPtr();
}

int TextTable::MaxLength(int col, int row) const {
    return IsCell(col, row) ? At(col, row).maxLength : 0;
}

int TextTable::Decimals(int col, int row) const {
    return IsCell(col, row) ? At(col, row).decimals : 0;
}

bool TextTable::IsLocked(int col, int row) const {
    return IsCell(col, row) && At(col, row).locked;
}

void TextTable::Put(Cell& cell, cells::Content content) {
    cell.text = std::move(content.text);
    cell.listIndex = static_cast<qint16>(content.listIndex);
}

void TextTable::ApplyText(Cell& cell, const QString& text) {
    Put(cell, cells::ApplyTextRule(cell.kind, cell.maxLength, cell.list.get(), text));
}

void TextTable::SetText(int col, int row, const QString& text) {
    if (IsCell(col, row))
        ApplyText(At(col, row), text);
}

void TextTable::SetListIndex(int col, int row, int index) {
    if (!IsCell(col, row))
        return;
    Cell& cell = At(col, row);
    Put(cell, cells::ApplyListIndex(cell.kind, cell.list.get(), index));
}

void TextTable::SetFormat(const GridBlock& block, const CellFormat& format) {
    const GridBlock b = block.Within(m_cols, m_rows);
    if (!b.IsValid())
        return;
    const bool isList = format.kind == CellKind::List;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            Cell& cell = At(c, r);
            cell.kind = format.kind;
            cell.decimals = static_cast<qint8>(std::clamp(format.decimals, 0, 15));
            cell.maxLength = static_cast<qint16>(std::clamp(format.maxLength, 0, 32767));
            cell.list = isList ? format.list : ChoiceListPtr();
            if (!cell.text.isEmpty()) {
                const QString text = cell.text;
                ApplyText(cell, text);
            }
        }
    }
}

void TextTable::SetLock(const GridBlock& block, bool locked) {
    const GridBlock b = block.Within(m_cols, m_rows);
    if (!b.IsValid())
        return;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c)
            At(c, r).locked = locked;
    }
}

// ---------------------------------------------------------------------------
// Blocks
// ---------------------------------------------------------------------------

void TextTable::TakeContents(Cell& to, const Cell& from) {
    to.locked = from.locked;
    if (to.kind == from.kind && to.list == from.list) {
        to.text = from.text;
        to.listIndex = from.listIndex;
        return;
    }
    ApplyText(to, from.text);
}

void TextTable::MoveBlock(const GridBlock& block, int destCol, int destRow) {
    const GridBlock src = block.Within(m_cols, m_rows);
    if (!src.IsValid())
        return;
    const int dc = destCol - src.col1;
    const int dr = destRow - src.row1;
    if (dc == 0 && dr == 0)
        return;
    // Take the source contents out first, so that overlapping moves work.
    std::vector<Cell> moved;
    moved.reserve(static_cast<size_t>(src.ColumnCount()) * src.RowCount());
    for (int r = src.row1; r <= src.row2; ++r) {
        for (int c = src.col1; c <= src.col2; ++c) {
            Cell& cell = At(c, r);
            moved.push_back(cell);
            cell.text.clear();
            cell.listIndex = -1;
        }
    }
    size_t k = 0;
    for (int r = src.row1; r <= src.row2; ++r) {
        for (int c = src.col1; c <= src.col2; ++c, ++k) {
            if (IsCell(c + dc, r + dr))
                TakeContents(At(c + dc, r + dr), moved[k]);
        }
    }
}

void TextTable::ClearBlock(const GridBlock& block, bool dataOnly) {
    const GridBlock b = block.Within(m_cols, m_rows);
    if (!b.IsValid())
        return;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            Cell& cell = At(c, r);
            if (dataOnly) {
                cell.text.clear();
                cell.listIndex = -1;
            } else {
                cell = Cell{};
            }
        }
    }
}

void TextTable::PermuteRows(const GridBlock& block, const std::vector<int>& from) {
    const GridBlock b = block.Within(m_cols, m_rows);
    if (!b.IsValid() || from.size() != static_cast<size_t>(b.RowCount()))
        return;
    for (const int r : from) {
        if (r < b.row1 || r > b.row2)
            return;
    }
    std::vector<Cell> sorted;
    sorted.reserve(static_cast<size_t>(b.ColumnCount()) * from.size());
    for (const int r : from) {
        for (int c = b.col1; c <= b.col2; ++c)
            sorted.push_back(At(c, r));
    }
    size_t k = 0;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c, ++k) {
            Cell& cell = At(c, r);
            cell.text = std::move(sorted[k].text);
            cell.listIndex = sorted[k].listIndex;
            cell.locked = sorted[k].locked;
        }
    }
}

// ---------------------------------------------------------------------------
// Baseline
// ---------------------------------------------------------------------------

void TextTable::TakeBaseline() {
    m_baseline.resize(m_cells.size());
    for (size_t i = 0; i < m_cells.size(); ++i)
        m_baseline[i] = m_cells[i].text;
    m_hasBaseline = true;
}

void TextTable::TakeRowBaseline(int row) {
    if (row < 1 || row > m_rows || !m_hasBaseline)
        return;
    const size_t first = Index(1, row);
    for (size_t i = first; i < first + static_cast<size_t>(m_cols); ++i)
        m_baseline[i] = m_cells[i].text;
}

void TextTable::DropBaseline() {
    m_baseline.clear();
    m_hasBaseline = false;
}

bool TextTable::CellMatchesBaseline(int col, int row) const {
    if (!m_hasBaseline || !IsCell(col, row))
        return false;
    const size_t i = Index(col, row);
    return m_cells[i].text == m_baseline[i];
}

bool TextTable::RowMatchesBaseline(int row) const {
    if (!m_hasBaseline || row < 1 || row > m_rows)
        return false;
    for (int c = 1; c <= m_cols; ++c) {
        if (!CellMatchesBaseline(c, row))
            return false;
    }
    return true;
}

bool TextTable::ColumnMatchesBaseline(int col) const {
    if (!m_hasBaseline || col < 1 || col > m_cols)
        return false;
    for (int r = 1; r <= m_rows; ++r) {
        if (!CellMatchesBaseline(col, r))
            return false;
    }
    return true;
}

} // namespace outside
