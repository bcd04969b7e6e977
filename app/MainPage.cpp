#include "app/MainPage.h"

#include "app/Controls.h"

namespace tunelark {
namespace {

QMenu* MakeMenu(QWidget* parent, const char* name, const QStringList& items) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromUtf8(name));
    menu->setTitle(QString::fromUtf8(name));
    for (const QString& item : items) menu->addAction(item);
    return menu;
}

}  // namespace

MainPage::MainPage(RowStore& resultRows, RowStore& qualityRows) {
    setObjectName(QStringLiteral("主面板"));
    results = new ReportList(this, "超级列表框1", {0, 21, 424, 251}, resultRows,
                             {{"id", 35},
                              {"歌手", 85},
                              {"标题", 200},
                              {"解析地址", 0},
                              {"解析下载地址", 0},
                              {"状态", 80}});
    MakeSearchControls();
    MakeFolderControls();
    songPlayer = MakeGroup(this, "分组框3", {424, 152, 255, 120}, {});
    qualityBox = MakeGroup(this, "分组框8", {424, 150, 255, 120}, "MV下载");
    qualities = new ReportList(qualityBox, "超级列表框2", {3, 17, 248, 98}, qualityRows,
                               {{"清晰度", 56}, {"下载地址", 100}, {"状态", 70}});
    qualityBox->hide();
    MakeMenus();
}

void MainPage::MakeSearchControls() {
    // The frame first, so that the controls over it stay on top.
    (void)MakeGroup(this, "分组框1", {426, 21, 254, 59}, {});
    (void)MakeLabel(this, "透明标签1", {429, 43, 51, 16}, "歌曲/MV");
    keyword = MakeEdit(this, "编辑框1", {488, 38, 56, 28}, "凉凉");
    mode = MakeDropDown(this, "组合框1", {557, 38, 48, 25}, {"音乐", "MV"});
    search = MakeButton(this, "按钮1", {614, 36, 53, 31}, "搜索");
    ShowHandPointer(mode);
    ShowHandPointer(search);
}

void MainPage::MakeFolderControls() {
    QGroupBox* box = MakeGroup(this, "分组框2", {425, 80, 255, 72}, "下载配置");
    (void)MakeLabel(box, "透明标签2", {3, 29, 28, 24}, "目录");
    folder = MakeEdit(box, "编辑框2", {34, 27, 117, 29}, kDefaultFolder);
    reset = MakeButton(box, "按钮2", {161, 25, 40, 32}, "重设");
    open = MakeButton(box, "按钮3", {207, 25, 40, 32}, "打开");
    ShowHandPointer(reset);
    ShowHandPointer(open);
}

void MainPage::MakeMenus() {
    songMenu = MakeMenu(this, "菜单", {"在线试听", "立即下载"});
    mvMenu = MakeMenu(this, "MV菜单", {"解析下载地址"});
    qualityMenu = MakeMenu(this, "MV下载", {"下载MV到本地", "在线预览", "复制下载地址"});
}

}  // namespace tunelark
