// The radio's value tables: CTCSS tones, DCS codes, the name character set,
// the band rows, the frequency steps. One definition each, in ValueTables.cpp.
#pragma once

#include "radio/ImageLayout.h"
#include "radio/RadioTypes.h"

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace radio {

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
// Whether a typed character has a code in the table.
bool IsRadioCharacter(QChar character);
// Names through the table. Decoding cuts the trailing spaces; a code past the
// table shows as '?'. Encoding keeps the first count characters, pads with
// spaces and stores a character the radio lacks as a space; an empty text
// is count spaces.
QString DecodeCharacters(const Byte* codes, int count);
void EncodeCharacters(Byte* codes, int count, const QString& text);

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

// Frequency steps by list index: the step size, the grid a frequency must
// lie on to be on step, the half grid that is also on step (0 when there is
// none), and whether the 6.25 kHz raster is tried before the 5 kHz one when
// the raster fields are chosen. Index 8 (9 kHz) is valid in records.
constexpr int kStepCount = 9;
struct StepDef {
    Hz size;
    Hz grid;
    Hz halfGrid;
    bool quarterRasterFirst;
};
extern const std::array<StepDef, kStepCount> kSteps;

// The raster fields of a record: which grid a frequency lies on.
namespace raster {
constexpr int k5kHz = 0;
constexpr int k6250Hz = 1;
constexpr int k9kHz = 2;
constexpr Hz kGrid5kHz = 5000;
constexpr Hz kGrid6250Hz = 6250;
constexpr Hz kGrid9kHz = 9000;
} // namespace raster

// The four transmit power levels (list index: Low 1, Low 2, Low 3, High)
// and what each sends, in milliwatts, on a frequency: the 1.25 m band gives
// at most 300 mW, the other amateur bands 5 W.
constexpr int kPowerLevelCount = 4;
constexpr int kPowerHigh = 3;
using PowerLevels = std::array<int, kPowerLevelCount>;
const PowerLevels& PowerLevelsAt(Hz freq);

// Standard repeater offsets of the offset choice list, in Hz.
constexpr int kOffsetListCount = 7;

// Coverage limits outside the band rows.
constexpr Hz kLowestFrequency = 500000;
constexpr Hz kHighestFrequency = 999000000;
constexpr Hz kBroadcastTop = 1800000;    // 9 kHz raster up to here
constexpr Hz kCellularStart = 800000000; // band row 11 starts here

} // namespace radio
