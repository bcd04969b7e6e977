#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tunelark {

// The control reads its numbers as doubles and hands them out truncated toward zero; values
// outside the 32-bit range saturate, and a missing or undefined value reads 0.
[[nodiscard]] inline std::int32_t Truncate(std::optional<double> value) {
    if (!value || std::isnan(*value)) return 0;
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (*value <= kLow) return std::numeric_limits<std::int32_t>::min();
    if (*value >= kHigh) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(*value));
}

}  // namespace tunelark
