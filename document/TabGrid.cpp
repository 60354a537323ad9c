#include "document/TabGrid.h"

#include "document/ChannelListTable.h"
#include "document/GroupTable.h"
#include "document/HyperTable.h"
#include "radio/RadioModel.h"

namespace document {

std::unique_ptr<TabTable> MakeTabTable(radio::RadioModel& radio, int tab) {
    if (tab == radio::tab::kHyper)
        return std::make_unique<HyperTable>(radio);
    if (tab == radio::tab::kGroups)
        return std::make_unique<GroupTable>(radio);
    return std::make_unique<ChannelListTable>(radio, tab);
}

TabGrid::TabGrid(radio::RadioModel& radio, int tab)
    : m_table(MakeTabTable(radio, tab)), m_cells(std::make_unique<outside::CellStore>()) {
    outside::CellStore& grid = *m_cells;
    grid.SetTable(m_table.get());
    // What the typing rules change in a row, the views draw again.
    m_table->SetRowNotice([this](int row) {
        m_cells->TableChanged(outside::GridBlock::Rows(row, row, 1, m_cells->MaxCols()));
    });
    grid.SetRedraw(false);
    for (int col = 1; col <= grid.MaxCols(); ++col) {
        grid.SetColumnItemValue(col, col);
        grid.SetText(col, 0, m_table->Header(col));
        if (const double width = m_table->ColumnWidth(col); width > 0)
            grid.SetColumnWidth(col, width);
    }
    ShowRowLabels(1, grid.MaxRows());
    grid.SetRedraw(true);
}

TabGrid::~TabGrid() = default;

void TabGrid::Fill() {
    Fill(m_table->Radio().Image());
}

void TabGrid::Fill(const radio::Byte* image) {
    outside::CellStore& grid = *m_cells;
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    m_table->Fill(image);
    ShowRowLabels(1, grid.MaxRows());
    grid.TableChanged({}, m_table->FillChangesLists());
    grid.SetRedraw(redraw);
}

void TabGrid::FillRow(const radio::Byte* image, int row) {
    if (row < 1 || row > m_cells->MaxRows())
        return;
    m_table->FillRow(image, row);
    ShowRowLabels(row, row);
    m_cells->TableChanged(outside::GridBlock::Rows(row, row, 1, m_cells->MaxCols()));
}

void TabGrid::ShowRowLabels(int first, int last) {
    for (int row = first; row <= last; ++row) {
        const QString label = m_table->RowLabel(row);
        if (m_cells->Text(0, row) != label)
            m_cells->SetText(0, row, label);
    }
}

} // namespace document
