#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "player/EventTable.h"
#include "player/MediaEvents.h"
#include "text/Text.h"

namespace tunelark {

class MediaControl;

// The class text that names the media player control.
inline constexpr const char* kMediaPlayerClassId = "{6BF52A52-394A-11d3-B153-00C04F79FAA6}";

// Hosts one control at a time in a child window of a given parent and routes its events to
// registered callbacks. On an X11 display the control renders into the window; elsewhere
// (offscreen, tests) it runs headless with every property still working. GUI thread only.
class ControlHost final {
public:
    ControlHost() = default;
    // Ends the hosted control (mpv before its window) and drops its events.
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // Makes a host window at x, y, width, height in the parent's coordinates with the border
    // style (0 none, 1 sunken edge, 2 raised dialog frame, 3 thin static edge, 4 sunken edge and
    // dialog frame, 5 single line, above 5 none) and, when the class text (GBK) names the media
    // player control, a control inside it. Returns the window (owned by the parent, deleted when
    // closed), or nullptr without a parent. A control hosted before is disconnected and ended
    // first (each host runs one mpv instance); its window stays with its parent, empty, until
    // closed.
    [[nodiscard]] QWidget* CreateActiveX(QWidget* parent, const Text& classText, int x, int y,
                                         int width, int height, std::int32_t borderStyle);
    // The control made by the last CreateActiveX, shared with the caller; empty when none.
    [[nodiscard]] std::shared_ptr<MediaControl> GetIDispatch() const { return control_; }
    // Registers callback and user value for an event of the hosted control. False, with
    // nothing changed, when the control has no event with that identifier (or there is none).
    [[nodiscard]] bool AdviseEvent(std::int32_t dispId, EventCallback callback,
                                   std::intptr_t userValue);
    // Ends the hosted control now, even while others share it, and drops its events: mpv's
    // video window is a child of the host window, so mpv must end before that window goes.
    void Release();

private:
    std::shared_ptr<MediaControl> control_;
    EventTable events_;
};

}  // namespace tunelark
