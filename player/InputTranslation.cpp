#include "player/InputTranslation.h"

#include <QList>
#include <array>
#include <string_view>

namespace tunelark {
namespace {

struct NamedKey {
    int qtKey;
    std::int32_t code;
    std::string_view mpvName;
};

constexpr std::array<NamedKey, 18> kNamedKeys = {{
    {Qt::Key_Backspace, 8, "BS"},
    {Qt::Key_Tab, 9, "TAB"},
    {Qt::Key_Return, 13, "ENTER"},
    {Qt::Key_Enter, 13, "KP_ENTER"},
    {Qt::Key_Shift, 16, ""},
    {Qt::Key_Control, 17, ""},
    {Qt::Key_Alt, 18, ""},
    {Qt::Key_Escape, 27, "ESC"},
    {Qt::Key_Space, 32, "SPACE"},
    {Qt::Key_PageUp, 33, "PGUP"},
    {Qt::Key_PageDown, 34, "PGDWN"},
    {Qt::Key_End, 35, "END"},
    {Qt::Key_Home, 36, "HOME"},
    {Qt::Key_Left, 37, "LEFT"},
    {Qt::Key_Up, 38, "UP"},
    {Qt::Key_Right, 39, "RIGHT"},
    {Qt::Key_Down, 40, "DOWN"},
    {Qt::Key_Delete, 46, "DEL"},
}};

const NamedKey* FindNamed(int qtKey) {
    for (const auto& key : kNamedKeys) {
        if (key.qtKey == qtKey) return &key;
    }
    return nullptr;
}

std::string Prefix(Qt::KeyboardModifiers modifiers, bool withShift) {
    std::string prefix;
    if (modifiers & Qt::ControlModifier) prefix += "Ctrl+";
    if (modifiers & Qt::AltModifier) prefix += "Alt+";
    if (withShift && (modifiers & Qt::ShiftModifier)) prefix += "Shift+";
    return prefix;
}

// A printable key as mpv spells it; mpv's input syntax reserves a few characters.
std::string PrintableName(char32_t character) {
    if (character == '#') return "SHARP";
    if (character == '+') return "PLUS";
    if (character == ' ') return "SPACE";
    return QString::fromUcs4(&character, 1).toStdString();
}

}  // namespace

std::int32_t ButtonCode(Qt::MouseButtons buttons) {
    std::int32_t code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

std::int32_t ShiftState(Qt::KeyboardModifiers modifiers) {
    std::int32_t state = 0;
    if (modifiers & Qt::ShiftModifier) state |= 1;
    if (modifiers & Qt::ControlModifier) state |= 2;
    if (modifiers & Qt::AltModifier) state |= 4;
    return state;
}

std::int32_t KeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // Qt numbers these as their ASCII upper-case characters
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
    const NamedKey* named = FindNamed(qtKey);
    return named ? named->code : 0;
}

std::string MpvKeyName(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    const bool chord = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    // q / Q quit mpv, Ctrl+W closes its window: an embedded player must never end itself.
    // s with any modifier saves a screenshot into the working folder: nothing may be written
    // where the user did not choose.
    if ((qtKey == Qt::Key_Q && !chord) ||
        (qtKey == Qt::Key_W && (modifiers & Qt::ControlModifier)) || qtKey == Qt::Key_S) {
        return {};
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return Prefix(modifiers, true) + "F" + std::to_string(qtKey - Qt::Key_F1 + 1);
    }
    if (const NamedKey* named = FindNamed(qtKey)) {
        return named->mpvName.empty() ? std::string{}
                                      : Prefix(modifiers, true) + std::string(named->mpvName);
    }
    const QList<uint> characters = text.toUcs4();
    if (characters.size() == 1 && characters.front() >= 0x20 && !chord) {
        return PrintableName(characters.front());  // shift is already in the character
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return Prefix(modifiers, true) + static_cast<char>('a' + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return Prefix(modifiers, true) + static_cast<char>('0' + (qtKey - Qt::Key_0));
    }
    return {};
}

std::string MpvButtonName(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return "MBTN_LEFT";
        case Qt::RightButton:
            return "MBTN_RIGHT";
        case Qt::MiddleButton:
            return "MBTN_MID";
        case Qt::BackButton:
            return "MBTN_BACK";
        case Qt::ForwardButton:
            return "MBTN_FORWARD";
        default:
            return {};
    }
}

}  // namespace tunelark
