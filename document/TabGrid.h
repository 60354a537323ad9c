// A tab's typed table in a cell store laid out as the editor shows it
// (header row, row labels, column widths): for the editor's grids, the
// printed pages, the command line and the tests.
#pragma once

#include "document/TabTable.h"
#include "outside/CellStore.h"

#include <memory>

namespace document {

// The table of a tab (0 to 6) of the model's image; an empty one (no rows,
// no columns) for any other. Fill() reads the rows.
std::unique_ptr<TabTable> MakeTabTable(radio::RadioModel& radio, int tab);

// A tab's table in a cell store of its own, laid out as the editor shows it.
class TabGrid {
public:
    TabGrid(radio::RadioModel& radio, int tab);
    ~TabGrid();
    TabGrid(const TabGrid&) = delete;
    TabGrid& operator=(const TabGrid&) = delete;

    int Tab() const { return m_table->Tab(); }
    TabTable& Table() { return *m_table; }
    const TabTable& Table() const { return *m_table; }
    outside::CellStore& Cells() { return *m_cells; }
    const outside::CellStore& Cells() const { return *m_cells; }

    // Fills the table (from the model's image or the given one) and tells
    // the store: every cell and row label anew.
    void Fill();
    void Fill(const radio::Byte* image);
    void FillRow(const radio::Byte* image, int row);
    bool WriteChanged(radio::Byte* image) { return m_table->WriteChanged(image); }

private:
    void ShowRowLabels(int first, int last);

    std::unique_ptr<TabTable> m_table;
    // Declared after the table it shows, so that it goes first.
    std::unique_ptr<outside::CellStore> m_cells;
};

} // namespace document
