#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "JobEnd.h"
#include "ReplayServer.h"
#include "TestTexts.h"
#include "catalog/CatalogSearch.h"
#include "catalog/Columns.h"
#include "catalog/DownloadCommands.h"
#include "platform/RowStore.h"

namespace tunelark {
namespace {

using test::Gbk;
using test::JobEnd;
using test::ReadFile;
namespace fs = std::filesystem;

class DownloadCommands : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            test::PrivateTempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        for (size_t i = 0; i < media_.size(); ++i) media_[i] = static_cast<char>(i * 7 % 251);
        server_.Reply("/media/a.mp3", media_, false, "audio/mpeg");
    }
    void TearDown() override { fs::remove_all(folder_); }

    DownloadTarget Target(JobEnd& end) {
        return {folder_.string(), Gbk("凉凉"), &downloader_, &progress_, end.Observer()};
    }
    TakenRow SongRow(const Text& artist, const Text& address) {
        const int32_t row = results_.Append("1");
        results_.SetCell(row, SongColumn::kArtist, artist);
        results_.SetCell(row, SongColumn::kAddress, address);
        return TakeRow(results_, row, SongColumn::kCount);
    }
    std::vector<fs::path> Files() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder_))
            files.push_back(entry.path());
        return files;
    }

    test::ReplayServer server_;
    std::string media_ = std::string(2'500'000, '\0');
    fs::path folder_;
    RowStore results_{SongColumn::kCount};
    RowStore qualities_{MvQualityColumn::kCount};
    RowProgress progress_{results_, SongColumn::kStatus};
    MultiPartDownloader downloader_;
};

TEST_F(DownloadCommands, SongIsSavedUnderArtistAndKeywordWithProgressToTheEnd) {
    JobEnd end;
    const TakenRow row = SongRow(Gbk("张杰"), server_.Base() + "/media/a.mp3");
    ASSERT_GT(StartSongDownload(results_, row, Target(end)), 0);
    EXPECT_EQ(end.Wait(), kReportDone);
    EXPECT_EQ(ReadFile(folder_ / "张杰《凉凉》.MP3"), media_);
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("下载完成"));
}

TEST_F(DownloadCommands, HostileArtistStaysInsideTheFolder) {
    JobEnd end;
    const TakenRow row = SongRow("../../x/..", server_.Base() + "/media/a.mp3");
    ASSERT_GT(StartSongDownload(results_, row, Target(end)), 0);
    EXPECT_EQ(end.Wait(), kReportDone);
    EXPECT_EQ(Files(), std::vector<fs::path>{folder_ / ".._.._x_..《凉凉》.MP3"});
}

TEST_F(DownloadCommands, HostileNamesFromASearchReplyStayInsideTheFolder) {
    server_.Reply(
        "/r.s", "{'ARTIST':'..%2F..%5C..%2Fevil','ALIAS':'','X':'1','ALBUM':'t','MP3RID':'MP3_9'}");
    server_.Reply("/tool/song/ajax/api.php",
                  ",\"hcVideoUrl\":\"" + server_.Base() + "/media/a.mp3\"");
    const ServiceConfig services{server_.Base(), server_.Base(), "", ""};
    SearchSession session(results_);
    ASSERT_EQ(RunSearch(SearchMode::Music, "k", session.Begin(), services), 1);

    JobEnd end;
    DownloadTarget target = Target(end);
    target.keyword = "/../..";
    ASSERT_GT(
        StartSongDownload(results_, TakeRow(results_, 0, SongColumn::kCount), target, services), 0);
    EXPECT_EQ(end.Wait(), kReportDone);
    EXPECT_EQ(Files(), std::vector<fs::path>{folder_ / ".._.._.._evil《_.._..》.MP3"});
}

TEST_F(DownloadCommands, AFailedStartSaysSoAndForgetsTheAddress) {
    JobEnd end;
    const TakenRow row = SongRow("A", server_.Base() + "/media/missing.mp3");
    EXPECT_EQ(StartSongDownload(results_, row, Target(end)), -1);
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("下载失败，请重试！"));
    EXPECT_EQ(results_.Cell(0, SongColumn::kAddress), "") << "the next attempt resolves afresh";
    EXPECT_TRUE(Files().empty());
}

TEST_F(DownloadCommands, NoFolderStartsNothing) {
    JobEnd end;
    DownloadTarget target = Target(end);
    target.folder = "";
    const TakenRow row = SongRow("A", server_.Base() + "/media/a.mp3");
    EXPECT_EQ(StartSongDownload(results_, row, target), -1);
    EXPECT_TRUE(server_.RequestsTo("/media/a.mp3").empty());
}

TEST_F(DownloadCommands, MvIsSavedUnderQualityAndKeyword) {
    RowProgress mvProgress(qualities_, MvQualityColumn::kStatus);
    const int32_t row = qualities_.Append("720p");
    qualities_.SetCell(row, MvQualityColumn::kAddress, server_.Base() + "/media/a.mp3");
    JobEnd end;
    DownloadTarget target = Target(end);
    target.progress = &mvProgress;
    ASSERT_GT(
        StartMvDownload(qualities_, TakeRow(qualities_, row, MvQualityColumn::kCount), target), 0);
    EXPECT_EQ(end.Wait(), kReportDone);
    EXPECT_EQ(ReadFile(folder_ / "720p《凉凉》.MP4"), media_);
    EXPECT_EQ(qualities_.Cell(row, MvQualityColumn::kStatus), Gbk("下载完成"));
}

}  // namespace
}  // namespace tunelark
