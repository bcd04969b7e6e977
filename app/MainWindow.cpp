#include "app/MainWindow.h"

namespace tunelark {

MainWindow::MainWindow(RowStore& results, RowStore& qualities)
    : tabs_(new TabControl(this, "高级选择夹1", {0, 0, 680, 272})),
      main_(new MainPage(results, qualities)),
      mv_(new MvPage),
      about_(new AboutPage) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("TunelarkV1.0.0 音乐搜索与下载"));
    move(50, 50);
    resize(683, 303);
    tabs_->AddPage(main_, QStringLiteral("主面板"));
    tabs_->AddPage(mv_, QStringLiteral("MV在线"));
    tabs_->AddPage(about_, QStringLiteral("关于软件"));
    tabs_->SetCurrentPage(kMainPage);
}

}  // namespace tunelark
