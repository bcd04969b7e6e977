#pragma once

#include <cstdint>

#include "player/MpvHandle.h"

namespace tunelark {

// How the player's mpv is set up: rendering into the native window videoWindow with the
// on-screen controller, or, when it is 0, without video or audio output.
[[nodiscard]] MpvHandle::Options PlayerOptions(std::uint64_t videoWindow);

}  // namespace tunelark
