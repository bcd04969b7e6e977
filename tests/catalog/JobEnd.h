#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

#include "download/ProgressCallback.h"

namespace tunelark::test {

// Waits for a download job's end report and tells its status.
class JobEnd final {
public:
    ProgressCallback Observer() {
        return [this](int32_t, int32_t status, int64_t, int64_t) {
            if (status == kReportProgress) return;
            std::lock_guard lock(mutex_);
            status_ = status;
            ended_.notify_all();
        };
    }
    // kReportDone, kReportFailed, or kReportProgress when no end came in time.
    int32_t Wait() {
        std::unique_lock lock(mutex_);
        ended_.wait_for(lock, std::chrono::seconds(60),
                        [this] { return status_ != kReportProgress; });
        return status_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    int32_t status_ = kReportProgress;
};

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

}  // namespace tunelark::test
