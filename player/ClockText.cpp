#include "player/ClockText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tunelark {

Text ClockText(double seconds) {
    // Anything beyond about 68 years is not a clip length; clamping keeps the cast defined.
    const double clamped = std::isfinite(seconds) ? std::clamp(seconds, 0.0, 2.0e9) : 0.0;
    const auto whole = static_cast<long>(clamped);
    const long hours = whole / 3600;
    const long minutes = whole / 60 % 60;
    const long rest = whole % 60;
    char buffer[32];
    if (hours > 0) {
        std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", hours, minutes, rest);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02ld:%02ld", minutes, rest);
    }
    return buffer;
}

}  // namespace tunelark
