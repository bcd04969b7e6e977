#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app/ReportList.h"
#include "platform/RowStore.h"

namespace tunelark {

// The columns of "超级列表框1" (SongRow) and "超级列表框2" (MvQualityRow).
inline constexpr int kSongRowColumns = 6;
inline constexpr int kMvQualityRowColumns = 3;

// The download folder "编辑框2" starts with, created at start when missing.
inline constexpr const char* kDefaultFolder = "D:\\音乐下载地址";

// The page "主面板": the result list, the search controls, the download folder, the song
// player's group box and the MV quality list, with the pop-up menus of both lists.
class MainPage final : public QWidget {
    Q_OBJECT

public:
    MainPage(RowStore& results, RowStore& qualities);

    ReportList* results;    // "超级列表框1"
    QLineEdit* keyword;     // "编辑框1"
    QComboBox* mode;        // "组合框1"
    QPushButton* search;    // "按钮1"
    QLineEdit* folder;      // "编辑框2"
    QPushButton* reset;     // "按钮2"
    QPushButton* open;      // "按钮3"
    QGroupBox* songPlayer;  // "分组框3", hosts the song player
    QGroupBox* qualityBox;  // "分组框8"
    ReportList* qualities;  // "超级列表框2"
    QMenu* songMenu;        // "菜单": 在线试听, 立即下载
    QMenu* mvMenu;          // "MV菜单": 解析下载地址
    QMenu* qualityMenu;     // "MV下载": 下载MV到本地, 在线预览, 复制下载地址

private:
    void MakeSearchControls();
    void MakeFolderControls();
    void MakeMenus();
};

}  // namespace tunelark
