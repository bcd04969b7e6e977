#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include "app/MainWindow.h"
#include "player/FullScreenKeeper.h"

namespace tunelark {
namespace {

// One control as the window's tables give it; place relative to its parent control.
struct ControlRow {
    const char* name;
    const char* kind;  // Qt class it must be
    QRect place;
    const char* text;  // "" when none
    bool hand;         // shows the hand pointer
};

const ControlRow kControls[] = {
    {"超级列表框1", "QTreeView", {0, 21, 424, 251}, "", false},
    {"透明标签1", "QLabel", {429, 43, 51, 16}, "歌曲/MV", false},
    {"编辑框1", "QLineEdit", {488, 38, 56, 28}, "凉凉", false},
    {"组合框1", "QComboBox", {557, 38, 48, 25}, "音乐", true},
    {"按钮1", "QPushButton", {614, 36, 53, 31}, "搜索", true},
    {"分组框1", "QGroupBox", {426, 21, 254, 59}, "", false},
    {"分组框2", "QGroupBox", {425, 80, 255, 72}, "下载配置", false},
    {"透明标签2", "QLabel", {3, 29, 28, 24}, "目录", false},
    {"编辑框2", "QLineEdit", {34, 27, 117, 29}, "D:\\音乐下载地址", false},
    {"按钮2", "QPushButton", {161, 25, 40, 32}, "重设", true},
    {"按钮3", "QPushButton", {207, 25, 40, 32}, "打开", true},
    {"分组框3", "QGroupBox", {424, 152, 255, 120}, "", false},
    {"分组框8", "QGroupBox", {424, 150, 255, 120}, "MV下载", false},
    {"超级列表框2", "QTreeView", {3, 17, 248, 98}, "", false},
    {"分组框7", "QGroupBox", {2, 23, 488, 248}, "", false},
    {"按钮4", "QPushButton", {544, 32, 80, 40}, "全屏播放", true},
    {"透明标签4", "QLabel", {525, 80, 128, 24}, "双击播放器可全屏播放", false},
    {"透明标签3", "QLabel", {495, 100, 183, 32}, "按esc键或双击播放器可退出全屏", false},
    {"按钮6", "QPushButton", {542, 144, 80, 40}, "访问官网", false},
    {"分组框6", "QGroupBox", {400, 24, 280, 232}, "", false},
    {"图片框2", "QLabel", {33, 17, 216, 206}, "", true},
};

QString TextOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (auto* box = qobject_cast<const QComboBox*>(control)) return box->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    return {};
}

class WindowLayoutTest : public testing::Test {
protected:
    QWidget* Control(const char* name) const {
        return window_.findChild<QWidget*>(QString::fromUtf8(name));
    }
    QTreeView* List(const char* name) const { return qobject_cast<QTreeView*>(Control(name)); }

    RowStore results_{kSongRowColumns};
    RowStore qualities_{kMvQualityRowColumns};
    MainWindow window_{results_, qualities_};
};

TEST_F(WindowLayoutTest, TitlePlaceAndPages) {
    EXPECT_TRUE(window_.windowTitle().startsWith("TunelarkV1.0.0"));
    EXPECT_EQ(window_.pos(), QPoint(50, 50));
    const TabControl& tabs = window_.Tabs();
    EXPECT_EQ(tabs.objectName(), "高级选择夹1");
    EXPECT_EQ(tabs.geometry(), QRect(0, 0, 680, 272));
    // The tab control fills the inside of the window.
    EXPECT_EQ(window_.rect(), tabs.geometry());
    EXPECT_EQ(tabs.cursor().shape(), Qt::PointingHandCursor);
    ASSERT_EQ(tabs.Headers().count(), 3);
    EXPECT_EQ(tabs.Headers().tabText(0), "主面板");
    EXPECT_EQ(tabs.Headers().tabText(1), "MV在线");
    EXPECT_EQ(tabs.Headers().tabText(2), "关于软件");
    EXPECT_EQ(tabs.CurrentPage(), 0);
    EXPECT_EQ(tabs.Page(0)->objectName(), "主面板");
}

TEST_F(WindowLayoutTest, EveryControlHasItsKindPlaceTextFontAndPointer) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        QWidget* control = Control(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->inherits(row.kind));
        EXPECT_EQ(control->geometry(), row.place);
        EXPECT_EQ(TextOf(control), QString::fromUtf8(row.text));
        // The others keep their own pointer (an edit box its text cursor).
        EXPECT_EQ(control->cursor().shape() == Qt::PointingHandCursor, row.hand);
        if (row.name != std::string("图片框2")) {
            EXPECT_EQ(control->font().family(), "微软雅黑");
            EXPECT_EQ(control->font().pixelSize(), 12);
            EXPECT_EQ(control->font().weight(), QFont::Normal);
        }
    }
}

TEST_F(WindowLayoutTest, PageControlsSitWhereTheTablesPutThemOnTheTabControl) {
    // Places on a page are relative to the tab control itself, page headers included.
    const auto onTabs = [this](const char* name) {
        return Control(name)->mapTo(&window_.Tabs(), QPoint(0, 0));
    };
    EXPECT_EQ(onTabs("超级列表框1"), QPoint(0, 21));
    EXPECT_EQ(onTabs("分组框7"), QPoint(2, 23));
    EXPECT_EQ(onTabs("分组框6"), QPoint(400, 24));
    EXPECT_EQ(onTabs("编辑框2"), QPoint(425 + 34, 80 + 27));
    EXPECT_EQ(Control("超级列表框2")->parentWidget()->objectName(), "分组框8");
    EXPECT_EQ(Control("图片框2")->parentWidget()->objectName(), "分组框6");
}

TEST_F(WindowLayoutTest, PageHeadersTakeClicksAfterThePlayerLeftFullScreen) {
    TabControl& tabs = window_.Tabs();
    window_.show();
    tabs.SetCurrentPage(1);
    {
        // What "全屏播放" and then Esc do to the widgets around the MV player.
        FullScreenKeeper keeper(Control("分组框7"));
        keeper.Enter();
        keeper.Leave();
    }
    // The click goes to whatever lies uppermost under the first page's header.
    const QPoint header = tabs.Headers().mapTo(&tabs, tabs.Headers().tabRect(0).center());
    QWidget* hit = tabs.childAt(header);
    ASSERT_NE(hit, nullptr);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&tabs, header));
    EXPECT_EQ(tabs.CurrentPage(), 0);
}

TEST_F(WindowLayoutTest, TheModeListAndTheGroupBoxesStartInMusicMode) {
    auto* mode = qobject_cast<QComboBox*>(Control("组合框1"));
    ASSERT_EQ(mode->count(), 2);
    EXPECT_EQ(mode->itemText(0), "音乐");
    EXPECT_EQ(mode->itemText(1), "MV");
    EXPECT_EQ(mode->currentIndex(), 0);
    EXPECT_TRUE(Control("分组框3")->isVisibleTo(&window_));
    EXPECT_FALSE(Control("分组框8")->isVisibleTo(&window_));
}

TEST_F(WindowLayoutTest, ListsHaveTheirColumnsTitlesAndWidths) {
    struct Column {
        const char* title;
        int width;
    };
    const std::vector<std::pair<const char*, std::vector<Column>>> lists = {
        {"超级列表框1",
         {{"id", 35},
          {"歌手", 85},
          {"标题", 200},
          {"解析地址", 0},
          {"解析下载地址", 0},
          {"状态", 80}}},
        {"超级列表框2", {{"清晰度", 56}, {"下载地址", 100}, {"状态", 70}}},
    };
    for (const auto& [name, columns] : lists) {
        SCOPED_TRACE(name);
        QTreeView* list = List(name);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->model()->columnCount(), static_cast<int>(columns.size()));
        for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
            const Column& column = columns[static_cast<size_t>(i)];
            EXPECT_EQ(list->model()->headerData(i, Qt::Horizontal).toString(), column.title);
            EXPECT_EQ(list->header()->sectionSize(i), column.width) << i;
            // A zero-width column stays out of view: hidden and not resizable.
            EXPECT_EQ(list->header()->isSectionHidden(i), column.width == 0) << i;
        }
        EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(list->contextMenuPolicy(), Qt::CustomContextMenu);
    }
}

TEST_F(WindowLayoutTest, TheThreeMenusHaveTheirItemsInOrder) {
    const std::vector<std::pair<const char*, QStringList>> menus = {
        {"菜单", {"在线试听", "立即下载"}},
        {"MV菜单", {"解析下载地址"}},
        {"MV下载", {"下载MV到本地", "在线预览", "复制下载地址"}},
    };
    for (const auto& [name, items] : menus) {
        auto* menu = window_.findChild<QMenu*>(QString::fromUtf8(name));
        ASSERT_NE(menu, nullptr) << name;
        QStringList texts;
        for (const QAction* action : menu->actions()) texts << action->text();
        EXPECT_EQ(texts, items) << name;
    }
}

TEST_F(WindowLayoutTest, TheAboutPageHasItsPictureAndThreeLinks) {
    for (const char* name : {"图片框2", "图片框10", "图片框5"}) {
        auto* picture = qobject_cast<QLabel*>(Control(name));
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_FALSE(picture->pixmap().isNull()) << name;
        EXPECT_TRUE(window_.About().isAncestorOf(picture)) << name;
    }
    auto* label = qobject_cast<QLabel*>(Control("透明标签12"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(window_.About().isAncestorOf(label));
    EXPECT_FALSE(label->text().isEmpty());
}

}  // namespace
}  // namespace tunelark
