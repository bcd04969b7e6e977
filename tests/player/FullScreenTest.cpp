#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include "player/PlayerControl.h"
#include "player/VideoSurface.h"

namespace tunelark::test {
namespace {

constexpr int kWaitMs = 10000;

// A main window shaped like the application's: a layout, tabs, a group box with the player
// beside a button.
class FullScreenTest : public testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        label_ = new QLabel("search", &window_);
        auto* tabs = new QTabWidget(&window_);
        layout->addWidget(label_);
        layout->addWidget(tabs);
        auto* page = new QWidget;
        tabs->addTab(page, "MV");
        box_ = new QGroupBox("box", page);
        box_->setGeometry(5, 5, 500, 300);
        button_ = new QPushButton("full", page);
        button_->setGeometry(5, 310, 80, 25);
        window_.resize(640, 480);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        ASSERT_NE(player_.Create(box_, 1, 9, 485, 240), nullptr);
    }

    bool CoversWindow() const {
        const QRect covered(player_.Window()->mapTo(&window_, QPoint(0, 0)),
                            player_.Window()->size());
        return window_.isFullScreen() && covered == window_.rect();
    }
    bool Restored() const {
        return !window_.isFullScreen() && player_.Window()->geometry() == QRect(1, 9, 485, 240) &&
               label_->isVisible() && button_->isVisible() && StackedAsBefore();
    }
    // Full screen raised the group box over the button made after it; leaving puts it back.
    bool StackedAsBefore() const {
        const QObjectList& siblings = box_->parentWidget()->children();
        return siblings.indexOf(box_) < siblings.indexOf(button_);
    }

    QWidget window_;
    QLabel* label_ = nullptr;
    QGroupBox* box_ = nullptr;
    QPushButton* button_ = nullptr;
    PlayerControl player_;
};

TEST_F(FullScreenTest, WritingFullScreenShowsOnlyThePlayerThenRestores) {
    EXPECT_TRUE(player_.fullScreen(true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return CoversWindow(); }, kWaitMs));
    EXPECT_FALSE(label_->isVisible());
    EXPECT_FALSE(button_->isVisible());

    EXPECT_FALSE(player_.fullScreen(false));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Restored(); }, kWaitMs));
}

TEST_F(FullScreenTest, DoubleClickEntersAndEscapeLeaves) {
    auto* surface = player_.Window()->findChild<VideoSurface*>();
    QTest::mouseDClick(surface, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return CoversWindow(); }, kWaitMs));
    EXPECT_TRUE(player_.fullScreen());

    QTest::keyClick(surface, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Restored(); }, kWaitMs));
    EXPECT_FALSE(player_.fullScreen());
}

TEST_F(FullScreenTest, ClosingThePlayerInFullScreenRestoresTheWindow) {
    player_.fullScreen(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return CoversWindow(); }, kWaitMs));
    player_.Close();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !window_.isFullScreen() && label_->isVisible() && button_->isVisible(); },
        kWaitMs));
}

TEST(FullScreenWindowTest, TheWindowMayCloseWhileThePlayerIsFullScreen) {
    auto window = std::make_unique<QWidget>();
    window->resize(400, 300);
    window->show();
    PlayerControl player;
    ASSERT_NE(player.Create(window.get(), 1, 9, 200, 100), nullptr);
    player.fullScreen(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isFullScreen(); }, kWaitMs));
    window.reset();
    EXPECT_EQ(player.Window(), nullptr);
    EXPECT_FALSE(player.fullScreen());
}

TEST(FullScreenWindowTest, APlayerOnAHiddenTabIsShownForFullScreen) {
    QWidget window;
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(0, 0, 600, 400);
    auto* front = new QWidget;
    auto* back = new QWidget;
    tabs->addTab(front, "front");
    tabs->addTab(back, "player");
    window.resize(640, 480);
    window.show();
    PlayerControl player;
    ASSERT_NE(player.Create(back, 1, 9, 300, 200), nullptr);
    ASSERT_FALSE(player.Window()->isVisible());

    player.fullScreen(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isFullScreen(); }, kWaitMs));
    EXPECT_TRUE(player.Window()->isVisible());
    EXPECT_FALSE(front->isVisible());

    player.fullScreen(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isFullScreen(); }, kWaitMs));
    EXPECT_FALSE(player.Window()->isVisible());
    EXPECT_TRUE(front->isVisible());
    EXPECT_EQ(tabs->currentWidget(), front);
}

}  // namespace
}  // namespace tunelark::test
