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

// The offset text a transmit frequency without a standard shift leaves.
const char* const kSplitOffsetText = "600 kHz";

constexpr Hz kMegahertz = 1000000;

// The offset as its cell shows it: the list item when the list has it.
void WriteOffset(RadioModel& radio, outside::CellStore& grid, int col, int row, Hz offset) {
    const int item = radio.OffsetListIndex(offset);
    if (item >= 0)
        grid.SetListIndex(col, row, item);
    else
        grid.SetText(col, row, OffsetText(offset));
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
    m_startIndex = grid.ListIndex(col, row);
}

void CellRules::EditEnded(int t, outside::CellStore& grid, int col, int row) {
    const bool sameCell = m_startTab == t && m_startCol == col && m_startRow == row;
    const bool wasSplit = sameCell && m_startIndex == direction::kSplit;
    m_startTab = -1;
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return;
    switch (col - shift) {
    case kReceive: {
        const CellReading rx = ReadFrequencyCell(m_radio, grid, shift + kReceive, row);
        if (rx.IsBlank()) {
            EmptyChannel(t, grid, shift, row);
            return;
        }
        if (rx.kind == CellReading::Bad || !m_radio.IsValidFrequency(t, rx.hz, row))
            return;
        // However the grid ordered its events, a blank row is seeded first.
        SeedRow(t, grid, row, rx.hz);
        UnlockChannel(t, grid, shift, row);
        // A split channel keeps its own transmit frequency.
        if (grid.ListIndex(shift + kDirection, row) == direction::kSplit)
            return;
        ApplyOffset(grid, shift, row);
        return;
    }
    case kOffset:
        ApplyOffset(grid, shift, row);
        return;
    case kTransmit:
        ApplyTransmit(grid, shift, row);
        return;
    case kDirection: {
        const CellReading rx = ReadFrequencyCell(m_radio, grid, shift + kReceive, row);
        if (rx.kind != CellReading::Value)
            return;
        int dir = grid.ListIndex(shift + kDirection, row);
        const CellReading off = ReadFrequencyCell(m_radio, grid, shift + kOffset, row);
        Hz offset = off.kind == CellReading::Value ? off.hz : 0;
        // Leaving Split, or a shift without a usable offset: the band's own
        // offset, never what a split row's offset cell showed.
        if ((dir == direction::kMinus || dir == direction::kPlus) &&
            (wasSplit || !m_radio.IsValidOffset(offset))) {
            offset = m_radio.DefaultOffset(rx.hz);
            WriteOffset(m_radio, grid, shift + kOffset, row, offset);
        }
        const Hz tx = m_radio.TransmitFrequency(rx.hz, dir, offset, false);
        if (tx > 0)
            grid.SetText(shift + kTransmit, row, FrequencyText(tx));
        return;
    }
    default:
        return;
    }
}

void CellRules::ApplyOffset(outside::CellStore& grid, int shift, int row) {
    const CellReading rx = ReadFrequencyCell(m_radio, grid, shift + kReceive, row);
    const CellReading off = ReadFrequencyCell(m_radio, grid, shift + kOffset, row);
    if (rx.kind != CellReading::Value || off.kind == CellReading::Bad)
        return;
    Hz offset = off.hz;
    if (off.IsBlank()) {
        // No offset yet: the band's own.
        offset = m_radio.DefaultOffset(rx.hz);
        WriteOffset(m_radio, grid, shift + kOffset, row, offset);
    }
    int dir = grid.ListIndex(shift + kDirection, row);
    const Hz tx = m_radio.TransmitFrequency(rx.hz, dir, offset, true);
    if (tx > 0)
        grid.SetText(shift + kTransmit, row, FrequencyText(tx));
    grid.SetListIndex(shift + kDirection, row, dir);
}

void CellRules::ApplyTransmit(outside::CellStore& grid, int shift, int row) {
    const CellReading rx = ReadFrequencyCell(m_radio, grid, shift + kReceive, row);
    const CellReading tx = ReadFrequencyCell(m_radio, grid, shift + kTransmit, row);
    if (rx.kind != CellReading::Value || tx.kind != CellReading::Value)
        return;
    int dir = grid.ListIndex(shift + kDirection, row);
    if (dir == direction::kSplit)
        return;
    const Hz offset = m_radio.OffsetFromPair(rx.hz, dir, tx.hz);
    grid.SetListIndex(shift + kDirection, row, dir);
    if (offset <= 0) {
        grid.SetListIndex(shift + kDirection, row, direction::kSplit);
        grid.SetText(shift + kOffset, row, QString::fromLatin1(kSplitOffsetText));
    } else if (offset < kMegahertz) {
        grid.SetText(shift + kOffset, row, QString::asprintf("%3.0f kHz", offset / 1000.0));
    } else {
        grid.SetText(shift + kOffset, row, QString::asprintf("%5.3f MHz", offset / 1000000.0));
    }
}

void CellRules::SeedRow(int t, outside::CellStore& grid, int row, Hz rx) {
    if (!IsChannelListTab(t))
        return;
    if (!ReadFrequencyCell(m_radio, grid, kTransmit, row).IsBlank())
        return;
    m_radio.FillNewRow(t, rx, row, grid);
}

void CellRules::EmptyChannel(int t, outside::CellStore& grid, int shift, int row) {
    if (shift == 0) {
        m_radio.ClearRow(t, row, grid);
        LockRow(grid, t, row, true);
        return;
    }
    // One receiver set of a hyper memory: the other set stays as it is.
    grid.ClearBlock({shift + kReceive, row, shift + kLastSetColumn, row});
    grid.SetLock({shift + kTransmit, row, shift + kLastSetColumn, row}, true);
}

void CellRules::UnlockChannel(int t, outside::CellStore& grid, int shift, int row) {
    if (shift == 0)
        LockRow(grid, t, row, false);
    else
        grid.SetLock({shift + kTransmit, row, shift + kLastSetColumn, row}, false);
}

// ---------------------------------------------------------------------------
// Leaving cells and rows
// ---------------------------------------------------------------------------

std::optional<Refusal> CellRules::CheckCell(int t, const outside::CellStore& grid, int col,
                                            int row) const {
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return std::nullopt;
    switch (col - shift) {
    case kReceive: {
        const CellReading rx = ReadFrequencyCell(m_radio, grid, col, row);
        if (rx.IsBlank())
            return std::nullopt;
        if (rx.kind == CellReading::Bad || !m_radio.IsValidFrequency(t, rx.hz, row))
            return Refusal{QString::fromLatin1(kBadReceive), true};
        return std::nullopt;
    }
    case kTransmit: {
        // Only a channel has a transmit frequency to check.
        if (ReadFrequencyCell(m_radio, grid, shift + kReceive, row).kind != CellReading::Value)
            return std::nullopt;
        const CellReading tx = ReadFrequencyCell(m_radio, grid, col, row);
        const Hz hz = tx.kind == CellReading::Value ? tx.hz : 0;
        if (tx.kind == CellReading::Value && m_radio.IsValidFrequency(t, hz, row))
            return std::nullopt;
        return Refusal{QString::fromLatin1(kBadTransmit).arg(hz), true};
    }
    case kOffset: {
        // A split row's offset cell is no offset: nothing reads it back.
        if (grid.ListIndex(shift + kDirection, row) == direction::kSplit)
            return std::nullopt;
        const CellReading off = ReadFrequencyCell(m_radio, grid, col, row);
        if (off.kind == CellReading::Bad ||
            (off.kind == CellReading::Value && !m_radio.IsValidOffset(off.hz)))
            return Refusal{QString::fromLatin1(kBadOffset), false};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void CellRules::CellLeft(int t, outside::CellStore& grid, int col, int row, int newRow) {
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return;
    const CellReading rx = ReadFrequencyCell(m_radio, grid, shift + kReceive, row);
    if (col - shift == kReceive && rx.IsBlank()) {
        if (shift == 0)
            LockRow(grid, t, row, true);
        else
            grid.SetLock({shift + kTransmit, row, shift + kLastSetColumn, row}, true);
        return;
    }
    if (shift != 0)
        return; // the hyper sets neither unlock here nor give defaults
    if (col == kReceive && rx.kind == CellReading::Value)
        LockRow(grid, t, row, false);
    if (newRow != row)
        CaptureDefault(t, grid, row);
}

void CellRules::RowLeft(int t, outside::CellStore& grid, int row) {
    if (!IsChannelListTab(t))
        return;
    CaptureDefault(t, grid, row);
    // A row without a receive frequency keeps its other cells locked;
    // programmed rows stay editable.
    if (ReadFrequencyCell(m_radio, grid, kReceive, row).IsBlank())
        LockRow(grid, t, row, true);
}

std::optional<QString> CellRules::EditRefused(int t, const outside::CellStore& grid, int col,
                                              int row, int* activeCol) const {
    if (activeCol)
        *activeCol = 0;
    const int shift = ChannelShift(t, col);
    if (shift < 0)
        return std::nullopt; // the header-only columns say nothing
    // A channel's cells that its tab always keeps locked say nothing either.
    if (ReadFrequencyCell(m_radio, grid, shift + kReceive, row).kind == CellReading::Value)
        return std::nullopt;
    if (activeCol)
        *activeCol = shift + kReceive;
    return QString::fromLatin1(kNeedReceive);
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
        if (rx.kind != CellReading::Value || !m_radio.IsValidFrequency(t, rx.hz, row))
            return false;
        SeedRow(t, grid, row, rx.hz);
        UnlockChannel(t, grid, shift, row);
    }
    if (shift == 0)
        CaptureDefault(t, grid, row);
    return false;
}

void CellRules::KeepGroupPacked(outside::CellStore& grid, int col, int row) {
    if (col < 1 || col > groupcol::kCount || row < 1 || row > groupcol::kRows)
        return;
    if (grid.ListIndex(col, row) == 0) {
        // The empty entry takes the channel out and closes the gap.
        grid.SetListIndex(col, row, -1);
        if (row < groupcol::kRows)
            grid.MoveBlock({col, row + 1, col, groupcol::kRows}, col, row);
    }
    // Sorted by channel number, empty cells last; the grid's own sort keys
    // are put back afterwards.
    const int keyCols[2] = {grid.SortKeyColumn(1), grid.SortKeyColumn(2)};
    const outside::CellStore::SortOrder keyOrders[2] = {grid.SortKeyOrder(1), grid.SortKeyOrder(2)};
    grid.SetSortKey(1, col, outside::CellStore::SortOrder::Ascending);
    grid.SetSortKey(2, 0, outside::CellStore::SortOrder::None);
    grid.SortBlockByRows({col, 1, col, groupcol::kRows});
    grid.SetSortKey(1, keyCols[0], keyOrders[0]);
    grid.SetSortKey(2, keyCols[1], keyOrders[1]);
}

void CellRules::ButtonClicked(int t, outside::CellStore& grid, int col, int row) {
    int shift = 0;
    if (t == tab::kHyper)
        shift = ChannelShift(t, col);
    else if (t != tab::kMemories)
        return;
    if (shift < 0 || !grid.IsChecked(col, row))
        return;
    // Skip and preferential scan exclude each other.
    if (col - shift == kSkip)
        grid.SetChecked(shift + kPreferential, row, false);
    else if (col - shift == kPreferential)
        grid.SetChecked(shift + kSkip, row, false);
}

// ---------------------------------------------------------------------------
// Default records
// ---------------------------------------------------------------------------

void CellRules::CaptureDefault(int t, const outside::CellStore& grid, int row) {
    if (!IsChannelListTab(t) || row < 1 || row > grid.MaxRows())
        return;
    if (ReadFrequencyCell(m_radio, grid, kReceive, row).kind != CellReading::Value)
        return;
    Byte* rec = m_radio.DefaultRecord(t);
    std::memset(rec, 0, image::kRecordSize);
    std::memset(m_radio.DefaultBlock(), 0, image::kBlockSize);
    const auto index = [&](int col) { return std::max(grid.ListIndex(col, row), 0); };
    ChannelRecord r(rec);
    r.SetDirection(index(kDirection));
    r.SetMode(index(kMode));
    r.SetToneMode(index(kToneMode));
    r.SetCtcss(index(kCtcss));
    r.SetDcs(index(kDcs));
    r.SetStep(index(kStep));
    r.SetClockShift(grid.IsChecked(kClockShift, row));
    r.SetHalfDeviation(grid.IsChecked(kHalfDeviation, row));
    r.SetPower(index(kPower));
    r.SetIcon(index(kIcon));
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
