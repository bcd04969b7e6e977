#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "download/DownloadJob.h"
#include "download/DownloadSettings.h"
#include "download/ProgressCallback.h"
#include "text/Text.h"

namespace tunelark {

// Fetches web addresses into files: each Start makes one job that fetches the file in parts of
// kPartSize bytes with ranged GETs, at most threadLimit at once, into a temporary file beside
// the target that is renamed onto it once every byte has arrived. Jobs are numbered from 1 in
// call order (the job table); numbers are never reused. Destroying the downloader stops every
// job and waits for its threads.
class MultiPartDownloader final {
public:
    explicit MultiPartDownloader(DownloadSettings settings = {});
    ~MultiPartDownloader();
    MultiPartDownloader(const MultiPartDownloader&) = delete;
    MultiPartDownloader& operator=(const MultiPartDownloader&) = delete;

    // Blocks for the name probe (only when targetPath names a folder), the length probe and
    // the file's reservation, then returns while the transfer goes on. targetPath (a system
    // path) is completed in place whatever the outcome. Returns the job's positive handle (its
    // number), or -1 when the job was not started; a failed start makes no report and leaves no
    // file. Inside a CancelScope whose stop is asked, the probes end at once and the start fails
    // with the reason kCancelledReason. `reserved` is not read.
    [[nodiscard]] int32_t Start(const Text& address, Text& targetPath, int32_t threadLimit,
                                ProgressCallback callback, int32_t reserved);

    // Each writes the job's state; false (doing nothing) for a number outside the table, a
    // failed start or a job that has ended.
    bool Pause(int32_t jobNumber);
    bool Stop(int32_t jobNumber);
    bool Resume(int32_t jobNumber);
    bool StopThenRun(int32_t jobNumber);
    void PauseAll();
    void StopAll();
    void ResumeAll();
    void StopThenRunAll();

    // One entry per Start, in call order: the job's handle, or -1 for a start that failed
    // (0 while that start is still under way).
    [[nodiscard]] std::vector<int32_t> JobTable() const;
    // Why a job failed or did not start; "" when it did not fail (or is unknown).
    [[nodiscard]] std::string FailureReason(int32_t jobNumber) const;

private:
    int32_t ReserveJobNumber();
    int32_t StartJob(int32_t number, const Text& address, const Text& targetPath,
                     int32_t threadLimit, ProgressCallback callback);
    int32_t RecordStart(int32_t number, std::unique_ptr<DownloadJob> job, std::string reason);
    bool Control(int32_t jobNumber, const std::function<bool(DownloadJob&)>& operation);
    void ControlAll(const std::function<bool(DownloadJob&)>& operation);
    void ReapEndedJobs();

    const DownloadSettings settings_;
    mutable std::mutex mutex_;  // the job counter, the table, the jobs and the reasons
    int32_t jobCounter_ = 0;
    std::vector<int32_t> table_;
    std::map<int32_t, std::unique_ptr<DownloadJob>> jobs_;
    std::map<int32_t, std::string> reasons_;
};

}  // namespace tunelark
