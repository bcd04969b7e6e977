#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <map>
#include <optional>

#include "player/MediaEvents.h"
#include "player/MediaState.h"
#include "player/MpvHandle.h"
#include "player/PlayerControls.h"
#include "player/PlayerMedia.h"
#include "player/PlayerNetwork.h"
#include "player/PlayerSettings.h"
#include "text/Text.h"

struct mpv_event;
struct mpv_event_property;
struct mpv_event_end_file;

namespace tunelark {

// Members that mpv has no equivalent for: kept as written and read back.
struct KeptValues {
    bool enableContextMenu = true;
    Text uiMode = "full";
    bool windowlessVideo = false;
    bool autoStart = true;
    std::int32_t balance = 0;
    std::int32_t maxBandwidth = 0;
    std::map<Text, Text> itemInfo;  // attributes written to the current media, by lower-case name
};

// The media player control: one mpv instance, either rendering into a native window (with its
// on-screen controller) or headless. Lives on the GUI thread; its events are delivered there.
// After Shutdown, or when mpv could not be created, every member reads 0/false/empty and
// writes do nothing.
class MediaControl final : public QObject {
    Q_OBJECT

public:
    // videoWindow: the native window to render into, or 0 to run without video or audio output.
    explicit MediaControl(std::uint64_t videoWindow);
    ~MediaControl() override;
    // The deleter for shared ownership: safe even from inside one of the control's own events.
    static void Release(MediaControl* control);
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;

    [[nodiscard]] bool IsAlive() const { return static_cast<bool>(mpv_); }
    // Stops playback and destroys the mpv instance (before the window it renders into goes).
    void Shutdown();
    // Where the events go; an empty sink disconnects them.
    void SetEventSink(EventSink sink) { sink_ = std::move(sink); }
    // Raises an event of the control (the input events come from the window that hosts it).
    void Fire(std::int32_t dispId, const EventArgs& args) const;

    // Members of the control; a read-write member writes the given value first, then reads.
    Text URL(std::optional<Text> value = {});
    [[nodiscard]] std::int32_t playState() const;
    [[nodiscard]] std::int32_t openState() const;
    [[nodiscard]] Text status() const;
    [[nodiscard]] Text versionInfo() const;
    bool isOnline(std::optional<bool> value = {}) const;  // reads false; read-only
    bool fullScreen(std::optional<bool> value = {});
    bool enableContextMenu(std::optional<bool> value = {});  // kept
    [[nodiscard]] Text uiMode(
        std::optional<Text> value = {});  // kept; "none"/"invisible" hide the controller
    bool stretchToFit(std::optional<bool> value = {});     // mpv's video-unscaled
    bool windowlessVideo(std::optional<bool> value = {});  // kept
    [[nodiscard]] bool isRemote() const;                   // reads false

    // The sub-objects, fetched for one call each.
    [[nodiscard]] PlayerControls Controls() { return PlayerControls(this); }
    [[nodiscard]] PlayerMedia CurrentMedia() { return PlayerMedia(this); }
    [[nodiscard]] PlayerSettings settings() { return PlayerSettings(this); }
    [[nodiscard]] PlayerNetwork Network() { return PlayerNetwork(this); }

    // A member kept as written: stores the value given, reads what is stored.
    template <class T>
    T Keep(T KeptValues::*member, std::optional<T> value) {
        if (!mpv_) return T{};
        if (value) kept_.*member = std::move(*value);
        return kept_.*member;
    }

    // For the sub-objects.
    [[nodiscard]] MpvHandle& Mpv() { return mpv_; }
    [[nodiscard]] KeptValues& Kept() { return kept_; }
    [[nodiscard]] const MediaState& State() const { return state_; }
    [[nodiscard]] std::int32_t BufferingCount() const { return bufferingCount_; }
    void Play();
    void Stop();
    void FastForward();

signals:
    // The user or a write asked for (or left) full screen; the hosting window carries it out.
    void fullScreenChanged(bool fullScreen);

private:
    void Load(bool paused);
    // Applies uiMode and the kind of media to mpv's on-screen controller.
    void ShowController();
    void ObserveProperties();
    void Drain();
    void HandleEvent(const mpv_event& event);
    void HandleProperty(const mpv_event_property& property);
    void HandleEndFile(const mpv_event_end_file& endFile);
    void HandleSeekDone();
    void HandleAudioTrack();
    // Raises the state change events for whatever changed since the last call.
    void Publish();

    MpvHandle mpv_;
    EventSink sink_;
    KeptValues kept_;
    Text url_;
    MediaState state_;
    std::int32_t publishedPlayState_ = kPlayUndefined;
    std::int32_t publishedOpenState_ = kOpenUndefined;
    Text publishedStatus_;
    std::int32_t bufferingCount_ = 0;
    std::int32_t pendingLoads_ = 0;
    double lastPosition_ = 0;
    std::optional<double> seekFrom_;
    std::optional<std::int64_t> audioTrack_;
    bool fullScreen_ = false;
    std::atomic<bool> drainQueued_ = false;
    bool draining_ = false;
    bool released_ = false;
};

}  // namespace tunelark
