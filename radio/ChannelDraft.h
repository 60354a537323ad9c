// A channel as the user types it: what a row of a channel list (or one
// receiver set of a hyper memory) holds between key presses. Frequencies keep
// the text as typed beside what it reads as, so a refused value stays on
// screen as the user wrote it; list cells keep their item; check boxes know
// whether they are empty, off or on.
//
// Each column's text is read by one parser and shown by one formatter, both
// driven by the column table: SetCellText gives a cell exactly what a grid
// cell of that column would hold after the same text was typed into it, and
// CellText gives the text the grid would show.
#pragma once

#include "radio/ChannelColumns.h"
#include "radio/RadioTypes.h"

#include <QString>

#include <cstdint>

namespace radio {

// A frequency cell read strictly: empty, a number that reads as 0, a
// frequency, or a text that is no frequency (letters, a sign, more than a
// frequency can hold). text is the cell's text as it stands.
struct FrequencyEntry {
    enum Kind { Empty, Zero, Value, Bad };
    Kind kind = Empty;
    Hz hz = 0;
    QString text;

    // Empty or zero: the cell names no channel.
    bool IsBlank() const { return kind == Empty || kind == Zero; }
    bool operator==(const FrequencyEntry& o) const {
        return kind == o.kind && hz == o.hz && text == o.text;
    }
    bool operator!=(const FrequencyEntry& o) const { return !(*this == o); }
};

// Reads a typed frequency: digits with one decimal mark, then kHz or MHz if
// anything; blanks around it do not count.
FrequencyEntry ParseFrequency(const QString& text);

// The offset cell: an item of the offset list, or a typed text (item -1).
struct OffsetEntry {
    int item = -1;
    FrequencyEntry value;

    bool operator==(const OffsetEntry& o) const { return item == o.item && value == o.value; }
    bool operator!=(const OffsetEntry& o) const { return !(*this == o); }
};

// A check box cell: empty on rows that hold nothing, else off or on.
enum class CheckMark : std::uint8_t { Empty, Off, On };

struct ChannelDraft {
    FrequencyEntry rx;
    FrequencyEntry tx;
    OffsetEntry offset;
    // List cells hold their item index, -1 for none.
    int direction = -1;
    int mode = -1;
    // The mode list takes typed texts too: one that is no item (mode -1).
    QString modeText;
    int toneMode = -1;
    int ctcss = -1;
    int dcs = -1;
    int step = -1;
    int power = -1;
    int icon = -1;
    QString name;
    CheckMark skip = CheckMark::Empty;
    CheckMark preferential = CheckMark::Empty;
    CheckMark clockShift = CheckMark::Empty;
    CheckMark halfDeviation = CheckMark::Empty;
    CheckMark mask = CheckMark::Empty;
    QString comment;
    // Whether the cells after the receive frequency take input: a row (or a
    // receiver set) without a channel keeps them locked.
    bool open = false;

    bool operator==(const ChannelDraft& o) const;
    bool operator!=(const ChannelDraft& o) const { return !(*this == o); }
};

// A column's cell of a draft: its text as the grid shows it, and the text
// typed into it (an empty text empties the cell; a list cell takes the item
// equal to the text, exactly or regardless of case; the offset and mode lists
// keep any other text, the other lists empty the cell; a check box is on for
// 1, true, on, yes or x; a text is cut at the column's length).
QString CellText(const ChannelDraft& d, const ColumnDef& def);
void SetCellText(ChannelDraft& d, const ColumnDef& def, const QString& text);

// The item index of a list column's cell (-1 for none, and for columns that
// are no list), and selecting one: an index outside the list empties it.
int CellIndex(const ChannelDraft& d, const ColumnDef& def);
void SetCellIndex(ChannelDraft& d, const ColumnDef& def, int index);

// A check box column's cell.
CheckMark CellCheck(const ChannelDraft& d, const ColumnDef& def);
void SetCellCheck(ChannelDraft& d, const ColumnDef& def, CheckMark mark);

} // namespace radio
