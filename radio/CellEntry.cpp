#include "radio/CellEntry.h"

#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

#include <algorithm>
#include <cstring>

namespace radio::entry {

namespace {

using namespace channelcol;

// Fresh channels start from these: simplex, FM, the first step, high power,
// CTCSS 100.0 Hz when a tone is switched on.
constexpr int kResetPower = 3;
constexpr int kResetMode = 0; // FM
constexpr int kResetIcon = 14;
constexpr int kResetCtcss = 12;
constexpr int kResetOffsetLow = 6; // the low byte of the offset field
constexpr int kResetIconByte = kResetIcon + 1;

// Runs a rule on a channel and tells its table when the row changed; gives
// what the rule answered (false where the tab has no such channel).
template <typename Rule>
bool EditChannel(TabChannels& channels, int row, int set, Rule rule) {
    ChannelDraft* d = channels.Channel(row, set);
    if (!d)
        return false;
    const ChannelDraft before = *d;
    const bool answer = rule(*d);
    if (*d != before)
        channels.RowChanged(row);
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

void CellRules::EditStarted(int t, const TabChannels& channels, int col, int row) {
    m_startTab = t;
    m_startCol = col;
    m_startRow = row;
    const int shift = ChannelShift(t, col);
    const ChannelDraft* d = shift >= 0 ? channels.Channel(row, SetOf(shift)) : nullptr;
    m_start = d ? *d : ChannelDraft{};
}

bool CellRules::EditEnded(int t, TabChannels& channels, int col, int row) {
    const bool sameCell = m_startTab == t && m_startCol == col && m_startRow == row;
    m_startTab = -1;
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return false;
    const Context at{m_radio, t, row, SetOf(shift)};
    const ChannelDraft* start = sameCell ? &m_start : nullptr;
    return EditChannel(channels, row, at.set, [&](ChannelDraft& d) {
        return AfterEdit(at, FieldOfColumn(col - shift), start, d, m_radio.DefaultRecord(t));
    });
}

// ---------------------------------------------------------------------------
// Leaving cells and rows
// ---------------------------------------------------------------------------

std::optional<Refusal> CellRules::CheckCell(int t, const TabChannels& channels, int col,
                                            int row) const {
    const int shift = ChannelShift(t, col);
    const ChannelDraft* d = shift >= 0 ? channels.Channel(row, SetOf(shift)) : nullptr;
    if (!d)
        return std::nullopt;
    return CheckField({m_radio, t, row, SetOf(shift)}, FieldOfColumn(col - shift), *d);
}

void CellRules::CellLeft(int t, TabChannels& channels, int col, int row, int newRow) {
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return;
    const Context at{m_radio, t, row, SetOf(shift)};
    const bool capture = EditChannel(channels, row, at.set, [&](ChannelDraft& d) {
        return LeaveCell(at, FieldOfColumn(col - shift), d, newRow != row);
    });
    if (capture)
        CaptureDefault(t, channels, row);
}

void CellRules::RowLeft(int t, TabChannels& channels, int row) {
    if (!IsChannelListTab(t))
        return;
    const Context at{m_radio, t, row, 0};
    if (EditChannel(channels, row, 0, [&](ChannelDraft& d) { return LeaveRow(at, d); }))
        CaptureDefault(t, channels, row);
}

std::optional<QString> CellRules::EditRefused(int t, const TabChannels& channels, int col, int row,
                                              int* activeCol) const {
    if (activeCol)
        *activeCol = 0;
    const int shift = ChannelShift(t, col);
    const ChannelDraft* d = shift >= 0 ? channels.Channel(row, SetOf(shift)) : nullptr;
    if (!d)
        return std::nullopt; // the header-only columns say nothing
    std::optional<QString> message = entry::EditRefused(*d);
    if (message && activeCol)
        *activeCol = shift + kReceive;
    return message;
}

// ---------------------------------------------------------------------------
// Changes and check boxes
// ---------------------------------------------------------------------------

bool CellRules::Changed(int t, TabChannels& channels, int col, int row) {
    if (t == tab::kGroups) {
        KeepGroupPacked(channels, col, row);
        return false;
    }
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return false;
    bool seeded = false;
    if (col - shift == kReceive) {
        const ChannelDraft* d = channels.Channel(row, SetOf(shift));
        if (!d || d->rx.kind != FrequencyEntry::Value ||
            !m_radio.IsValidFrequency(t, d->rx.hz, row))
            return false;
        const Context at{m_radio, t, row, SetOf(shift)};
        seeded = EditChannel(channels, row, at.set, [&](ChannelDraft& draft) {
            return OpenChannel(at, draft, m_radio.DefaultRecord(t));
        });
    }
    if (shift == 0)
        CaptureDefault(t, channels, row);
    return seeded;
}

void CellRules::KeepGroupPacked(TabChannels& channels, int col, int row) {
    if (col < 1 || col > groupcol::kCount || row < 1 || row > groupcol::kRows)
        return;
    std::vector<int> members;
    for (int r = 1; r <= groupcol::kRows; ++r)
        members.push_back(channels.GroupMember(col, r));
    const std::vector<int> packed = PackGroup(members, row - 1);
    for (int r = 1; r <= groupcol::kRows; ++r) {
        const int member = packed[static_cast<size_t>(r - 1)];
        if (member == members[static_cast<size_t>(r - 1)])
            continue;
        channels.SetGroupMember(col, r, member);
        channels.RowChanged(r);
    }
}

void CellRules::ButtonClicked(int t, TabChannels& channels, int col, int row) {
    int shift = 0;
    if (t == tab::kHyper)
        shift = ChannelShift(t, col);
    else if (t != tab::kMemories)
        return;
    if (shift < 0)
        return;
    EditChannel(channels, row, SetOf(shift), [&](ChannelDraft& d) {
        ExcludeSkipPreferential(FieldOfColumn(col - shift), d);
        return true;
    });
}

// ---------------------------------------------------------------------------
// Default records
// ---------------------------------------------------------------------------

void CellRules::CaptureDefault(int t, const TabChannels& channels, int row) {
    const ChannelDraft* d = IsChannelListTab(t) ? channels.Channel(row, 0) : nullptr;
    if (d && entry::CaptureDefault(m_radio.DefaultRecord(t), *d))
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
