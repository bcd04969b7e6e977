#include "player/MediaControl.h"

#include <mpv/client.h>

#include <QMetaObject>
#include <cstring>
#include <string>

#include "player/AudioLanguage.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

MpvHandle::Options OptionsFor(std::uint64_t videoWindow) {
    MpvHandle::Options options = {
        {"idle", "yes"},
        {"terminal", "no"},
        {"ytdl", "no"},
        {"input-default-bindings", "yes"},
        {"input-cursor", "no"},
        {"input-vo-keyboard", "no"},
        // A position written is where playback goes, not the key frame before it.
        {"hr-seek", "yes"},
        // Without a sound device a song still plays (silently), as a video does.
        {"audio-fallback-to-null", "yes"},
        // mpv's command console would let a key press run programs and write files.
        {"load-osd-console", "no"},
    };
    if (videoWindow == 0) {
        options.insert(options.end(), {{"vo", "null"}, {"ao", "null"}});
    } else {
        // gpu alone fails on a software renderer; x11 is the fallback that always opens.
        // force-window keeps the window, and so the controller, for audio-only media too.
        options.insert(options.end(), {{"wid", std::to_string(videoWindow)},
                                       {"vo", "gpu,x11"},
                                       // Two players probing Vulkan at once crash on a
                                       // software renderer; OpenGL is probed safely.
                                       {"gpu-api", "opengl"},
                                       {"osc", "yes"},
                                       // No logo inviting drops, no window buttons (close
                                       // would end the embedded player).
                                       {"script-opts", "osc-idlescreen=no,osc-windowcontrols=no"},
                                       {"force-window", "yes"}});
    }
    return options;
}

}  // namespace

MediaControl::MediaControl(std::uint64_t videoWindow)
    : mpv_(MpvHandle::Create(OptionsFor(videoWindow))) {
    if (!mpv_) return;
    ObserveProperties();
    mpv_set_wakeup_callback(
        mpv_.get(),
        [](void* self) {
            // Called on one of mpv's threads: only ask the GUI thread to drain the queue.
            auto* control = static_cast<MediaControl*>(self);
            if (control->drainQueued_.exchange(true)) return;
            QMetaObject::invokeMethod(control, &MediaControl::Drain, Qt::QueuedConnection);
        },
        this);
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
