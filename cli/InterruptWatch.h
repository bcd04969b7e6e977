#pragma once

#include <signal.h>

#include <functional>
#include <thread>

namespace tunelark::cli {

// Turns Ctrl-C and SIGTERM into a call of `onInterrupt` on a thread of its own, so that a
// download can be stopped cleanly (its partial file removed). Make it before any other thread:
// the signals are blocked in the threads created afterwards.
class InterruptWatch final {
public:
    explicit InterruptWatch(std::function<void()> onInterrupt);
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

private:
    sigset_t signals_{};
    sigset_t previous_{};
    std::thread thread_;
};

}  // namespace tunelark::cli
