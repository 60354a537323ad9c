// The plain cell table: every cell keeps its own kind, format, text, list
// index and lock, and the baseline is each cell's text. A cell store makes
// one for itself; the settings pages and the channel tables fill it.
#pragma once

#include "outside/CellTable.h"

namespace outside {

class TextTable : public CellTable {
public:
    int Rows() const override { return m_rows; }
    int Columns() const override { return m_cols; }
    void Resize(int cols, int rows) override;

    QString Text(int col, int row) const override;
    int ListIndex(int col, int row) const override;
    CellKind Kind(int col, int row) const override;
    ChoiceListPtr List(int col, int row) const override;
    int MaxLength(int col, int row) const override;
    int Decimals(int col, int row) const override;
    bool IsLocked(int col, int row) const override;
    bool IsMuted(int, int) const override { return false; }
    bool MutesByRow() const override { return false; }

    void SetText(int col, int row, const QString& text) override;
    void SetListIndex(int col, int row, int index) override;
    void SetFormat(const GridBlock& block, const CellFormat& format) override;
    void SetLock(const GridBlock& block, bool locked) override;

    void MoveBlock(const GridBlock& block, int destCol, int destRow) override;
    void ClearBlock(const GridBlock& block, bool dataOnly) override;
    void PermuteRows(const GridBlock& block, const std::vector<int>& from) override;

    void TakeBaseline() override;
    void TakeRowBaseline(int row) override;
    void DropBaseline() override;
    bool HasBaseline() const override { return m_hasBaseline; }
    bool CellMatchesBaseline(int col, int row) const override;
    bool RowMatchesBaseline(int row) const override;
    bool ColumnMatchesBaseline(int col) const override;

private:
    struct Cell {
        QString text;
        ChoiceListPtr list;
        qint16 listIndex = -1;
        qint16 maxLength = 0;
        CellKind kind = CellKind::Text;
        qint8 decimals = 0;
        bool locked = false;
    };

    bool IsCell(int col, int row) const {
        return col >= 1 && row >= 1 && col <= m_cols && row <= m_rows;
    }
    size_t Index(int col, int row) const {
        return static_cast<size_t>(row - 1) * static_cast<size_t>(m_cols) +
               static_cast<size_t>(col - 1);
    }
    Cell& At(int col, int row) { return m_cells[Index(col, row)]; }
    const Cell& At(int col, int row) const { return m_cells[Index(col, row)]; }
    static void ApplyText(Cell& cell, const QString& text);
    static void Put(Cell& cell, cells::Content content);
    // Puts the contents of from into to, as far as to's kind and list allow.
    static void TakeContents(Cell& to, const Cell& from);

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells; // row-major
    bool m_hasBaseline = false;
    std::vector<QString> m_baseline; // parallel to m_cells
};

} // namespace outside
