#pragma once

#include <optional>

#include "text/Text.h"

namespace tunelark {

class MediaControl;

// The control's "Controls" object: transport and position. With no control every call does
// nothing and reads 0/empty.
class PlayerControls final {
public:
    explicit PlayerControls(MediaControl* control) : control_(control) {}

    void play();
    void pause();
    void stop();
    void fastForward();  // plays at five times the normal speed until play or pause
    void fastReverse();  // no effect: mpv offers no cheap reverse playback
    void next();         // the control holds one address, so next/previous find nothing
    void previous();
    [[nodiscard]] Text currentPositionString() const;
    // Seconds from the start, with fractions; writing seeks.
    double currentPosition(std::optional<double> value = {});

private:
    MediaControl* control_;  // not owned; may be null
};

}  // namespace tunelark
