#include "cli/InterruptWatch.h"

#include <pthread.h>

namespace tunelark::cli {

InterruptWatch::InterruptWatch(std::function<void()> onInterrupt) {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    sigaddset(&signals_, SIGUSR1);  // the destructor's wake-up
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
    thread_ = std::thread([this, onInterrupt = std::move(onInterrupt)] {
        int signal = 0;
        while (sigwait(&signals_, &signal) == 0 && signal != SIGUSR1) onInterrupt();
    });
}

InterruptWatch::~InterruptWatch() {
    pthread_kill(thread_.native_handle(), SIGUSR1);
    thread_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace tunelark::cli
