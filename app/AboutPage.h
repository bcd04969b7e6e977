#pragma once

#include "app/ClickLabel.h"

namespace tunelark {

// The page "关于软件": the program's picture (a press thanks the user) and three links to the
// project's community pages.
class AboutPage final : public QWidget {
    Q_OBJECT

public:
    AboutPage();

    ClickLabel* picture;        // "图片框2"
    ClickLabel* communityLink;  // "图片框10"
    ClickLabel* forumLink;      // "图片框5"
    ClickLabel* feedbackLink;   // "透明标签12"
};

}  // namespace tunelark
