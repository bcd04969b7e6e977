#pragma once

#include <QFont>

namespace tunelark {

// The font the window's controls name, and the family drawn in its place where it is missing.
inline constexpr const char* kControlFontFamily = "微软雅黑";
inline constexpr const char* kControlFontStandIn = "WenQuanYi Micro Hei";
inline constexpr int kControlFontPixels = 12;

// Maps the named family onto the stand-in; call once after the application object exists.
void InstallFontSubstitution();

// "微软雅黑", 12 pixels high, normal weight.
[[nodiscard]] QFont ControlFont();

}  // namespace tunelark
