// The radio's value tables: CTCSS tones, DCS codes, the name character set,
// the band rows, the frequency steps. One definition each, in ValueTables.cpp.
#pragma once

#include "radio/RadioTypes.h"

#include <array>
#include <cstdint>

namespace vx7 {

// CTCSS tones in tenths of a hertz, index 0 to 49.
constexpr int kCtcssCount = 50;
extern const std::array<int, kCtcssCount> kCtcssTenths;
constexpr int kDefaultCtcss = 12; // 100.0 Hz

// DCS codes (as their decimal digits: 23 is code 023), index 0 to 103.
constexpr int kDcsCount = 104;
extern const std::array<int, kDcsCount> kDcsCodes;

// Index of a CTCSS tone (tenths of Hz) or a DCS code; -1 when not in the table.
int CtcssIndex(int tenths);
int DcsIndex(int code);

// The radio's 125-entry character table for names: code -> character byte.
constexpr int kCharsetSize = 125;
extern const std::array<std::uint8_t, kCharsetSize> kCharset;
constexpr std::uint8_t kSpaceCode = 10;
// Lowest code of a character byte, or -1 when the radio has no such character.
int CharacterCode(std::uint8_t character);

// Band rows of the VFO's and Home Channels tabs, 1-based.
struct BandRow {
    const char* label;
    Hz low; // both ends included
    Hz high;
};
constexpr int kBandRows = 11;
extern const std::array<BandRow, kBandRows> kBands;
// The label of a band row: rows 1 to 11, 12 "extra", any other row empty.
const char* BandLabel(int row);

// Frequency steps: list index -> grid in Hz, and the half grid that is also
// on step (0 when there is none). Index 8 (9 kHz) is valid in records.
constexpr int kStepCount = 9;
struct StepGrid {
    Hz grid;
    Hz halfGrid;
};
extern const std::array<StepGrid, kStepCount> kSteps;

// Standard repeater offsets of the offset choice list, in Hz.
constexpr int kOffsetListCount = 7;

// Coverage limits outside the band rows.
constexpr Hz kLowestFrequency = 500000;
constexpr Hz kHighestFrequency = 999000000;
constexpr Hz kBroadcastTop = 1800000;    // 9 kHz raster up to here
constexpr Hz kCellularStart = 800000000; // band row 11 starts here

} // namespace vx7
