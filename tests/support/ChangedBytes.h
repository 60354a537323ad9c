// What a page changed in its settings block: the bytes that differ from the
// block as it was loaded, by their place in the block.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

inline std::map<int, int> ChangedBytes(const std::vector<std::uint8_t>& before,
                                       const std::vector<std::uint8_t>& after) {
    std::map<int, int> changes;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (after[i] != before[i])
            changes[static_cast<int>(i)] = after[i];
    return changes;
}
