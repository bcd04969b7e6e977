#include <gtest/gtest.h>

#include <QTest>

#include "app/MainWindow.h"
#include "app/ProcessState.h"
#include "app/Ui.h"
#include "app/WindowServices.h"
#include "player/MediaState.h"
#include "tests/player/MediaServer.h"

namespace tunelark {
namespace {

constexpr int kWaitMs = 10000;

// The players need no dialog.
class NoDialogs final : public Ui {
public:
    void ShowMessage(MessageIcon, const QString&, const QString&) override {}
    std::optional<QString> ChooseFolder(const QString&, const QString&) override { return {}; }
    void SetClipboard(const QString&) override {}
    void OpenUrl(const QUrl&) override {}
};

bool WaitForPlayState(const PlayerControl& player, std::int32_t state) {
    return QTest::qWaitFor([&] { return player.playState() == state; }, kWaitMs);
}

// Headless players (offscreen) on local media, hosted where the window hosts them.
TEST(WindowServices, TheStartingPlayerPausesTheOtherSoTwoNeverSoundAtOnce) {
    test::MediaServer& media = test::MediaServer::Shared();
    ASSERT_TRUE(media.Ready()) << media.Problem();
    ProcessState state;
    NoDialogs ui;
    MainWindow window(state.results, state.qualities);
    WindowServices services(window, state, ui);
    (void)state.mvPlayer.Create(window.Mv().mvPlayer, 1, 9, 485, 240);
    (void)state.songPlayer.Create(window.Main().songPlayer, 2, 8, 245, 104);

    services.PlaySong(media.Url("clip.mp3"));
    ASSERT_TRUE(WaitForPlayState(state.songPlayer, kPlayPlaying));

    services.PlayMv(media.Url("clip.mp4"));
    ASSERT_TRUE(WaitForPlayState(state.mvPlayer, kPlayPlaying));
    EXPECT_TRUE(WaitForPlayState(state.songPlayer, kPlayPaused));

    services.PlaySong(media.Url("clip.mp3"));
    ASSERT_TRUE(WaitForPlayState(state.songPlayer, kPlayPlaying));
    EXPECT_TRUE(WaitForPlayState(state.mvPlayer, kPlayPaused));

    EXPECT_TRUE(state.Shutdown(std::chrono::seconds(3)));
}

}  // namespace
}  // namespace tunelark
