#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <string>

namespace tunelark {

// Qt's input as the control's events report it.
[[nodiscard]] std::int32_t ButtonCode(Qt::MouseButtons buttons);
[[nodiscard]] std::int32_t ShiftState(Qt::KeyboardModifiers modifiers);
// The key's virtual key code (letters as upper case, digits, the common named keys); 0 else.
[[nodiscard]] std::int32_t KeyCode(int qtKey);

// Qt's input as mpv's input commands name it. Empty: not forwarded (including the keys that
// would quit the embedded player for good or write screenshots).
[[nodiscard]] std::string MpvKeyName(int qtKey, Qt::KeyboardModifiers modifiers,
                                     const QString& text);
[[nodiscard]] std::string MpvButtonName(Qt::MouseButton button);

}  // namespace tunelark
