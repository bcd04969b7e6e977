#pragma once

#include <cstdint>
#include <functional>

namespace tunelark {

// What a download job tells its caller. Lengths are 64-bit so that files of 2 GiB and more
// report correctly.
//   status 1: progress after a chunk of at most 20,480 bytes (worker thread, job lock held);
//   status 0: the job ended with every byte in place (manager thread, no lock held);
//   status -1: the job failed; totalBytes and bytesDone are 0.
// A callback must not call back into the downloader.
using ProgressCallback =
    std::function<void(int32_t jobNumber, int32_t status, int64_t totalBytes, int64_t bytesDone)>;

inline constexpr int32_t kReportProgress = 1;
inline constexpr int32_t kReportDone = 0;
inline constexpr int32_t kReportFailed = -1;

}  // namespace tunelark
