// Small shared vocabulary of the radio model: frequencies, tabs, directions.
#pragma once

#include <cstdint>

namespace vx7 {

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
constexpr int kFirstSplit = 4;
constexpr int kLastSplit = 6;
constexpr int kCount = 7;
} // namespace tonemode

} // namespace vx7
