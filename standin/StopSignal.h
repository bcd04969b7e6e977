#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tunelark::standin {

// Lets waits inside request handlers end at once when the server stops.
class StopSignal final {
public:
    void Stop();
    [[nodiscard]] bool Stopped() const;
    // Waits for the duration; false when the server stopped meanwhile.
    [[nodiscard]] bool SleepFor(std::chrono::milliseconds duration);

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopped_ = false;
};

}  // namespace tunelark::standin
