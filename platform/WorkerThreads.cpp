#include "platform/WorkerThreads.h"

#include "platform/CancelScope.h"

namespace tunelark {

WorkerThreads::~WorkerThreads() {
    std::list<Worker> workers;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        workers.swap(workers_);
    }
    for (Worker& worker : workers) worker.thread.request_stop();
    // The jthreads join as the list goes.
}

bool WorkerThreads::Start(Work work) {
    std::lock_guard lock(mutex_);
    if (stopping_) return false;
    JoinFinished();
    Worker& worker = workers_.emplace_back();
    ++running_;
    worker.thread = std::jthread([this, &worker, work = std::move(work)](std::stop_token stop) {
        {
            // The blocking web calls the work makes give up as soon as the stop is asked.
            const CancelScope scope(stop);
            work(stop);
        }
        std::lock_guard endLock(mutex_);
        worker.done = true;
        --running_;
        ended_.notify_all();
    });
    return true;
}

bool WorkerThreads::StopAndJoin(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    for (Worker& worker : workers_) worker.thread.request_stop();
    const bool allEnded = ended_.wait_for(lock, limit, [this] { return running_ == 0; });
    JoinFinished();
    return allEnded;
}

int WorkerThreads::Running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void WorkerThreads::JoinFinished() {
    // A finished worker has at most its last unlock left to do; joining it is immediate.
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (!it->done) {
            ++it;
            continue;
        }
        it->thread.join();
        it = workers_.erase(it);
    }
}

bool SleepUnlessStopped(std::stop_token stop, std::chrono::milliseconds duration) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    (void)wake.wait_for(lock, stop, duration, [] { return false; });
    return !stop.stop_requested();
}

}  // namespace tunelark
