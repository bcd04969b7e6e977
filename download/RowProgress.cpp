#include "download/RowProgress.h"

#include "download/ProgressText.h"

namespace tunelark {

RowProgress::RowProgress(RowList& list, int32_t statusColumn)
    : list_(list), statusColumn_(statusColumn) {}

ProgressCallback RowProgress::ForRow(int32_t row) {
    const uint64_t rowId = list_.RowId(row);
    return [this, rowId](int32_t, int32_t status, int64_t totalBytes, int64_t bytesDone) {
        Write(rowId, status, totalBytes, bytesDone);
    };
}

void RowProgress::Write(uint64_t rowId, int32_t status, int64_t totalBytes, int64_t bytesDone) {
    std::lock_guard lock(mutex_);
    if (status == kReportFailed) {
        list_.SetCellOfRow(rowId, statusColumn_, DownloadFailedText());
        return;
    }
    const int64_t percent = ProgressPercent(status, totalBytes, bytesDone);
    list_.SetCellOfRow(rowId, statusColumn_, DownloadingText(percent));
    if (percent == 100) list_.SetCellOfRow(rowId, statusColumn_, DownloadDoneText());
}

}  // namespace tunelark
