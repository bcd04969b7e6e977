#include "player/MediaControl.h"

#include <mpv/client.h>

#include <QMetaObject>
#include <cstring>
#include <string>

#include "player/PlayerOptions.h"
#include "text/CodePage.h"

namespace tunelark {

MediaControl::MediaControl(std::uint64_t videoWindow)
    : mpv_(MpvHandle::Create(PlayerOptions(videoWindow))) {
    if (!mpv_) return;
    mpv_set_wakeup_callback(
        mpv_.get(),
        [](void* self) {
            // Called on one of mpv's threads: only ask the GUI thread to drain the queue.
            auto* control = static_cast<MediaControl*>(self);
            if (control->drainQueued_.exchange(true)) return;
            QMetaObject::invokeMethod(control, &MediaControl::Drain, Qt::QueuedConnection);
        },
        this);
    // After the callback: the first values of the observed properties wake the drain up, and
    // whatever mpv queued while starting goes with them.
    ObserveProperties();
}

MediaControl::~MediaControl() {
    Shutdown();
}

void MediaControl::Shutdown() {
    sink_ = {};
    mpv_.Reset();
    state_ = MediaState{};
}

void MediaControl::ObserveProperties() {
    mpv_.Observe("pause", MPV_FORMAT_FLAG);
    mpv_.Observe("paused-for-cache", MPV_FORMAT_FLAG);
    mpv_.Observe("cache-buffering-state", MPV_FORMAT_INT64);
    mpv_.Observe("speed", MPV_FORMAT_DOUBLE);
    mpv_.Observe("fullscreen", MPV_FORMAT_FLAG);
    mpv_.Observe("time-pos", MPV_FORMAT_DOUBLE);
    mpv_.Observe("aid", MPV_FORMAT_INT64);
}

void MediaControl::Fire(std::int32_t dispId, const EventArgs& args) const {
    if (sink_ && mpv_) sink_(dispId, args);
}

Text MediaControl::URL(std::optional<Text> value) {
    if (!mpv_) return {};
    if (value) {
        url_ = std::move(*value);
        kept_.itemInfo.clear();
        if (url_.empty()) {
            Stop();
        } else {
            Load(!kept_.autoStart);
        }
    }
    return url_;
}

void MediaControl::Load(bool paused) {
    mpv_.SetFlag("pause", paused);
    mpv_.SetDouble("speed", 1);
    if (!mpv_.Command({"loadfile", GbkToUtf8(url_), "replace"})) return;
    // The old file's end arrives before the new one starts: it is not the new one's end.
    ++pendingLoads_;
    state_.phase = MediaPhase::Opening;
    Publish();
}

void MediaControl::Play() {
    if (!mpv_) return;
    const bool unloaded = state_.phase == MediaPhase::Stopped ||
                          state_.phase == MediaPhase::Ended || state_.phase == MediaPhase::Failed;
    if (unloaded && !url_.empty()) {
        Load(false);
        return;
    }
    mpv_.SetDouble("speed", 1);
    mpv_.SetFlag("pause", false);
}

void MediaControl::Stop() {
    if (!mpv_ || state_.phase == MediaPhase::Empty) return;
    mpv_.Command({"stop"});
    pendingLoads_ = 0;
    state_.phase = MediaPhase::Stopped;
    Publish();
}

void MediaControl::FastForward() {
    if (!mpv_ || state_.phase != MediaPhase::Loaded) return;
    mpv_.SetFlag("pause", false);
    mpv_.SetDouble("speed", 5);
}

std::int32_t MediaControl::playState() const {
    return mpv_ ? PlayStateOf(state_) : 0;
}

std::int32_t MediaControl::openState() const {
    return mpv_ ? OpenStateOf(state_) : 0;
}

Text MediaControl::status() const {
    return mpv_ ? StatusOf(state_) : Text{};
}

Text MediaControl::versionInfo() const {
    return mpv_.GetString("mpv-version").value_or("");
}

bool MediaControl::isOnline(std::optional<bool>) const {
    return false;
}

bool MediaControl::fullScreen(std::optional<bool> value) {
    if (value) mpv_.SetFlag("fullscreen", *value);
    return mpv_.GetFlag("fullscreen").value_or(false);
}

bool MediaControl::enableContextMenu(std::optional<bool> value) {
    return Keep(&KeptValues::enableContextMenu, value);
}

Text MediaControl::uiMode(std::optional<Text> value) {
    const bool written = value.has_value();
    const Text mode = Keep(&KeptValues::uiMode, std::move(value));
    if (written) ShowController();
    return mode;
}

void MediaControl::ShowController() {
    if (!mpv_) return;
    // Sound alone gives the controller nothing to hide behind: it stays on screen.
    const bool hidden = kept_.uiMode == "none" || kept_.uiMode == "invisible";
    const bool soundOnly =
        state_.phase == MediaPhase::Loaded && mpv_.GetString("vid").value_or("no") == "no";
    const char* visibility = hidden ? "never" : soundOnly ? "always" : "auto";
    mpv_.Command({"script-message", "osc-visibility", visibility, "no-osd"});
}

bool MediaControl::stretchToFit(std::optional<bool> value) {
    if (value) mpv_.SetString("video-unscaled", *value ? "no" : "downscale-big");
    const auto unscaled = mpv_.GetString("video-unscaled");
    return unscaled && *unscaled == "no";
}

bool MediaControl::windowlessVideo(std::optional<bool> value) {
    return Keep(&KeptValues::windowlessVideo, value);
}

bool MediaControl::isRemote() const {
    return false;
}

void MediaControl::Release(MediaControl* control) {
    if (!control->draining_) {
        delete control;
        return;
    }
    // Released by a callback while its own events are handed out: end mpv now, free later.
    control->Shutdown();
    control->released_ = true;
}

}  // namespace tunelark
