#include "download/DownloadJob.h"

#include <algorithm>
#include <system_error>

namespace tunelark {
namespace {

int32_t PartCount(int64_t total) {
    return static_cast<int32_t>((total + kPartSize - 1) / kPartSize);
}

}  // namespace

DownloadJob::DownloadJob(JobSetup setup)
    : number_(setup.number),
      partAddress_(std::move(setup.partAddress)),
      total_(setup.total),
      partCount_(PartCount(setup.total)),
      threadLimit_(std::clamp(setup.threadLimit, 1, std::max(partCount_, 1))),
      callback_(std::move(setup.callback)),
      settings_(setup.settings),
      file_(std::move(setup.file)) {}

DownloadJob::~DownloadJob() {
    SetState(JobState::Stopped);
    if (manager_.joinable()) manager_.join();
}

bool DownloadJob::Launch(std::string& error) {
    try {
        manager_ = std::thread(&DownloadJob::Manage, this);
        return true;
    } catch (const std::system_error& failure) {
        error = std::string("cannot start the job's thread: ") + failure.what();
        return false;
    }
}

bool DownloadJob::SetState(JobState state) {
    {
        std::lock_guard lock(mutex_);
        if (ended_) return false;
        state_ = state;
        halt_ = HaltedLocked();
    }
    changed_.notify_all();
    return true;
}

bool DownloadJob::StopThenRun() {
    if (!SetState(JobState::Stopped)) return false;
    SetState(JobState::Running);
    return true;
}

bool DownloadJob::Ended() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

std::string DownloadJob::FailureReason() const {
    std::lock_guard lock(mutex_);
    return failure_;
}

void DownloadJob::Manage() {
    writeBehind_ = WriteBehind::Start(*file_);
    for (int32_t part = 1; part <= partCount_ && HandOut(part); ++part) {
    }
    WaitForWorkers();
    if (NeedsSingleStream() && HandOut(0)) WaitForWorkers();
    Finish();
}

// Starts the worker for a part (0: the whole file as one stream) once the limit and the state
// allow, and waits until it has taken its part number.
bool DownloadJob::HandOut(int32_t part) {
    ReapFinishedWorkers();
    Lock lock(mutex_);
    changed_.wait(lock, [&] {
        return HaltedLocked() || (part != 0 && singleStream_) ||
               (state_ != JobState::Paused && activeWorkers_ < threadLimit_);
    });
    if (HaltedLocked() || (part != 0 && singleStream_)) return false;
    lastPartHandedOut_ = part;
    startAcknowledged_ = false;
    Worker& worker = workers_.emplace_back();
    try {
        worker.thread = std::thread(&DownloadJob::Work, this, &worker);
    } catch (const std::system_error& failure) {
        workers_.pop_back();
        FailLocked(std::string("cannot start a worker: ") + failure.what());
        return false;
    }
    changed_.wait(lock, [&] { return startAcknowledged_; });
    return true;
}

void DownloadJob::ReapFinishedWorkers() {
    std::list<Worker> finished;
    {
        std::lock_guard lock(mutex_);
        for (auto it = workers_.begin(); it != workers_.end();) {
            auto next = std::next(it);
            if (it->finished) finished.splice(finished.end(), workers_, it);
            it = next;
        }
    }
    for (Worker& worker : finished) worker.thread.join();
}

void DownloadJob::WaitForWorkers() {
    {
        Lock lock(mutex_);
        changed_.wait(lock, [&] { return activeWorkers_ == 0; });
    }
    ReapFinishedWorkers();
}

bool DownloadJob::NeedsSingleStream() {
    std::lock_guard lock(mutex_);
    return singleStream_ && !HaltedLocked();
}

// The state the job ends in. A paused job stays paused until resumed or stopped; a job that
// is still running but lacks bytes has failed.
JobState DownloadJob::SettledState() {
    Lock lock(mutex_);
    changed_.wait(lock, [&] { return state_ != JobState::Paused; });
    if (state_ == JobState::Running && bytesDone_ != total_) {
        FailLocked("only " + std::to_string(bytesDone_) + " of " + std::to_string(total_) +
                   " bytes arrived");
    }
    return state_;
}

void DownloadJob::Finish() {
    writeBehind_.reset();
    std::string error;
    const bool complete = SettledState() == JobState::Running && file_->Commit(error);
    if (!error.empty()) Fail(error);
    file_.reset();
    pool_.Clear();
    JobState state = JobState::Running;
    int64_t done = 0;
    {
        std::lock_guard lock(mutex_);
        state = state_;
        done = bytesDone_;
    }
    if (complete) {
        Report(kReportDone, total_, done);
    } else if (state == JobState::Failed) {
        Report(kReportFailed, 0, 0);
    }
    std::lock_guard lock(mutex_);
    ended_ = true;
}

void DownloadJob::Report(int32_t status, int64_t total, int64_t done) const {
    if (callback_) callback_(number_, status, total, done);
}

bool DownloadJob::HaltedLocked() const {
    return state_ == JobState::Stopped || state_ == JobState::Failed;
}

void DownloadJob::FailLocked(std::string reason) {
    state_ = JobState::Failed;
    halt_ = true;
    if (failure_.empty()) failure_ = std::move(reason);
}

void DownloadJob::Fail(std::string reason) {
    {
        std::lock_guard lock(mutex_);
        FailLocked(std::move(reason));
    }
    changed_.notify_all();
}

}  // namespace tunelark
