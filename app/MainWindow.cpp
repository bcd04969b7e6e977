#include "app/MainWindow.h"

namespace tunelark {

MainWindow::MainWindow(RowStore& results, RowStore& qualities)
    : tabs_(new TabControl(this, "高级选择夹1", {0, 0, 680, 272})),
      main_(new MainPage(results, qualities)),
      mv_(new MvPage),
      about_(new AboutPage) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("TunelarkV1.0.0 音乐搜索与下载"));
    // The window's outer place is 50, 50, 683, 303 with the tab control filling it: the inside
    // is the tab control's size and the window manager's frame makes up the rest.
    move(50, 50);
    resize(tabs_->size());
    tabs_->AddPage(main_, QStringLiteral("主面板"));
    tabs_->AddPage(mv_, QStringLiteral("MV在线"));
    tabs_->AddPage(about_, QStringLiteral("关于软件"));
    tabs_->SetCurrentPage(kMainPage);
}

}  // namespace tunelark
