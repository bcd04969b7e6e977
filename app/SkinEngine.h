#pragma once

#include <QApplication>

namespace tunelark {

inline constexpr int kSkinCount = 33;
inline constexpr int kWindowSkin = 13;

// The window skins: a palette and a style sheet for each of 33 built-in skins, made from a
// small table of hues and tones. Skins are numbered from 1.
class SkinEngine final {
public:
    // Applies a skin to the whole application. False, with the platform look left as it was,
    // for a number outside 1..33 or when the base style is missing.
    [[nodiscard]] bool Attach(QApplication& application, int number) const;

    [[nodiscard]] static QString Name(int number);
    [[nodiscard]] static QPalette Palette(int number);
    [[nodiscard]] static QString StyleSheet(int number);
};

}  // namespace tunelark
