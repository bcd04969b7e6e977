#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "ReplayServer.h"
#include "TestTexts.h"
#include "catalog/CatalogCommandSet.h"
#include "catalog/Columns.h"
#include "download/ProgressText.h"
#include "platform/RowStore.h"

namespace tunelark {
namespace {

using test::Gbk;

// The window as the commands see it: records what they asked of it.
class RecordingWindow final : public CatalogWindow {
public:
    void PlaySong(const Text& address) override { calls.push_back("song " + address); }
    void PlayMv(const Text& address) override { calls.push_back("mv " + address); }
    void MvFullScreen() override { calls.push_back("full screen"); }
    void ShowMvPage() override { calls.push_back("mv page"); }
    void SetClipboard(const Text& text) override { calls.push_back("clipboard " + text); }

    std::vector<std::string> calls;
};

bool WaitFor(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class CatalogCommandSetTest : public ::testing::Test {
protected:
    ServiceConfig Config() const {
        return {server_.Base(), server_.Base(), server_.Base(), server_.Base()};
    }

    test::ReplayServer server_;
    RowStore results_{SongColumn::kCount};
    RowStore qualities_{MvQualityColumn::kCount};
    RecordingWindow window_;
    WorkerThreads workers_;
    CatalogCommandSet commands_{results_, qualities_, window_, workers_, Config()};

    void TearDown() override { ASSERT_TRUE(workers_.StopAndJoin(std::chrono::seconds(10))); }
};

TEST_F(CatalogCommandSetTest, ALaterSearchReplacesTheRowsOfAnEarlierOneStillRunning) {
    server_.Reply("/r.s", test::ReadTestFile("music_search_reply.txt"), /*held=*/true);
    server_.Reply("/so", test::ReadTestFile("mv_search_page.html"));
    commands_.SearchMusic({Gbk("凉凉"), ""});
    ASSERT_TRUE(server_.WaitForRequests(1));
    commands_.SearchMv({Gbk("凉凉"), ""});
    ASSERT_TRUE(WaitFor([&] { return results_.RowCount() == 3; }));
    server_.Release();
    ASSERT_TRUE(WaitFor([&] { return workers_.Running() == 0; }));
    ASSERT_EQ(results_.RowCount(), 3);
    for (int32_t row = 0; row < 3; ++row) {
        EXPECT_NE(results_.Cell(row, SongColumn::kPageLink).find("/mv/?id="), Text::npos);
    }
}

TEST_F(CatalogCommandSetTest, ListenOnlinePlaysTheSelectedRowInTheSongPlayer) {
    server_.Reply("/tool/song/ajax/api.php", ",\"hcVideoUrl\":\"http://m/2.mp3\"");
    results_.Append("1");
    const int32_t row = results_.Append("2");
    results_.SetCell(row, SongColumn::kPageLink, server_.Base() + "/tool/song/?kwid=2");
    results_.SetSelectedRow(row);
    commands_.ListenOnline();
    EXPECT_EQ(window_.calls, std::vector<std::string>{"song http://m/2.mp3"});
    EXPECT_EQ(results_.Cell(row, SongColumn::kAddress), "http://m/2.mp3");
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), "");
}

TEST_F(CatalogCommandSetTest, QualityCommandsUseTheSelectedQuality) {
    const int32_t row = qualities_.Append("720p");
    qualities_.SetCell(row, MvQualityColumn::kAddress, "http://v/720");
    commands_.PreviewMv();  // nothing selected: an empty address, still the MV page
    qualities_.SetSelectedRow(row);
    commands_.PreviewMv();
    commands_.CopyMvAddress();
    commands_.FullScreen();
    const std::vector<std::string> expected = {
        "mv ", "mv page", "mv http://v/720", "mv page", "clipboard http://v/720", "full screen"};
    EXPECT_EQ(window_.calls, expected);
}

TEST_F(CatalogCommandSetTest, ResolvingTheSelectedMvFillsTheQualityList) {
    server_.Reply("/tool/jiexi/ajax/ajax.php",
                  "{\"heVideoUrl\":\"http://v/720\",\"shVideoUrl\":\"http://v/1080\"}");
    const int32_t row = results_.Append("1");
    results_.SetCell(row, SongColumn::kPageLink, server_.Base() + "/mv/?id=9");
    results_.SetSelectedRow(row);
    commands_.ResolveMvAddresses();
    ASSERT_EQ(qualities_.RowCount(), 2);
    EXPECT_EQ(qualities_.Cell(0, MvQualityColumn::kLabel), "720p");
    EXPECT_EQ(qualities_.Cell(1, MvQualityColumn::kLabel), "1080p");
    EXPECT_EQ(results_.Cell(row, SongColumn::kStatus), Gbk("解析完成"));
}

TEST_F(CatalogCommandSetTest, SongDownloadRunsOnAWorkerIntoTheChosenFolder) {
    const auto folder = test::PrivateTempPath("command-set-download");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    server_.Reply("/media/s.mp3", std::string(300'000, 'm'), false, "audio/mpeg");
    const int32_t row = results_.Append("1");
    results_.SetCell(row, SongColumn::kArtist, "A");
    results_.SetCell(row, SongColumn::kAddress, server_.Base() + "/media/s.mp3");
    results_.SetSelectedRow(row);
    commands_.DownloadSong({Gbk("凉凉"), folder.string()});
    const auto file = folder / "A《凉凉》.MP3";
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(file); }));
    EXPECT_EQ(std::filesystem::file_size(file), 300'000u);
    EXPECT_EQ(results_.Cell(row, SongColumn::kStatus), Gbk("下载完成"));
    std::filesystem::remove_all(folder);
}

TEST_F(CatalogCommandSetTest, ClosingEndsWorkersThatWaitOnASilentServer) {
    // Every reply is held far longer than the exit waits; the stop alone ends the workers.
    const auto folder = test::PrivateTempPath("command-set-cancel");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    server_.Reply("/r.s", test::ReadTestFile("music_search_reply.txt"), /*held=*/true);
    server_.Reply("/tool/song/ajax/api.php", ",\"hcVideoUrl\":\"http://m/2.mp3\"", true);
    server_.Reply("/media/s.mp3", std::string(1000, 'm'), true, "audio/mpeg");
    commands_.SearchMusic({Gbk("凉凉"), ""});  // clears the list first
    const int32_t unresolved = results_.Append("1");
    results_.SetCell(unresolved, SongColumn::kPageLink, server_.Base() + "/tool/song/?kwid=2");
    const int32_t resolved = results_.Append("2");
    results_.SetCell(resolved, SongColumn::kAddress, server_.Base() + "/media/s.mp3");
    for (const int32_t row : {unresolved, resolved}) {
        results_.SetSelectedRow(row);
        commands_.DownloadSong({Gbk("凉凉"), folder.string()});
    }
    ASSERT_TRUE(server_.WaitForRequests(3));
    EXPECT_TRUE(workers_.StopAndJoin(std::chrono::seconds(5)));
    EXPECT_EQ(results_.RowCount(), 2) << "the cancelled search added no rows";
    for (const int32_t row : {unresolved, resolved}) {
        EXPECT_EQ(results_.Cell(row, SongColumn::kStatus), DownloadFailedText());
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tunelark
