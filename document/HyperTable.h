// The cells of the Hyper Memories tab as typed values: each row is a hyper
// memory, its in-use and dual-receive check boxes, its operation band and
// two receiver sets, each a radio::ChannelDraft read from the block through
// the set codec. The columns after the two sets only head the grid: they
// hold nothing and stay locked.
//
// As the channel lists, the table keeps the rows as they were filled and
// writes back only the rows whose cells show other texts than then.
#pragma once

#include "document/TabTable.h"
#include "radio/ChannelDraft.h"

#include <array>
#include <vector>

namespace document {

class HyperTable : public TabTable {
public:
    // One hyper memory as its row holds it. A check box is empty on a row
    // that was emptied; the band is an item of the band list, -1 for none.
    struct Row {
        radio::CheckMark status = radio::CheckMark::Empty;
        radio::CheckMark dualReceive = radio::CheckMark::Empty;
        int band = -1;
        std::array<radio::ChannelDraft, 2> sets;

        bool operator==(const Row& o) const {
            return status == o.status && dualReceive == o.dualReceive && band == o.band &&
                   sets == o.sets;
        }
        bool operator!=(const Row& o) const { return !(*this == o); }
    };

    explicit HyperTable(radio::RadioModel& radio);

    using TabTable::Fill;
    // Every row, in use or not, with both receiver sets open for typing.
    void Fill(const radio::Byte* image) override;
    void FillRow(const radio::Byte* image, int row) override;
    // Writes the rows that differ from the baseline into their blocks: a
    // row with a text that is no frequency, or a set whose frequencies do
    // not fit a set, keeps its block. Never changes a comment.
    bool WriteChanged(radio::Byte* image) override;

    QString Header(int col) const override;
    // A row (rows count from 1); an empty one outside the table.
    const Row& At(int row) const;
    // The typing rules' handle: receiver set A as set 1, B as set 2, and
    // the in-use mark.
    using TabChannels::Channel;
    const radio::ChannelDraft* Channel(int row, int set) const override;
    bool MarkedInUse(int row) const override;

    int Rows() const override { return static_cast<int>(m_rows.size()); }
    int Columns() const override;

    QString Text(int col, int row) const override;
    int ListIndex(int col, int row) const override;
    outside::CellKind Kind(int col, int row) const override;
    outside::ChoiceListPtr List(int col, int row) const override;
    int MaxLength(int col, int row) const override;
    int Decimals(int col, int row) const override;
    bool IsLocked(int col, int row) const override;
    bool IsMuted(int col, int row) const override;
    bool MutesByRow() const override { return true; }

    // The columns that only head the grid keep nothing.
    void SetText(int col, int row, const QString& text) override;
    void SetListIndex(int col, int row, int index) override;
    // Locking cells a set keeps locked without a channel closes that set on
    // the rows of the block, unlocking them opens it.
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
    Row& Mutable(int row) { return m_rows[static_cast<size_t>(row - 1)]; }
    Row ReadRow(const radio::Byte* image, int row) const;
    QString TextOf(const Row& r, int col) const;

    std::vector<outside::CellFormat> m_formats; // index col, 0 unused
    std::vector<Row> m_rows;
    std::vector<Row> m_baseline;
    bool m_hasBaseline = false;
};

} // namespace document
