#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "EventLog.h"
#include "MediaServer.h"
#include "player/MediaState.h"
#include "player/PlayerControl.h"
#include "text/CodePage.h"

namespace tunelark::test {
namespace {

constexpr int kWaitMs = 15000;

class PlayerControlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(media_.Ready()) << media_.Problem();
        window_.resize(600, 400);
        window_.show();
        ASSERT_NE(player_.Create(&window_, 1, 9, 485, 240), nullptr);
    }

    bool WaitForPlayState(std::int32_t state) {
        return QTest::qWaitFor([&] { return player_.playState() == state; }, kWaitMs);
    }

    MediaServer& media_ = MediaServer::Shared();
    QWidget window_;
    PlayerControl player_;
    EventLog log_;
};

TEST_F(PlayerControlTest, WritingTheAddressPlaysIt) {
    ASSERT_TRUE(player_.PlayStateChange(log_.Recorder(kPlayStateChange), 7));
    ASSERT_TRUE(player_.OpenStateChange(log_.Recorder(kOpenStateChange), 8));
    EXPECT_EQ(player_.settings().volume(100), 100);
    const Text url = media_.Url("clip.mp4");

    EXPECT_EQ(player_.URL(url), url);
    ASSERT_TRUE(WaitForPlayState(kPlayPlaying));
    EXPECT_EQ(player_.openState(), kOpenMediaOpen);
    EXPECT_EQ(player_.status(), Utf8ToGbk("正在播放"));
    const double first = player_.Controls().currentPosition();
    EXPECT_TRUE(QTest::qWaitFor([&] { return player_.Controls().currentPosition() > first + 0.3; },
                                kWaitMs));

    const std::vector<std::int32_t> plays = log_.Integers(kPlayStateChange);
    ASSERT_GE(plays.size(), 2u);
    EXPECT_EQ(plays.front(), kPlayTransitioning);
    EXPECT_EQ(plays.back(), kPlayPlaying);
    EXPECT_EQ(log_.Integers(kOpenStateChange),
              (std::vector<std::int32_t>{kOpenMediaOpening, kOpenMediaOpen}));
    EXPECT_EQ(log_.Of(kPlayStateChange).front().userValue, 7);
    EXPECT_EQ(log_.Of(kOpenStateChange).front().userValue, 8);
    EXPECT_EQ(player_.CurrentMedia().imageSourceWidth(), 320);
    EXPECT_EQ(player_.CurrentMedia().imageSourceHeight(), 240);
    EXPECT_EQ(player_.CurrentMedia().sourceURL(), url);
    EXPECT_EQ(player_.CurrentMedia().getItemInfoByAtom(1), url);
}

TEST_F(PlayerControlTest, DurationIsTruncatedWhilePositionKeepsFractions) {
    ASSERT_TRUE(player_.PositionChange(log_.Recorder(kPositionChange), 0));
    player_.URL(media_.Url("clip.mp3"));
    ASSERT_TRUE(WaitForPlayState(kPlayPlaying));
    EXPECT_EQ(player_.CurrentMedia().duration(), 3);
    EXPECT_EQ(player_.CurrentMedia().durationString(), "00:03");
    EXPECT_EQ(player_.CurrentMedia().imageSourceWidth(), 0);

    player_.Controls().currentPosition(1.75);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log_.Of(kPositionChange).empty(); }, kWaitMs));
    const double position = player_.Controls().currentPosition();
    EXPECT_GE(position, 1.7);
    EXPECT_LT(position, 2.5);  // playback goes on from the new place
    EXPECT_NE(position, std::trunc(position));
    const EventArgs moved = log_.Of(kPositionChange).front().args;
    EXPECT_LT(std::get<double>(moved.at(0)), 1.0);
    EXPECT_NEAR(std::get<double>(moved.at(1)), 1.75, 0.25);
    EXPECT_EQ(player_.Controls().currentPositionString().substr(0, 4), "00:0");
}

TEST_F(PlayerControlTest, PlayingToTheEndReportsMediaEndedThenStopped) {
    ASSERT_TRUE(player_.PlayStateChange(log_.Recorder(kPlayStateChange), 0));
    player_.URL(media_.Url("clip.mp3"));
    ASSERT_TRUE(WaitForPlayState(kPlayPlaying));
    player_.Controls().currentPosition(3.5);
    ASSERT_TRUE(WaitForPlayState(kPlayStopped));
    const auto plays = log_.Integers(kPlayStateChange);
    ASSERT_GE(plays.size(), 2u);
    EXPECT_EQ(plays[plays.size() - 2], kPlayMediaEnded);

    player_.Controls().play();  // starts the same address again
    EXPECT_TRUE(WaitForPlayState(kPlayPlaying));
}

TEST_F(PlayerControlTest, MissingAddressRaisesErrorsAndThePlayerStaysUsable) {
    ASSERT_TRUE(player_.Error(log_.Recorder(kError), 1));
    ASSERT_TRUE(player_.MediaError(log_.Recorder(kMediaError), 2));
    const Text missing = media_.Url("nothing-here.mp4");
    player_.URL(missing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log_.Of(kError).empty(); }, kWaitMs));
    EXPECT_EQ(player_.playState(), kPlayReady);
    ASSERT_EQ(log_.Of(kMediaError).size(), 1u);
    EXPECT_EQ(std::get<Text>(log_.Of(kMediaError).front().args.at(0)), missing);
    EXPECT_EQ(log_.Of(kError).front().userValue, 1);

    player_.URL(media_.Url("clip.mp3"));
    EXPECT_TRUE(WaitForPlayState(kPlayPlaying));
}

TEST_F(PlayerControlTest, ACallbackMayReplaceOrCloseThePlayerItIsCalledFor) {
    // Replacing the control from inside its own event: the old one ends at once, goes later.
    int replaced = 0;
    ASSERT_TRUE(player_.PlayStateChange(
        [&](std::intptr_t, const EventArgs& args) {
            if (std::get<std::int32_t>(args.at(0)) != kPlayPlaying || replaced++ > 0) return;
            player_.Create(&window_, 1, 9, 485, 240);
            player_.URL(media_.Url("clip.mp3"));
        },
        0));
    player_.URL(media_.Url("clip.mp4"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return replaced == 1; }, kWaitMs));
    ASSERT_TRUE(WaitForPlayState(kPlayPlaying));
    EXPECT_EQ(player_.CurrentMedia().imageSourceWidth(), 0);  // the MP3 plays now

    ASSERT_TRUE(player_.StatusChange([&](std::intptr_t, const EventArgs&) { player_.Close(); }, 0));
    player_.Controls().pause();
    EXPECT_TRUE(QTest::qWaitFor([&] { return player_.Window() == nullptr; }, kWaitMs));
    EXPECT_EQ(player_.playState(), 0);
}

TEST_F(PlayerControlTest, VolumeIsClampedAndMuteFollowsWrites) {
    const std::pair<int, int> cases[] = {{100, 100}, {150, 100}, {-5, 0}, {37, 37}};
    for (const auto& [written, read] : cases) {
        EXPECT_EQ(player_.settings().volume(written), read) << written;
    }
    EXPECT_EQ(player_.settings().volume(), 37);
    EXPECT_TRUE(player_.settings().mute(true));
    EXPECT_TRUE(player_.settings().mute());
    EXPECT_FALSE(player_.settings().mute(false));
}

TEST_F(PlayerControlTest, MembersWithoutMpvEquivalentKeepWhatWasWritten) {
    EXPECT_TRUE(player_.enableContextMenu());
    EXPECT_FALSE(player_.enableContextMenu(false));
    EXPECT_EQ(player_.uiMode(), "full");
    EXPECT_EQ(player_.uiMode("none"), "none");
    EXPECT_TRUE(player_.windowlessVideo(true));
    EXPECT_EQ(player_.settings().balance(-250), -100);
    EXPECT_EQ(player_.Network().maxBandwidth(5000), 5000);
    EXPECT_FALSE(player_.isOnline(true));
    EXPECT_FALSE(player_.isRemote());
    EXPECT_EQ(player_.settings().playCount(3), 3);
    EXPECT_EQ(player_.settings().playCount(0), 3);  // fewer than one play is refused
    EXPECT_EQ(player_.Network().bufferingTime(2500), 2500);
    EXPECT_FALSE(player_.stretchToFit(false));
    EXPECT_TRUE(player_.stretchToFit(true));
    EXPECT_NE(player_.versionInfo().find("mpv"), Text::npos);
}

TEST_F(PlayerControlTest, WithoutAutoStartTheAddressOpensPaused) {
    EXPECT_FALSE(player_.settings().autoStart(false));
    player_.URL(media_.Url("clip.mp3"));
    ASSERT_TRUE(WaitForPlayState(kPlayPaused));
    EXPECT_EQ(player_.openState(), kOpenMediaOpen);
    player_.Controls().play();
    EXPECT_TRUE(WaitForPlayState(kPlayPlaying));
    player_.Controls().stop();
    EXPECT_EQ(player_.playState(), kPlayStopped);
    EXPECT_EQ(player_.CurrentMedia().duration(), 0);
}

TEST_F(PlayerControlTest, ItemInfoReadsTheMediaAndKeepsWrittenValues) {
    player_.URL(media_.Url("clip.mp4"));
    ASSERT_TRUE(WaitForPlayState(kPlayPlaying));
    EXPECT_EQ(player_.CurrentMedia().getItemInfo("sourceurl"), media_.Url("clip.mp4"));
    EXPECT_EQ(player_.CurrentMedia().getItemInfo("Title"), player_.CurrentMedia().name());
    EXPECT_GE(player_.CurrentMedia().attributeCount(), 4);
    EXPECT_EQ(player_.CurrentMedia().getItemInfo("Author"), "");
    player_.CurrentMedia().setItemInfo("Author", Utf8ToGbk("歌手"));
    EXPECT_EQ(player_.CurrentMedia().getItemInfo("author"), Utf8ToGbk("歌手"));
    EXPECT_EQ(player_.CurrentMedia().getItemInfoByAtom(-1), "");
    // A 60 KB file is soon cached whole.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return player_.Network().downloadProgress() == 100; }, kWaitMs));
    player_.URL(media_.Url("clip.mp3"));  // a new media forgets what was written
    EXPECT_EQ(player_.CurrentMedia().getItemInfo("Author"), "");
}

TEST_F(PlayerControlTest, WindowOperationsChangeOnlyWhatTheyName) {
    EXPECT_EQ(player_.Left(), 1);
    EXPECT_EQ(player_.Top(), 9);
    EXPECT_EQ(player_.Left(50), 1);
    EXPECT_EQ(player_.Window()->geometry(), QRect(50, 9, 485, 240));
    player_.Move({}, {}, 300);
    EXPECT_EQ(player_.Window()->geometry(), QRect(50, 9, 300, 240));
    EXPECT_EQ(player_.Height(100), 1);
    EXPECT_EQ(player_.Window()->geometry(), QRect(50, 9, 300, 100));

    EXPECT_TRUE(player_.Visible(false));
    EXPECT_FALSE(player_.Visible(true));
    EXPECT_TRUE(player_.Visible());

    EXPECT_TRUE(player_.Enabled());
    EXPECT_TRUE(player_.Enabled());  // asking never changes it
    EXPECT_FALSE(player_.Enabled(false));
    EXPECT_FALSE(player_.Enabled());
    EXPECT_TRUE(player_.Enabled(true));  // it was disabled before
}

TEST_F(PlayerControlTest, AfterCloseEveryMemberReadsEmpty) {
    player_.URL(media_.Url("clip.mp3"));
    ASSERT_TRUE(WaitForPlayState(kPlayPlaying));
    QPointer<QWidget> window = player_.Window();
    player_.Close();
    EXPECT_EQ(player_.URL(media_.Url("clip.mp4")), "");
    EXPECT_EQ(player_.playState(), 0);
    EXPECT_EQ(player_.settings().volume(50), 0);
    EXPECT_EQ(player_.Controls().currentPosition(2.0), 0.0);
    EXPECT_EQ(player_.CurrentMedia().duration(), 0);
    EXPECT_FALSE(player_.fullScreen(true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, kWaitMs));
    EXPECT_EQ(player_.Left(5), 0);
}

TEST(PlayerControlEmptyTest, ReadsBeforeCreateGiveNothingAndWritesDoNothing) {
    PlayerControl player;
    EXPECT_EQ(player.URL("http://127.0.0.1:1/a.mp3"), "");
    EXPECT_EQ(player.playState(), 0);
    EXPECT_EQ(player.openState(), 0);
    EXPECT_EQ(player.status(), "");
    EXPECT_FALSE(player.fullScreen(true));
    EXPECT_EQ(player.uiMode("mini"), "");
    EXPECT_EQ(player.settings().volume(100), 0);
    EXPECT_FALSE(player.settings().autoStart(true));
    EXPECT_EQ(player.Controls().currentPositionString(), "");
    EXPECT_EQ(player.CurrentMedia().getItemInfo("Title"), "");
    EXPECT_EQ(player.Network().bufferingTime(100), 0);
    EXPECT_EQ(player.Left(), 0);
    EXPECT_FALSE(player.Visible(true));
    EXPECT_FALSE(player.Click([](std::intptr_t, const EventArgs&) {}, 0));
    player.Controls().play();
    player.Move(1, 2, 3, 4);
    player.Close();
}

TEST(PlayerControlEmptyTest, DestroyingAPlayerWhoseWindowIsGoneIsSafe) {
    auto parent = std::make_unique<QWidget>();
    parent->show();
    PlayerControl player;
    ASSERT_NE(player.Create(parent.get(), 2, 8, 245, 104), nullptr);
    player.URL(MediaServer::Shared().Url("clip.mp3"));
    parent.reset();  // the main window closes first
    EXPECT_EQ(player.Window(), nullptr);
    EXPECT_EQ(player.playState(), 0);
    EXPECT_EQ(player.settings().volume(100), 0);
}

}  // namespace
}  // namespace tunelark::test
