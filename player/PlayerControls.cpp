#include "player/PlayerControls.h"

#include "player/ClockText.h"
#include "player/MediaControl.h"

namespace tunelark {

void PlayerControls::play() {
    if (control_) control_->Play();
}

void PlayerControls::pause() {
    if (control_) control_->Mpv().SetFlag("pause", true);
}

void PlayerControls::stop() {
    if (control_) control_->Stop();
}

void PlayerControls::fastForward() {
    if (control_) control_->FastForward();
}

void PlayerControls::fastReverse() {}

void PlayerControls::next() {
    if (control_) control_->Mpv().Command({"playlist-next"});
}

void PlayerControls::previous() {
    if (control_) control_->Mpv().Command({"playlist-prev"});
}

Text PlayerControls::currentPositionString() const {
    if (!control_) return {};
    const auto position = control_->Mpv().GetDouble("time-pos");
    return position ? ClockText(*position) : Text{};
}

double PlayerControls::currentPosition(std::optional<double> value) {
    if (!control_) return 0;
    if (value) control_->Mpv().SetDouble("time-pos", *value);
    return control_->Mpv().GetDouble("time-pos").value_or(0);
}

}  // namespace tunelark
