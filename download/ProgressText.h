#pragma once

#include <cstdint>

#include "text/Text.h"

namespace tunelark {

// The whole percentage of a report: bytesDone / totalBytes, then x 100, in double precision and
// in that order, cut toward zero (57 of 100 gives 56). 0 when totalBytes is 0, except for an
// end report of an empty file, which is complete.
[[nodiscard]] int64_t ProgressPercent(int32_t status, int64_t totalBytes, int64_t bytesDone);

// "下载中" + percent + "%".
[[nodiscard]] Text DownloadingText(int64_t percent);
// "下载完成"
[[nodiscard]] const Text& DownloadDoneText();
// "下载失败，请重试！"
[[nodiscard]] const Text& DownloadFailedText();

}  // namespace tunelark
