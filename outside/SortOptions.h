// What the sort dialog is given and what it hands back: the grid's column
// titles in, and the user's choice of rows, order and keys out.
#pragma once

#include <QString>

#include <array>

namespace outside {

struct SortOptions {
    static constexpr int kMaxColumns = 18;
    enum Scope { kSelectedRows = 0, kAllRows = 1 };
    enum Order { kAscending = 1, kDescending = 2 };

    // In: how many of the titles name columns (1 to kMaxColumns).
    int columnCount = kMaxColumns;
    // Out: which rows, which order, and the key columns (1-based). A second
    // key below 1, or equal to the first, means none.
    int scope = kSelectedRows;
    int order = kAscending;
    int firstKey = 1;
    int secondKey = 0;
    // In: the column titles, on one line each.
    std::array<QString, kMaxColumns> titles;
};

} // namespace outside
