#include "document/HyperTable.h"

#include "radio/CellEntry.h"
#include "radio/ChannelColumns.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

#include <algorithm>

namespace document {

using radio::CheckMark;
namespace hypercol = radio::hypercol;
namespace channelcol = radio::channelcol;
namespace block = radio::block;

namespace {

constexpr radio::Byte kNotInUse = 0xFF;

// Where a grid column of a hyper row lies: one of the row's own columns
// (set -1), a receiver set's column (set 0 or 1, its column-table column),
// or a column that only heads the grid (set -2).
struct Place {
    int set = -1;
    int column = 0;
};

Place PlaceOf(int col) {
    const int shift = radio::entry::ChannelShift(radio::tab::kHyper, col);
    if (shift >= 0)
        return {shift == hypercol::kSetAShift ? 0 : 1, col - shift};
    return {col > hypercol::kLastFilled ? -2 : -1, col};
}

int ShiftOf(int set) {
    return set == 0 ? hypercol::kSetAShift : hypercol::kSetBShift;
}

QString CheckText(CheckMark mark) {
    switch (mark) {
    case CheckMark::Empty:
        return QString();
    case CheckMark::Off:
        return QStringLiteral("0");
    case CheckMark::On:
        return QStringLiteral("1");
    }
    return QString();
}

CheckMark CheckOfText(const QString& text) {
    const QString held =
        outside::cells::ApplyTextRule(outside::CellKind::CheckBox, 0, nullptr, text).text;
    return held.isEmpty()               ? CheckMark::Empty
           : held == QLatin1String("1") ? CheckMark::On
                                        : CheckMark::Off;
}

CheckMark Mark(bool on) {
    return on ? CheckMark::On : CheckMark::Off;
}

} // namespace

HyperTable::HyperTable(radio::RadioModel& radio) : TabTable(radio, radio::tab::kHyper) {
    m_rows.resize(static_cast<size_t>(radio::TabRowCount(m_tab)));
    m_formats.resize(static_cast<size_t>(hypercol::kCount + 1));
    for (int col = 1; col <= hypercol::kCount; ++col)
        m_formats[static_cast<size_t>(col)] = radio::ColumnFormat(m_tab, col);
}

int HyperTable::Columns() const {
    return hypercol::kCount;
}

HyperTable::Row HyperTable::ReadRow(const radio::Byte* image, int row) const {
    const radio::Byte* blk = radio::RadioModel::RecordForRow(image, m_tab, row - 1);
    Row r;
    if (!blk)
        return r;
    r.status = Mark(blk[block::kHyperStatus] == block::kHyperInUse);
    r.dualReceive = Mark(blk[block::kDualReceive] != 0);
    r.band = outside::cells::ApplyListIndex(outside::CellKind::List,
                                            m_formats[hypercol::kOperationBand].list.get(),
                                            blk[block::kOperationBand])
                 .listIndex;
    for (int set = 0; set < 2; ++set)
        r.sets[static_cast<size_t>(set)] =
            radio::DraftFromValues(radio::DecodeSet(m_radio, blk, set));
    return r;
}

void HyperTable::Fill(const radio::Byte* image) {
    for (int row = 1; row <= Rows(); ++row)
        Mutable(row) = ReadRow(image, row);
    TakeBaseline();
}

void HyperTable::FillRow(const radio::Byte* image, int row) {
    if (row < 1 || row > Rows())
        return;
    Mutable(row) = ReadRow(image, row);
    TakeRowBaseline(row);
}

bool HyperTable::WriteChanged(radio::Byte* image) {
    for (int row = 1; row <= Rows(); ++row) {
        const Row& r = At(row);
        if (RowMatchesBaseline(row) || HoldsNoFrequency(r.sets[0]) || HoldsNoFrequency(r.sets[1]))
            continue;
        const radio::ChannelValues a = radio::ValuesFromDraft(r.sets[0]);
        const radio::ChannelValues b = radio::ValuesFromDraft(r.sets[1]);
        if (!radio::FitsSet(a) || !radio::FitsSet(b))
            continue;
        radio::Byte* blk = radio::RadioModel::RecordForRow(image, m_tab, row - 1);
        if (r.status == CheckMark::On) {
            blk[block::kHyperStatus2] = 0;
            blk[block::kHyperStatus] = block::kHyperInUse;
            // Both sets taken from the VFO.
            for (const int offset : {block::kSourceCompanion, block::kSource})
                blk[offset] = blk[offset + block::kSetB] = block::kSourceVfo;
        } else {
            blk[block::kHyperStatus] = kNotInUse;
            blk[block::kHyperStatus2] = kNotInUse;
        }
        blk[block::kDualReceive] = r.dualReceive == CheckMark::On ? 1 : 0;
        // No band chosen writes the list's first.
        blk[block::kOperationBand] = static_cast<radio::Byte>(std::max(r.band, 0));
        radio::EncodeSet(m_radio, blk, 0, a);
        radio::EncodeSet(m_radio, blk, 1, b);
    }
    return false;
}

QString HyperTable::Header(int col) const {
    return IsCell(col, 1) ? radio::ColumnHeader(m_tab, col) : QString();
}

const HyperTable::Row& HyperTable::At(int row) const {
    static const Row kNone;
    return row >= 1 && row <= Rows() ? m_rows[static_cast<size_t>(row - 1)] : kNone;
}

const radio::ChannelDraft* HyperTable::Channel(int row, int set) const {
    if (row < 1 || row > Rows() || (set != 1 && set != 2))
        return nullptr;
    return &m_rows[static_cast<size_t>(row - 1)].sets[static_cast<size_t>(set - 1)];
}

bool HyperTable::MarkedInUse(int row) const {
    return At(row).status == CheckMark::On;
}

QString HyperTable::TextOf(const Row& r, int col) const {
    const Place at = PlaceOf(col);
    if (at.set >= 0)
        return radio::CellText(r.sets[static_cast<size_t>(at.set)],
                               *radio::ChannelColumn(at.column));
    switch (col) {
    case hypercol::kStatus:
        return CheckText(r.status);
    case hypercol::kDualReceive:
        return CheckText(r.dualReceive);
    case hypercol::kOperationBand:
        return outside::cells::ApplyListIndex(
                   outside::CellKind::List, m_formats[hypercol::kOperationBand].list.get(), r.band)
            .text;
    default:
        return QString();
    }
}

QString HyperTable::Text(int col, int row) const {
    return IsCell(col, row) ? TextOf(At(row), col) : QString();
}

int HyperTable::ListIndex(int col, int row) const {
    if (!IsCell(col, row))
        return -1;
    const Place at = PlaceOf(col);
    if (at.set >= 0)
        return radio::CellIndex(At(row).sets[static_cast<size_t>(at.set)],
                                *radio::ChannelColumn(at.column));
    return col == hypercol::kOperationBand ? At(row).band : -1;
}

outside::CellKind HyperTable::Kind(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].kind : outside::CellKind::Text;
}

outside::ChoiceListPtr HyperTable::List(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].list : nullptr;
}

int HyperTable::MaxLength(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].maxLength : 0;
}

int HyperTable::Decimals(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].decimals : 0;
}

bool HyperTable::IsLocked(int col, int row) const {
    if (!IsCell(col, row))
        return false;
    const Place at = PlaceOf(col);
    if (at.set == -2)
        return true;
    return at.set >= 0 && at.column >= channelcol::kFirstLocked &&
           !At(row).sets[static_cast<size_t>(at.set)].open;
}

bool HyperTable::IsMuted(int col, int row) const {
    const Place at = PlaceOf(col);
    if (at.set < 0 || Text(col, row).isEmpty())
        return false; // nothing to mute
    const radio::ChannelDraft& d = At(row).sets[static_cast<size_t>(at.set)];
    switch (at.column) {
    case channelcol::kCtcss:
        return !radio::tonemode::UsesCtcss(d.toneMode);
    case channelcol::kDcs:
        return !radio::tonemode::UsesDcs(d.toneMode);
    case channelcol::kOffset:
        return d.direction == radio::direction::kSimplex;
    default:
        return false;
    }
}

void HyperTable::SetText(int col, int row, const QString& text) {
    if (!IsCell(col, row))
        return;
    Row& r = Mutable(row);
    const Place at = PlaceOf(col);
    if (at.set >= 0) {
        radio::SetCellText(r.sets[static_cast<size_t>(at.set)], *radio::ChannelColumn(at.column),
                           text);
        return;
    }
    switch (col) {
    case hypercol::kStatus:
        r.status = CheckOfText(text);
        break;
    case hypercol::kDualReceive:
        r.dualReceive = CheckOfText(text);
        break;
    case hypercol::kOperationBand:
        r.band = outside::cells::ApplyTextRule(outside::CellKind::List, 0,
                                               m_formats[hypercol::kOperationBand].list.get(), text)
                     .listIndex;
        break;
    default:
        break;
    }
}

void HyperTable::SetListIndex(int col, int row, int index) {
    if (!IsCell(col, row))
        return;
    Row& r = Mutable(row);
    const Place at = PlaceOf(col);
    if (at.set >= 0) {
        radio::SetCellIndex(r.sets[static_cast<size_t>(at.set)], *radio::ChannelColumn(at.column),
                            index);
    } else if (col == hypercol::kOperationBand) {
        r.band = outside::cells::ApplyListIndex(
                     outside::CellKind::List, m_formats[hypercol::kOperationBand].list.get(), index)
                     .listIndex;
    } else if (col == hypercol::kStatus) {
        r.status = CheckMark::Empty; // a check box is no list: emptied
    } else if (col == hypercol::kDualReceive) {
        r.dualReceive = CheckMark::Empty;
    }
}

void HyperTable::SetLock(const outside::GridBlock& block, bool locked) {
    const outside::GridBlock b = block.Within(Columns(), Rows());
    if (!b.IsValid())
        return;
    for (int set = 0; set < 2; ++set) {
        const int first = ShiftOf(set) + channelcol::kFirstLocked;
        const int last = ShiftOf(set) + hypercol::kSetColumns;
        if (b.col2 < first || b.col1 > last)
            continue;
        for (int row = b.row1; row <= b.row2; ++row)
            Mutable(row).sets[static_cast<size_t>(set)].open = !locked;
    }
}

// Whole hyper memories move with their locks.
bool HyperTable::MoveWholeRows(int first, int last, int dest) {
    MoveRowValues(m_rows, first, last, dest);
    return true;
}

bool HyperTable::PermuteWholeRows(int first, const std::vector<int>& from) {
    PermuteRowValues(m_rows, first, from);
    return true;
}

bool HyperTable::RowIsBaseline(int row) const {
    return m_baseline[static_cast<size_t>(row - 1)] == At(row);
}

void HyperTable::TakeBaseline() {
    m_baseline = m_rows;
    m_hasBaseline = true;
}

void HyperTable::TakeRowBaseline(int row) {
    if (m_hasBaseline && row >= 1 && row <= Rows())
        m_baseline[static_cast<size_t>(row - 1)] = At(row);
}

void HyperTable::DropBaseline() {
    m_baseline.clear();
    m_hasBaseline = false;
}

// A cell matches its baseline while it shows the same text.
bool HyperTable::CellMatchesBaseline(int col, int row) const {
    if (!m_hasBaseline || !IsCell(col, row))
        return false;
    return TextOf(m_baseline[static_cast<size_t>(row - 1)], col) == Text(col, row);
}

} // namespace document
