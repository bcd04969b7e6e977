#include "player/PlayerNetwork.h"

#include <algorithm>

#include "player/MediaControl.h"
#include "player/PlayerNumbers.h"

namespace tunelark {

std::optional<double> PlayerNetwork::Number(const char* name) const {
    if (!control_ || control_->State().phase != MediaPhase::Loaded) return {};
    return control_->Mpv().GetDouble(name);
}

std::int32_t PlayerNetwork::framesSkipped() const {
    return Truncate(Number("frame-drop-count").value_or(0) +
                    Number("decoder-frame-drop-count").value_or(0));
}

std::int32_t PlayerNetwork::encodedFrameRate() const {
    return Truncate(Number("container-fps"));
}

std::int32_t PlayerNetwork::downloadProgress() const {
    if (!control_ || control_->State().phase != MediaPhase::Loaded) return 0;
    // Local files have no demuxer cache: all of them is there.
    const auto cached = Number("demuxer-cache-time");
    const auto length = Number("duration");
    if (!cached ||
        control_->Mpv().GetMapFlag("demuxer-cache-state", "eof-cached").value_or(false)) {
        return 100;
    }
    if (!length || *length <= 0) return 0;
    return Truncate(std::clamp(*cached / *length * 100, 0.0, 100.0));
}

std::int32_t PlayerNetwork::maxBandwidth(std::optional<std::int32_t> value) {
    if (!control_) return 0;
    if (value) value = std::max(*value, 0);
    return control_->Keep(&KeptValues::maxBandwidth, value);
}

std::int32_t PlayerNetwork::bitRate() const {
    return Truncate(Number("video-bitrate").value_or(0) + Number("audio-bitrate").value_or(0));
}

std::int32_t PlayerNetwork::frameRate() const {
    const auto fps = Number("estimated-vf-fps");
    return fps ? Truncate(*fps * 100) : 0;
}

std::int32_t PlayerNetwork::bufferingTime(std::optional<std::int32_t> value) {
    if (!control_) return 0;
    if (value && *value >= 0) control_->Mpv().SetDouble("cache-pause-wait", *value / 1000.0);
    const auto seconds = control_->Mpv().GetDouble("cache-pause-wait");
    return seconds ? Truncate(*seconds * 1000) : 0;
}

std::int32_t PlayerNetwork::bufferingProgress() const {
    return Truncate(Number("cache-buffering-state"));
}

std::int32_t PlayerNetwork::bufferingCount() const {
    return control_ ? control_->BufferingCount() : 0;
}

}  // namespace tunelark
