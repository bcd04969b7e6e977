#include "standin/StopSignal.h"

namespace tunelark::standin {

void StopSignal::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    wake_.notify_all();
}

bool StopSignal::Stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

bool StopSignal::SleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, duration, [this] { return stopped_; });
}

}  // namespace tunelark::standin
