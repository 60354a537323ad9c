#include "radio/CellEntry.h"

#include "outside/CellStore.h"
#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

#include <algorithm>
#include <cstring>

namespace radio::entry {

namespace {

using namespace channelcol;

// The last column of a channel inside a receiver set (the comment is the
// channel lists' own).
constexpr int kLastSetColumn = hypercol::kSetColumns;

// Fresh channels start from these: simplex, FM, the first step, high power,
// CTCSS 100.0 Hz when a tone is switched on.
constexpr int kResetPower = 3;
constexpr int kResetMode = 0; // FM
constexpr int kResetIcon = 14;
constexpr int kResetCtcss = 12;
constexpr int kResetOffsetLow = 6; // the low byte of the offset field
constexpr int kResetIconByte = kResetIcon + 1;

// Whether a column belongs to the channel that starts after shift: a
// receiver set holds every column but the comment.
bool InChannel(const ColumnDef& def, int shift) {
    return shift == 0 || def.InSets();
}

// The channel of a row as its cells hold it.
ChannelDraft ReadDraft(const outside::CellStore& grid, int shift, int row) {
    ChannelDraft d;
    for (const ColumnDef& def : kChannelColumns) {
        if (!InChannel(def, shift))
            continue;
        const int col = shift + def.column;
        const int index = grid.ListIndex(col, row);
        if (index >= 0)
            SetCellIndex(d, def, index);
        else
            SetCellText(d, def, grid.Text(col, row));
    }
    d.open = !grid.IsLocked(shift + kTransmit, row);
    return d;
}

// Writes the cells of a channel that differ from before, and its locks when
// it opened or closed.
void WriteDraft(outside::CellStore& grid, int t, int shift, int row, const ChannelDraft& before,
                const ChannelDraft& after) {
    for (const ColumnDef& def : kChannelColumns) {
        if (!InChannel(def, shift))
            continue;
        const int index = CellIndex(after, def);
        const QString text = CellText(after, def);
        if (index == CellIndex(before, def) && text == CellText(before, def))
            continue;
        const int col = shift + def.column;
        if (index >= 0)
            grid.SetListIndex(col, row, index);
        else
            grid.SetText(col, row, text);
    }
    if (after.open == before.open)
        return;
    if (shift == 0)
        LockRow(grid, t, row, !after.open);
    else
        grid.SetLock({shift + kTransmit, row, shift + kLastSetColumn, row}, !after.open);
}

// Runs a rule on the channel of a row and writes back the cells it changed;
// gives what the rule answered.
template <typename Rule>
bool EditChannel(outside::CellStore& grid, int t, int shift, int row, Rule rule) {
    const ChannelDraft before = ReadDraft(grid, shift, row);
    ChannelDraft d = before;
    const bool answer = rule(d);
    WriteDraft(grid, t, shift, row, before, d);
    return answer;
}

// The set of a channel: 0 on the channel lists, 1 or 2 on Hyper Memories.
int SetOf(int shift) {
    return shift == 0 ? 0 : shift == hypercol::kSetAShift ? 1 : 2;
}

} // namespace

int ChannelShift(int t, int col) {
    if (IsChannelListTab(t))
        return col >= 1 && col <= channelcol::kCount ? 0 : -1;
    if (t != tab::kHyper)
        return -1;
    if (col > hypercol::kSetAShift && col <= hypercol::kSetBShift)
        return hypercol::kSetAShift;
    if (col > hypercol::kSetBShift && col <= hypercol::kLastFilled)
        return hypercol::kSetBShift;
    return -1;
}

// ---------------------------------------------------------------------------
// Editing
// ---------------------------------------------------------------------------

void CellRules::EditStarted(int t, const outside::CellStore& grid, int col, int row) {
    m_startTab = t;
    m_startCol = col;
    m_startRow = row;
    const int shift = ChannelShift(t, col);
    m_start = shift >= 0 ? ReadDraft(grid, shift, row) : ChannelDraft{};
}

void CellRules::EditEnded(int t, outside::CellStore& grid, int col, int row) {
    const bool sameCell = m_startTab == t && m_startCol == col && m_startRow == row;
    m_startTab = -1;
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return;
    const Context at{m_radio, t, row, SetOf(shift)};
    const ChannelDraft* start = sameCell ? &m_start : nullptr;
    const bool seeded = EditChannel(grid, t, shift, row, [&](ChannelDraft& d) {
        return AfterEdit(at, FieldOfColumn(col - shift), start, d, m_radio.DefaultRecord(t));
    });
    if (seeded)
        grid.SelectBlock({1, row, grid.MaxCols(), row});
}

// ---------------------------------------------------------------------------
// Leaving cells and rows
// ---------------------------------------------------------------------------

std::optional<Refusal> CellRules::CheckCell(int t, const outside::CellStore& grid, int col,
                                            int row) const {
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return std::nullopt;
    return CheckField({m_radio, t, row, SetOf(shift)}, FieldOfColumn(col - shift),
                      ReadDraft(grid, shift, row));
}

void CellRules::CellLeft(int t, outside::CellStore& grid, int col, int row, int newRow) {
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return;
    const Context at{m_radio, t, row, SetOf(shift)};
    const bool capture = EditChannel(grid, t, shift, row, [&](ChannelDraft& d) {
        return LeaveCell(at, FieldOfColumn(col - shift), d, newRow != row);
    });
    if (capture)
        CaptureDefault(t, grid, row);
}

void CellRules::RowLeft(int t, outside::CellStore& grid, int row) {
    if (!IsChannelListTab(t))
        return;
    const Context at{m_radio, t, row, 0};
    if (EditChannel(grid, t, 0, row, [&](ChannelDraft& d) { return LeaveRow(at, d); }))
        CaptureDefault(t, grid, row);
}

std::optional<QString> CellRules::EditRefused(int t, const outside::CellStore& grid, int col,
                                              int row, int* activeCol) const {
    if (activeCol)
        *activeCol = 0;
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return std::nullopt; // the header-only columns say nothing
    std::optional<QString> message = entry::EditRefused(ReadDraft(grid, shift, row));
    if (message && activeCol)
        *activeCol = shift + kReceive;
    return message;
}

// ---------------------------------------------------------------------------
// Changes and check boxes
// ---------------------------------------------------------------------------

bool CellRules::Changed(int t, outside::CellStore& grid, int col, int row) {
    if (t == tab::kGroups) {
        KeepGroupPacked(grid, col, row);
        return true;
    }
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return false;
    if (col - shift == kReceive) {
        const CellReading rx = ReadFrequencyCell(m_radio, grid, col, row);
        if (rx.kind != FrequencyEntry::Value || !m_radio.IsValidFrequency(t, rx.hz, row))
            return false;
        const Context at{m_radio, t, row, SetOf(shift)};
        const bool seeded = EditChannel(grid, t, shift, row, [&](ChannelDraft& d) {
            return OpenChannel(at, d, m_radio.DefaultRecord(t));
        });
        if (seeded)
            grid.SelectBlock({1, row, grid.MaxCols(), row});
    }
    if (shift == 0)
        CaptureDefault(t, grid, row);
    return false;
}

void CellRules::KeepGroupPacked(outside::CellStore& grid, int col, int row) {
    if (col < 1 || col > groupcol::kCount || row < 1 || row > groupcol::kRows)
        return;
    std::vector<int> members;
    for (int r = 1; r <= groupcol::kRows; ++r)
        members.push_back(grid.ListIndex(col, r));
    const std::vector<int> packed = PackGroup(members, row - 1);
    for (int r = 1; r <= groupcol::kRows; ++r) {
        if (packed[static_cast<size_t>(r - 1)] != members[static_cast<size_t>(r - 1)])
            grid.SetListIndex(col, r, packed[static_cast<size_t>(r - 1)]);
    }
}

void CellRules::ButtonClicked(int t, outside::CellStore& grid, int col, int row) {
    int shift = 0;
    if (t == tab::kHyper)
        shift = ChannelShift(t, col);
    else if (t != tab::kMemories)
        return;
    if (shift < 0)
        return;
    EditChannel(grid, t, shift, row, [&](ChannelDraft& d) {
        ExcludeSkipPreferential(FieldOfColumn(col - shift), d);
        return true;
    });
}

// ---------------------------------------------------------------------------
// Default records
// ---------------------------------------------------------------------------

void CellRules::CaptureDefault(int t, const outside::CellStore& grid, int row) {
    if (!IsChannelListTab(t) || row < 1 || row > grid.MaxRows())
        return;
    if (entry::CaptureDefault(m_radio.DefaultRecord(t), ReadDraft(grid, 0, row)))
        std::memset(m_radio.DefaultBlock(), 0, image::kBlockSize);
}

void CellRules::ResetDefault(int t) {
    if (t < 0 || t >= tab::kCount)
        return;
    Byte* rec = m_radio.DefaultRecord(t);
    std::memset(rec, 0, image::kRecordSize);
    ChannelRecord r(rec);
    r.SetDirection(direction::kSimplex);
    r.SetStep(0);
    r.SetPower(kResetPower);
    r.SetMode(kResetMode);
    r.SetIcon(kResetIcon);
    r.SetCtcss(kResetCtcss);
    r.SetDcs(0);
    r.SetToneMode(tonemode::kNone);
    rec[record::kOffset + record::kFrequencySize - 1] = kResetOffsetLow;

    Byte* blk = m_radio.DefaultBlock();
    std::memset(blk, 0, image::kBlockSize);
    blk[block::kDualReceive] = 1;
    ReceiverSet a(blk, 0);
    a.SetStep(0);
    a.SetCtcss(kResetCtcss);
    a.SetMode(kResetMode);
    a.SetIconByte(kResetIconByte);
    ReceiverSet b(blk, 1);
    b.SetCtcss(kResetCtcss);
    b.SetMode(kResetMode);
}

} // namespace radio::entry
