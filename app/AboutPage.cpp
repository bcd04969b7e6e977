#include "app/AboutPage.h"

#include "app/Controls.h"
#include "app/Pictures.h"

namespace tunelark {

AboutPage::AboutPage() {
    setObjectName(QStringLiteral("关于软件"));
    communityLink =
        MakePicture(this, "图片框10", {60, 60, 64, 64}, DrawBadge({64, 64}, Badge::Community));
    communityLink->setToolTip("Tunelark 社区");
    forumLink = MakePicture(this, "图片框5", {170, 60, 64, 64}, DrawBadge({64, 64}, Badge::Forum));
    forumLink->setToolTip("Tunelark 论坛");
    feedbackLink =
        MakeLabel(this, "透明标签12", {40, 160, 300, 24}, "意见反馈：告诉我们你想要的新功能");
    feedbackLink->setToolTip("Tunelark 意见反馈");

    QGroupBox* box = MakeGroup(this, "分组框6", {400, 24, 280, 232}, {});
    picture = MakePicture(box, "图片框2", {33, 17, 216, 206}, DrawAboutCard({216, 206}));
    ShowHandPointer(picture);
}

}  // namespace tunelark
