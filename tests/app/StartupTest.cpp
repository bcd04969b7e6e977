#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "app/Startup.h"
#include "tests/app/RecordingUi.h"
#include "tests/platform/LoopbackServer.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

class StartupTest : public testing::Test {
protected:
    StartupTest() {
        setenv("TUNELARK_DRIVE_ROOT", drive_.path().toUtf8().constData(), 1);
        server_.Routes().Get("/probe", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content("ok", "text/plain");
        });
        server_.Start();
    }
    ~StartupTest() override { EXPECT_TRUE(state_.Shutdown(5s)); }

    bool Start(const std::string& probeUrl) {
        Startup startup(
            *qApp, state_, window_, ui_, update_,
            {.probeUrl = probeUrl, .probeTimeout = 2s, .defaultFolder = DefaultDownloadFolder()});
        return startup.OnWindowCreated();
    }
    std::filesystem::path Folder() const {
        return std::filesystem::path(drive_.path().toStdString()) / "音乐下载地址";
    }

    QTemporaryDir drive_;
    test::LoopbackServer server_;
    ProcessState state_;
    MainWindow window_{state_.results, state_.qualities};
    test::RecordingUi ui_;
    std::atomic<int> updateFetches_{0};
    UpdateFlow update_{ui_, state_.workers, [] {},
                       [this](std::stop_token) {
                           ++updateFetches_;
                           return Utf8ToGbk("【最新版本号】1.0.0&");
                       }};
};

TEST_F(StartupTest, OfflineTellsTheUserAndEndsBeforeAnythingElse) {
    EXPECT_FALSE(Start(test::ClosedPortUrl("/probe")));
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui_.messages[0].title, "信息：");
    EXPECT_EQ(ui_.messages[0].text, "软件当前未与互联网连接，请查看电脑能否上网，再重新打开软件！");
    EXPECT_EQ(updateFetches_.load(), 0);
    EXPECT_FALSE(std::filesystem::exists(Folder()));
    EXPECT_EQ(state_.mvPlayer.Window(), nullptr);
    EXPECT_EQ(state_.songPlayer.Window(), nullptr);
}

TEST_F(StartupTest, OnlineCreatesTheDefaultFolderAndChecksForUpdates) {
    EXPECT_TRUE(Start(server_.Url("/probe")));
    EXPECT_TRUE(std::filesystem::is_directory(Folder()));
    // The update check's answer (this very version) reaches the GUI thread and says nothing.
    ASSERT_TRUE(QTest::qWaitFor([this] { return state_.workers.Running() == 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(updateFetches_.load(), 1);
    ASSERT_NE(state_.mvPlayer.Window(), nullptr);
    EXPECT_EQ(state_.mvPlayer.Window()->parentWidget(), window_.Mv().mvPlayer);
    EXPECT_EQ(state_.mvPlayer.Window()->geometry(), QRect(1, 9, 485, 240));
    ASSERT_NE(state_.songPlayer.Window(), nullptr);
    EXPECT_EQ(state_.songPlayer.Window()->parentWidget(), window_.Main().songPlayer);
    EXPECT_EQ(state_.songPlayer.Window()->geometry(), QRect(2, 8, 245, 104));
    EXPECT_EQ(state_.songPlayer.settings().volume(), 100);
    EXPECT_EQ(state_.mvPlayer.settings().volume(), 100);
    // Skin 13 is on.
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              SkinEngine::Palette(kWindowSkin).color(QPalette::Window));
}

TEST_F(StartupTest, AnExistingFolderIsKept) {
    std::filesystem::create_directories(Folder());
    std::ofstream(Folder() / "song.mp3") << "data";
    EXPECT_TRUE(Start(server_.Url("/probe")));
    EXPECT_TRUE(std::filesystem::exists(Folder() / "song.mp3"));
}

TEST_F(StartupTest, AFileOfTheFoldersNameIsLeftAloneAndStartingGoesOn) {
    std::ofstream(Folder()) << "a file";
    EXPECT_TRUE(Start(server_.Url("/probe")));
    EXPECT_TRUE(std::filesystem::is_regular_file(Folder()));
    EXPECT_TRUE(ui_.messages.empty());
}

TEST(SkinEngine, ThirtyThreeSkinsAndNoneOutsideThem) {
    SkinEngine skins;
    const QString before = qApp->styleSheet();
    EXPECT_FALSE(skins.Attach(*qApp, 0));
    EXPECT_FALSE(skins.Attach(*qApp, kSkinCount + 1));
    EXPECT_EQ(qApp->styleSheet(), before);
    QSet<QString> names;
    for (int number = 1; number <= kSkinCount; ++number) {
        names.insert(SkinEngine::Name(number));
        const QPalette palette = SkinEngine::Palette(number);
        // Text stays readable on its background.
        const int contrast = std::abs(palette.color(QPalette::Text).lightness() -
                                      palette.color(QPalette::Base).lightness());
        EXPECT_GT(contrast, 120) << number;
        EXPECT_FALSE(SkinEngine::StyleSheet(number).contains('%')) << number;
    }
    EXPECT_EQ(names.size(), kSkinCount);
    EXPECT_TRUE(skins.Attach(*qApp, kWindowSkin));
    EXPECT_EQ(qApp->styleSheet(), SkinEngine::StyleSheet(kWindowSkin));
}

}  // namespace
}  // namespace tunelark
