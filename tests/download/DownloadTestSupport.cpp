#include "tests/download/DownloadTestSupport.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

namespace tunelark::test {

std::string PatternBody(size_t size) {
    std::string body(size, '\0');
    uint32_t state = 2463534242u;
    for (char& c : body) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = static_cast<char>(state & 0xFF);
    }
    return body;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tunelark-download-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

ProgressCallback ReportLog::Callback() {
    return [this](int32_t job, int32_t status, int64_t total, int64_t done) {
        // Notified under the lock: the log may be destroyed as soon as its waiter sees the end.
        std::lock_guard lock(mutex_);
        reports_.push_back({job, status, total, done});
        arrived_.notify_all();
    };
}

int32_t ReportLog::WaitForEnd(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    int32_t status = 99;
    arrived_.wait_for(lock, limit, [&] {
        for (const Report& report : reports_) {
            if (report.status != kReportProgress) status = report.status;
        }
        return status != 99;
    });
    return status;
}

bool ReportLog::WaitForBytes(int64_t bytes, std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, limit,
                             [&] { return !reports_.empty() && reports_.back().done >= bytes; });
}

std::vector<Report> ReportLog::Reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

}  // namespace tunelark::test
