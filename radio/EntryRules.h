// The rules of typing a channel, on its draft: a fresh row is seeded from the
// tab's default record, the receive frequency, transmit frequency, offset and
// direction follow each other, frequencies the radio cannot use are refused,
// a channel without a receive frequency stays locked, skip and preferential
// scan exclude each other, and the last edited channel's settings become the
// defaults for the next fresh one. Memory groups stay packed and sorted.
//
// The rules know nothing of grids: a caller reads the draft from wherever
// the channel is shown and writes back what changed.
#pragma once

#include "radio/ChannelDraft.h"
#include "radio/RadioTypes.h"

#include <QString>

#include <optional>
#include <vector>

namespace radio {

class RadioModel;

namespace entry {

// The texts the editor shows.
constexpr const char* kBadReceive = "Please enter a valid receive frequency";
// %1 is the frequency in Hz.
constexpr const char* kBadTransmit = "=%1= Please enter a valid transmit frequency";
constexpr const char* kBadOffset = "Please enter a valid offset frequency";
constexpr const char* kNeedReceive =
    "A receive frequency must be entered before editing channel data.";

// A refused value: the text to show, and whether the cell goes back into
// edit mode until the user enters an acceptable value.
struct Refusal {
    QString message;
    bool keepEditing = false;
};

// The part of a channel a rule is told about.
enum class Field { Receive, Transmit, Offset, Direction, Skip, Preferential, Other };
// The field of a channel-list column (channelcol numbering).
Field FieldOfColumn(int column);

// Where the channel is: its tab and row (the row is the band on the VFO and
// home tabs), and set 0 on the channel lists, 1 or 2 for receiver set A or B
// of a hyper memory.
struct Context {
    const RadioModel& radio;
    int tab;
    int row;
    int set;
};

// A field took a new value (before: the draft as the edit began, null when
// that is not known). A valid receive frequency opens the channel, seeding
// a fresh channel-list row from defaults first; an emptied one clears and
// locks the channel; the transmit frequency, offset and direction follow.
// True when a fresh row was seeded.
bool AfterEdit(const Context& at, Field field, const ChannelDraft* before, ChannelDraft& d,
               const Byte* defaults);
// A valid receive frequency opens the channel; on a channel list a row
// without a transmit frequency is seeded first. True when it was seeded.
bool OpenChannel(const Context& at, ChannelDraft& d, const Byte* defaults);
// Whether the field's value may stand.
std::optional<Refusal> CheckField(const Context& at, Field field, const ChannelDraft& d);
// A locked cell of the channel was to be edited: the message, or none when
// the channel has a receive frequency (the cell is one its tab keeps locked).
std::optional<QString> EditRefused(const ChannelDraft& d);
// A check box was switched on: skip and preferential scan exclude each other.
void ExcludeSkipPreferential(Field clicked, ChannelDraft& d);
// A field that passed CheckField was left: a blank receive frequency locks
// the channel, a valid one opens a channel-list row. True when the row's
// settings become the defaults (a channel-list row left for another row).
bool LeaveCell(const Context& at, Field field, ChannelDraft& d, bool rowChanges);
// A channel-list row was left: true (its settings become the defaults), and a
// row without a receive frequency locks. False elsewhere.
bool LeaveRow(const Context& at, ChannelDraft& d);

// A fresh channel-list row for receive frequency rx: the default record's
// offset (or the band's own), the transmit frequency and direction the band
// plan gives, and the record's lists; the other cells stay as they are.
void Seed(const RadioModel& radio, const Byte* defaultRecord, Hz rx, ChannelDraft& d);
// The default record from a channel with a receive frequency (its lists,
// first item for an empty one, clock shift and half deviation); nothing
// otherwise. False when nothing was captured.
bool CaptureDefault(Byte* defaultRecord, const ChannelDraft& d);

// A memory group's members as channel numbers (0 for the list's empty item,
// less for an empty cell) after member cleared changed: when it took the
// empty item it leaves and the members below close up; then the group is
// sorted by channel, empty cells last.
std::vector<int> PackGroup(std::vector<int> members, int cleared);

} // namespace entry
} // namespace radio
