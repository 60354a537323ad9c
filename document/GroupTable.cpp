#include "document/GroupTable.h"

#include "radio/ChannelTables.h"
#include "radio/FrequencyCodec.h"
#include "radio/ImageLayout.h"
#include "radio/RadioModel.h"

#include <QStringList>

#include <algorithm>

namespace document {

namespace image = radio::image;
using radio::RadioModel;

namespace {

constexpr radio::Hz kKilohertz = 1000;

void WriteBe16(radio::Byte* p, int value) {
    p[0] = static_cast<radio::Byte>((value >> 8) & 0xFF);
    p[1] = static_cast<radio::Byte>(value & 0xFF);
}

} // namespace

GroupTable::GroupTable(radio::RadioModel& radio) : TabTable(radio, radio::tab::kGroups) {
    m_cells.assign(static_cast<size_t>(Rows() * Columns()), kNone);
    MakeList(radio.Image());
}

int GroupTable::Rows() const {
    return radio::groupcol::kRows;
}

int GroupTable::Columns() const {
    return radio::groupcol::kCount;
}

int& GroupTable::Cell(int col, int row) {
    return m_cells[static_cast<size_t>((row - 1) * Columns() + (col - 1))];
}

int GroupTable::Member(int col, int row) const {
    return IsCell(col, row) ? m_cells[static_cast<size_t>((row - 1) * Columns() + (col - 1))]
                            : kNone;
}

int GroupTable::GroupMember(int group, int row) const {
    const int member = Member(group, row);
    if (member == kBlankItem)
        return 0;
    return ItemOf(member) > 0 ? member + 1 : -1;
}

void GroupTable::SetGroupMember(int group, int row, int member) {
    if (!IsCell(group, row))
        return;
    if (member > 0 && ItemOf(member - 1) > 0)
        Cell(group, row) = member - 1;
    else
        Cell(group, row) = member == 0 ? kBlankItem : kNone;
}

// The list names every memory channel in use by number, with its stored
// receive frequency (whole kHz) when that is a number.
void GroupTable::MakeList(const radio::Byte* image) {
    QStringList items;
    items.reserve(image::kMemoryCount + 1);
    items << QString();
    m_itemOfChannel.assign(image::kMemoryCount, -1);
    m_channelOfItem.assign(1, kBlankItem);
    for (int i = 0; i < image::kMemoryCount; ++i) {
        if (!RadioModel::IsUsed(image, radio::tab::kMemories, i))
            continue;
        const radio::Byte* rx =
            RadioModel::RecordForRow(image, radio::tab::kMemories, i) + radio::record::kRxFrequency;
        const std::int64_t khz = radio::UnpackBcd(rx, radio::record::kFrequencySize);
        QString text = QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        if (khz >= 0)
            text += QStringLiteral(" - ") +
                    radio::FrequencyText(static_cast<radio::Hz>(khz * kKilohertz)) +
                    QStringLiteral(" MHz");
        m_itemOfChannel[static_cast<size_t>(i)] = static_cast<int>(items.size());
        m_channelOfItem.push_back(i);
        items << text;
    }
    m_list = outside::ChoiceList::Make(items, false);
}

int GroupTable::ItemOf(int member) const {
    if (member == kBlankItem)
        return 0;
    return member >= 0 && member < image::kMemoryCount
               ? m_itemOfChannel[static_cast<size_t>(member)]
               : -1;
}

int GroupTable::MemberOfItem(int item) const {
    return item >= 0 && item < static_cast<int>(m_channelOfItem.size())
               ? m_channelOfItem[static_cast<size_t>(item)]
               : kNone;
}

// A member the image lists for a cell, if the list holds its channel.
int GroupTable::ReadMember(const radio::Byte* image, int col, int row) const {
    const int g = col - 1;
    const int j = row - 1;
    if (j >= RadioModel::GroupSize(image, g))
        return kNone;
    const int member = RadioModel::GroupMember(image, g, j);
    return ItemOf(member) > 0 ? member : kNone;
}

void GroupTable::Fill(const radio::Byte* image) {
    MakeList(image);
    for (int row = 1; row <= Rows(); ++row) {
        for (int col = 1; col <= Columns(); ++col)
            Cell(col, row) = ReadMember(image, col, row);
    }
    TakeBaseline();
}

void GroupTable::FillRow(const radio::Byte* image, int row) {
    if (row < 1 || row > Rows())
        return;
    for (int col = 1; col <= Columns(); ++col)
        Cell(col, row) = ReadMember(image, col, row);
    TakeRowBaseline(row);
}

bool GroupTable::WriteChanged(radio::Byte* image) {
    bool anyChanged = false;
    for (int g = 0; g < image::kGroupCount; ++g) {
        const int col = g + 1;
        if (col > Columns() || ColumnMatchesBaseline(col))
            continue; // an untouched group keeps its bytes
        anyChanged = true;
        // Members in row order; empty cells between them close up.
        std::vector<int> members;
        for (int row = 1; row <= Rows(); ++row) {
            const int member = Member(col, row);
            if (member >= 0 && static_cast<int>(members.size()) < image::kGroupMaxMembers)
                members.push_back(member);
        }
        for (int j = 0; j < image::kGroupMaxMembers; ++j)
            RadioModel::SetGroupMember(image, g, j,
                                       j < static_cast<int>(members.size())
                                           ? members[static_cast<size_t>(j)]
                                           : RadioModel::kNoMember);
        RadioModel::SetGroupSize(image, g, static_cast<int>(members.size()));
    }
    if (!anyChanged)
        return false;
    // The current sets' group: none, or the first group with members.
    int first = -1;
    for (int g = 0; g < image::kGroupCount && first < 0; ++g) {
        if (RadioModel::GroupSize(image, g) > 0)
            first = g;
    }
    for (const int offset : {image::kStateBlock, image::kStateCopy}) {
        radio::Byte* state = image + offset;
        WriteBe16(state + radio::block::kGroup, RadioModel::kNoMember);
        WriteBe16(state + radio::block::kGroup + radio::block::kSetB, RadioModel::kNoMember);
        if (first < 0)
            continue;
        WriteBe16(state + radio::block::kGroupPosition, 0);
        state[radio::block::kIcon] = 0;
        state[radio::block::kIcon + radio::block::kSetB] = 0;
        WriteBe16(state + radio::block::kGroup, first);
    }
    return false;
}

QString GroupTable::Header(int col) const {
    return IsCell(col, 1) ? QStringLiteral("Group %1").arg(col) : QString();
}

QString GroupTable::Text(int col, int row) const {
    const int item = ListIndex(col, row);
    return item > 0 ? m_list->Items()[item] : QString();
}

int GroupTable::ListIndex(int col, int row) const {
    return ItemOf(Member(col, row));
}

outside::CellKind GroupTable::Kind(int col, int row) const {
    return IsCell(col, row) ? outside::CellKind::List : outside::CellKind::Text;
}

outside::ChoiceListPtr GroupTable::List(int col, int row) const {
    return IsCell(col, row) ? m_list : nullptr;
}

void GroupTable::SetText(int col, int row, const QString& text) {
    if (IsCell(col, row))
        Cell(col, row) = MemberOfItem(
            outside::cells::ApplyTextRule(outside::CellKind::List, 0, m_list.get(), text)
                .listIndex);
}

void GroupTable::SetListIndex(int col, int row, int index) {
    if (IsCell(col, row))
        Cell(col, row) = MemberOfItem(
            outside::cells::ApplyListIndex(outside::CellKind::List, m_list.get(), index).listIndex);
}

void GroupTable::SetLock(const outside::GridBlock&, bool) {}

void GroupTable::MoveBlock(const outside::GridBlock& block, int destCol, int destRow) {
    const outside::GridBlock b = block.Within(Columns(), Rows());
    if (!b.IsValid() || (destCol == b.col1 && destRow == b.row1))
        return;
    // Every cell offers the same list: members move as they are.
    std::vector<int> moved;
    for (int row = b.row1; row <= b.row2; ++row) {
        for (int col = b.col1; col <= b.col2; ++col) {
            moved.push_back(Cell(col, row));
            Cell(col, row) = kNone;
        }
    }
    size_t k = 0;
    for (int row = b.row1; row <= b.row2; ++row) {
        for (int col = b.col1; col <= b.col2; ++col, ++k) {
            const int toCol = destCol + col - b.col1;
            const int toRow = destRow + row - b.row1;
            if (IsCell(toCol, toRow))
                Cell(toCol, toRow) = moved[k];
        }
    }
}

void GroupTable::ClearBlock(const outside::GridBlock& block, bool) {
    const outside::GridBlock b = block.Within(Columns(), Rows());
    if (!b.IsValid())
        return;
    for (int row = b.row1; row <= b.row2; ++row) {
        for (int col = b.col1; col <= b.col2; ++col)
            Cell(col, row) = kNone;
    }
}

void GroupTable::PermuteRows(const outside::GridBlock& block, const std::vector<int>& from) {
    const outside::GridBlock b = PermutedBlock(block, from);
    if (!b.IsValid())
        return;
    const std::vector<int> before(m_cells);
    for (int k = 0; k < b.RowCount(); ++k) {
        const int fromRow = from[static_cast<size_t>(k)];
        for (int col = b.col1; col <= b.col2; ++col)
            Cell(col, b.row1 + k) =
                before[static_cast<size_t>((fromRow - 1) * Columns() + (col - 1))];
    }
}

void GroupTable::TakeBaseline() {
    m_baseline = m_cells;
    m_hasBaseline = true;
}

void GroupTable::TakeRowBaseline(int row) {
    if (!m_hasBaseline || row < 1 || row > Rows())
        return;
    for (int col = 1; col <= Columns(); ++col) {
        const size_t i = static_cast<size_t>((row - 1) * Columns() + (col - 1));
        m_baseline[i] = m_cells[i];
    }
}

void GroupTable::DropBaseline() {
    m_baseline.clear();
    m_hasBaseline = false;
}

// A cell matches its baseline while it shows the same channel (the empty
// item shows nothing, as an empty cell does).
bool GroupTable::CellMatchesBaseline(int col, int row) const {
    if (!m_hasBaseline || !IsCell(col, row))
        return false;
    const int was = m_baseline[static_cast<size_t>((row - 1) * Columns() + (col - 1))];
    const int is = Member(col, row);
    return was == is || (was < 0 && is < 0);
}

} // namespace document
