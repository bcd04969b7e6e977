#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "app/WindowCommands.h"
#include "tests/app/RecordingCatalog.h"
#include "tests/app/RecordingUi.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

class WindowCommandsTest : public testing::Test {
protected:
    WindowCommandsTest() { setenv("TUNELARK_DRIVE_ROOT", drive_.path().toUtf8().constData(), 1); }

    MainPage& Main() { return window_.Main(); }
    void SetMode(int index) { Main().mode->setCurrentIndex(index); }
    void Fill(RowStore& store, int rows) {
        for (int i = 0; i < rows; ++i) (void)store.Append(std::to_string(i));
    }
    QAction* Item(QMenu* menu, int index) { return menu->actions()[index]; }
    // The menu that is up, if any, closed again.
    QString OpenMenu() {
        QString name;
        for (QMenu* menu : {Main().songMenu, Main().mvMenu, Main().qualityMenu}) {
            if (!menu->isVisible()) continue;
            name = menu->objectName();
            menu->hide();
        }
        return name;
    }

    QTemporaryDir drive_;
    RowStore results_{kSongRowColumns};
    RowStore qualities_{kMvQualityRowColumns};
    MainWindow window_{results_, qualities_};
    test::RecordingUi ui_;
    test::RecordingCatalog catalog_;
    WindowCommands commands_{window_, ui_, catalog_};
};

TEST_F(WindowCommandsTest, TheModeSwitchShowsOneOfTheTwoGroupBoxes) {
    struct Case {
        int mode;
        bool songPlayer;
        bool qualities;
    };
    // -1 (nothing selected) leaves the boxes as the mode before left them.
    for (const Case c : {Case{1, false, true}, Case{-1, false, true}, Case{0, true, false},
                         Case{-1, true, false}, Case{1, false, true}}) {
        SetMode(c.mode);
        EXPECT_EQ(Main().songPlayer->isVisibleTo(&window_), c.songPlayer) << c.mode;
        EXPECT_EQ(Main().qualityBox->isVisibleTo(&window_), c.qualities) << c.mode;
    }
}

TEST_F(WindowCommandsTest, SearchEmptiesOnlyTheResultListAndDispatchesByMode) {
    struct Case {
        int mode;
        std::vector<std::string> calls;
    };
    Main().keyword->setText("凉凉");
    for (const Case& c : {Case{0, {"SearchMusic"}}, Case{1, {"SearchMv"}}, Case{-1, {}}}) {
        catalog_.calls.clear();
        Fill(results_, 3);
        Fill(qualities_, 2);
        const int qualityRows = qualities_.RowCount();
        SetMode(c.mode);
        Main().search->click();
        EXPECT_EQ(results_.RowCount(), 0) << c.mode;
        EXPECT_EQ(qualities_.RowCount(), qualityRows) << c.mode;
        EXPECT_EQ(catalog_.Names(), c.calls) << c.mode;
    }
    SetMode(0);
    Main().search->click();
    EXPECT_EQ(catalog_.calls.back().inputs.keyword, Utf8ToGbk("凉凉"));
    EXPECT_EQ(catalog_.calls.back().inputs.folder, Utf8ToGbk("D:\\音乐下载地址"));
}

TEST_F(WindowCommandsTest, DownloadsNeedAFolderTextButSpacesAreOne) {
    for (QAction* item : {Item(Main().songMenu, 1), Item(Main().qualityMenu, 0)}) {
        ui_.messages.clear();
        catalog_.calls.clear();
        Main().folder->setText("");
        item->trigger();
        ASSERT_EQ(ui_.messages.size(), 1u);
        EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(ui_.messages[0].title, "错误提示");
        EXPECT_EQ(ui_.messages[0].text, "请先设置下载目录！");
        EXPECT_TRUE(catalog_.calls.empty());

        Main().folder->setText(" ");
        item->trigger();
        EXPECT_EQ(ui_.messages.size(), 1u);
        ASSERT_EQ(catalog_.calls.size(), 1u);
        EXPECT_EQ(catalog_.calls[0].inputs.folder, " ");
    }
    EXPECT_EQ(catalog_.calls[0].command, "DownloadMv");
}

TEST_F(WindowCommandsTest, ResetAsksForAFolderAndACancelKeepsTheOldOne) {
    ui_.folderAnswers = {std::nullopt, QString("/srv/music"), std::nullopt};
    Main().reset->click();
    EXPECT_EQ(Main().folder->text(), "D:\\音乐下载地址");
    Main().reset->click();
    EXPECT_EQ(Main().folder->text(), "/srv/music");
    Main().reset->click();
    EXPECT_EQ(Main().folder->text(), "/srv/music");
    ASSERT_EQ(ui_.chooserTitles.size(), 3u);
    for (const QString& title : ui_.chooserTitles) EXPECT_EQ(title, "下载目录");
    // The chooser opens where the folder text points.
    EXPECT_EQ(ui_.chooserStarts[0], QDir(drive_.path()).filePath("音乐下载地址"));
    EXPECT_EQ(ui_.chooserStarts[2], "/srv/music");
}

TEST_F(WindowCommandsTest, OpenShowsTheFolderInTheFileBrowser) {
    Main().open->click();
    ASSERT_EQ(ui_.opened.size(), 1u);
    EXPECT_EQ(ui_.opened[0], QUrl::fromLocalFile(QDir(drive_.path()).filePath("音乐下载地址")));
    Main().folder->setText("");
    Main().open->click();
    EXPECT_EQ(ui_.opened.size(), 1u);
}

TEST_F(WindowCommandsTest, RightClicksShowTheMenuOfTheMode) {
    struct Case {
        int mode;
        QTreeView* list;
        QString menu;
    };
    const Case cases[] = {
        {0, Main().results, "菜单"},     {1, Main().results, "MV菜单"},    {-1, Main().results, ""},
        {0, Main().qualities, "MV下载"}, {-1, Main().qualities, "MV下载"},
    };
    window_.show();
    for (const Case& c : cases) {
        SetMode(c.mode);
        // Also on the empty part of the list: the menu does not need a row.
        emit c.list->customContextMenuRequested(QPoint(5, 60));
        EXPECT_EQ(OpenMenu(), c.menu) << c.mode;
    }
    window_.hide();
}

TEST_F(WindowCommandsTest, MenuItemsAndButtonsReachTheCatalogue) {
    Main().folder->setText("x");
    Item(Main().songMenu, 0)->trigger();
    Item(Main().songMenu, 1)->trigger();
    Item(Main().mvMenu, 0)->trigger();
    Item(Main().qualityMenu, 0)->trigger();
    Item(Main().qualityMenu, 1)->trigger();
    Item(Main().qualityMenu, 2)->trigger();
    window_.Mv().fullScreen->click();
    EXPECT_EQ(catalog_.Names(),
              (std::vector<std::string>{"ListenOnline", "DownloadSong", "ResolveMvAddresses",
                                        "DownloadMv", "PreviewMv", "CopyMvAddress", "FullScreen"}));
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(WindowCommandsTest, TheAboutPageThanksAndEveryLinkOpensAWebPage) {
    QTest::mousePress(window_.About().picture, Qt::RightButton);
    EXPECT_TRUE(ui_.messages.empty());
    QTest::mousePress(window_.About().picture, Qt::LeftButton);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui_.messages[0].title, "感谢支持");
    EXPECT_EQ(ui_.messages[0].text,
              "如果觉得软件好用，麻烦帮我分享给好友吧，Tunelark（包括付费音乐）免费下载吆！");

    window_.Mv().homePage->click();
    emit window_.About().communityLink->LeftPressed();
    emit window_.About().forumLink->LeftPressed();
    emit window_.About().feedbackLink->LeftPressed();
    ASSERT_EQ(ui_.opened.size(), 4u);
    for (const QUrl& url : ui_.opened) {
        EXPECT_TRUE(url.isValid()) << url.toString().toStdString();
        EXPECT_EQ(url.scheme(), "https");
    }
    EXPECT_TRUE(catalog_.calls.empty());
}

}  // namespace
}  // namespace tunelark
