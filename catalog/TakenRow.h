#pragma once

#include <cstdint>
#include <vector>

#include "platform/RowList.h"
#include "text/Text.h"

namespace tunelark {

// A list row as a command took it at its start: its identity and its cells at that moment.
// Later writes go to the row by identity, so they land in that row even when the selection
// moved meanwhile, and are dropped when the list was refilled.
struct TakenRow {
    uint64_t id = 0;  // 0: no row (nothing selected)
    std::vector<Text> cells;

    // The cell as taken; "" for a column beyond the row.
    [[nodiscard]] const Text& Cell(int32_t column) const;
};

[[nodiscard]] TakenRow TakeRow(const RowList& list, int32_t row, int32_t columnCount);
[[nodiscard]] TakenRow TakeSelectedRow(const RowList& list, int32_t columnCount);

}  // namespace tunelark
