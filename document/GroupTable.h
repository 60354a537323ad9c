// The cells of the Memory Groups tab: one column per group, one row per
// member, each cell a memory channel (its index) or nothing. Every cell
// offers the same list: an empty first item, then each memory channel in use
// as "007 - 146.52000 MHz"; the list is made again on every fill, so a group
// lists the channels as they are then. A member naming a channel the list
// does not hold shows nothing.
//
// A group whose cells all show what they showed after the fill keeps its
// bytes; a changed group is written packed, its members in row order.
#pragma once

#include "document/TabTable.h"

#include <vector>

namespace document {

class GroupTable : public TabTable {
public:
    // What a cell holds when the list's empty first item was chosen: it
    // shows nothing, like an empty cell, but is that item.
    static constexpr int kBlankItem = -2;
    static constexpr int kNone = -1;

    explicit GroupTable(radio::RadioModel& radio);

    using TabTable::Fill;
    void Fill(const radio::Byte* image) override;
    // One row of members again (with the list of the last fill).
    void FillRow(const radio::Byte* image, int row) override;
    // Writes the groups whose column changed, and then points both state
    // blocks' group at the first group with members (or none). Never
    // changes a comment.
    bool WriteChanged(radio::Byte* image) override;

    // "Group 1" to "Group 9".
    QString Header(int col) const override;
    bool FillChangesLists() const override { return true; }
    // The channel index of a cell (rows and columns count from 1): kNone
    // for an empty cell, kBlankItem for the empty item.
    int Member(int col, int row) const;

    // The typing rules' handle: no channels; a group's members by channel
    // number (a member the list does not hold counts as an empty cell).
    const radio::ChannelDraft* Channel(int, int) const override { return nullptr; }
    int GroupMember(int group, int row) const override;
    void SetGroupMember(int group, int row, int member) override;

    int Rows() const override;
    int Columns() const override;

    QString Text(int col, int row) const override;
    int ListIndex(int col, int row) const override;
    outside::CellKind Kind(int col, int row) const override;
    outside::ChoiceListPtr List(int col, int row) const override;
    int MaxLength(int, int) const override { return 0; }
    int Decimals(int, int) const override { return 0; }
    // Group cells are never locked.
    bool IsLocked(int, int) const override { return false; }
    bool IsMuted(int, int) const override { return false; }
    bool MutesByRow() const override { return false; }

    void SetText(int col, int row, const QString& text) override;
    void SetListIndex(int col, int row, int index) override;
    void SetLock(const outside::GridBlock& block, bool locked) override;

    void MoveBlock(const outside::GridBlock& block, int destCol, int destRow) override;
    void ClearBlock(const outside::GridBlock& block, bool dataOnly) override;
    void PermuteRows(const outside::GridBlock& block, const std::vector<int>& from) override;

    void TakeBaseline() override;
    void TakeRowBaseline(int row) override;
    void DropBaseline() override;
    bool HasBaseline() const override { return m_hasBaseline; }
    bool CellMatchesBaseline(int col, int row) const override;

private:
    int& Cell(int col, int row);
    // The list item of a member (-1 for none) and the member of an item.
    int ItemOf(int member) const;
    int MemberOfItem(int item) const;
    void MakeList(const radio::Byte* image);
    int ReadMember(const radio::Byte* image, int col, int row) const;

    outside::ChoiceListPtr m_list;
    std::vector<int> m_itemOfChannel; // index channel
    std::vector<int> m_channelOfItem; // index item; item 0 is kBlankItem
    std::vector<int> m_cells;         // row by row
    std::vector<int> m_baseline;
    bool m_hasBaseline = false;
};

} // namespace document
