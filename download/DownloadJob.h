#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "download/DownloadSettings.h"
#include "download/EasyPool.h"
#include "download/JobState.h"
#include "download/PartFile.h"
#include "download/ProgressCallback.h"
#include "download/WriteBehind.h"

namespace tunelark {

// What a started job needs: its number, where the parts go, the length, the limit, the caller's
// callback and the reserved file.
struct JobSetup {
    int32_t number = 0;
    std::string partAddress;
    int64_t total = 0;
    int32_t threadLimit = 1;
    ProgressCallback callback;
    std::unique_ptr<PartFile> file;
    DownloadSettings settings;
};

// One download: a manager thread hands out the parts, one worker thread per part, at most
// threadLimit at once. The job's lock guards the state, the counters and the hand-over of part
// numbers; every wait wakes on the condition it waits for. Destroying the job stops it and
// joins its threads.
class DownloadJob final {
public:
    explicit DownloadJob(JobSetup setup);
    ~DownloadJob();
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    // Starts the manager thread; false (with the reason) when no thread can be made.
    [[nodiscard]] bool Launch(std::string& error);

    // Control: write the state whatever it was. False once the job has ended.
    bool SetState(JobState state);
    bool StopThenRun();

    [[nodiscard]] bool Ended() const;
    [[nodiscard]] std::string FailureReason() const;

private:
    struct Worker {
        std::thread thread;
        bool finished = false;  // under mutex_
    };
    using Lock = std::unique_lock<std::mutex>;

    // Manager side (DownloadJob.cpp).
    void Manage();
    bool HandOut(int32_t part);
    void ReapFinishedWorkers();
    void WaitForWorkers();
    [[nodiscard]] bool NeedsSingleStream();
    [[nodiscard]] JobState SettledState();
    void Finish();
    void Report(int32_t status, int64_t total, int64_t done) const;

    // Worker side (DownloadJobWorker.cpp).
    void Work(Worker* self);
    void FetchPart(int32_t part, CURL* easy);
    void FetchWhole(CURL* easy);
    void AskForSingleStream();
    bool Deliver(int64_t offset, const char* data, size_t size, bool wholeStream);
    void StartWriteBack(int64_t offset, int64_t size) const;
    bool WaitBeforeRetry(int32_t attempt);

    [[nodiscard]] bool HaltedLocked() const;
    void FailLocked(std::string reason);
    void Fail(std::string reason);

    const int32_t number_;
    const std::string partAddress_;
    const int64_t total_;
    const int32_t partCount_;
    const int32_t threadLimit_;
    const ProgressCallback callback_;
    const DownloadSettings settings_;
    std::unique_ptr<PartFile> file_;
    // The manager's; made before the first worker starts and ended after the last.
    std::unique_ptr<WriteBehind> writeBehind_;
    EasyPool pool_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    JobState state_ = JobState::Running;
    int32_t activeWorkers_ = 0;
    int32_t lastPartHandedOut_ = 0;
    bool startAcknowledged_ = false;
    int64_t bytesDone_ = 0;
    bool singleStream_ = false;  // a reply ignored Range: fetch the file as one stream
    bool ended_ = false;
    std::string failure_;
    // Mirrors "state is Stopped or Failed" for transfers waiting on the network.
    std::atomic<bool> halt_{false};

    std::list<Worker> workers_;  // the manager's; finished ones are joined as it goes
    std::thread manager_;
};

}  // namespace tunelark
