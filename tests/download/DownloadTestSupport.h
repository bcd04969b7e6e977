#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "download/ProgressCallback.h"

namespace tunelark::test {

// Bytes that differ at every offset a misplaced write could land on.
[[nodiscard]] std::string PatternBody(size_t size);
[[nodiscard]] std::string ReadFile(const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TempFolder final {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    // The names in the folder, sorted.
    [[nodiscard]] std::vector<std::string> Names() const;

private:
    std::filesystem::path path_;
};

struct Report {
    int32_t job = 0;
    int32_t status = 0;
    int64_t total = 0;
    int64_t done = 0;
};

// Collects a job's reports; WaitForEnd blocks until the end report (status 0 or -1) arrives.
class ReportLog final {
public:
    [[nodiscard]] ProgressCallback Callback();
    // The end report's status, or 99 when none came within the time.
    [[nodiscard]] int32_t WaitForEnd(std::chrono::seconds limit = std::chrono::seconds(20));
    // Waits until at least this many bytes were reported; false on time-out.
    [[nodiscard]] bool WaitForBytes(int64_t bytes,
                                    std::chrono::seconds limit = std::chrono::seconds(20));
    [[nodiscard]] std::vector<Report> Reports() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<Report> reports_;
};

}  // namespace tunelark::test
