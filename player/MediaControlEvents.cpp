// The control's side of mpv's event queue: turning mpv's events and property changes into the
// control's state and events.
#include <mpv/client.h>

#include <string>
#include <string_view>

#include "player/AudioLanguage.h"
#include "player/MediaControl.h"

namespace tunelark {

void MediaControl::Drain() {
    drainQueued_ = false;
    draining_ = true;
    // A callback may shut the control down (closing the player): re-check each turn.
    while (mpv_) {
        const mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE) break;
        HandleEvent(*event);
    }
    draining_ = false;
    if (released_) deleteLater();
}

void MediaControl::HandleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_START_FILE:
            pendingLoads_ = std::max(pendingLoads_ - 1, 0);
            seekFrom_.reset();
            audioTrack_.reset();
            state_.phase = MediaPhase::Opening;
            Publish();
            break;
        case MPV_EVENT_FILE_LOADED:
            state_.phase = MediaPhase::Loaded;
            ShowController();
            Publish();
            break;
        case MPV_EVENT_END_FILE:
            HandleEndFile(*static_cast<const mpv_event_end_file*>(event.data));
            break;
        case MPV_EVENT_SEEK:
            if (!seekFrom_) seekFrom_ = lastPosition_;
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            HandleSeekDone();
            break;
        case MPV_EVENT_PROPERTY_CHANGE:
            HandleProperty(*static_cast<const mpv_event_property*>(event.data));
            break;
        case MPV_EVENT_SHUTDOWN:
            Shutdown();
            break;
        default:
            break;
    }
}

void MediaControl::HandleEndFile(const mpv_event_end_file& endFile) {
    if (endFile.reason == MPV_END_FILE_REASON_EOF) {
        Fire(kPlayStateChange, {kPlayMediaEnded});
        state_.phase = MediaPhase::Ended;
        publishedPlayState_ = kPlayMediaEnded;
        Publish();
    } else if (endFile.reason == MPV_END_FILE_REASON_ERROR) {
        state_.phase = MediaPhase::Failed;
        Publish();
        Fire(kMediaError, {url_});
        Fire(kError, {});
    } else if (endFile.reason == MPV_END_FILE_REASON_STOP && pendingLoads_ == 0 &&
               state_.phase != MediaPhase::Empty) {
        state_.phase = MediaPhase::Stopped;
        Publish();
    }
}

void MediaControl::HandleSeekDone() {
    if (!seekFrom_) return;
    const double from = *seekFrom_;
    seekFrom_.reset();
    lastPosition_ = mpv_.GetDouble("time-pos").value_or(lastPosition_);
    Fire(kPositionChange, {from, lastPosition_});
}

void MediaControl::HandleAudioTrack() {
    if (state_.phase != MediaPhase::Loaded) return;
    const auto language = mpv_.GetString("current-tracks/audio/lang");
    Fire(kAudioLanguageChange, {LanguageId(language.value_or(""))});
}

void MediaControl::HandleProperty(const mpv_event_property& property) {
    const std::string_view name = property.name;
    const bool has = property.format != MPV_FORMAT_NONE && property.data != nullptr;
    const auto flag = [&] { return has && *static_cast<const int*>(property.data) != 0; };
    if (name == "pause") {
        state_.paused = flag();
    } else if (name == "paused-for-cache") {
        const bool buffering = flag();
        if (buffering == state_.pausedForCache) return;
        state_.pausedForCache = buffering;
        if (buffering) ++bufferingCount_;
        Fire(kBuffering, {buffering});
    } else if (name == "cache-buffering-state") {
        state_.bufferingPercent =
            has ? static_cast<std::int32_t>(*static_cast<const std::int64_t*>(property.data)) : 0;
    } else if (name == "speed") {
        state_.scanning = has && *static_cast<const double*>(property.data) > 1.0;
    } else if (name == "time-pos") {
        if (has) lastPosition_ = *static_cast<const double*>(property.data);
        return;
    } else if (name == "aid") {
        const auto track =
            has ? std::optional(*static_cast<const std::int64_t*>(property.data)) : std::nullopt;
        if (track && audioTrack_ && track != audioTrack_) HandleAudioTrack();
        audioTrack_ = track;
        return;
    } else if (name == "fullscreen") {
        if (flag() == fullScreen_) return;
        fullScreen_ = flag();
        emit fullScreenChanged(fullScreen_);
        return;
    }
    Publish();
}

void MediaControl::Publish() {
    const std::int32_t play = PlayStateOf(state_);
    const std::int32_t open = OpenStateOf(state_);
    const Text line = StatusOf(state_);
    if (open != publishedOpenState_) {
        publishedOpenState_ = open;
        Fire(kOpenStateChange, {open});
    }
    if (play != publishedPlayState_) {
        publishedPlayState_ = play;
        Fire(kPlayStateChange, {play});
    }
    if (line != publishedStatus_) {
        publishedStatus_ = line;
        Fire(kStatusChange, {});
    }
}

}  // namespace tunelark
