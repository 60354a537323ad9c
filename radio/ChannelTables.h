// The shape of the seven channel grids, and the frequency cells' reading and
// writing that the tables and the editor share.
//
// Grids are CSpreadSheet1 cell stores; the radio model configures, fills and
// reads them (CVX7Radio::ConfigureGrid, FillGrid, ReadGrid). Column numbers
// are fixed: the editor relies on them.
#pragma once

#include "radio/ImageLayout.h"
#include "radio/RadioTypes.h"

#include <QString>

class CSpreadSheet1;

namespace vx7 {

class CVX7Radio;

// Columns of the channel-list tabs (Memories, Limit Memories, One Touch
// Memories, VFO's, Home Channels).
namespace channelcol {
constexpr int kReceive = 1;
constexpr int kTransmit = 2;
constexpr int kOffset = 3;
constexpr int kDirection = 4;
constexpr int kMode = 5;
constexpr int kName = 6;
constexpr int kToneMode = 7;
constexpr int kCtcss = 8;
constexpr int kDcs = 9;
constexpr int kSkip = 10;
constexpr int kPreferential = 11;
constexpr int kStep = 12;
constexpr int kClockShift = 13;
constexpr int kHalfDeviation = 14;
constexpr int kPower = 15;
constexpr int kIcon = 16;
constexpr int kMask = 17;
constexpr int kComment = 18;
constexpr int kCount = 18;
// Columns that lock while a row has no receive frequency.
constexpr int kFirstLocked = 2;
constexpr int kLastLocked = 18;
} // namespace channelcol

// Columns of the Hyper Memories tab: three of its own, then set A and set B
// with the channel-list meaning of columns 1 to 17 shifted by 3 and by 20,
// then three header-only columns.
namespace hypercol {
constexpr int kStatus = 1;
constexpr int kDualReceive = 2;
constexpr int kOperationBand = 3;
constexpr int kSetAShift = 3;
constexpr int kSetBShift = 20;
constexpr int kSetColumns = 17; // receive frequency to mask
constexpr int kLastFilled = 37;
constexpr int kCount = 40;
} // namespace hypercol

// The Memory Groups tab: one column per group, one row per member.
namespace groupcol {
constexpr int kCount = 9;
constexpr int kRows = 48;
} // namespace groupcol

// Rows and columns of a tab's grid.
int TabColumnCount(int tab);
int TabRowCount(int tab);

// The cell frequency: a frequency cell's text in Hz. An empty cell is 0; a
// text without any digit counts as 100000000 Hz (so that such a cell passes
// the checks wherever 100 MHz is allowed); any other text is read with
// TextToFrequency, so "000 kHz" is 0.
Hz CellFrequency(const CVX7Radio& radio, const CSpreadSheet1& grid, int col, int row);
constexpr Hz kTextOnlyFrequency = 100000000;

// The write frequency: "%d.%5.5d" of whole MHz and the rest in 10 Hz units
// (145.5 MHz is 145.50000); with units below 1 MHz "%d.%1.1d kHz" of whole
// kHz and the rest in Hz (600.0 kHz), else "... MHz". Negative values give an
// empty text.
QString FrequencyText(Hz hz);
QString FrequencyTextWithUnits(Hz hz);

// The text of a stored offset as the offset column shows it: "1.60 MHz" from
// 1 MHz on (whole MHz, then hundredths), "600 kHz" below.
QString OffsetText(Hz offset);
// What the offset column of a split row shows: no write reads it back.
constexpr Hz kSplitOffsetPlaceholder = 60000;

// A channel as a grid row (or a line of a channel list) gives it to the
// write-back: frequencies in Hz, list fields as their indexes.
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

// Writes a whole 22-byte channel record: zeroed first, then every field in
// the current tab's coding, with the off-step bit and both raster fields
// computed from the frequencies and the step. False when a frequency does not
// fit its field; the record must then not be used. Skip, preferential scan
// and mask live in the flag tables and are not written here.
bool BuildChannelRecord(CVX7Radio& radio, Byte* rec, const ChannelValues& values);

// Locks or unlocks the cells a row without a receive frequency keeps locked
// (columns 2 to 18); cells a tab always keeps locked stay locked.
void LockRow(CSpreadSheet1& grid, int tab, int row, bool locked);

} // namespace vx7
