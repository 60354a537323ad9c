// Reading the text of a frequency cell of a channel grid, strictly: the
// typing rules and the channel tables both ask what a cell holds.
#pragma once

#include "radio/RadioTypes.h"

namespace outside {
class CellStore;
}

namespace radio {

class RadioModel;

namespace entry {

// A frequency cell read strictly: empty, a number that reads as 0, a
// frequency, or a text that is no frequency (letters, a sign, more than a
// frequency can hold).
struct CellReading {
    enum Kind { Empty, Zero, Value, Bad };
    Kind kind = Empty;
    Hz hz = 0;

    // Empty or zero: the cell names no channel.
    bool IsBlank() const { return kind == Empty || kind == Zero; }
};
CellReading ReadFrequencyCell(const RadioModel& radio, const outside::CellStore& grid, int col,
                              int row);

} // namespace entry
} // namespace radio
