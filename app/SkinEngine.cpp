#include "app/SkinEngine.h"

#include <QStyle>
#include <QStyleFactory>
#include <array>

namespace tunelark {
namespace {

enum class Tone { Light, Soft, Dark };

struct SkinRow {
    const char* name;
    int hue;
    int saturation;  // 0..255, of the accent
    Tone tone;
};

// Eleven hues, each light, soft and dark.
constexpr std::array<SkinRow, kSkinCount> kSkins{{
    {"晴空", 210, 150, Tone::Light},   {"晴空·柔", 210, 110, Tone::Soft},
    {"晴空·夜", 210, 140, Tone::Dark}, {"湖蓝", 190, 160, Tone::Light},
    {"湖蓝·柔", 190, 110, Tone::Soft}, {"湖蓝·夜", 190, 140, Tone::Dark},
    {"青瓷", 170, 120, Tone::Light},   {"青瓷·柔", 170, 90, Tone::Soft},
    {"青瓷·夜", 170, 110, Tone::Dark}, {"竹青", 140, 110, Tone::Light},
    {"竹青·柔", 140, 80, Tone::Soft},  {"竹青·夜", 140, 100, Tone::Dark},
    {"海湾", 200, 120, Tone::Light},   {"海湾·柔", 200, 90, Tone::Soft},
    {"海湾·夜", 200, 110, Tone::Dark}, {"琥珀", 35, 170, Tone::Light},
    {"琥珀·柔", 35, 120, Tone::Soft},  {"琥珀·夜", 35, 150, Tone::Dark},
    {"珊瑚", 10, 150, Tone::Light},    {"珊瑚·柔", 10, 110, Tone::Soft},
    {"珊瑚·夜", 10, 130, Tone::Dark},  {"玫瑰", 340, 130, Tone::Light},
    {"玫瑰·柔", 340, 95, Tone::Soft},  {"玫瑰·夜", 340, 120, Tone::Dark},
    {"紫藤", 275, 110, Tone::Light},   {"紫藤·柔", 275, 80, Tone::Soft},
    {"紫藤·夜", 275, 100, Tone::Dark}, {"石墨", 220, 25, Tone::Light},
    {"石墨·柔", 220, 20, Tone::Soft},  {"石墨·夜", 220, 25, Tone::Dark},
    {"暮山", 250, 90, Tone::Light},    {"暮山·柔", 250, 70, Tone::Soft},
    {"暮山·夜", 250, 80, Tone::Dark},
}};

// The colours one row gives.
struct Colours {
    QColor window, panel, base, text, border, accent, accentHover, accentText;
};

Colours ColoursOf(const SkinRow& row) {
    const int h = row.hue;
    const int s = row.saturation;
    const auto hsl = [h](int sat, int light) { return QColor::fromHsl(h, sat, light); };
    switch (row.tone) {
        case Tone::Light:
            return {hsl(s / 4, 246), hsl(s / 3, 238), QColor(Qt::white), hsl(40, 40),
                    hsl(s / 3, 200), hsl(s, 105),     hsl(s, 125),       QColor(Qt::white)};
        case Tone::Soft:
            return {hsl(s / 3, 232), hsl(s / 3, 222), hsl(s / 5, 248), hsl(40, 45),
                    hsl(s / 3, 185), hsl(s, 95),      hsl(s, 115),     QColor(Qt::white)};
        case Tone::Dark:
            break;
    }
    return {hsl(s / 5, 42), hsl(s / 5, 52), hsl(s / 5, 30), hsl(20, 228),
            hsl(s / 4, 80), hsl(s, 130),    hsl(s, 150),    QColor(Qt::white)};
}

const SkinRow& Row(int number) {
    return kSkins[static_cast<size_t>(number - 1)];
}

bool Known(int number) {
    return number >= 1 && number <= kSkinCount;
}

}  // namespace

bool SkinEngine::Attach(QApplication& application, int number) const {
    if (!Known(number)) return false;
    QStyle* base = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!base) return false;
    QApplication::setStyle(base);
    QApplication::setPalette(Palette(number));
    application.setStyleSheet(StyleSheet(number));
    return true;
}

QString SkinEngine::Name(int number) {
    return Known(number) ? QString::fromUtf8(Row(number).name) : QString();
}

QPalette SkinEngine::Palette(int number) {
    if (!Known(number)) return {};
    const Colours c = ColoursOf(Row(number));
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, c.window},
        {QPalette::WindowText, c.text},
        {QPalette::Base, c.base},
        {QPalette::AlternateBase, c.panel},
        {QPalette::Text, c.text},
        {QPalette::Button, c.panel},
        {QPalette::ButtonText, c.text},
        {QPalette::Highlight, c.accent},
        {QPalette::HighlightedText, c.accentText},
        {QPalette::ToolTipBase, c.base},
        {QPalette::ToolTipText, c.text},
        {QPalette::PlaceholderText, c.border},
    };
    QPalette palette;
    for (const auto& [role, colour] : roles) palette.setColor(role, colour);
    return palette;
}

QString SkinEngine::StyleSheet(int number) {
    if (!Known(number)) return {};
    const Colours c = ColoursOf(Row(number));
    return QStringLiteral(
               "QGroupBox { background: %2; border: 1px solid %5; border-radius: 4px; }"
               "QGroupBox::title { subcontrol-origin: padding; left: 8px; top: 1px; color: %6; }"
               "QPushButton { background: %6; color: %8; border: none; border-radius: 4px; }"
               "QPushButton:hover { background: %7; }"
               "QPushButton:pressed { background: %5; }"
               "QLineEdit { background: %3; color: %4; border: 1px solid %5;"
               " border-radius: 3px; padding: 0 3px; }"
               "QLineEdit:focus { border-color: %6; }"
               "QComboBox { background: %3; color: %4; border: 1px solid %5;"
               " border-radius: 3px; padding: 0 0 0 4px; }"
               "QComboBox:focus { border-color: %6; }"
               "QComboBox::drop-down { width: 12px; }"
               "QComboBox QAbstractItemView { background: %3; color: %4;"
               " selection-background-color: %6; selection-color: %8; }"
               "QTreeView { background: %3; color: %4; border: 1px solid %5;"
               " selection-background-color: %6; selection-color: %8; }"
               "QHeaderView::section { background: %2; color: %4; border: none;"
               " border-right: 1px solid %5; border-bottom: 1px solid %5; padding: 1px 4px; }"
               "QTabBar::tab { background: %2; color: %4; border: 1px solid %5;"
               " border-bottom: none; border-top-left-radius: 4px; border-top-right-radius: 4px;"
               " padding: 0 14px; height: 20px; margin-right: 2px; }"
               "QTabBar::tab:selected { background: %6; color: %8; }"
               "QTabBar::tab:!selected:hover { background: %1; }"
               "QMenu { background: %3; color: %4; border: 1px solid %5; }"
               "QMenu::item { padding: 4px 22px; }"
               "QMenu::item:selected { background: %6; color: %8; }")
        .arg(c.window.name(), c.panel.name(), c.base.name(), c.text.name(), c.border.name(),
             c.accent.name(), c.accentHover.name(), c.accentText.name());
}

}  // namespace tunelark
