#include "catalog/DownloadCommands.h"

#include "catalog/Columns.h"
#include "catalog/FileNames.h"
#include "catalog/SongCommands.h"
#include "download/ProgressText.h"

namespace tunelark {
namespace {

// The row's own progress, the observer, and `onFailure` for a failed job.
ProgressCallback RowCallback(const TakenRow& row, const DownloadTarget& target,
                             std::function<void()> onFailure) {
    return [progress = target.progress, rowId = row.id, observer = target.observer,
            onFailure = std::move(onFailure)](int32_t job, int32_t status, int64_t total,
                                              int64_t done) {
        if (progress) progress->Write(rowId, status, total, done);
        if (status == kReportFailed && onFailure) onFailure();
        if (observer) observer(job, status, total, done);
    };
}

int32_t Start(RowList& list, const TakenRow& row, int32_t statusColumn, const Text& address,
              Text path, const DownloadTarget& target, const std::function<void()>& onFailure) {
    int32_t job = -1;
    if (target.downloader && !target.folder.empty() && !address.empty()) {
        job = target.downloader->Start(address, path, 1, RowCallback(row, target, onFailure), 1);
    }
    if (job < 0) {
        list.SetCellOfRow(row.id, statusColumn, DownloadFailedText());
        if (onFailure) onFailure();
    }
    return job;
}

}  // namespace

int32_t StartSongDownload(RowList& results, const TakenRow& row, const DownloadTarget& target,
                          const ServiceConfig& services) {
    const Text address = SongAddressOfRow(results, row, services);
    const Text path = SongFilePath(target.folder, row.Cell(SongColumn::kArtist), target.keyword);
    const auto forgetAddress = [&results, rowId = row.id] {
        results.SetCellOfRow(rowId, SongColumn::kAddress, "");
    };
    return Start(results, row, SongColumn::kStatus, address, path, target, forgetAddress);
}

int32_t StartMvDownload(RowList& qualities, const TakenRow& row, const DownloadTarget& target) {
    const Text path = MvFilePath(target.folder, row.Cell(MvQualityColumn::kLabel), target.keyword);
    return Start(qualities, row, MvQualityColumn::kStatus, row.Cell(MvQualityColumn::kAddress),
                 path, target, {});
}

}  // namespace tunelark
