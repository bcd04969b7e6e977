#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <stop_token>
#include <thread>

namespace tunelark {

// The worker threads of the process (searches, song downloads, the update check). Each gets a
// stop token, and runs inside a CancelScope of that token, so that its blocking web calls end
// early too; at exit the owner asks them all to stop and waits for them, bounded, before it
// releases anything they use. Finished threads are joined as new ones start.
class WorkerThreads final {
public:
    using Work = std::function<void(std::stop_token)>;

    WorkerThreads() = default;
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // Runs work on a new thread; false (and nothing runs) once stopping has begun.
    bool Start(Work work);

    // Asks every worker to stop and waits up to `limit` for all of them to end. True when none
    // runs any more; false leaves the late ones running (the destructor then waits for them).
    [[nodiscard]] bool StopAndJoin(std::chrono::milliseconds limit);

    [[nodiscard]] int Running() const;

private:
    struct Worker {
        std::jthread thread;
        bool done = false;
    };

    void JoinFinished();  // with mutex_ held

    mutable std::mutex mutex_;
    std::condition_variable ended_;
    std::list<Worker> workers_;
    int running_ = 0;
    bool stopping_ = false;
};

// Sleeps for `duration` unless a stop is asked first; false when it was.
[[nodiscard]] bool SleepUnlessStopped(std::stop_token stop, std::chrono::milliseconds duration);

}  // namespace tunelark
