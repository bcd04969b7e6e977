#include "download/WriteBehind.h"

#include <system_error>

namespace tunelark {

std::unique_ptr<WriteBehind> WriteBehind::Start(const PartFile& file) {
    try {
        return std::make_unique<WriteBehind>(file);
    } catch (const std::system_error&) {
        return nullptr;
    }
}

WriteBehind::WriteBehind(const PartFile& file) : file_(file) {
    thread_ = std::thread(&WriteBehind::Run, this);
}

WriteBehind::~WriteBehind() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    pending_.notify_all();
    thread_.join();
}

void WriteBehind::Add(int64_t offset, int64_t length) {
    {
        std::lock_guard lock(mutex_);
        ranges_.emplace_back(offset, length);
    }
    pending_.notify_one();
}

void WriteBehind::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        pending_.wait(lock, [this] { return stopping_ || !ranges_.empty(); });
        // What is still pending at the end is left to the final flush.
        if (stopping_) return;
        const auto [offset, length] = ranges_.front();
        ranges_.pop_front();
        lock.unlock();
        file_.StartWriteBack(offset, length);
        lock.lock();
    }
}

}  // namespace tunelark
