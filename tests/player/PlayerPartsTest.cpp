#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "player/AudioLanguage.h"
#include "player/ClockText.h"
#include "player/InputTranslation.h"
#include "player/PlayerNumbers.h"

namespace tunelark::test {
namespace {

TEST(PlayerPartsTest, NumbersTruncateTowardZeroAndSaturate) {
    const std::pair<std::optional<double>, std::int32_t> cases[] = {
        {3.944, 3},        {3.9, 3},          {-2.7, -2},         {std::nullopt, 0},
        {std::nan(""), 0}, {1e12, INT32_MAX}, {-1e12, INT32_MIN},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(Truncate(value), expected);
}

TEST(PlayerPartsTest, ClockTextShowsMinutesAndHours) {
    const std::pair<double, const char*> cases[] = {
        {0, "00:00"},      {3.944, "00:03"}, {65.5, "01:05"},         {3599.9, "59:59"},
        {3600, "1:00:00"}, {-4, "00:00"},    {std::nan(""), "00:00"}, {1e300, "555555:33:20"},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(ClockText(seconds), text) << seconds;
}

TEST(PlayerPartsTest, KeysReachMpvByItsNamesExceptThoseThatQuit) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        const char* name;
    };
    const Case cases[] = {
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", "ESC"},
        {Qt::Key_Space, Qt::NoModifier, " ", "SPACE"},
        {Qt::Key_Right, Qt::ShiftModifier, "", "Shift+RIGHT"},
        {Qt::Key_F, Qt::NoModifier, "f", "f"},
        {Qt::Key_F, Qt::ShiftModifier, "F", "F"},
        {Qt::Key_NumberSign, Qt::ShiftModifier, "#", "SHARP"},
        {Qt::Key_D, Qt::ControlModifier, "\x04", "Ctrl+d"},
        {Qt::Key_S, Qt::NoModifier, "s", ""},
        {Qt::Key_S, Qt::ControlModifier, "\x13", ""},
        {Qt::Key_F5, Qt::NoModifier, "", "F5"},
        {Qt::Key_Q, Qt::NoModifier, "q", ""},
        {Qt::Key_Q, Qt::ShiftModifier, "Q", ""},
        {Qt::Key_W, Qt::ControlModifier, "\x17", ""},
        {Qt::Key_Shift, Qt::ShiftModifier, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MpvKeyName(c.key, c.modifiers, QString::fromLatin1(c.text)), c.name) << c.name;
    }
}

TEST(PlayerPartsTest, InputCodesFollowTheControlsConventions) {
    EXPECT_EQ(KeyCode(Qt::Key_A), 65);
    EXPECT_EQ(KeyCode(Qt::Key_7), 55);
    EXPECT_EQ(KeyCode(Qt::Key_Escape), 27);
    EXPECT_EQ(KeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(KeyCode(Qt::Key_yen), 0);
    EXPECT_EQ(ButtonCode(Qt::LeftButton | Qt::MiddleButton), 5);
    EXPECT_EQ(ShiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(LanguageId("chi"), 2052);
    EXPECT_EQ(LanguageId("eng"), 1033);
    EXPECT_EQ(LanguageId("xx"), 0);
}

}  // namespace
}  // namespace tunelark::test
