#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

namespace tunelark::cli {

// A one-line progress bar on a terminal: percentage, bytes, speed and time left. Fed from the
// download's reports (any thread, any rate); it redraws at most ten times a second, and only
// when the stream is a terminal.
class ProgressBar final {
public:
    explicit ProgressBar(std::FILE* out);
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(int64_t total, int64_t done);
    // Ends the bar's line (drawing it complete when `complete`).
    void Finish(bool complete);
    // Seconds since the first update, and the average bytes per second.
    [[nodiscard]] double Seconds() const;
    [[nodiscard]] double BytesPerSecond() const;

private:
    using Clock = std::chrono::steady_clock;
    void DrawLocked();
    [[nodiscard]] double SecondsLocked() const;

    std::FILE* const out_;
    const bool terminal_;
    mutable std::mutex mutex_;
    Clock::time_point started_{};
    Clock::time_point lastDrawn_{};
    bool begun_ = false;
    bool drawn_ = false;
    int64_t total_ = 0;
    int64_t done_ = 0;
};

// "12.3 MiB", "512 B" and the like.
[[nodiscard]] std::string HumanBytes(double bytes);

}  // namespace tunelark::cli
