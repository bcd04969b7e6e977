#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "player/ControlHost.h"
#include "player/MediaControl.h"
#include "text/Text.h"

namespace tunelark {

// One embedded media player: its host, its host window and its control. An omitted optional
// argument leaves the current value in place; a read-write member writes first, then returns
// what it reads back. Before Create, after Close, or once the host window is gone, reads give
// 0/false/empty and writes do nothing. GUI thread only.
//
// URL: writing it loads and plays the address (an empty one stops); it reads the address last
// written. Read from mpv: playState, openState, status (from its events), versionInfo,
// fullScreen (the main window goes full screen with only the player shown; double-click and
// Esc work too), stretchToFit, and the members of Controls(), CurrentMedia(), settings() and
// Network() as their headers say. Kept as written and read back: enableContextMenu, uiMode
// ("none" and "invisible" also hide the on-screen controller), windowlessVideo,
// settings().balance and autoStart, Network().maxBandwidth. Reading 0/false: isOnline
// (read-only: the player knows nothing of the network), isRemote.
//
// libmpv needs LC_NUMERIC "C": the application sets it right after creating QApplication.
class PlayerControl final {
public:
    PlayerControl() = default;
    // Closes the player: mpv ends before its window does.
    ~PlayerControl();
    PlayerControl(const PlayerControl&) = delete;
    PlayerControl& operator=(const PlayerControl&) = delete;

    // Hosts the player in parent at x, y, width, height (border style 0 when omitted).
    // Returns the host window, nullptr when none was made.
    QWidget* Create(QWidget* parent, int x, int y, int width, int height,
                    std::optional<std::int32_t> borderStyle = {});
    // Without a value: the edge or size in the parent's coordinates. With one: moves or resizes
    // that one edge or size and returns 1 (0 without a window).
    int Left(std::optional<int> value = {});
    int Top(std::optional<int> value = {});
    int Width(std::optional<int> value = {});
    int Height(std::optional<int> value = {});
    void Move(std::optional<int> x = {}, std::optional<int> y = {}, std::optional<int> width = {},
              std::optional<int> height = {});
    // With a value: shows or hides and returns whether the window was visible before.
    bool Visible(std::optional<bool> show = {});
    // With a value: enables or disables and returns whether the window was disabled before.
    bool Enabled(std::optional<bool> enable = {});
    // Drops the control and closes (deletes) the host window.
    void Close();

    Text URL(std::optional<Text> value = {});
    [[nodiscard]] std::int32_t playState() const;
    [[nodiscard]] std::int32_t openState() const;
    [[nodiscard]] Text status() const;
    [[nodiscard]] Text versionInfo() const;
    bool isOnline(std::optional<bool> value = {});
    bool fullScreen(std::optional<bool> value = {});
    bool enableContextMenu(std::optional<bool> value = {});
    Text uiMode(std::optional<Text> value = {});
    bool stretchToFit(std::optional<bool> value = {});
    bool windowlessVideo(std::optional<bool> value = {});
    [[nodiscard]] bool isRemote() const;
    // The sub-objects; each does nothing and reads 0/empty without a control.
    [[nodiscard]] PlayerControls Controls() const { return PlayerControls(Live()); }
    [[nodiscard]] PlayerMedia CurrentMedia() const { return PlayerMedia(Live()); }
    [[nodiscard]] PlayerSettings settings() const { return PlayerSettings(Live()); }
    [[nodiscard]] PlayerNetwork Network() const { return PlayerNetwork(Live()); }

    // Event registrations: true when the control has the event (see MediaEvents.h).
    bool OpenStateChange(EventCallback callback, std::intptr_t userValue);
    bool PlayStateChange(EventCallback callback, std::intptr_t userValue);
    bool AudioLanguageChange(EventCallback callback, std::intptr_t userValue);
    bool StatusChange(EventCallback callback, std::intptr_t userValue);
    bool Buffering(EventCallback callback, std::intptr_t userValue);
    bool Error(EventCallback callback, std::intptr_t userValue);
    bool PositionChange(EventCallback callback, std::intptr_t userValue);
    bool CdromMediaChange(EventCallback callback, std::intptr_t userValue);
    bool MediaError(EventCallback callback, std::intptr_t userValue);
    bool PlayerReconnect(EventCallback callback, std::intptr_t userValue);
    bool Click(EventCallback callback, std::intptr_t userValue);
    bool DoubleClick(EventCallback callback, std::intptr_t userValue);
    bool KeyDown(EventCallback callback, std::intptr_t userValue);
    bool KeyPress(EventCallback callback, std::intptr_t userValue);
    bool KeyUp(EventCallback callback, std::intptr_t userValue);
    bool MouseDown(EventCallback callback, std::intptr_t userValue);
    bool MouseMove(EventCallback callback, std::intptr_t userValue);
    bool MouseUp(EventCallback callback, std::intptr_t userValue);

    [[nodiscard]] QWidget* Window() const { return window_; }

private:
    // Reads one of x, y, width, height (0..3), or changes it alone and returns 1.
    int Place(std::size_t which, std::optional<int> value);
    // The control while it is alive, else nullptr.
    [[nodiscard]] MediaControl* Live() const;

    ControlHost host_;
    QPointer<QWidget> window_;
    std::shared_ptr<MediaControl> control_;
};

}  // namespace tunelark
