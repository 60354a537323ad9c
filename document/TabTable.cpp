#include "document/TabTable.h"

#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

namespace document {

void TabTable::Fill() {
    Fill(m_radio.Image());
}

QString TabTable::RowLabel(int row) const {
    return row >= 1 && row <= Rows() ? m_radio.RowLabel(m_tab, row) : QString();
}

double TabTable::ColumnWidth(int col) const {
    return col >= 1 && col <= Columns() ? radio::ColumnWidth(m_tab, col) : 0.0;
}

bool TabTable::HoldsNoFrequency(const radio::ChannelDraft& d) {
    return d.rx.kind == radio::FrequencyEntry::Bad || d.tx.kind == radio::FrequencyEntry::Bad ||
           d.offset.value.kind == radio::FrequencyEntry::Bad;
}

void TabTable::Resize(int, int) {}

void TabTable::SetFormat(const outside::GridBlock&, const outside::CellFormat&) {}

TabTable::Content TabTable::Take(int col, int row) const {
    return {Text(col, row), ListIndex(col, row), List(col, row)};
}

void TabTable::Put(int col, int row, const Content& content) {
    if (!IsCell(col, row))
        return;
    // A cell of the same list takes the item, any other the text.
    if (content.listIndex >= 0 && content.list && content.list == List(col, row))
        SetListIndex(col, row, content.listIndex);
    else
        SetText(col, row, content.text);
}

void TabTable::MoveBlock(const outside::GridBlock& block, int destCol, int destRow) {
    const outside::GridBlock b = block.Within(Columns(), Rows());
    if (!b.IsValid() || (destCol == b.col1 && destRow == b.row1))
        return;
    if (b.col1 == 1 && b.col2 == Columns() && destCol == 1 &&
        MoveWholeRows(b.row1, b.row2, destRow))
        return;
    std::vector<Content> moved;
    for (int row = b.row1; row <= b.row2; ++row) {
        for (int col = b.col1; col <= b.col2; ++col) {
            moved.push_back(Take(col, row));
            SetText(col, row, QString());
        }
    }
    size_t k = 0;
    for (int row = b.row1; row <= b.row2; ++row) {
        for (int col = b.col1; col <= b.col2; ++col)
            Put(destCol + col - b.col1, destRow + row - b.row1, moved[k++]);
    }
}

void TabTable::ClearBlock(const outside::GridBlock& block, bool dataOnly) {
    const outside::GridBlock b = block.Within(Columns(), Rows());
    if (!b.IsValid())
        return;
    for (int row = b.row1; row <= b.row2; ++row) {
        for (int col = b.col1; col <= b.col2; ++col)
            SetText(col, row, QString());
    }
    if (!dataOnly)
        SetLock(b, false);
}

outside::GridBlock TabTable::PermutedBlock(const outside::GridBlock& block,
                                           const std::vector<int>& from) const {
    const outside::GridBlock b = block.Within(Columns(), Rows());
    if (!b.IsValid() || static_cast<int>(from.size()) != b.RowCount())
        return {};
    for (const int row : from) {
        if (row < b.row1 || row > b.row2)
            return {};
    }
    return b;
}

void TabTable::PermuteRows(const outside::GridBlock& block, const std::vector<int>& from) {
    const outside::GridBlock b = PermutedBlock(block, from);
    if (!b.IsValid())
        return;
    if (b.col1 == 1 && b.col2 == Columns() && PermuteWholeRows(b.row1, from))
        return;
    std::vector<std::vector<Content>> rows;
    for (const int row : from) {
        std::vector<Content> cells;
        for (int col = b.col1; col <= b.col2; ++col)
            cells.push_back(Take(col, row));
        rows.push_back(std::move(cells));
    }
    for (int k = 0; k < b.RowCount(); ++k) {
        for (int col = b.col1; col <= b.col2; ++col)
            Put(col, b.row1 + k, rows[static_cast<size_t>(k)][static_cast<size_t>(col - b.col1)]);
    }
}

bool TabTable::RowMatchesBaseline(int row) const {
    if (!HasBaseline() || row < 1 || row > Rows())
        return false;
    if (RowIsBaseline(row))
        return true;
    for (int col = 1; col <= Columns(); ++col) {
        if (!CellMatchesBaseline(col, row))
            return false;
    }
    return true;
}

bool TabTable::ColumnMatchesBaseline(int col) const {
    if (!HasBaseline() || col < 1 || col > Columns())
        return false;
    for (int row = 1; row <= Rows(); ++row) {
        if (!CellMatchesBaseline(col, row))
            return false;
    }
    return true;
}

} // namespace document
