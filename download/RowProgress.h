#pragma once

#include <cstdint>
#include <mutex>

#include "download/ProgressCallback.h"
#include "platform/RowList.h"

namespace tunelark {

// Turns a job's reports into the status cell of one list row: "下载中" + percentage + "%",
// "下载完成" at exactly 100, "下载失败，请重试！" for a failure. Each callback it hands out is
// bound to the row it was made for (by the row's identity, not its index), so a second download
// never draws the first one's reports into its row, and reports for a row that a new search
// has removed are dropped. All its writes hold its own lock; it is called under a job's lock,
// so the order is always job lock, then this lock, then the list's.
class RowProgress {
public:
    RowProgress(RowList& list, int32_t statusColumn);
    ~RowProgress() = default;
    RowProgress(const RowProgress&) = delete;
    RowProgress& operator=(const RowProgress&) = delete;

    // The callback for a download started from `row`. It refers to this object, which must
    // outlive the jobs it is given to.
    [[nodiscard]] ProgressCallback ForRow(int32_t row);

    void Write(uint64_t rowId, int32_t status, int64_t totalBytes, int64_t bytesDone);

private:
    RowList& list_;
    const int32_t statusColumn_;
    std::mutex mutex_;
};

// A RowProgress for one list's status column (SongProgress, MvProgress).
template <int32_t StatusColumn>
class StatusColumnProgress final : public RowProgress {
public:
    static constexpr int32_t kStatusColumn = StatusColumn;
    explicit StatusColumnProgress(RowList& list) : RowProgress(list, StatusColumn) {}
};

}  // namespace tunelark
