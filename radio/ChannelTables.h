// The shape of the seven channel grids, and the frequency cells' reading and
// writing that the tables and the editor share.
//
// The typed tables of the document layer fill and write the grids; this is
// what they are laid out by. The columns of the channel-list and hyper tabs
// come from the column table of ChannelColumns.h; their numbers are fixed:
// the editor relies on them.
#pragma once

#include "radio/ChannelColumns.h"
#include "radio/ChannelDraft.h"
#include "radio/ImageLayout.h"
#include "radio/RadioTypes.h"

#include <QString>

#include <string>

namespace outside {
struct CellFormat;
} // namespace outside

namespace radio {

class RadioModel;

// The Memory Groups tab: one column per group, one row per member.
namespace groupcol {
constexpr int kCount = 9;
constexpr int kRows = 48;
} // namespace groupcol

// The name of a tab as the tab strip shows it; empty outside 0 to 6.
const char* TabName(int tab);
// The short name a tab goes by on the command line ("memories", "vfo");
// empty outside 0 to 6. The tab of a short name (any case), or -1.
const char* TabKey(int tab);
int TabByKey(const QString& key);

// Whether a tab is a channel list (Memories, Limit Memories, One Touch
// Memories, VFO's, Home Channels): the column options concern only these.
constexpr bool IsChannelListTab(int t) {
    return t >= 0 && t < tab::kCount && t != tab::kHyper && t != tab::kGroups;
}

// What a cell of a column is on a tab (kind, decimals, length, list), the
// column's header text ("A: Receive Frequency" on Hyper Memories), and
// whether the tab keeps the column locked on every row (the VFO's name, the
// flags VFO's and home channels do not have). Memory Groups and columns
// outside the tab give a plain text cell, an empty header and false.
outside::CellFormat ColumnFormat(int tab, int col);
QString ColumnHeader(int tab, int col);
bool IsAlwaysLocked(int tab, int col);
// The width a column asks for, in characters (the channel lists' comment);
// 0 leaves it to the view.
double ColumnWidth(int tab, int col);

// Rows and columns of a tab's grid.
int TabColumnCount(int tab);
int TabRowCount(int tab);

// Whether a frequency cell names a channel, for the row commands: a text
// that reads as a frequency, and any text without a digit (such a cell
// passes the checks wherever 100 MHz is allowed, so it is no empty row);
// not blanks, nor a number that reads as 0 ("000 kHz").
bool NamesChannel(const QString& text);
inline bool NamesChannel(const FrequencyEntry& entry) {
    return NamesChannel(entry.text);
}

// The write frequency: "%d.%5.5d" of whole MHz and the rest in 10 Hz units
// (145.5 MHz is 145.50000). Negative values give an empty text.
QString FrequencyText(Hz hz);
// The same as UTF-8 (ASCII) bytes, for writers of text files.
std::string FrequencyUtf8(Hz hz);

// The text of a stored offset as the offset column shows it: "1.60 MHz" from
// 1 MHz on (whole MHz, then hundredths), "600 kHz" below.
QString OffsetText(Hz offset);

// A stored frequency or offset as its cell holds it, made straight from the
// value: the same entry that reading FrequencyText(hz) (OffsetText(offset),
// with its list item) would give, without reading the text again.
FrequencyEntry StoredFrequency(Hz hz);
OffsetEntry StoredOffset(Hz offset);

// A stored channel as its row shows it (open, the comment left empty), and
// the channel a row's cells write: frequencies as they read (anything but a
// frequency is 0), a list cell without an item as the list's first item.
ChannelDraft DraftFromValues(const ChannelValues& values);
ChannelValues ValuesFromDraft(const ChannelDraft& d);

} // namespace radio
