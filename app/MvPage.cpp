#include "app/MvPage.h"

#include "app/Controls.h"

namespace tunelark {

MvPage::MvPage() {
    setObjectName(QStringLiteral("MV在线"));
    mvPlayer = MakeGroup(this, "分组框7", {2, 23, 488, 248}, {});
    fullScreen = MakeButton(this, "按钮4", {544, 32, 80, 40}, "全屏播放");
    ShowHandPointer(fullScreen);
    // What the player does by itself on a double-click and on Esc.
    (void)MakeLabel(this, "透明标签4", {525, 80, 128, 24}, "双击播放器可全屏播放");
    (void)MakeLabel(this, "透明标签3", {495, 100, 183, 32}, "按esc键或双击播放器可退出全屏");
    homePage = MakeButton(this, "按钮6", {542, 144, 80, 40}, "访问官网");
}

}  // namespace tunelark
