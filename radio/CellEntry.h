// What happens while the user types into a channel grid: the receive
// frequency, transmit frequency, offset and direction of a channel follow
// each other, frequencies the radio cannot use are refused, the cells of a
// channel without a receive frequency stay locked, skip and preferential scan
// exclude each other, memory groups stay packed and sorted, and the last
// edited channel's settings become the defaults for the next fresh one.
//
// The rules work on the grid cell stores alone, so the desktop grids and any
// screen-free caller share them; a refusal comes back as a value with the
// text to show.
#pragma once

#include "radio/CellReading.h"
#include "radio/RadioTypes.h"

#include <QString>

#include <optional>

namespace outside {
class CellStore;
}

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

// The first column of the channel a cell belongs to, less one: 0 on the
// channel-list tabs, the set's shift for the two receiver sets of Hyper
// Memories; -1 for cells that hold no channel (Memory Groups, the hyper
// block's own and header-only columns).
int ChannelShift(int tab, int col);

// A refused cell: the text to show, and whether the cell goes back into
// edit mode until the user enters an acceptable value.
struct Refusal {
    QString message;
    bool keepEditing = false;
};

// The rules of one document's grids. The radio model holds the default
// records.
class CellRules {
public:
    explicit CellRules(RadioModel& radio) : m_radio(radio) {}

    // A cell's editor opened: its value before the edit is remembered.
    void EditStarted(int tab, const outside::CellStore& grid, int col, int row);
    // A cell's editor closed with a changed value: the automatic changes
    // (a fresh row seeded, transmit frequency, offset and direction).
    void EditEnded(int tab, outside::CellStore& grid, int col, int row);
    // Whether a cell may be left as it is.
    std::optional<Refusal> CheckCell(int tab, const outside::CellStore& grid, int col,
                                     int row) const;
    // The cell was left (it passed CheckCell) for another cell.
    void CellLeft(int tab, outside::CellStore& grid, int col, int row, int newRow);
    // A cell's value changed. True when the change altered the document by
    // itself (a memory group kept packed and sorted).
    bool Changed(int tab, outside::CellStore& grid, int col, int row);
    void RowLeft(int tab, outside::CellStore& grid, int row);
    // A locked cell was to be edited: the message, if one is due, and the
    // column of the cell to make active instead (0 for none).
    std::optional<QString> EditRefused(int tab, const outside::CellStore& grid, int col, int row,
                                       int* activeCol) const;
    // A check box was clicked.
    void ButtonClicked(int tab, outside::CellStore& grid, int col, int row);

    // The default record of a tab from a row of its grid, or back to the
    // factory defaults.
    void CaptureDefault(int tab, const outside::CellStore& grid, int row);
    void ResetDefault(int tab);

private:
    void SeedRow(int tab, outside::CellStore& grid, int row, Hz rx);
    void EmptyChannel(int tab, outside::CellStore& grid, int shift, int row);
    void UnlockChannel(int tab, outside::CellStore& grid, int shift, int row);
    void ApplyOffset(outside::CellStore& grid, int shift, int row);
    void ApplyTransmit(outside::CellStore& grid, int shift, int row);
    void ApplyDirection(outside::CellStore& grid, int shift, int row);
    void KeepGroupPacked(outside::CellStore& grid, int col, int row);

    RadioModel& m_radio;
    // The cell being edited and its list index before the edit.
    int m_startTab = -1;
    int m_startCol = 0;
    int m_startRow = 0;
    int m_startIndex = -1;
};

} // namespace entry
} // namespace radio
