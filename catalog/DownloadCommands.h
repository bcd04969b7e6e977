#pragma once

#include <cstdint>

#include "catalog/TakenRow.h"
#include "download/MultiPartDownloader.h"
#include "download/ProgressCallback.h"
#include "download/RowProgress.h"
#include "platform/RowList.h"
#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// Where a download goes and how its reports reach the list.
struct DownloadTarget {
    Text folder;   // "编辑框2" as the user wrote it; never empty here
    Text keyword;  // "编辑框1" when the download starts
    MultiPartDownloader* downloader = nullptr;
    RowProgress* progress = nullptr;  // writes the status cell of the row the download came from
    ProgressCallback observer;        // also told every report (optional)
};

// "立即下载" on a taken result row (meant for a worker thread): obtains the row's address
// (cached or resolved), saves it as <folder>\<artist>《<keyword>》.MP3 with one connection.
// Returns the job number, or -1 when nothing started; then the row's status reads
// "下载失败，请重试！". Whenever the download fails the row's cached address is emptied, so the
// next attempt resolves a fresh one (addresses expire).
int32_t StartSongDownload(RowList& results, const TakenRow& row, const DownloadTarget& target,
                          const ServiceConfig& services = Services());

// "下载MV到本地" on a taken quality row: saves its address as <folder>\<label>《<keyword>》.MP4.
// Returns the job number, or -1 (status "下载失败，请重试！").
int32_t StartMvDownload(RowList& qualities, const TakenRow& row, const DownloadTarget& target);

}  // namespace tunelark
