// The seven channel tables: how each grid is laid out, filled from the clone
// image and written back into it, how a fresh row is seeded, how a row
// becomes a line of the text export, and how the memory groups follow rows
// that are cut, deleted or inserted.
#include "radio/ChannelTables.h"

#include "outside/CellStore.h"
#include "outside/DelimitedText.h"
#include "radio/CellReading.h"
#include "radio/ChannelRecord.h"
#include "radio/ChoiceLists.h"
#include "radio/DataFileLayout.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "radio/StringTable.h"
#include "radio/ValueTables.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace radio {

namespace {

using Kind = outside::CellStore::CellKind;

constexpr int kFrequencyDecimals = 5;
constexpr double kCommentWidth = 40.0;
constexpr Hz kMegahertz = 1000000;
constexpr Hz kKilohertz = 1000;

bool IsBandTab(int t) {
    return t == tab::kVfo || t == tab::kHome;
}

// ---------------------------------------------------------------------------
// Cell layouts: header string, cell kind, choice list and length of every
// column of every tab, from the column table.
// ---------------------------------------------------------------------------

struct CellLayout {
    int headerId = 0;
    Kind kind = Kind::Text;
    ChoiceList list = ChoiceList::None;
    int maxLength = 0;
};

constexpr CellLayout kHyperOwnColumns[] = {
    {str::kHeaderStatus, Kind::CheckBox},
    {str::kHeaderDualReceive, Kind::CheckBox},
    {str::kHeaderOperationBand, Kind::List, ChoiceList::Band},
};
constexpr int kHyperHeaderOnlyColumns[hypercol::kHeaderOnly] = {
    str::kHeaderSpectrumCenter,
    str::kHeaderTapStartBand,
    str::kHeaderDualSpectrumStart,
};

CellLayout LayoutOf(const ColumnDef& def) {
    switch (def.value) {
    case CellValue::Frequency:
        return {def.headerId, Kind::Number};
    case CellValue::OffsetText:
    case CellValue::ListIndex:
        return {def.headerId, Kind::List, def.list};
    case CellValue::Check:
        return {def.headerId, Kind::CheckBox};
    case CellValue::Text:
        return {def.headerId, Kind::Text, ChoiceList::None, def.maxLength};
    case CellValue::Comment:
        return {def.headerId, Kind::Text, ChoiceList::None, radio::rdf::kCommentMaxText};
    }
    return {};
}

// A receiver set holds the columns the table marks, in table order: the
// position of a column within a set (1-based; 0 for none), and the column at
// each position.
constexpr auto kSetPosition = [] {
    std::array<int, channelcol::kCount + 1> position{};
    int n = 0;
    for (const ColumnDef& def : kChannelColumns)
        position[static_cast<size_t>(def.column)] = def.InSets() ? ++n : 0;
    return position;
}();
constexpr auto kSetColumn = [] {
    std::array<int, hypercol::kSetColumns + 1> column{};
    for (const ColumnDef& def : kChannelColumns) {
        if (def.InSets())
            column[static_cast<size_t>(kSetPosition[static_cast<size_t>(def.column)])] = def.column;
    }
    return column;
}();

// The grid column of a table column: itself on the channel-list tabs
// (first 0), its set position after first on Hyper Memories.
int GridColumn(int first, const ColumnDef& def) {
    return first == 0 ? def.column : first + kSetPosition[static_cast<size_t>(def.column)];
}

// The receiver set a Hyper Memories column belongs to: its shift, or 0 for
// the block's own and header-only columns.
int SetShiftOf(int col) {
    if (col > hypercol::kSetAShift && col <= hypercol::kSetBShift)
        return hypercol::kSetAShift;
    if (col > hypercol::kSetBShift && col <= hypercol::kLastFilled)
        return hypercol::kSetBShift;
    return 0;
}

// The layout of a column of a tab; nullopt outside the tab (and on Memory
// Groups, whose columns are all alike).
std::optional<CellLayout> ColumnLayout(int t, int col) {
    if (IsChannelListTab(t)) {
        const ColumnDef* def = ChannelColumn(col);
        return def ? std::optional<CellLayout>(LayoutOf(*def)) : std::nullopt;
    }
    if (t != tab::kHyper || col < 1 || col > hypercol::kCount)
        return std::nullopt;
    if (col <= hypercol::kSetAShift)
        return kHyperOwnColumns[col - 1];
    if (col > hypercol::kLastFilled)
        return CellLayout{kHyperHeaderOnlyColumns[col - hypercol::kLastFilled - 1]};
    const int position = (col - hypercol::kSetAShift - 1) % hypercol::kSetColumns + 1;
    return LayoutOf(*ChannelColumn(kSetColumn[static_cast<size_t>(position)]));
}

// A column's header; on Hyper Memories the two receiver sets' columns name
// their set ("A: Receive Frequency").
QString HeaderText(int t, int col, int headerId) {
    const QString text = LoadString(headerId);
    if (t != tab::kHyper)
        return text;
    switch (SetShiftOf(col)) {
    case hypercol::kSetAShift:
        return QStringLiteral("A: ") + text;
    case hypercol::kSetBShift:
        return QStringLiteral("B: ") + text;
    default:
        return text;
    }
}

outside::CellStore::CellFormat FormatOf(const CellLayout& layout) {
    outside::CellStore::CellFormat format;
    format.kind = layout.kind;
    format.decimals = layout.kind == Kind::Number ? kFrequencyDecimals : 0;
    format.maxLength = layout.maxLength;
    if (layout.kind == Kind::List)
        format.list = ChoiceItems(layout.list);
    return format;
}

// Cells a tab keeps locked: the VFO's name, and the flags VFO's and home
// channels do not have.
bool AlwaysLocked(int t, int col) {
    if (!IsBandTab(t))
        return false;
    if (col == channelcol::kSkip || col == channelcol::kPreferential || col == channelcol::kMask)
        return true;
    return t == tab::kVfo && col == channelcol::kName;
}

// A list cell without a selection writes the list's first value: a field
// never receives -1.
int IndexOrFirst(const outside::CellStore& grid, int col, int row) {
    return std::max(grid.ListIndex(col, row), 0);
}

// ---------------------------------------------------------------------------
// Memory groups
// ---------------------------------------------------------------------------

// The choice list of a group cell: an empty first item, then every memory
// channel in use as "007 - 146.52000 MHz" (its stored whole kHz). item, if
// given, receives the item index of each channel index (-1 for none).
outside::CellStore::List GroupChannelList(const Byte* image, std::vector<int>* item) {
    QStringList items;
    items.reserve(image::kMemoryCount + 1);
    items << QString();
    if (item)
        item->assign(image::kMemoryCount, -1);
    for (int i = 0; i < image::kMemoryCount; ++i) {
        if (!RadioModel::IsUsed(image, tab::kMemories, i))
            continue;
        const Byte* rx = RadioModel::RecordForRow(image, tab::kMemories, i) + record::kRxFrequency;
        const std::int64_t khz = UnpackBcd(rx, record::kFrequencySize);
        QString text = QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        if (khz >= 0)
            text += QStringLiteral(" - ") + FrequencyText(static_cast<Hz>(khz * kKilohertz)) +
                    QStringLiteral(" MHz");
        if (item)
            (*item)[static_cast<size_t>(i)] = static_cast<int>(items.size());
        items << text;
    }
    return outside::CellStore::MakeList(items, false);
}

// The leading decimal number of a text (blanks skipped); -1 when there is none.
int LeadingNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    int value = -1;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
        value = std::max(value, 0) * 10 + (text[i].unicode() - '0');
        if (value > 1000000)
            return -1;
    }
    return value;
}

// Whether the receive, transmit or offset cell of a channel (from column
// first + 1 on) holds a text that is no frequency.
bool HoldsNoFrequency(const RadioModel& radio, const outside::CellStore& grid, int row, int first) {
    for (const int col : {channelcol::kReceive, channelcol::kTransmit, channelcol::kOffset}) {
        if (entry::ReadFrequencyCell(radio, grid, first + col, row).kind == entry::CellReading::Bad)
            return true;
    }
    return false;
}

void WriteBe16(Byte* p, int value) {
    p[0] = static_cast<Byte>((value >> 8) & 0xFF);
    p[1] = static_cast<Byte>(value & 0xFF);
}

} // namespace

// ---------------------------------------------------------------------------
// Shared helpers
// ---------------------------------------------------------------------------

const char* TabName(int t) {
    static const char* const kNames[tab::kCount] = {
        "Memories",      "Limit Memories", "One Touch Memories", "Hyper Memories",
        "Memory Groups", "VFO's",          "Home Channels"};
    return t >= 0 && t < tab::kCount ? kNames[t] : "";
}

const char* TabKey(int t) {
    static const char* const kKeys[tab::kCount] = {"memories", "limit", "onetouch", "hyper",
                                                   "groups",   "vfo",   "home"};
    return t >= 0 && t < tab::kCount ? kKeys[t] : "";
}

int TabByKey(const QString& key) {
    for (int t = 0; t < tab::kCount; ++t) {
        if (key.compare(QLatin1String(TabKey(t)), Qt::CaseInsensitive) == 0)
            return t;
    }
    return -1;
}

int TabColumnCount(int t) {
    if (IsChannelListTab(t))
        return channelcol::kCount;
    if (t == tab::kHyper)
        return hypercol::kCount;
    if (t == tab::kGroups)
        return groupcol::kCount;
    return 0;
}

int TabRowCount(int t) {
    if (t == tab::kGroups)
        return groupcol::kRows;
    if (t < 0 || t >= tab::kCount)
        return 0;
    return RadioModel::RecordCount(t);
}

outside::CellFormat ColumnFormat(int t, int col) {
    const std::optional<CellLayout> layout = ColumnLayout(t, col);
    return layout ? FormatOf(*layout) : outside::CellFormat{};
}

QString ColumnHeader(int t, int col) {
    const std::optional<CellLayout> layout = ColumnLayout(t, col);
    return layout ? HeaderText(t, col, layout->headerId) : QString();
}

bool IsAlwaysLocked(int t, int col) {
    return AlwaysLocked(t, col);
}

Hz CellFrequency(const RadioModel& radio, const outside::CellStore& grid, int col, int row) {
    const QString text = grid.Text(col, row);
    // Blanks alone (a pasted field) name no channel, as the typing rules read them.
    if (text.trimmed().isEmpty())
        return 0;
    const bool hasDigit = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return hasDigit ? radio.TextToFrequency(text) : kTextOnlyFrequency;
}

QString FrequencyText(Hz hz) {
    if (hz < 0)
        return QString();
    return QStringLiteral("%1.%2")
        .arg(hz / kMegahertz)
        .arg((hz % kMegahertz) / 10, 5, 10, QLatin1Char('0'));
}

QString FrequencyTextWithUnits(Hz hz) {
    if (hz < 0)
        return QString();
    if (hz < kMegahertz)
        return QStringLiteral("%1.%2 kHz").arg(hz / kKilohertz).arg(hz % kKilohertz);
    return FrequencyText(hz) + QStringLiteral(" MHz");
}

QString OffsetText(Hz offset) {
    if (offset < 0)
        return QString();
    if (offset >= kMegahertz)
        return QStringLiteral("%1.%2 MHz")
            .arg(offset / kMegahertz)
            .arg((offset % kMegahertz) / 10000, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 kHz").arg(offset / kKilohertz, 3, 10, QLatin1Char('0'));
}

// A value the cell text shows exactly: whole MHz and 10 Hz units, or, for
// the offset column, whole MHz and 10 kHz units from 1 MHz on and whole kHz
// below.
FrequencyEntry StoredFrequency(Hz hz) {
    FrequencyEntry entry;
    entry.text = FrequencyText(hz);
    if (hz < 0)
        return entry;
    entry.hz = hz - hz % 10;
    entry.kind = entry.hz > 0 ? FrequencyEntry::Value : FrequencyEntry::Zero;
    return entry;
}

OffsetEntry StoredOffset(Hz offset) {
    OffsetEntry entry;
    entry.value.text = OffsetText(offset);
    if (offset < 0)
        return entry;
    const outside::CellStore::List& items = ChoiceItems(ChoiceList::Offset);
    entry.item = items ? items->IndexOf(entry.value.text) : -1;
    if (entry.item >= 0)
        entry.value.text = items->Items()[entry.item];
    entry.value.hz = offset >= kMegahertz ? offset - offset % 10000 : offset - offset % kKilohertz;
    entry.value.kind = entry.value.hz > 0 ? FrequencyEntry::Value : FrequencyEntry::Zero;
    return entry;
}

void ShowChannel(outside::CellStore& grid, int row, int first, const ChannelValues& v) {
    for (const ColumnDef& def : kChannelColumns) {
        if (!def.InSets())
            continue;
        const int col = GridColumn(first, def);
        switch (def.value) {
        case CellValue::Frequency:
            grid.SetText(col, row, FrequencyText(v.*def.number));
            break;
        case CellValue::OffsetText:
            grid.SetText(col, row, OffsetText(v.*def.number));
            break;
        case CellValue::ListIndex:
            grid.SetListIndex(col, row, v.*def.number);
            break;
        case CellValue::Check:
            grid.SetChecked(col, row, v.*def.flag);
            break;
        case CellValue::Text:
            grid.SetText(col, row, v.*def.text);
            break;
        case CellValue::Comment:
            break;
        }
    }
}

ChannelValues ReadChannel(const RadioModel& radio, const outside::CellStore& grid, int row,
                          int first) {
    ChannelValues v;
    for (const ColumnDef& def : kChannelColumns) {
        if (!def.InSets())
            continue;
        const int col = GridColumn(first, def);
        switch (def.value) {
        case CellValue::Frequency:
        case CellValue::OffsetText:
            v.*def.number = CellFrequency(radio, grid, col, row);
            break;
        case CellValue::ListIndex:
            v.*def.number = IndexOrFirst(grid, col, row);
            break;
        case CellValue::Check:
            v.*def.flag = grid.IsChecked(col, row);
            break;
        case CellValue::Text:
            v.*def.text = grid.Text(col, row);
            break;
        case CellValue::Comment:
            break;
        }
    }
    return v;
}

ChannelDraft DraftFromValues(const ChannelValues& v) {
    ChannelDraft d;
    for (const ColumnDef& def : kChannelColumns) {
        switch (def.value) {
        case CellValue::Frequency:
            (def.column == channelcol::kReceive ? d.rx : d.tx) = StoredFrequency(v.*def.number);
            break;
        case CellValue::OffsetText:
            d.offset = StoredOffset(v.*def.number);
            break;
        case CellValue::ListIndex:
            SetCellIndex(d, def, v.*def.number);
            break;
        case CellValue::Check:
            SetCellCheck(d, def, v.*def.flag ? CheckMark::On : CheckMark::Off);
            break;
        case CellValue::Text:
            SetCellText(d, def, v.*def.text);
            break;
        case CellValue::Comment:
            break;
        }
    }
    d.open = true;
    return d;
}

ChannelValues ValuesFromDraft(const ChannelDraft& d) {
    ChannelValues v;
    const auto hz = [](const FrequencyEntry& entry) {
        return entry.kind == FrequencyEntry::Value ? entry.hz : Hz{0};
    };
    for (const ColumnDef& def : kChannelColumns) {
        switch (def.value) {
        case CellValue::Frequency:
            v.*def.number = hz(def.column == channelcol::kReceive ? d.rx : d.tx);
            break;
        case CellValue::OffsetText:
            v.*def.number = hz(d.offset.value);
            break;
        case CellValue::ListIndex:
            v.*def.number = std::max(CellIndex(d, def), 0);
            break;
        case CellValue::Check:
            v.*def.flag = CellCheck(d, def) == CheckMark::On;
            break;
        case CellValue::Text:
            v.*def.text = CellText(d, def);
            break;
        case CellValue::Comment:
            break;
        }
    }
    return v;
}

bool CellApplies(int t, const outside::CellStore& grid, int col, int row) {
    if (grid.Text(col, row).isEmpty())
        return true; // nothing to mute
    // The table column and the set's first grid column.
    int first = 0;
    int column = col;
    if (t == tab::kHyper) {
        first = SetShiftOf(col);
        if (first == 0)
            return true;
        column = kSetColumn[static_cast<size_t>(col - first)];
    } else if (!IsChannelListTab(t)) {
        return true;
    }
    const auto listIndex = [&](int tableColumn) {
        return grid.ListIndex(GridColumn(first, *ChannelColumn(tableColumn)), row);
    };
    switch (column) {
    case channelcol::kCtcss:
        return tonemode::UsesCtcss(listIndex(channelcol::kToneMode));
    case channelcol::kDcs:
        return tonemode::UsesDcs(listIndex(channelcol::kToneMode));
    case channelcol::kOffset:
        return listIndex(channelcol::kDirection) != direction::kSimplex;
    default:
        return true;
    }
}

void LockRow(outside::CellStore& grid, int t, int row, bool locked) {
    grid.SetLock({channelcol::kFirstLocked, row, channelcol::kLastLocked, row}, locked);
    if (locked)
        return;
    for (int col = channelcol::kFirstLocked; col <= channelcol::kLastLocked; ++col) {
        if (AlwaysLocked(t, col))
            grid.SetLock(outside::GridBlock::Cell(col, row), true);
    }
}

// ---------------------------------------------------------------------------
// Shape of the grids
// ---------------------------------------------------------------------------

int RadioModel::RowCount(int t) {
    return TabRowCount(t);
}

QString RadioModel::RowLabel(int t, int row) const {
    switch (t) {
    case tab::kMemories:
        return row == PriorityChannel() ? QStringLiteral("P%1").arg(row) : QString::number(row);
    case tab::kLimit:
        // Lower and upper edge of each pair: L1, U1, L2, U2, ...
        return QStringLiteral("%1%2")
            .arg(row % 2 ? QLatin1Char('L') : QLatin1Char('U'))
            .arg((row + 1) / 2);
    case tab::kOneTouch:
    case tab::kHyper:
    case tab::kGroups:
        return QString::number(row);
    case tab::kVfo:
    case tab::kHome:
        return QString::fromLatin1(BandLabel(row));
    default:
        return QString();
    }
}

int RadioModel::ColumnHeaderId(int t, int col) {
    const std::optional<CellLayout> layout = ColumnLayout(t, col);
    return layout ? layout->headerId : 0;
}

void RadioModel::ConfigureGrid(outside::CellStore& grid, int t) {
    const int rows = RowCount(t);
    const int cols = TabColumnCount(t);
    if (rows == 0 || cols == 0)
        return;
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    grid.SetSize(cols, rows);
    if (t == tab::kGroups) {
        outside::CellStore::CellFormat format;
        format.kind = Kind::List;
        format.list = GroupChannelList(Image(), nullptr);
        grid.SetFormat({1, 1, cols, rows}, format);
        for (int col = 1; col <= cols; ++col) {
            grid.SetColumnItemValue(col, col);
            grid.SetText(col, 0, QStringLiteral("Group %1").arg(col));
        }
    } else {
        for (int col = 1; col <= cols; ++col) {
            const std::optional<CellLayout> layout = ColumnLayout(t, col);
            if (!layout)
                continue;
            grid.SetFormat({col, 1, col, rows}, FormatOf(*layout));
            grid.SetColumnItemValue(col, col);
            grid.SetText(col, 0, HeaderText(t, col, layout->headerId));
            if (AlwaysLocked(t, col))
                grid.SetLock({col, 1, col, rows}, true);
        }
        if (IsChannelListTab(t))
            grid.SetColumnWidth(channelcol::kComment, kCommentWidth);
        // The hyper block's header-only columns hold nothing to type into.
        if (t == tab::kHyper)
            grid.SetLock({hypercol::kLastFilled + 1, 1, hypercol::kCount, rows}, true);
        grid.SetMutedRule([t](const outside::CellStore& g, int col, int row) {
            return !CellApplies(t, g, col, row);
        });
    }
    for (int row = 1; row <= rows; ++row)
        grid.SetText(0, row, RowLabel(t, row));
    grid.SetRedraw(redraw);
}

// ---------------------------------------------------------------------------
// Image -> grid
// ---------------------------------------------------------------------------

void RadioModel::FillGrid(const Byte* image, outside::CellStore& grid, int t) {
    const int rows = RowCount(t);
    const int cols = TabColumnCount(t);
    if (rows == 0)
        return;
    if (grid.MaxRows() != rows || grid.MaxCols() != cols)
        ConfigureGrid(grid, t);
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    grid.ClearBlock({1, 1, cols, rows});
    for (int row = 1; row <= rows; ++row)
        grid.SetText(0, row, RowLabel(t, row));
    if (IsChannelListTab(t))
        FillChannelRows(image, grid, t);
    else if (t == tab::kHyper)
        FillHyperRows(image, grid);
    else if (t == tab::kGroups)
        FillGroupCells(image, grid);
    grid.TakeBaseline();
    grid.SetRedraw(redraw);
}

void RadioModel::FillChannelRows(const Byte* image, outside::CellStore& grid, int t) const {
    for (int row = 1; row <= RowCount(t); ++row)
        FillChannelRow(image, grid, t, row);
}

void RadioModel::FillChannelRow(const Byte* image, outside::CellStore& grid, int t, int row) const {
    const int i = row - 1;
    if (!IsUsed(image, t, i)) {
        LockRow(grid, t, row, true);
        return;
    }
    LockRow(grid, t, row, false);
    ShowChannel(grid, row, 0, DecodeChannel(*this, image, t, i));
    grid.SetText(channelcol::kComment, row, Comment(t, i));
}

void RadioModel::FillHyperRows(const Byte* image, outside::CellStore& grid) const {
    // Every row, in use or not.
    for (int row = 1; row <= RowCount(tab::kHyper); ++row)
        FillHyperRow(image, grid, row);
}

void RadioModel::FillHyperRow(const Byte* image, outside::CellStore& grid, int row) const {
    const Byte* blk = RecordForRow(image, tab::kHyper, row - 1);
    // Both receiver sets open for typing again.
    grid.SetLock({hypercol::kSetAShift + 1, row, hypercol::kLastFilled, row}, false);
    grid.SetChecked(hypercol::kStatus, row, blk[block::kHyperStatus] == block::kHyperInUse);
    grid.SetChecked(hypercol::kDualReceive, row, blk[block::kDualReceive] != 0);
    grid.SetListIndex(hypercol::kOperationBand, row, blk[block::kOperationBand]);
    ShowChannel(grid, row, hypercol::kSetAShift, DecodeSet(*this, blk, 0));
    ShowChannel(grid, row, hypercol::kSetBShift, DecodeSet(*this, blk, 1));
}

void RadioModel::FillRow(const Byte* image, outside::CellStore& grid, int t, int row) {
    if (row < 1 || row > RowCount(t) || row > grid.MaxRows() || grid.MaxCols() != TabColumnCount(t))
        return;
    grid.ClearBlock({1, row, grid.MaxCols(), row});
    if (IsChannelListTab(t))
        FillChannelRow(image, grid, t, row);
    else if (t == tab::kHyper)
        FillHyperRow(image, grid, row);
    grid.TakeRowBaseline(row);
}

void RadioModel::FillGroupCells(const Byte* image, outside::CellStore& grid) {
    std::vector<int> itemOf;
    outside::CellStore::CellFormat format;
    format.kind = Kind::List;
    format.list = GroupChannelList(image, &itemOf);
    grid.SetFormat({1, 1, groupcol::kCount, groupcol::kRows}, format);
    for (int g = 0; g < image::kGroupCount; ++g) {
        const int size = GroupSize(image, g);
        for (int j = 0; j < size; ++j) {
            const int member = GroupMember(image, g, j);
            if (member < 0 || member >= image::kMemoryCount)
                continue; // no member, or no channel of the image
            const int item = itemOf[static_cast<size_t>(member)];
            if (item >= 0)
                grid.SetListIndex(g + 1, j + 1, item);
        }
    }
}

// ---------------------------------------------------------------------------
// Grid -> image
// ---------------------------------------------------------------------------

bool RadioModel::ReadGrid(Byte* image, outside::CellStore& grid, int t) {
    const int rows = std::min(RowCount(t), grid.MaxRows());
    if (IsChannelListTab(t))
        return ReadChannelRows(image, grid, t, rows);
    if (t == tab::kHyper)
        ReadHyperRows(image, grid, rows);
    else if (t == tab::kGroups)
        ReadGroupCells(image, grid, rows);
    return false;
}

bool RadioModel::ReadChannelRows(Byte* image, const outside::CellStore& grid, int t, int rows) {
    bool commentsChanged = false;
    auto storeComment = [&](int i, const QString& text) {
        // Compared as the slot would hold it (Latin-1, 30 characters).
        if (Comment(t, i) == QString::fromLatin1(text.left(radio::rdf::kCommentMaxText).toLatin1()))
            return;
        SetComment(t, i, text);
        commentsChanged = true;
    };
    for (int row = 1; row <= rows; ++row) {
        // A row that still shows what the fill put there keeps its bytes.
        if (grid.RowMatchesBaseline(row))
            continue;
        const int i = row - 1;
        // A frequency cell holding no frequency at all (letters, a sign) is
        // never read as one: the row keeps its record.
        if (HoldsNoFrequency(*this, grid, row, 0))
            continue;
        const Hz rx = CellFrequency(*this, grid, channelcol::kReceive, row);
        if (!IsValidFrequency(t, rx, row)) {
            if (IsBandTab(t))
                continue;
            SetUsed(image, t, i, false);
            storeComment(i, grid.Text(channelcol::kComment, row));
            continue;
        }
        // A frequency that does not fit: the row keeps its record.
        if (!EncodeChannel(*this, image, t, i, ReadChannel(*this, grid, row, 0)))
            continue;
        storeComment(i, grid.Text(channelcol::kComment, row));
    }
    return commentsChanged;
}

void RadioModel::ReadHyperRows(Byte* image, const outside::CellStore& grid, int rows) const {
    for (int row = 1; row <= rows; ++row) {
        if (grid.RowMatchesBaseline(row) ||
            HoldsNoFrequency(*this, grid, row, hypercol::kSetAShift) ||
            HoldsNoFrequency(*this, grid, row, hypercol::kSetBShift))
            continue;
        const ChannelValues a = ReadChannel(*this, grid, row, hypercol::kSetAShift);
        const ChannelValues b = ReadChannel(*this, grid, row, hypercol::kSetBShift);
        if (!FitsSet(a) || !FitsSet(b))
            continue;
        Byte* blk = RecordForRow(image, tab::kHyper, row - 1);
        if (grid.IsChecked(hypercol::kStatus, row)) {
            blk[block::kHyperStatus2] = 0;
            blk[block::kHyperStatus] = block::kHyperInUse;
            // Both sets taken from the VFO.
            for (const int offset : {block::kSourceCompanion, block::kSource})
                blk[offset] = blk[offset + block::kSetB] = block::kSourceVfo;
        } else {
            blk[block::kHyperStatus] = 0xFF;
            blk[block::kHyperStatus2] = 0xFF;
        }
        blk[block::kDualReceive] = grid.IsChecked(hypercol::kDualReceive, row) ? 1 : 0;
        blk[block::kOperationBand] =
            static_cast<Byte>(IndexOrFirst(grid, hypercol::kOperationBand, row));
        EncodeSet(*this, blk, 0, a);
        EncodeSet(*this, blk, 1, b);
    }
}

void RadioModel::ReadGroupCells(Byte* image, const outside::CellStore& grid, int rows) {
    bool anyChanged = false;
    for (int g = 0; g < image::kGroupCount; ++g) {
        const int col = g + 1;
        if (col > grid.MaxCols() || grid.ColumnMatchesBaseline(col))
            continue; // an untouched group keeps its bytes
        anyChanged = true;
        // Members in row order; empty cells between them close up.
        std::vector<int> members;
        for (int row = 1; row <= rows; ++row) {
            const int n = LeadingNumber(grid.Text(col, row));
            if (n >= 1 && n <= image::kMemoryCount &&
                static_cast<int>(members.size()) < image::kGroupMaxMembers)
                members.push_back(n - 1);
        }
        for (int j = 0; j < image::kGroupMaxMembers; ++j)
            SetGroupMember(image, g, j,
                           j < static_cast<int>(members.size()) ? members[static_cast<size_t>(j)]
                                                                : kNoMember);
        SetGroupSize(image, g, static_cast<int>(members.size()));
    }
    if (!anyChanged)
        return;
    // The current sets' group: none, or the first group with members.
    int first = -1;
    for (int g = 0; g < image::kGroupCount && first < 0; ++g) {
        if (GroupSize(image, g) > 0)
            first = g;
    }
    for (const int offset : {image::kStateBlock, image::kStateCopy}) {
        Byte* state = image + offset;
        WriteBe16(state + block::kGroup, kNoMember);
        WriteBe16(state + block::kGroup + block::kSetB, kNoMember);
        if (first < 0)
            continue;
        WriteBe16(state + block::kGroupPosition, 0);
        state[block::kIcon] = 0;
        state[block::kIcon + block::kSetB] = 0;
        WriteBe16(state + block::kGroup, first);
    }
}

// ---------------------------------------------------------------------------
// Row operations
// ---------------------------------------------------------------------------

namespace {

// One line of the text export: the header line (row 0) or a row's cells, a
// check box as the words the list uses for it.
template <typename HeaderOf, typename TextOf>
QString ExportLine(int t, int row, const HeaderOf& header, const TextOf& text, QChar separator) {
    if (!IsChannelListTab(t))
        return QString();
    QString line = row == 0 ? QStringLiteral("Channel Number") : QString::number(row);
    for (const ColumnDef& def : kChannelColumns) {
        QString field;
        if (row == 0) {
            field = header(def.column);
            field.replace(QLatin1Char('\n'), QLatin1Char(' '));
        } else if (def.exportOn) {
            field = QLatin1String(text(def.column) == QLatin1String("1") ? def.exportOn
                                                                         : def.exportOff);
        } else {
            field = text(def.column);
        }
        line += separator;
        line += outside::delimited::QuoteField(field, separator);
    }
    line += QLatin1Char('\n');
    return line;
}

} // namespace

QString RadioModel::FormatExportLine(int t, int row, const outside::CellStore& grid,
                                     QChar separator) {
    const auto text = [&](int col) { return grid.Text(col, row); };
    return ExportLine(
        t, row, [&](int col) { return grid.Text(col, 0); }, text, separator);
}

QString RadioModel::FormatExportLine(int t, int row, const outside::CellTable& cells,
                                     QChar separator) {
    const auto text = [&](int col) { return cells.Text(col, row); };
    return ExportLine(
        t, row, [t](int col) { return ColumnHeader(t, col); }, text, separator);
}

// ---------------------------------------------------------------------------
// Memory groups follow cut, deleted and inserted memory rows
// ---------------------------------------------------------------------------

void RadioModel::RemoveGroupEntries(int mode, int r1, int r2, outside::CellStore* groupsGrid) {
    if (r1 > r2)
        std::swap(r1, r2);
    if (mode < 0 || mode > 2 || r2 < 1 || r1 > image::kMemoryCount)
        return;
    r1 = std::max(r1, 1);
    r2 = std::min(r2, image::kMemoryCount);
    const int count = r2 - r1 + 1;
    Byte* img = Image();
    for (int g = 0; g < image::kGroupCount; ++g) {
        const int size = GroupSize(img, g);
        std::vector<int> rows; // the members as memory rows (channel numbers)
        bool affected = false;
        for (int j = 0; j < size; ++j) {
            const int member = GroupMember(img, g, j);
            int row = member + 1;
            if (member == kNoMember || row > image::kMemoryCount)
                continue; // a gap or no channel: dropped if the group is rewritten
            if (mode == 0 || mode == 1) {
                if (row >= r1 && row <= r2) {
                    affected = true;
                    continue;
                }
                if (mode == 1 && row > r2) {
                    row -= count;
                    affected = true;
                }
            } else if (row >= r1) {
                row += count;
                affected = true;
                if (row > image::kMemoryCount)
                    continue;
            }
            rows.push_back(row);
        }
        if (!affected)
            continue;
        std::sort(rows.begin(), rows.end());
        for (int j = 0; j < image::kGroupMaxMembers; ++j)
            SetGroupMember(img, g, j,
                           j < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(j)] - 1
                                                             : kNoMember);
        SetGroupSize(img, g, static_cast<int>(rows.size()));
    }
    if (groupsGrid)
        FillGrid(img, *groupsGrid, tab::kGroups);
}

} // namespace radio
