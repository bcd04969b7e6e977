#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "EventLog.h"
#include "player/ControlHost.h"
#include "player/HostFrame.h"
#include "player/MediaControl.h"
#include "player/VideoSurface.h"

namespace tunelark::test {
namespace {

class ControlHostTest : public testing::Test {
protected:
    void SetUp() override {
        window_.resize(600, 400);
        window_.show();
    }

    QWidget* Create(std::int32_t borderStyle = 0) {
        return host_.CreateActiveX(&window_, kMediaPlayerClassId, 10, 20, 300, 200, borderStyle);
    }
    static VideoSurface* SurfaceOf(QWidget* hostWindow) {
        return hostWindow->findChild<VideoSurface*>();
    }

    QWidget window_;
    ControlHost host_;
    EventLog log_;
};

TEST_F(ControlHostTest, HostsTheControlInAChildWindowAtThePlaceGiven) {
    QWidget* hosted = Create();
    ASSERT_NE(hosted, nullptr);
    EXPECT_EQ(hosted->parentWidget(), &window_);
    EXPECT_EQ(hosted->geometry(), QRect(10, 20, 300, 200));
    EXPECT_TRUE(hosted->isVisible());
    ASSERT_NE(host_.GetIDispatch(), nullptr);
    EXPECT_TRUE(host_.GetIDispatch()->IsAlive());
    EXPECT_EQ(host_.GetIDispatch(), host_.GetIDispatch());  // one control, shared
}

TEST_F(ControlHostTest, OtherClassTextsGetAWindowWithoutControl) {
    QWidget* hosted = host_.CreateActiveX(&window_, "Shell.Explorer", 0, 0, 50, 50, 0);
    EXPECT_NE(hosted, nullptr);
    EXPECT_EQ(host_.GetIDispatch(), nullptr);
    EXPECT_FALSE(host_.AdviseEvent(kClick, log_.Recorder(1), 0));
    EXPECT_EQ(host_.CreateActiveX(nullptr, kMediaPlayerClassId, 0, 0, 50, 50, 0), nullptr);
    EXPECT_EQ(host_.GetIDispatch(), nullptr);
}

TEST_F(ControlHostTest, AdviseEventAcceptsExactlyTheControlsEvents) {
    EXPECT_FALSE(host_.AdviseEvent(kClick, log_.Recorder(1), 0));  // nothing hosted yet
    QWidget* hosted = Create();
    for (const std::int32_t id : kMediaEventIds) {
        EXPECT_TRUE(host_.AdviseEvent(id, log_.Recorder(id), 0)) << id;
    }
    for (const std::int32_t id : {0, 5000, 5003, 6513, -1}) {
        EXPECT_FALSE(host_.AdviseEvent(id, log_.Recorder(99), 0)) << id;
    }
    // The refused registrations changed nothing: a click still reaches the one for 6505.
    QTest::mouseClick(SurfaceOf(hosted), Qt::LeftButton);
    EXPECT_EQ(log_.Of(kClick).size(), 1u);
    EXPECT_TRUE(log_.Of(99).empty());
}

TEST_F(ControlHostTest, EventsReachTheCallbackWithTheUserValueFirst) {
    QWidget* hosted = Create();
    ASSERT_TRUE(host_.AdviseEvent(kClick, log_.Recorder(kClick), 41));
    ASSERT_TRUE(host_.AdviseEvent(kMouseDown, log_.Recorder(kMouseDown), 42));
    ASSERT_TRUE(host_.AdviseEvent(kKeyDown, log_.Recorder(kKeyDown), 43));
    ASSERT_TRUE(host_.AdviseEvent(kKeyPress, log_.Recorder(kKeyPress), 44));
    ASSERT_TRUE(host_.AdviseEvent(kKeyUp, log_.Recorder(kKeyUp), 45));
    VideoSurface* surface = SurfaceOf(hosted);

    QTest::mouseClick(surface, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    QTest::keyClick(surface, Qt::Key_A);

    ASSERT_EQ(log_.Of(kClick).size(), 1u);
    EXPECT_EQ(log_.Of(kClick)[0].userValue, 41);
    EXPECT_EQ(log_.Of(kClick)[0].args, (EventArgs{kButtonLeft, kShiftKey, 30, 40}));
    EXPECT_EQ(log_.Of(kMouseDown)[0].userValue, 42);
    EXPECT_EQ(log_.Of(kKeyDown)[0].args, (EventArgs{65, 0}));
    EXPECT_EQ(log_.Of(kKeyPress)[0].args, (EventArgs{97}));
    EXPECT_EQ(log_.Of(kKeyUp)[0].args, (EventArgs{65, 0}));
    EXPECT_EQ(log_.Of(kKeyUp)[0].userValue, 45);
}

TEST_F(ControlHostTest, ALaterRegistrationReplacesTheEarlierOne) {
    QWidget* hosted = Create();
    ASSERT_TRUE(host_.AdviseEvent(kClick, log_.Recorder(1), 10));
    ASSERT_TRUE(host_.AdviseEvent(kClick, log_.Recorder(2), 20));
    QTest::mouseClick(SurfaceOf(hosted), Qt::LeftButton);
    EXPECT_TRUE(log_.Of(1).empty());
    ASSERT_EQ(log_.Of(2).size(), 1u);
    EXPECT_EQ(log_.Of(2)[0].userValue, 20);
}

TEST_F(ControlHostTest, ASecondControlDisconnectsAndEndsTheFirst) {
    QWidget* first = Create();
    const std::shared_ptr<MediaControl> firstControl = host_.GetIDispatch();
    ASSERT_TRUE(host_.AdviseEvent(kClick, log_.Recorder(1), 0));

    QWidget* second = Create();
    ASSERT_NE(second, first);
    EXPECT_NE(host_.GetIDispatch(), firstControl);
    EXPECT_FALSE(firstControl->IsAlive());
    EXPECT_EQ(firstControl->settings().volume(100), 0);
    QTest::mouseClick(SurfaceOf(first), Qt::LeftButton);
    EXPECT_TRUE(log_.calls.empty());

    // The new control starts with no registrations of its own.
    QTest::mouseClick(SurfaceOf(second), Qt::LeftButton);
    EXPECT_TRUE(log_.calls.empty());
    ASSERT_TRUE(host_.AdviseEvent(kClick, log_.Recorder(2), 0));
    QTest::mouseClick(SurfaceOf(second), Qt::LeftButton);
    EXPECT_EQ(log_.Of(2).size(), 1u);
}

TEST_F(ControlHostTest, BorderStylesBecomeTheFrame) {
    struct Case {
        std::int32_t style;
        BorderEdges edges;
        int margin;
    };
    const Case cases[] = {
        {0, {}, 0},
        {1, {.clientEdge = true}, 2},
        {2, {.dialogFrame = true}, 3},
        {3, {.staticEdge = true}, 1},
        {4, {.dialogFrame = true, .clientEdge = true}, 5},
        {5, {.singleLine = true}, 1},
        {9, {}, 0},
        {-1, {}, 0},
    };
    for (const Case& c : cases) {
        auto* frame = qobject_cast<HostFrame*>(Create(c.style));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->Edges(), c.edges) << c.style;
        EXPECT_EQ(frame->Surface()->geometry(),
                  QRect(c.margin, c.margin, 300 - 2 * c.margin, 200 - 2 * c.margin))
            << c.style;
    }
}

}  // namespace
}  // namespace tunelark::test
