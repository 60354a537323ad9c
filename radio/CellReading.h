// Reading the text of a frequency cell of a channel grid, strictly: the
// typing rules and the channel tables both ask what a cell holds.
#pragma once

#include "radio/ChannelDraft.h"

namespace outside {
class CellStore;
}

namespace radio {

class RadioModel;

namespace entry {

// A frequency cell read as ParseFrequency reads a typed text.
using CellReading = FrequencyEntry;
CellReading ReadFrequencyCell(const RadioModel& radio, const outside::CellStore& grid, int col,
                              int row);

} // namespace entry
} // namespace radio
