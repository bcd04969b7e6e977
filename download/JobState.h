#pragma once

#include <cstdint>

namespace tunelark {

enum class JobState : int32_t { Running = 0, Stopped = 1, Paused = 2, Failed = -1 };

}  // namespace tunelark
