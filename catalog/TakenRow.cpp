#include "catalog/TakenRow.h"

namespace tunelark {

const Text& TakenRow::Cell(int32_t column) const {
    static const Text empty;
    if (column < 0 || static_cast<size_t>(column) >= cells.size()) return empty;
    return cells[static_cast<size_t>(column)];
}

TakenRow TakeRow(const RowList& list, int32_t row, int32_t columnCount) {
    TakenRow taken;
    taken.id = list.RowId(row);
    if (taken.id == 0) return taken;
    taken.cells.reserve(static_cast<size_t>(columnCount));
    for (int32_t column = 0; column < columnCount; ++column) {
        taken.cells.push_back(list.Cell(row, column));
    }
    // A list refilled while the cells were read would mix two rows: take none then.
    if (list.RowId(row) != taken.id) return {};
    return taken;
}

TakenRow TakeSelectedRow(const RowList& list, int32_t columnCount) {
    return TakeRow(list, list.SelectedRow(), columnCount);
}

}  // namespace tunelark
