#pragma once

#include <cstdint>

#include "text/Text.h"

namespace tunelark {

// Play states as the control reports them.
enum PlayState : std::int32_t {
    kPlayUndefined = 0,
    kPlayStopped = 1,
    kPlayPaused = 2,
    kPlayPlaying = 3,
    kPlayScanForward = 4,
    kPlayBuffering = 6,
    kPlayMediaEnded = 8,
    kPlayTransitioning = 9,
    kPlayReady = 10,
};

// Open states as the control reports them.
enum OpenState : std::int32_t {
    kOpenUndefined = 0,
    kOpenMediaOpening = 12,
    kOpenMediaOpen = 13,
};

// Where the current address is in its life.
enum class MediaPhase { Empty, Opening, Loaded, Ended, Stopped, Failed };

// What the control knows about its media, from mpv's events and observed properties.
struct MediaState {
    MediaPhase phase = MediaPhase::Empty;
    bool paused = false;
    bool pausedForCache = false;
    bool scanning = false;
    std::int32_t bufferingPercent = 0;
};

[[nodiscard]] std::int32_t PlayStateOf(const MediaState& state);
[[nodiscard]] std::int32_t OpenStateOf(const MediaState& state);
// A short status line for the user (GBK); empty before any address was given.
[[nodiscard]] Text StatusOf(const MediaState& state);

}  // namespace tunelark
