#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "JobEnd.h"
#include "TestTexts.h"
#include "catalog/CatalogSearch.h"
#include "catalog/Columns.h"
#include "catalog/DownloadCommands.h"
#include "catalog/MvCommands.h"
#include "platform/RowStore.h"
#include "tests/standin/StandInProcess.h"

namespace tunelark {
namespace {

using test::Gbk;
using test::JobEnd;
using test::ReadFile;
namespace fs = std::filesystem;

class StandInEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        standIn_ = std::make_unique<test::StandInProcess>(
            std::vector<std::string>{}, test::PrivateTempPath("standin.log").string());
    }
    static void TearDownTestSuite() {
        standIn_.reset();
        fs::remove(test::PrivateTempPath("standin.log"));
    }
    void SetUp() override {
        ASSERT_FALSE(standIn_->Base().empty()) << "the stand-in did not start";
        folder_ = test::PrivateTempPath("e2e");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    ServiceConfig Config() const {
        const std::string base = standIn_->Base();
        return {base, base, base, base + "/probe"};
    }
    DownloadTarget Target(JobEnd& end, RowProgress& progress) {
        return {folder_.string(), Gbk("凉凉"), &downloader_, &progress, end.Observer()};
    }
    // The bytes the stand-in serves at an address of its own.
    std::string Served(const Text& address) const {
        httplib::Client client(standIn_->Base());
        const auto reply = client.Get(address.substr(standIn_->Base().size()));
        return reply ? reply->body : "";
    }
    void Search(SearchMode mode) {
        SearchSession session(results_);
        ASSERT_GT(RunSearch(mode, Gbk("凉凉"), session.Begin(), Config()), 0);
    }
    int32_t RowWithLinkEnding(const std::string& tail) const {
        for (int32_t row = 0; row < results_.RowCount(); ++row) {
            if (results_.Cell(row, SongColumn::kPageLink).ends_with(tail)) return row;
        }
        return -1;
    }

    static std::unique_ptr<test::StandInProcess> standIn_;
    fs::path folder_;
    RowStore results_{SongColumn::kCount};
    RowStore qualities_{MvQualityColumn::kCount};
    MultiPartDownloader downloader_{
        DownloadSettings{.partAttempts = 2, .retryBackoff = std::chrono::milliseconds(10)}};
};

std::unique_ptr<test::StandInProcess> StandInEndToEnd::standIn_;

TEST_F(StandInEndToEnd, SongFromSearchToFile) {
    Search(SearchMode::Music);
    for (int32_t row = 0; row < results_.RowCount(); ++row) {
        EXPECT_EQ(results_.Cell(row, SongColumn::kNumber), std::to_string(row + 1));
        EXPECT_FALSE(results_.Cell(row, SongColumn::kArtist).empty());
        EXPECT_NE(results_.Cell(row, SongColumn::kTitle).find(Gbk("凉凉")), Text::npos);
        EXPECT_EQ(results_.Cell(row, SongColumn::kTitle).find("&nbsp;"), Text::npos);
        EXPECT_NE(results_.Cell(row, SongColumn::kPageLink).find("/tool/song/?kwid="), Text::npos);
        EXPECT_EQ(results_.Cell(row, SongColumn::kAddress), "");
        EXPECT_EQ(results_.Cell(row, SongColumn::kStatus), "");
    }

    RowProgress progress(results_, SongColumn::kStatus);
    JobEnd end;
    const TakenRow row = TakeRow(results_, 0, SongColumn::kCount);
    ASSERT_GT(StartSongDownload(results_, row, Target(end, progress), Config()), 0);
    ASSERT_EQ(end.Wait(), kReportDone);
    const Text address = results_.Cell(0, SongColumn::kAddress);
    const fs::path file = folder_ / (GbkToUtf8(row.Cell(SongColumn::kArtist)) + "《凉凉》.MP3");
    const std::string bytes = ReadFile(file);
    EXPECT_GT(bytes.size(), 100'000u);
    EXPECT_EQ(bytes, Served(address));
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("下载完成"));

    // The address request as the stand-in logged it.
    const std::string id =
        row.Cell(SongColumn::kPageLink).substr(row.Cell(SongColumn::kPageLink).rfind('=') + 1);
    const std::string log = standIn_->Log();
    const std::string line = "GET /tool/song/ajax/api.php?callback=callback&kwId=" + id + "&_=";
    const size_t start = log.find(line);
    ASSERT_NE(start, std::string::npos) << log;
    const size_t stampEnd = log.find(' ', start + 4);
    EXPECT_TRUE(test::IsStamped(log.substr(start + 4, stampEnd - start - 4), line.substr(4)));
    const std::string block = log.substr(start, log.find("\nGET ", start) - start);
    EXPECT_NE(block.find("\n    Referer: " + standIn_->Base() + "/tool/song/?kwid=" + id + "\n"),
              std::string::npos)
        << block;
    EXPECT_NE(block.find("\n    User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; "
                         "WOW64; Trident/5.0)"),
              std::string::npos)
        << block;
    EXPECT_EQ(block.find("User-Agent:", block.find("User-Agent:") + 1), std::string::npos)
        << "one User-Agent line";
}

TEST_F(StandInEndToEnd, AFailedSongDownloadForgetsItsAddress) {
    Search(SearchMode::Music);
    JobEnd end;
    RowProgress progress(results_, SongColumn::kStatus);
    // A reply that announces more bytes than it sends: the job fails after its attempts.
    results_.SetCell(0, SongColumn::kAddress,
                     standIn_->Base() + "/media/song/228901.mp3?overlength=1000");
    ASSERT_GT(StartSongDownload(results_, TakeRow(results_, 0, SongColumn::kCount),
                                Target(end, progress), Config()),
              0)
        << downloader_.FailureReason(static_cast<int32_t>(downloader_.JobTable().size()));
    EXPECT_EQ(end.Wait(), kReportFailed);
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("下载失败，请重试！"));
    EXPECT_EQ(results_.Cell(0, SongColumn::kAddress), "");
    EXPECT_TRUE(fs::is_empty(folder_)) << "no partial file is left";
}

TEST_F(StandInEndToEnd, MvQualitiesAccumulateAndOneIsSavedByLabel) {
    Search(SearchMode::Mv);
    const int32_t liveOnly = RowWithLinkEnding("id=5002");
    const int32_t full = RowWithLinkEnding("id=5001");
    ASSERT_GE(liveOnly, 0);
    ASSERT_GE(full, 0);
    (void)ResolveMvRow(results_, TakeRow(results_, liveOnly, SongColumn::kCount), qualities_,
                       Config());
    (void)ResolveMvRow(results_, TakeRow(results_, full, SongColumn::kCount), qualities_, Config());
    const char* labels[] = {"720p", "1080p", "432p", "540p", "720p", "1080p"};
    ASSERT_EQ(qualities_.RowCount(), 6);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(qualities_.Cell(i, MvQualityColumn::kLabel), labels[i]);
    EXPECT_EQ(results_.Cell(liveOnly, SongColumn::kStatus), Gbk("解析完成"));

    RowProgress progress(qualities_, MvQualityColumn::kStatus);
    JobEnd end;
    ASSERT_GT(StartMvDownload(qualities_, TakeRow(qualities_, 4, MvQualityColumn::kCount),
                              Target(end, progress)),
              0);
    ASSERT_EQ(end.Wait(), kReportDone);
    EXPECT_EQ(ReadFile(folder_ / "720p《凉凉》.MP4"),
              Served(qualities_.Cell(4, MvQualityColumn::kAddress)));
    EXPECT_EQ(qualities_.Cell(4, MvQualityColumn::kStatus), Gbk("下载完成"));
}

TEST_F(StandInEndToEnd, CommandLineSearchesResolvesAndGets) {
    const std::string env = "TUNELARK_MUSIC_BASE=" + standIn_->Base() +
                            " TUNELARK_MV_BASE=" + standIn_->Base() + " " + TUNELARK_CLI;
    const std::string out = (folder_ / "out.txt").string();
    ASSERT_EQ(std::system((env + " search 凉凉 > " + out).c_str()), 0);
    const std::string lines = ReadFile(out);
    EXPECT_TRUE(lines.starts_with("1\t")) << lines;
    EXPECT_NE(lines.find("/tool/song/?kwid="), std::string::npos);

    ASSERT_EQ(
        std::system((env + " resolve-mv '" + standIn_->Base() + "/mv/?id=5002' > " + out).c_str()),
        0);
    EXPECT_EQ(ReadFile(out), "720p\t" + standIn_->Base() + "/media/mv/5002/720p.mp4\n1080p\t" +
                                 standIn_->Base() + "/media/mv/5002/1080p.mp4\n");
    EXPECT_NE(
        std::system((env + " resolve-song '" + standIn_->Base() + "/tool/song/?kwid=1' 2>/dev/null")
                        .c_str()),
        0);

    const fs::path saved = folder_ / "cli";
    fs::create_directories(saved);
    ASSERT_EQ(std::system((env + " get --mv 凉凉 2 --quality 1080p --dir " + saved.string() +
                           " 2>/dev/null")
                              .c_str()),
              0);
    EXPECT_TRUE(fs::exists(saved / "1080p《凉凉》.MP4"));
    EXPECT_NE(std::system((env + " get 凉凉 99 --dir " + saved.string() + " 2>/dev/null").c_str()),
              0);
}

}  // namespace
}  // namespace tunelark
