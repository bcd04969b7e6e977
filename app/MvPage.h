#pragma once

#include <QGroupBox>
#include <QPushButton>

namespace tunelark {

// The page "MV在线": the MV player's group box, the full-screen button and the web site.
class MvPage final : public QWidget {
    Q_OBJECT

public:
    MvPage();

    QGroupBox* mvPlayer;      // "分组框7", hosts the MV player
    QPushButton* fullScreen;  // "按钮4"
    QPushButton* homePage;    // "按钮6"
};

}  // namespace tunelark
