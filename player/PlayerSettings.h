#pragma once

#include <cstdint>
#include <optional>

namespace tunelark {

class MediaControl;

// The control's "settings" object. Each member writes the given value first, then reads it
// back; with no control nothing is written and every read gives 0/false.
class PlayerSettings final {
public:
    explicit PlayerSettings(MediaControl* control) : control_(control) {}

    // 0..100; values outside are clamped.
    std::int32_t volume(std::optional<std::int32_t> value = {});
    // -100..100, clamped; kept as written (mpv has no stereo balance).
    std::int32_t balance(std::optional<std::int32_t> value = {});
    // How many times the media plays (1 or more); mpv's loop-file is one less.
    std::int32_t playCount(std::optional<std::int32_t> value = {});
    bool mute(std::optional<bool> value = {});
    // Kept; decides whether the next address written starts playing or waits paused.
    bool autoStart(std::optional<bool> value = {});

private:
    MediaControl* control_;  // not owned; may be null
};

}  // namespace tunelark
