#include "app/WindowFont.h"

namespace tunelark {

void InstallFontSubstitution() {
    QFont::insertSubstitution(QString::fromUtf8(kControlFontFamily),
                              QString::fromUtf8(kControlFontStandIn));
}

QFont ControlFont() {
    QFont font(QString::fromUtf8(kControlFontFamily));
    font.setPixelSize(kControlFontPixels);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace tunelark
