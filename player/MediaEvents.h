#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

#include "text/Text.h"

namespace tunelark {

// Dispatch identifiers of the media player control's events. Arguments, in order:
enum MediaEventId : std::int32_t {
    kOpenStateChange = 5001,      // new open state
    kStatusChange = 5002,         // none
    kPlayStateChange = 5101,      // new play state
    kAudioLanguageChange = 5102,  // language identifier (0 when unknown)
    kPositionChange = 5202,       // old position, new position (seconds, doubles)
    kBuffering = 5402,            // true when buffering starts, false when it ends
    kError = 5501,                // none
    kCdromMediaChange = 5701,     // drive number (never fired: no disc playback here)
    kMediaError = 5821,           // the failed media's address (text)
    kPlayerReconnect = 6504,      // none (never fired: there is no remote player)
    kClick = 6505,                // button, shift state, x, y
    kDoubleClick = 6506,          // button, shift state, x, y
    kKeyDown = 6507,              // key code, shift state
    kKeyPress = 6508,             // character code
    kKeyUp = 6509,                // key code, shift state
    kMouseDown = 6510,            // button, shift state, x, y
    kMouseMove = 6511,            // button, shift state, x, y
    kMouseUp = 6512,              // button, shift state, x, y
};

// The control's event interface, in its declared order.
inline constexpr std::array<std::int32_t, 18> kMediaEventIds = {
    kOpenStateChange, kStatusChange,    kPlayStateChange, kAudioLanguageChange,
    kPositionChange,  kBuffering,       kError,           kCdromMediaChange,
    kMediaError,      kPlayerReconnect, kClick,           kDoubleClick,
    kKeyDown,         kKeyPress,        kKeyUp,           kMouseDown,
    kMouseMove,       kMouseUp,
};

// Buttons and shift states in the mouse and key events are bit sets.
inline constexpr std::int32_t kButtonLeft = 1;
inline constexpr std::int32_t kButtonRight = 2;
inline constexpr std::int32_t kButtonMiddle = 4;
inline constexpr std::int32_t kShiftKey = 1;
inline constexpr std::int32_t kControlKey = 2;
inline constexpr std::int32_t kAltKey = 4;

// One event argument: integers (states, buttons, codes, coordinates), positions, flags, texts.
using EventArg = std::variant<std::int32_t, double, bool, Text>;
using EventArgs = std::vector<EventArg>;

// Called on the GUI thread with the registered user value first, then the event's arguments.
using EventCallback = std::function<void(std::intptr_t userValue, const EventArgs& args)>;

// How a control hands its events to whoever hosts it.
using EventSink = std::function<void(std::int32_t dispId, const EventArgs& args)>;

}  // namespace tunelark
