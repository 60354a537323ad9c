// Small shared vocabulary of the radio model: frequencies, tabs, directions.
#pragma once

#include <cstdint>

namespace radio {

// Frequencies and offsets in hertz.
using Hz = std::int32_t;

// A frequency field whose BCD holds a nibble above 9 (unused records are
// often 0xFF filler) is not a number.
constexpr Hz kNoFrequency = -1;

// The seven channel tables, in tab-strip order.
namespace tab {
constexpr int kMemories = 0;
constexpr int kLimit = 1;
constexpr int kOneTouch = 2;
constexpr int kHyper = 3;
constexpr int kGroups = 4;
constexpr int kVfo = 5;
constexpr int kHome = 6;
constexpr int kCount = 7;
} // namespace tab

// Offset direction; also the indices of the direction choice list.
namespace direction {
constexpr int kSimplex = 0;
constexpr int kMinus = 1;
constexpr int kPlus = 2;
constexpr int kSplit = 3;
} // namespace direction

// Tone modes 4 to 6 are the split tone modes.
namespace tonemode {
constexpr int kNone = 0;
constexpr int kEncode = 1;
constexpr int kDecode = 2;
constexpr int kDcs = 3;
constexpr int kDcsTransmit = 4; // DCS on transmit only
constexpr int kEncodeDcs = 5;   // CTCSS on transmit, DCS on receive
constexpr int kDcsDecode = 6;   // DCS on transmit, CTCSS on receive
constexpr int kFirstSplit = 4;
constexpr int kLastSplit = 6;
constexpr int kCount = 7;
// Which tone the modes use: the CTCSS tone with Encode and Decode, the DCS
// code with DCS and DCS transmit; the last two split modes use both.
constexpr bool UsesCtcss(int mode) {
    return mode == kEncode || mode == kDecode || mode == kEncodeDcs || mode == kDcsDecode;
}
constexpr bool UsesDcs(int mode) {
    return mode == kDcs || mode == kDcsTransmit || mode == kEncodeDcs || mode == kDcsDecode;
}
} // namespace tonemode

} // namespace radio
