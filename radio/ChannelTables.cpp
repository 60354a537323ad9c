// The seven channel tables: how each grid is laid out (kinds, headers,
// widths, locks, row labels), how a stored channel becomes a draft and back,
// how a row becomes a line of the text export, and how the memory groups
// follow rows that are cut, deleted or inserted.
#include "radio/ChannelTables.h"

#include "outside/CellTable.h"
#include "outside/DelimitedText.h"
#include "radio/ChoiceLists.h"
#include "radio/DataFileLayout.h"
#include "radio/RadioModel.h"
#include "radio/StringTable.h"
#include "radio/ValueTables.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace radio {

namespace {

using Kind = outside::CellKind;

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

outside::CellFormat FormatOf(const CellLayout& layout) {
    outside::CellFormat format;
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

double ColumnWidth(int t, int col) {
    return IsChannelListTab(t) && col == channelcol::kComment ? kCommentWidth : 0.0;
}

bool NamesChannel(const QString& text) {
    // Blanks alone (a pasted field) name no channel, as the typing rules read them.
    if (text.trimmed().isEmpty())
        return false;
    const bool hasDigit = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return !hasDigit || RadioModel::TextToFrequency(text) != 0;
}

QString FrequencyText(Hz hz) {
    const std::string text = FrequencyUtf8(hz);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FrequencyUtf8(Hz hz) {
    if (hz < 0)
        return std::string();
    char text[24];
    std::snprintf(text, sizeof text, "%d.%05d", static_cast<int>(hz / kMegahertz),
                  static_cast<int>((hz % kMegahertz) / 10));
    return text;
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
    const outside::ChoiceListPtr& items = ChoiceItems(ChoiceList::Offset);
    entry.item = items ? items->IndexOf(entry.value.text) : -1;
    if (entry.item >= 0)
        entry.value.text = items->Items()[entry.item];
    entry.value.hz = offset >= kMegahertz ? offset - offset % 10000 : offset - offset % kKilohertz;
    entry.value.kind = entry.value.hz > 0 ? FrequencyEntry::Value : FrequencyEntry::Zero;
    return entry;
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

QString RadioModel::FormatExportLine(int t, int row, const outside::CellTable& cells,
                                     QChar separator) {
    const auto text = [&](int col) { return cells.Text(col, row); };
    return ExportLine(
        t, row, [t](int col) { return ColumnHeader(t, col); }, text, separator);
}

// ---------------------------------------------------------------------------
// Memory groups follow cut, deleted and inserted memory rows
// ---------------------------------------------------------------------------

void RadioModel::RemoveGroupEntries(int mode, int r1, int r2) {
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
}

} // namespace radio
