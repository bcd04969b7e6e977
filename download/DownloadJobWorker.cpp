// The worker side of a download job: fetch one part (or the whole file), write it, report.
#include <algorithm>

#include "download/DownloadJob.h"
#include "download/RangeFetch.h"

namespace tunelark {

void DownloadJob::Work(Worker* self) {
    int32_t part = 0;
    {
        std::lock_guard lock(mutex_);
        part = lastPartHandedOut_;
        ++activeWorkers_;
        startAcknowledged_ = true;
    }
    changed_.notify_all();
    CurlEasy easy = pool_.Take();
    if (!easy) {
        Fail("cannot create a transfer");
    } else if (part == 0) {
        FetchWhole(easy.get());
    } else {
        FetchPart(part, easy.get());
    }
    pool_.Give(std::move(easy));
    {
        std::lock_guard lock(mutex_);
        --activeWorkers_;
        self->finished = true;
    }
    changed_.notify_all();
}

// A part whose connection fails or closes early is asked for again from its next byte; a few
// attempts in a row that bring nothing new (or too many in all) fail the job.
void DownloadJob::FetchPart(int32_t part, CURL* easy) {
    const int64_t nominalLast = part * kPartSize - 1;
    FetchRange range{(part - 1) * kPartSize, std::min(nominalLast, total_ - 1), nominalLast,
                     total_};
    const ChunkSink sink = [this](int64_t offset, const char* data, size_t size) {
        return Deliver(offset, data, size, false);
    };
    const HaltCheck halt = [this] { return halt_.load(); };
    const std::string name = "part " + std::to_string(part) + ": ";
    for (int32_t fruitless = 0, attempts = 1;; ++attempts) {
        const FetchOutcome outcome =
            RangeFetch(partAddress_, settings_, range).Run(easy, sink, halt);
        range.first += outcome.written;
        if (outcome.end == FetchEnd::RangeRefused) return AskForSingleStream();
        if (outcome.end == FetchEnd::Failed) return Fail(name + outcome.reason);
        if (outcome.end != FetchEnd::Retry) return;  // complete, or the job was halted
        fruitless = outcome.written > 0 ? 1 : fruitless + 1;
        if (fruitless >= settings_.partAttempts || attempts >= settings_.maxPartAttempts) {
            return Fail(name + outcome.reason + " (" + std::to_string(attempts) + " attempts)");
        }
        if (!WaitBeforeRetry(fruitless)) return;
    }
}

// The part's reply was not its range: no part is written from such a server; the manager
// fetches the whole file as one stream once the running parts have ended.
void DownloadJob::AskForSingleStream() {
    {
        std::lock_guard lock(mutex_);
        singleStream_ = true;
    }
    changed_.notify_all();
}

// For a server that ignores Range: the whole file in one reply, written from its first byte.
void DownloadJob::FetchWhole(CURL* easy) {
    const ChunkSink sink = [this](int64_t offset, const char* data, size_t size) {
        return Deliver(offset, data, size, true);
    };
    const HaltCheck halt = [this] { return halt_.load(); };
    RangeFetch fetch(partAddress_, settings_, {0, total_ - 1, -1, total_});
    const FetchOutcome outcome = fetch.Run(easy, sink, halt);
    if (outcome.end != FetchEnd::Complete && outcome.end != FetchEnd::Halted) {
        Fail("the file as one stream: " + outcome.reason);
    }
}

// Writes the bytes, then reports once per chunk of at most kReportChunk bytes under the lock.
// Waits here while the job is paused; false once it is stopped or failed.
bool DownloadJob::Deliver(int64_t offset, const char* data, size_t size, bool wholeStream) {
    std::string error;
    if (!file_->WriteAt(offset, data, size, error)) {
        Fail(error);
        return false;
    }
    StartWriteBack(offset, static_cast<int64_t>(size));
    Lock lock(mutex_);
    for (size_t reported = 0; reported < size;) {
        const size_t chunk = std::min(size - reported, static_cast<size_t>(kReportChunk));
        reported += chunk;
        // The stream rewrites bytes that parts may already have counted: count only new ground.
        bytesDone_ = wholeStream ? std::max(bytesDone_, offset + static_cast<int64_t>(reported))
                                 : bytesDone_ + static_cast<int64_t>(chunk);
        if (callback_) callback_(number_, kReportProgress, total_, bytesDone_);
    }
    changed_.wait(lock, [&] { return state_ != JobState::Paused; });
    return !HaltedLocked();
}

// Each time the writes pass a part boundary, the part just finished starts going to disk: the
// flush at the end then has little left to wait for.
void DownloadJob::StartWriteBack(int64_t offset, int64_t size) const {
    const int64_t end = offset + size;
    if (end / kPartSize == offset / kPartSize && end != total_) return;
    const int64_t from = std::max<int64_t>(0, (end - 1) / kPartSize * kPartSize - kPartSize);
    if (writeBehind_) writeBehind_->Add(from, end - from);
}

bool DownloadJob::WaitBeforeRetry(int32_t attempt) {
    const auto pause = settings_.retryBackoff * (1 << std::min(attempt - 1, 10));
    Lock lock(mutex_);
    return !changed_.wait_for(lock, pause, [&] { return HaltedLocked(); });
}

}  // namespace tunelark
