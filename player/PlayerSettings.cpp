#include "player/PlayerSettings.h"

#include <algorithm>

#include "player/MediaControl.h"
#include "player/PlayerNumbers.h"

namespace tunelark {

std::int32_t PlayerSettings::volume(std::optional<std::int32_t> value) {
    if (!control_) return 0;
    if (value) control_->Mpv().SetDouble("volume", std::clamp(*value, 0, 100));
    return Truncate(control_->Mpv().GetDouble("volume"));
}

std::int32_t PlayerSettings::balance(std::optional<std::int32_t> value) {
    if (!control_) return 0;
    if (value) value = std::clamp(*value, -100, 100);
    return control_->Keep(&KeptValues::balance, value);
}

std::int32_t PlayerSettings::playCount(std::optional<std::int32_t> value) {
    if (!control_) return 0;
    if (value && *value >= 1) control_->Mpv().SetInt("loop-file", *value - 1);
    const auto loops = control_->Mpv().GetInt("loop-file");
    return loops ? Truncate(static_cast<double>(*loops) + 1) : 0;
}

bool PlayerSettings::mute(std::optional<bool> value) {
    if (!control_) return false;
    if (value) control_->Mpv().SetFlag("mute", *value);
    return control_->Mpv().GetFlag("mute").value_or(false);
}

bool PlayerSettings::autoStart(std::optional<bool> value) {
    return control_ && control_->Keep(&KeptValues::autoStart, value);
}

}  // namespace tunelark
