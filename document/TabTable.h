// The typed cells of one tab. Each of the seven tabs has a table of its own
// values, filled from the image through the codec and written back only
// where the user changed something: the channel lists (ChannelListTable),
// Hyper Memories (HyperTable) and Memory Groups (GroupTable); TabGrid.h
// makes them and shows them in a cell store. The typing rules and the row
// commands read and change the same values through radio::TabChannels.
#pragma once

#include "outside/CellTable.h"
#include "radio/ChannelDraft.h"
#include "radio/RadioTypes.h"
#include "radio/TabChannels.h"

#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

namespace radio {
class RadioModel;
}

namespace document {

class TabTable : public outside::CellTable, public radio::TabChannels {
public:
    int Tab() const { return m_tab; }
    radio::RadioModel& Radio() const { return m_radio; }

    // Reads every row from the model's image (or the given one) and takes
    // the baseline.
    void Fill();
    virtual void Fill(const radio::Byte* image) = 0;
    // One row again, with its own baseline.
    virtual void FillRow(const radio::Byte* image, int row) = 0;
    // Writes what differs from the baseline into image (and comments into
    // the model); true when a comment changed.
    virtual bool WriteChanged(radio::Byte* image) = 0;

    // The header row's text of a column and a row's label, as the grid
    // shows them; empty outside the table.
    virtual QString Header(int col) const = 0;
    QString RowLabel(int row) const;
    // The width a column asks for, in characters; 0 leaves it to the view.
    double ColumnWidth(int col) const;
    // Whether a fill may give the cells other choice lists.
    virtual bool FillChangesLists() const { return false; }

    // The shape is the tab's: other sizes are ignored.
    void Resize(int cols, int rows) override;
    // Formats are the tab's: ignored.
    void SetFormat(const outside::GridBlock& block, const outside::CellFormat& format) override;

    // Whole rows move as they are (with their locks) where the table can;
    // any other block moves cell by cell, each cell taking what it can.
    void MoveBlock(const outside::GridBlock& block, int destCol, int destRow) override;
    void ClearBlock(const outside::GridBlock& block, bool dataOnly) override;
    void PermuteRows(const outside::GridBlock& block, const std::vector<int>& from) override;

    // A row (or column) matches its baseline when each of its cells does.
    bool RowMatchesBaseline(int row) const override;
    bool ColumnMatchesBaseline(int col) const override;

    // Who hears that a rule changed a row (the store that shows the table).
    void SetRowNotice(std::function<void(int row)> notice) { m_rowNotice = std::move(notice); }
    void RowChanged(int row) override {
        if (m_rowNotice)
            m_rowNotice(row);
    }

protected:
    TabTable(radio::RadioModel& radio, int tab) : m_radio(radio), m_tab(tab) {}
    bool IsCell(int col, int row) const {
        return col >= 1 && col <= Columns() && row >= 1 && row <= Rows();
    }
    // The block clipped to the table when from names, for each of its rows,
    // a row of the block to take it from; an invalid block otherwise.
    outside::GridBlock PermutedBlock(const outside::GridBlock& block,
                                     const std::vector<int>& from) const;
    // Whole rows of values moved to start at dest (the rows they leave
    // empty, rows past either end dropped), and permuted as from says.
    template <typename Row>
    static void MoveRowValues(std::vector<Row>& rows, int first, int last, int dest) {
        const std::vector<Row> moved(rows.begin() + (first - 1), rows.begin() + last);
        std::fill(rows.begin() + (first - 1), rows.begin() + last, Row{});
        for (int k = 0; k < static_cast<int>(moved.size()); ++k) {
            const int to = dest - 1 + k;
            if (to >= 0 && to < static_cast<int>(rows.size()))
                rows[static_cast<size_t>(to)] = moved[static_cast<size_t>(k)];
        }
    }
    template <typename Row>
    static void PermuteRowValues(std::vector<Row>& rows, int first, const std::vector<int>& from) {
        const std::vector<Row> before(rows);
        for (size_t k = 0; k < from.size(); ++k)
            rows[static_cast<size_t>(first - 1) + k] = before[static_cast<size_t>(from[k] - 1)];
    }

    // Rows first..last moved to start at dest, and the rows of a block
    // taken from the rows in from; false leaves the move to the cells.
    virtual bool MoveWholeRows(int /*first*/, int /*last*/, int /*dest*/) { return false; }
    virtual bool PermuteWholeRows(int /*first*/, const std::vector<int>& /*from*/) { return false; }
    // Whether a row holds the very values of its baseline, so that its
    // cells need no comparing.
    virtual bool RowIsBaseline(int /*row*/) const { return false; }

    // Whether a frequency cell of a channel holds a text that is no
    // frequency: such a channel is never written.
    static bool HoldsNoFrequency(const radio::ChannelDraft& d);

    radio::RadioModel& m_radio;
    const int m_tab;

private:
    // What a cell holds, to move it to another cell.
    struct Content {
        QString text;
        int listIndex = -1;
        outside::ChoiceListPtr list;
    };
    Content Take(int col, int row) const;
    void Put(int col, int row, const Content& content);

    std::function<void(int)> m_rowNotice;
};

} // namespace document
