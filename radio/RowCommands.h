// The Edit menu's work on whole rows (whole channels) of a channel table's
// grid: which tab offers which command, moving rows down and up, pasting
// rows copied as text, moving a dragged block of rows, sorting, and the
// memory groups and priority channel following the memory rows they name.
//
// Everything here changes the grid only, except FollowMemoryRows, which
// writes the groups and the priority channel into the radio's image; the
// editor commits the grid into the image around these calls.
#pragma once

#include "outside/CellStore.h"
#include "radio/RadioTypes.h"
#include "radio/TabChannels.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace radio {

class RadioModel;

namespace rows {

enum class Command { Cut, Copy, Paste, Insert, Delete, Sort, Drag, SetPriority };

// Whether a tab offers a command. The rows of VFO's and Home Channels are
// bands and those of Memory Groups are group members: rows cannot be
// inserted, deleted, sorted or dragged there. Set Priority is a Memories
// command; whether it is enabled also depends on the active row.
bool Offered(int tab, Command command);

// What kind of rows a tab holds; rows paste only into a tab of their kind.
enum class Kind { ChannelList, Hyper, Groups };
Kind KindOf(int tab);
// "channels", "hyper memories", "memory groups".
QString KindName(Kind kind);

// The last row of a tab's table (450 on Memories, 10 on Hyper Memories).
int LastRow(int tab);

// Rows r1 to r2, every column of the table.
outside::GridBlock WholeRows(const outside::CellStore& grid, int r1, int r2);

// Whether a row of a tab holds something that would be lost: a receive
// frequency that names a channel (NamesChannel) on a channel list, the same
// in either set or the in-use mark on Hyper Memories, any member on Memory
// Groups.
bool HoldsChannel(const TabChannels& channels, int tab, int row);
bool AnyHoldsChannel(const TabChannels& channels, int tab, int r1, int r2);
// The same for a row copied as text (its fields in column order).
bool FieldsHoldChannel(int tab, const QStringList& fields);

// Insert: rows r1 to the table's end move down by r2 - r1 + 1; the rows that
// pass the last row fall off; rows r1 to r2 become empty. RowsFallingOff
// gives the rows that would be lost, first to last.
void RowsFallingOff(int tab, int r1, int r2, int* first, int* last);
void InsertRows(outside::CellStore& grid, int tab, int r1, int r2);
// Delete: the rows after r2 move up to r1; the last rows become empty.
void DeleteRows(outside::CellStore& grid, int tab, int r1, int r2);
// Empties rows r1 to r2 (the cells; the table keeps its rows).
void ClearRows(outside::CellStore& grid, int r1, int r2);

// Rows copied as text: one record per row, tab-separated.
QList<QStringList> ParseRows(const QString& text);
// How many of the copied rows would not fit when pasted from row on, and
// whether any of those holds a channel.
int RowsPastEnd(int tab, int row, int count);
bool CopiedRowsFallOff(int tab, int row, const QList<QStringList>& copied);
// Writes the copied rows over the rows from row on (no rows move); rows
// past the end of the table are dropped. The rows written.
outside::GridBlock PasteRows(outside::CellStore& grid, int tab, int row, const QString& text);

// A dragged block of rows r1 to r2 dropped so that it starts at dest: the
// rows move (the rows they land on are overwritten, the rows they leave
// become empty); rows past the end of the table are dropped. MovedRowsFallOff
// tells whether any of those holds a channel.
bool MovedRowsFallOff(const TabChannels& channels, int tab, int r1, int r2, int dest);
void MoveRows(outside::CellStore& grid, int tab, int r1, int r2, int dest);

// Sorts rows r1 to r2 by key column 1 and, when given (at least 1 and not
// the first), key column 2, both in one order; without a second key the
// grid forgets an earlier one. Returns the old row numbers in their new
// order (empty when nothing moved).
std::vector<int> SortRows(outside::CellStore& grid, int r1, int r2, int key1, int key2,
                          outside::CellStore::SortOrder order);

// Memory Groups: each group column packed (members first, no gaps) and in
// ascending order, as the radio keeps its groups.
void PackGroups(outside::CellStore& grid);

// The memory groups and the priority channel follow Memories rows r1 to r2
// that were cut (mode 0: the channels are gone), deleted (1: the channels
// are gone and those after move up) or inserted (2: the channels from r1 on
// move down, those pushed past the end are gone). Groups lose the members
// that are gone and renumber the others; a priority channel that is gone
// goes back to channel 1. Writes the radio's image, then calls
// groupsWritten (when given) so that the groups can be shown again.
void FollowMemoryRows(RadioModel& radio, int mode, int r1, int r2,
                      const std::function<void()>& groupsWritten);
// The same after Memories rows from r1 on were sorted into order (the old
// row numbers in their new order): each member and the priority channel
// name the channel's new row; groups stay in ascending order.
void FollowSortedMemories(RadioModel& radio, int r1, const std::vector<int>& order,
                          const std::function<void()>& groupsWritten);

} // namespace rows
} // namespace radio
