#pragma once

#include <cstdint>

#include "text/Text.h"

namespace tunelark {

// The list operations the catalogue and the downloader write through. Callable from any
// thread; calls are carried out one at a time. Indices are 0-based; a write to a row that does
// not exist is dropped and a read of one gives "".
class RowList {
public:
    virtual ~RowList() = default;

    virtual void Clear() = 0;
    // Appends a row of columnCount empty cells with `first` in column 0; returns its index.
    virtual int32_t Append(const Text& first) = 0;
    virtual void SetCell(int32_t row, int32_t column, const Text& value) = 0;
    [[nodiscard]] virtual Text Cell(int32_t row, int32_t column) const = 0;
    // The selected row, or -1.
    [[nodiscard]] virtual int32_t SelectedRow() const = 0;
    [[nodiscard]] virtual int32_t RowCount() const = 0;

    // A row's identity, stable while the row exists and never reused for another row (a
    // cleared and refilled list gives its rows new ids); 0 for a row that does not exist.
    // Lets a long-running writer (a download's progress) keep writing into the row it started
    // from, and drop its writes once that row is gone.
    [[nodiscard]] virtual uint64_t RowId(int32_t row) const = 0;
    // SetCell for the row with that identity; dropped when the row no longer exists.
    virtual void SetCellOfRow(uint64_t rowId, int32_t column, const Text& value) = 0;
};

}  // namespace tunelark
