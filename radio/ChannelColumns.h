// The columns of a channel list, described once. The grids of the channel
// tabs, the two receiver sets of a hyper memory, the text export and the
// text import all walk this table; a channel travels between them as
// ChannelValues, and between those and the image's two record shapes through
// the channel codec below.
//
// A further column is one row of kChannelColumns (with its number in
// channelcol and, when it holds a part of the channel, its ChannelValues
// member and its bits in the codec): the grids, the hyper sets, the export
// and the import take it from there.
#pragma once

#include "radio/ImageLayout.h"
#include "radio/RadioTypes.h"
#include "radio/StringTable.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace radio {

class RadioModel;

// A channel as a grid row (or a line of a channel list) shows it:
// frequencies in Hz, list fields as their indexes.
struct ChannelValues {
    Hz rx = 0;
    Hz tx = 0;
    Hz offset = 0;
    int direction = 0;
    int mode = 0;
    QString name;
    int toneMode = 0;
    int ctcss = 0;
    int dcs = 0;
    bool skip = false;
    bool preferential = false;
    int step = 0;
    bool clockShift = false;
    bool halfDeviation = false;
    int power = 0;
    int icon = 0;
    bool masked = false;

    // What the offset field holds: the offset, or with Split the transmit
    // frequency.
    Hz OffsetField() const { return direction == direction::kSplit ? tx : offset; }
};

// How a column's cells hold their part of a channel.
enum class CellValue : std::uint8_t {
    Frequency,  // number cell, "%d.%5.5d" MHz: an Hz member
    OffsetText, // editable offset list, "600 kHz" / "1.60 MHz": an Hz member
    ListIndex,  // choice list: an int member, the item index
    Check,      // check box, "1" or "0": a bool member
    Text,       // text cell of at most maxLength characters: a QString member
    Comment,    // the row's comment, kept beside the image, not in a record
};

// The choice list of a list column.
enum class ChoiceList : std::uint8_t {
    None,
    Offset,
    Direction,
    Mode,
    ToneMode,
    Ctcss,
    Dcs,
    Step,
    Power,
    Icon,
    Band,
    Count
};

// How the text import reads a column's field. Row: the import reads the
// field together with others (frequencies, offset, direction, comment).
enum class TextReading : std::uint8_t {
    Row,
    Name,     // the text as it stands
    Mode,     // "A..." or "am": AM; "WFM"; else FM
    ToneMode, // the tone-mode keywords
    Ctcss,    // a tone in Hz
    Dcs,      // a code's digits
    Switch,   // 1 or one of onWords: on; anything else off
    Step,     // a step size, "25 kHz"
    Power,    // the power keywords
    Icon,     // the icon's number
    Mask,     // 0, off, mask, false or any other text: masked; 1, on, true, empty: not
};

struct ColumnDef {
    int column;   // the column's fixed number on the channel-list tabs
    int headerId; // string id of the header text (also the export title)
    CellValue value;
    ChoiceList list = ChoiceList::None;
    int maxLength = 0;                    // text cells
    int ChannelValues::*number = nullptr; // Frequency, OffsetText, ListIndex
    bool ChannelValues::*flag = nullptr;  // Check
    QString ChannelValues::*text = nullptr;
    const char* importName = nullptr; // the field name the import asks for
    TextReading reading = TextReading::Row;
    const char* exportOn = nullptr; // check boxes: the export's words
    const char* exportOff = nullptr;
    const char* onWords = nullptr; // Switch: '|'-separated words that mean on

    // Whether a hyper memory's receiver set holds the column.
    constexpr bool InSets() const { return value != CellValue::Comment; }
    // The text of the column's check box in the column options, the name
    // the column goes by everywhere (the comment column has none: it is never
    // hidden there).
    constexpr const char* OptionText() const {
        return value == CellValue::Comment ? nullptr : importName;
    }
};

// The fixed column numbers of the channel-list tabs.
namespace channelcol {
enum : int {
    kReceive = 1,
    kTransmit,
    kOffset,
    kDirection,
    kMode,
    kName,
    kToneMode,
    kCtcss,
    kDcs,
    kSkip,
    kPreferential,
    kStep,
    kClockShift,
    kHalfDeviation,
    kPower,
    kIcon,
    kMask,
    kComment,
    kCount = kComment,
};
// Columns that lock while a row has no receive frequency.
constexpr int kFirstLocked = kTransmit;
constexpr int kLastLocked = kCount;
} // namespace channelcol

namespace columns {
using V = ChannelValues;
constexpr ColumnDef Frequency(int col, int header, const char* name, Hz V::*member) {
    return {col, header, CellValue::Frequency, ChoiceList::None, 0, member, nullptr, nullptr, name};
}
constexpr ColumnDef List(int col, int header, ChoiceList list, const char* name, int V::*member,
                         TextReading reading) {
    return {col, header, CellValue::ListIndex, list, 0, member, nullptr, nullptr, name, reading};
}
constexpr ColumnDef Check(int col, int header, const char* name, bool V::*member,
                          const char* exportOn, const char* exportOff, TextReading reading,
                          const char* onWords = nullptr) {
    return {col,     header, CellValue::Check, ChoiceList::None, 0,         nullptr, member,
            nullptr, name,   reading,          exportOn,         exportOff, onWords};
}
} // namespace columns

// The channel-list columns, in column order.
inline constexpr ColumnDef kChannelColumns[] = {
    columns::Frequency(channelcol::kReceive, str::kHeaderReceive, "Receive Frequency",
                       &ChannelValues::rx),
    columns::Frequency(channelcol::kTransmit, str::kHeaderTransmit, "Transmit Frequency",
                       &ChannelValues::tx),
    {channelcol::kOffset, str::kHeaderOffset, CellValue::OffsetText, ChoiceList::Offset, 0,
     &ChannelValues::offset, nullptr, nullptr, "Offset Frequency"},
    columns::List(channelcol::kDirection, str::kHeaderDirection, ChoiceList::Direction,
                  "Offset Direction", &ChannelValues::direction, TextReading::Row),
    columns::List(channelcol::kMode, str::kHeaderMode, ChoiceList::Mode, "Operating Mode",
                  &ChannelValues::mode, TextReading::Mode),
    {channelcol::kName, str::kHeaderName, CellValue::Text, ChoiceList::None, record::kNameSize,
     nullptr, nullptr, &ChannelValues::name, "Name", TextReading::Name},
    columns::List(channelcol::kToneMode, str::kHeaderToneMode, ChoiceList::ToneMode, "Tone Mode",
                  &ChannelValues::toneMode, TextReading::ToneMode),
    columns::List(channelcol::kCtcss, str::kHeaderCtcss, ChoiceList::Ctcss, "CTCSS Tone",
                  &ChannelValues::ctcss, TextReading::Ctcss),
    columns::List(channelcol::kDcs, str::kHeaderDcs, ChoiceList::Dcs, "DCS Code",
                  &ChannelValues::dcs, TextReading::Dcs),
    columns::Check(channelcol::kSkip, str::kHeaderSkip, "Skip", &ChannelValues::skip, "Skip",
                   "Stop", TextReading::Switch, "skip"),
    columns::Check(channelcol::kPreferential, str::kHeaderPreferential, "Preferential Scan",
                   &ChannelValues::preferential, "Scan", "NotScan", TextReading::Switch, "scan"),
    columns::List(channelcol::kStep, str::kHeaderStep, ChoiceList::Step, "Frequency Step",
                  &ChannelValues::step, TextReading::Step),
    columns::Check(channelcol::kClockShift, str::kHeaderClockShift, "Clock Shift",
                   &ChannelValues::clockShift, "On", "Off", TextReading::Switch, "on"),
    columns::Check(channelcol::kHalfDeviation, str::kHeaderHalfDeviation, "Half Deviation",
                   &ChannelValues::halfDeviation, "On", "Off", TextReading::Switch, "on|true"),
    columns::List(channelcol::kPower, str::kHeaderPower, ChoiceList::Power, "Tx Power",
                  &ChannelValues::power, TextReading::Power),
    columns::List(channelcol::kIcon, str::kHeaderIcon, ChoiceList::Icon, "Icon",
                  &ChannelValues::icon, TextReading::Icon),
    columns::Check(channelcol::kMask, str::kHeaderMask, "Mask", &ChannelValues::masked, "Masked",
                   "", TextReading::Mask),
    {channelcol::kComment, str::kHeaderComment, CellValue::Comment, ChoiceList::None, 0, nullptr,
     nullptr, nullptr, "Comments"},
};

namespace detail {
constexpr bool ColumnsInOrder() {
    int col = 0;
    for (const ColumnDef& def : kChannelColumns) {
        if (def.column != ++col)
            return false;
    }
    return col == channelcol::kCount;
}
constexpr int SetColumnCount() {
    int n = 0;
    for (const ColumnDef& def : kChannelColumns)
        n += def.InSets() ? 1 : 0;
    return n;
}
} // namespace detail
static_assert(detail::ColumnsInOrder(), "the table lists every channel column in order");

// The definition of a channel-list column; nullptr outside 1 to kCount.
constexpr const ColumnDef* ChannelColumn(int col) {
    return col >= 1 && col <= channelcol::kCount ? &kChannelColumns[col - 1] : nullptr;
}

// Columns of the Hyper Memories tab: three of its own, then set A and set B,
// each the channel-list columns a receiver set holds (receive frequency to
// mask) shifted by kSetAShift and kSetBShift, then three header-only columns.
namespace hypercol {
constexpr int kStatus = 1;
constexpr int kDualReceive = 2;
constexpr int kOperationBand = 3;
constexpr int kSetColumns = detail::SetColumnCount();
constexpr int kSetAShift = kOperationBand;
constexpr int kSetBShift = kSetAShift + kSetColumns;
constexpr int kLastFilled = kSetBShift + kSetColumns;
constexpr int kHeaderOnly = 3;
constexpr int kCount = kLastFilled + kHeaderOnly;
} // namespace hypercol

// --- The channel codec ------------------------------------------------------
// Between the image's record shapes and ChannelValues. Decoding gives what
// the cells show: the transmit frequency by the direction (kNoFrequency when
// a field it needs is no number), and with Split the offset placeholder.

// What the offset column of a split row shows: no write reads it back.
constexpr Hz kSplitOffsetPlaceholder = 60000;

// Memory index of channel-list table t; skip, preferential scan and mask
// come from the table's flag table.
ChannelValues DecodeChannel(const RadioModel& radio, const Byte* image, int t, int index);
// Writes the record of index whole (see BuildChannelRecord), marks it used
// and writes its flags. False, and nothing changed, when a frequency does
// not fit its field.
bool EncodeChannel(const RadioModel& radio, Byte* image, int t, int index,
                   const ChannelValues& values);

// Writes a whole 22-byte channel record: zeroed first, then every field,
// with the off-step bit and both raster fields computed from the frequencies
// and the step. False when a frequency does not fit its field; the record
// must then not be used. Skip, preferential scan and mask live in the flag
// tables and are not written here.
bool BuildChannelRecord(const RadioModel& radio, Byte* rec, const ChannelValues& values);

// Receiver set 0 (A) or 1 (B) of a 128-byte block.
ChannelValues DecodeSet(const RadioModel& radio, const Byte* block, int set);
// Whether the frequencies of a channel fit a receiver set's fields.
bool FitsSet(const ChannelValues& values);
// Writes the set's fields in place (the caller checked FitsSet); the
// raster flags stay as they are.
void EncodeSet(const RadioModel& radio, Byte* block, int set, const ChannelValues& values);

} // namespace radio
