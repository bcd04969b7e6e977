#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "download/PartFile.h"

namespace tunelark {

// Starts the disk writes of finished ranges of a file on a thread of its own: asking the system
// to write back can wait on a busy disk, and the threads receiving data should not.
class WriteBehind final {
public:
    // nullptr when no thread can be made (the writes then simply happen at the final flush).
    [[nodiscard]] static std::unique_ptr<WriteBehind> Start(const PartFile& file);
    explicit WriteBehind(const PartFile& file);
    // Lets the pending ranges go and joins the thread.
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    void Add(int64_t offset, int64_t length);

private:
    void Run();

    const PartFile& file_;
    std::mutex mutex_;
    std::condition_variable pending_;
    std::deque<std::pair<int64_t, int64_t>> ranges_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tunelark
