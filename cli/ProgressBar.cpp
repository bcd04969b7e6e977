#include "cli/ProgressBar.h"

#include <unistd.h>

#include <algorithm>

namespace tunelark::cli {
namespace {

constexpr int kBarWidth = 24;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

std::string Duration(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

}  // namespace

std::string HumanBytes(double bytes) {
    static const char* const units[] = {"B", "KiB", "MiB", "GiB", "TiB"};
    int unit = 0;
    while (bytes >= 1024.0 && unit < 4) {
        bytes /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", bytes, units[unit]);
    return text;
}

ProgressBar::ProgressBar(std::FILE* out) : out_(out), terminal_(isatty(fileno(out)) == 1) {}

void ProgressBar::Update(int64_t total, int64_t done) {
    std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    if (!begun_) {
        begun_ = true;
        started_ = now;
    }
    total_ = total;
    done_ = done;
    if (terminal_ && (!drawn_ || now - lastDrawn_ >= kRedrawEvery)) {
        lastDrawn_ = now;
        DrawLocked();
    }
}

void ProgressBar::Finish(bool complete) {
    std::lock_guard lock(mutex_);
    if (!terminal_) return;
    if (complete) done_ = total_;
    if (complete || drawn_) DrawLocked();
    std::fputc('\n', out_);
    std::fflush(out_);
}

double ProgressBar::Seconds() const {
    std::lock_guard lock(mutex_);
    return SecondsLocked();
}

double ProgressBar::BytesPerSecond() const {
    std::lock_guard lock(mutex_);
    const double seconds = SecondsLocked();
    return seconds > 0 ? static_cast<double>(done_) / seconds : 0.0;
}

double ProgressBar::SecondsLocked() const {
    if (!begun_) return 0.0;
    return std::chrono::duration<double>(Clock::now() - started_).count();
}

void ProgressBar::DrawLocked() {
    drawn_ = true;
    const double share =
        total_ > 0 ? static_cast<double>(done_) / static_cast<double>(total_) : 1.0;
    const int filled = std::clamp(static_cast<int>(share * kBarWidth), 0, kBarWidth);
    const double seconds = SecondsLocked();
    // The first moments give no meaningful speed.
    const double speed = seconds > 0.25 ? static_cast<double>(done_) / seconds : 0.0;
    const std::string left =
        speed > 0 ? Duration(static_cast<double>(total_ - done_) / speed) + " left" : "--:-- left";
    std::fprintf(out_, "\r%3d%% [%s%s] %s / %s  %s/s  %s   ", static_cast<int>(share * 100),
                 std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(),
                 HumanBytes(static_cast<double>(done_)).c_str(),
                 HumanBytes(static_cast<double>(total_)).c_str(), HumanBytes(speed).c_str(),
                 left.c_str());
    std::fflush(out_);
}

}  // namespace tunelark::cli
