#include "document/ChannelListTable.h"

#include "document/RadioDocument.h"
#include "radio/ChannelColumns.h"
#include "radio/ChannelTables.h"
#include "radio/DataFileLayout.h"
#include "radio/RadioModel.h"

#include <algorithm>

namespace document {

using radio::ChannelDraft;
using radio::ColumnDef;
namespace channelcol = radio::channelcol;

namespace {

bool IsBandTab(int t) {
    return t == radio::tab::kVfo || t == radio::tab::kHome;
}

} // namespace

ChannelListTable::ChannelListTable(radio::RadioModel& radio, int tab) : TabTable(radio, tab) {
    if (!radio::IsChannelListTab(tab))
        return;
    m_columns = radio::TabColumnCount(tab);
    m_rows.resize(static_cast<size_t>(radio::TabRowCount(tab)));
    m_formats.resize(static_cast<size_t>(m_columns + 1));
    for (int col = 1; col <= m_columns; ++col)
        m_formats[static_cast<size_t>(col)] = radio::ColumnFormat(tab, col);
}

ChannelListTable::ChannelListTable(RadioDocument& doc, int tab)
    : ChannelListTable(doc.Radio(), tab) {}

void ChannelListTable::Fill(const radio::Byte* image) {
    for (int row = 1; row <= Rows(); ++row) {
        const int i = row - 1;
        ChannelDraft& d = At(row);
        d = ChannelDraft{};
        if (!radio::RadioModel::IsUsed(image, m_tab, i))
            continue; // no channel: empty and locked
        d = radio::DraftFromValues(radio::DecodeChannel(m_radio, image, m_tab, i));
        SetText(channelcol::kComment, row, m_radio.Comment(m_tab, i));
    }
    TakeBaseline();
}

void ChannelListTable::FillRow(const radio::Byte* image, int row) {
    if (row < 1 || row > Rows())
        return;
    const int i = row - 1;
    At(row) = radio::RadioModel::IsUsed(image, m_tab, i)
                  ? radio::DraftFromValues(radio::DecodeChannel(m_radio, image, m_tab, i))
                  : ChannelDraft{};
    if (At(row).open)
        SetText(channelcol::kComment, row, m_radio.Comment(m_tab, i));
    TakeRowBaseline(row);
}

bool ChannelListTable::WriteChanged(radio::Byte* image) {
    bool commentsChanged = false;
    auto storeComment = [&](int i, const QString& text) {
        // Compared as the slot would hold it (Latin-1, 30 characters).
        if (m_radio.Comment(m_tab, i) ==
            QString::fromLatin1(text.left(radio::rdf::kCommentMaxText).toLatin1()))
            return;
        m_radio.SetComment(m_tab, i, text);
        commentsChanged = true;
    };
    for (int row = 1; row <= Rows(); ++row) {
        if (RowMatchesBaseline(row))
            continue;
        const int i = row - 1;
        const ChannelDraft& d = At(row);
        if (HoldsNoFrequency(d))
            continue;
        const radio::ChannelValues values = radio::ValuesFromDraft(d);
        if (!m_radio.IsValidFrequency(m_tab, values.rx, row)) {
            if (IsBandTab(m_tab))
                continue;
            radio::RadioModel::SetUsed(image, m_tab, i, false);
            storeComment(i, d.comment);
            continue;
        }
        // A frequency that does not fit: the row keeps its record.
        if (!radio::EncodeChannel(m_radio, image, m_tab, i, values))
            continue;
        storeComment(i, d.comment);
    }
    return commentsChanged;
}

QString ChannelListTable::Header(int col) const {
    return col >= 1 && col <= m_columns ? radio::ColumnHeader(m_tab, col) : QString();
}

const ChannelDraft& ChannelListTable::Draft(int row) const {
    static const ChannelDraft kNone;
    return row >= 1 && row <= Rows() ? At(row) : kNone;
}

const ChannelDraft* ChannelListTable::Channel(int row, int set) const {
    return set == 0 && row >= 1 && row <= Rows() ? &At(row) : nullptr;
}

QString ChannelListTable::Text(int col, int row) const {
    return IsCell(col, row) ? radio::CellText(At(row), *radio::ChannelColumn(col)) : QString();
}

int ChannelListTable::ListIndex(int col, int row) const {
    return IsCell(col, row) ? radio::CellIndex(At(row), *radio::ChannelColumn(col)) : -1;
}

outside::CellKind ChannelListTable::Kind(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].kind : outside::CellKind::Text;
}

outside::ChoiceListPtr ChannelListTable::List(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].list : nullptr;
}

int ChannelListTable::MaxLength(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].maxLength : 0;
}

int ChannelListTable::Decimals(int col, int row) const {
    return IsCell(col, row) ? m_formats[static_cast<size_t>(col)].decimals : 0;
}

bool ChannelListTable::IsLocked(int col, int row) const {
    if (!IsCell(col, row))
        return false;
    if (radio::IsAlwaysLocked(m_tab, col))
        return true;
    return col >= channelcol::kFirstLocked && col <= channelcol::kLastLocked && !At(row).open;
}

bool ChannelListTable::IsMuted(int col, int row) const {
    if (Text(col, row).isEmpty())
        return false; // nothing to mute
    const ChannelDraft& d = At(row);
    switch (col) {
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

void ChannelListTable::SetText(int col, int row, const QString& text) {
    if (IsCell(col, row))
        radio::SetCellText(At(row), *radio::ChannelColumn(col), text);
}

void ChannelListTable::SetListIndex(int col, int row, int index) {
    if (IsCell(col, row))
        radio::SetCellIndex(At(row), *radio::ChannelColumn(col), index);
}

void ChannelListTable::SetLock(const outside::GridBlock& block, bool locked) {
    const outside::GridBlock b = block.Within(m_columns, Rows());
    if (!b.IsValid())
        return;
    bool rowLock = false;
    for (int col = std::max(b.col1, channelcol::kFirstLocked);
         col <= std::min(b.col2, channelcol::kLastLocked); ++col)
        rowLock = rowLock || !radio::IsAlwaysLocked(m_tab, col);
    if (!rowLock)
        return;
    for (int row = b.row1; row <= b.row2; ++row)
        At(row).open = !locked;
}

// Whole channels move with their lock.
bool ChannelListTable::MoveWholeRows(int first, int last, int dest) {
    MoveRowValues(m_rows, first, last, dest);
    return true;
}

bool ChannelListTable::PermuteWholeRows(int first, const std::vector<int>& from) {
    PermuteRowValues(m_rows, first, from);
    return true;
}

bool ChannelListTable::RowIsBaseline(int row) const {
    return m_baseline[static_cast<size_t>(row - 1)] == At(row);
}

void ChannelListTable::TakeBaseline() {
    m_baseline = m_rows;
    m_hasBaseline = true;
}

void ChannelListTable::TakeRowBaseline(int row) {
    if (m_hasBaseline && row >= 1 && row <= Rows())
        m_baseline[static_cast<size_t>(row - 1)] = At(row);
}

void ChannelListTable::DropBaseline() {
    m_baseline.clear();
    m_hasBaseline = false;
}

// A cell matches its baseline while it shows the same text, as a text grid
// compares: a row whose texts all match keeps its bytes.
bool ChannelListTable::CellMatchesBaseline(int col, int row) const {
    if (!m_hasBaseline || !IsCell(col, row))
        return false;
    const ChannelDraft& was = m_baseline[static_cast<size_t>(row - 1)];
    return radio::CellText(was, *radio::ChannelColumn(col)) == Text(col, row);
}

} // namespace document
