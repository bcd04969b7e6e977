#include "platform/RowStore.h"

namespace tunelark {

RowStore::RowStore(int32_t columnCount) : columnCount_(columnCount > 0 ? columnCount : 1) {}

void RowStore::Clear() {
    {
        std::lock_guard lock(mutex_);
        firstId_ += rows_.size() + 1;
        rows_.clear();
        selected_ = -1;
    }
    Notify(Change::Rows, -1);
}

int32_t RowStore::Append(const Text& first) {
    int32_t index = 0;
    {
        std::lock_guard lock(mutex_);
        rows_.emplace_back(static_cast<size_t>(columnCount_));
        rows_.back()[0] = first;
        index = static_cast<int32_t>(rows_.size() - 1);
    }
    Notify(Change::Rows, index);
    return index;
}

void RowStore::SetCell(int32_t row, int32_t column, const Text& value) {
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int32_t>(rows_.size())) return;
        if (column < 0 || column >= columnCount_) return;
        rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = value;
    }
    Notify(Change::Cells, row);
}

uint64_t RowStore::RowId(int32_t row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int32_t>(rows_.size())) return 0;
    return firstId_ + static_cast<uint64_t>(row);
}

void RowStore::SetCellOfRow(uint64_t rowId, int32_t column, const Text& value) {
    int32_t row = -1;
    {
        std::lock_guard lock(mutex_);
        if (rowId < firstId_ || rowId - firstId_ >= rows_.size()) return;
        if (column < 0 || column >= columnCount_) return;
        row = static_cast<int32_t>(rowId - firstId_);
        rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = value;
    }
    Notify(Change::Cells, row);
}

Text RowStore::Cell(int32_t row, int32_t column) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int32_t>(rows_.size())) return {};
    if (column < 0 || column >= columnCount_) return {};
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

int32_t RowStore::SelectedRow() const {
    std::lock_guard lock(mutex_);
    return selected_;
}

int32_t RowStore::RowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int32_t>(rows_.size());
}

void RowStore::SetSelectedRow(int32_t row) {
    std::lock_guard lock(mutex_);
    selected_ = (row >= 0 && row < static_cast<int32_t>(rows_.size())) ? row : -1;
}

void RowStore::SetChangeHook(ChangeHook hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

void RowStore::Notify(Change change, int32_t row) const {
    ChangeHook hook;
    {
        std::lock_guard lock(mutex_);
        hook = hook_;
    }
    if (hook) hook(change, row);
}

}  // namespace tunelark
