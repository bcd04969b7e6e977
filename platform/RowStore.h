#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/RowList.h"

namespace tunelark {

// The thread-safe store behind one report list. A view (the window's table model) reads it and
// is told of changes through the change hook, which runs on the writing thread with no lock
// held and must only schedule work (for instance post a coalesced repaint).
class RowStore final : public RowList {
public:
    explicit RowStore(int32_t columnCount);

    void Clear() override;
    int32_t Append(const Text& first) override;
    void SetCell(int32_t row, int32_t column, const Text& value) override;
    [[nodiscard]] Text Cell(int32_t row, int32_t column) const override;
    [[nodiscard]] int32_t SelectedRow() const override;
    [[nodiscard]] int32_t RowCount() const override;
    [[nodiscard]] uint64_t RowId(int32_t row) const override;
    void SetCellOfRow(uint64_t rowId, int32_t column, const Text& value) override;

    [[nodiscard]] int32_t ColumnCount() const { return columnCount_; }
    // The view reports the user's selection here; -1 for none.
    void SetSelectedRow(int32_t row);

    // What changed: a row's cells, or the row set itself (rows appended or cleared).
    enum class Change { Cells, Rows };
    using ChangeHook = std::function<void(Change, int32_t row)>;
    void SetChangeHook(ChangeHook hook);

private:
    void Notify(Change change, int32_t row) const;

    const int32_t columnCount_;
    mutable std::mutex mutex_;
    std::vector<std::vector<Text>> rows_;
    int32_t selected_ = -1;
    // Rows are only appended or cleared all at once, so row i has the id firstId_ + i.
    uint64_t firstId_ = 1;
    ChangeHook hook_;
};

}  // namespace tunelark
