// The column options of the channel-list grids: one 32-bit value "Columns"
// in the settings store's group "Settings". Bits 0 to 16 hide columns 2 to 18 (bit k hides
// column k + 2), bits 17 to 23 are kept 0, and the top byte is the number of
// frozen leading columns (0 counts as 1). A missing or unreadable value is 0:
// everything shows and one column stays in place.
#pragma once

#include <cstdint>

namespace settings {

struct ColumnOptions {
    static constexpr int kFirstHideable = 2; // bit 0 hides this column
    static constexpr int kLastHideable = 18; // the comment column, bit 16
    static constexpr int kHideBits = kLastHideable - kFirstHideable + 1;
    static constexpr std::uint32_t kHideMask = (1u << kHideBits) - 1;
    static constexpr int kFrozenShift = 24;
    static constexpr int kMinFrozen = 1;
    static constexpr int kMaxFrozen = 4; // what the dialog offers

    std::uint32_t value = 0;

    // Whether grid column col is hidden; columns outside 2 to 18 never are.
    constexpr bool IsHidden(int col) const {
        return col >= kFirstHideable && col <= kLastHideable &&
               (value >> (col - kFirstHideable) & 1u) != 0;
    }
    // The frozen column count the grids use: the top byte, at least 1.
    constexpr int Frozen() const {
        const int frozen = static_cast<int>(value >> kFrozenShift);
        return frozen < kMinFrozen ? kMinFrozen : frozen;
    }
    // The value of hide bits (bit k for column k + 2) and a frozen count.
    static constexpr ColumnOptions Make(std::uint32_t hideBits, int frozen) {
        return {(hideBits & kHideMask) |
                (static_cast<std::uint32_t>(frozen & 0xff) << kFrozenShift)};
    }
};

// Reads "Columns"; 0 when missing or unreadable.
ColumnOptions ReadColumnOptions();
// Stores "Columns"; false when the store could not be written (nothing is
// shown to the user then).
bool StoreColumnOptions(ColumnOptions options);

} // namespace settings
