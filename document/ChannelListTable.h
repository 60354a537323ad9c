// The cells of a channel-list tab (Memories, Limit Memories, One Touch
// Memories, VFO's, Home Channels) as typed channels: each row is a
// radio::ChannelDraft read from the image through the channel codec. A cell's
// text comes from the draft's one formatter and a typed text goes through its
// one parser, so the table shows exactly what a filled text grid shows.
//
// The table keeps the drafts as they were filled; WriteChanged writes back
// only the rows whose cells show other texts than then, so an untouched row
// keeps its bytes.
#pragma once

#include "document/TabTable.h"
#include "radio/ChannelDraft.h"
#include "radio/RadioTypes.h"

#include <vector>

namespace radio {
class RadioModel;
}

namespace document {

class RadioDocument;

class ChannelListTable : public TabTable {
public:
    // The table of a channel-list tab of the model's image; empty (no rows,
    // no columns) for any other tab. Fill() reads the rows.
    ChannelListTable(radio::RadioModel& radio, int tab);
    ChannelListTable(RadioDocument& doc, int tab);

    using TabTable::Fill;
    void Fill(const radio::Byte* image) override;
    void FillRow(const radio::Byte* image, int row) override;
    // Writes the rows that differ from the baseline into image (records)
    // and the model (comments), as the grid's write-back does: a row with a
    // text that is no frequency keeps its record; a receive frequency the
    // row cannot hold clears a channel (the band rows of VFO's and home
    // channels keep theirs); a channel that does not fit keeps its record.
    // True when a comment changed.
    bool WriteChanged(radio::Byte* image) override;

    QString Header(int col) const override;
    // A row's draft (rows count from 1); an empty one outside the table.
    const radio::ChannelDraft& Draft(int row) const;
    // The typing rules' handle: a row's draft as set 0.
    using TabChannels::Channel;
    const radio::ChannelDraft* Channel(int row, int set) const override;

    int Rows() const override { return static_cast<int>(m_rows.size()); }
    int Columns() const override { return m_columns; }

    QString Text(int col, int row) const override;
    int ListIndex(int col, int row) const override;
    outside::CellKind Kind(int col, int row) const override;
    outside::ChoiceListPtr List(int col, int row) const override;
    int MaxLength(int col, int row) const override;
    int Decimals(int col, int row) const override;
    bool IsLocked(int col, int row) const override;
    bool IsMuted(int col, int row) const override;
    bool MutesByRow() const override { return true; }

    void SetText(int col, int row, const QString& text) override;
    void SetListIndex(int col, int row, int index) override;
    // Locking cells a row keeps locked without a channel closes the rows of
    // the block, unlocking them opens them; locks on columns the tab always
    // keeps locked change nothing.
    void SetLock(const outside::GridBlock& block, bool locked) override;

    void TakeBaseline() override;
    void TakeRowBaseline(int row) override;
    void DropBaseline() override;
    bool HasBaseline() const override { return m_hasBaseline; }
    bool CellMatchesBaseline(int col, int row) const override;

protected:
    bool MoveWholeRows(int first, int last, int dest) override;
    bool PermuteWholeRows(int first, const std::vector<int>& from) override;
    bool RowIsBaseline(int row) const override;

private:
    radio::ChannelDraft& At(int row) { return m_rows[static_cast<size_t>(row - 1)]; }
    const radio::ChannelDraft& At(int row) const { return m_rows[static_cast<size_t>(row - 1)]; }

    int m_columns = 0;
    std::vector<outside::CellFormat> m_formats; // index col, 0 unused
    std::vector<radio::ChannelDraft> m_rows;
    std::vector<radio::ChannelDraft> m_baseline;
    bool m_hasBaseline = false;
};

} // namespace document
