// The typing rules on the grids of the channel tabs: each event of a grid
// runs the rule of radio/EntryRules.h on the channel of the edited row, as
// the tab's table holds it, and tells the table which row changed, so the
// desktop grids and any screen-free caller share them; a refusal comes back
// as a value with the text to show. Memory groups stay packed and sorted.
#pragma once

#include "radio/ChannelDraft.h"
#include "radio/EntryRules.h"
#include "radio/RadioTypes.h"
#include "radio/TabChannels.h"

#include <QString>

#include <optional>

namespace radio {

class RadioModel;

namespace entry {

// The first column of the channel a cell belongs to, less one: 0 on the
// channel-list tabs, the set's shift for the two receiver sets of Hyper
// Memories; -1 for cells that hold no channel (Memory Groups, the hyper
// block's own and header-only columns).
int ChannelShift(int tab, int col);

// The rules of one document's grids. The radio model holds the default
// records.
class CellRules {
public:
    explicit CellRules(RadioModel& radio) : m_radio(radio) {}

    // A user's value is about to go into a cell: its channel before the edit
    // is remembered.
    void EditStarted(int tab, const TabChannels& channels, int col, int row);
    // A user's value went into a cell and changed it: the automatic changes
    // (a fresh row seeded, transmit frequency, offset and direction). True
    // when a fresh row was seeded: the caller selects it.
    bool EditEnded(int tab, TabChannels& channels, int col, int row);
    // Whether a cell may be left as it is.
    std::optional<Refusal> CheckCell(int tab, const TabChannels& channels, int col, int row) const;
    // The cell was left (it passed CheckCell) for another cell.
    void CellLeft(int tab, TabChannels& channels, int col, int row, int newRow);
    // A cell's value changed: a valid receive frequency opens its channel, a
    // memory group is kept packed and sorted. True when a fresh row was
    // seeded: the caller selects it.
    bool Changed(int tab, TabChannels& channels, int col, int row);
    void RowLeft(int tab, TabChannels& channels, int row);
    // A locked cell was to be edited: the message, if one is due, and the
    // column of the cell to make active instead (0 for none).
    std::optional<QString> EditRefused(int tab, const TabChannels& channels, int col, int row,
                                       int* activeCol) const;
    // A check box was clicked.
    void ButtonClicked(int tab, TabChannels& channels, int col, int row);

    // The default record of a tab from one of its rows, or back to the
    // factory defaults.
    void CaptureDefault(int tab, const TabChannels& channels, int row);
    void ResetDefault(int tab);

private:
    static void KeepGroupPacked(TabChannels& channels, int col, int row);

    RadioModel& m_radio;
    // The cell being edited and its channel before the edit.
    int m_startTab = -1;
    int m_startCol = 0;
    int m_startRow = 0;
    ChannelDraft m_start;
};

} // namespace entry
} // namespace radio
