#include <gtest/gtest.h>

#include "download/MvProgress.h"
#include "download/ProgressText.h"
#include "download/SongProgress.h"
#include "platform/RowStore.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

Text Downloading(int percent) {
    return Utf8ToGbk("下载中" + std::to_string(percent) + "%");
}

TEST(ProgressPercent, DividesFirstThenScalesAndCuts) {
    const struct {
        int32_t status;
        int64_t total;
        int64_t done;
        int64_t percent;
    } cases[] = {
        {1, 100, 57, 56},  // 0.57 * 100 is just below 57
        {1, 3'000'000, 1'048'576, 34},
        {1, 1000, 379, 37},
        {1, 4'000'000'000LL, 3'000'000'000LL, 75},  // beyond 32 bits
        {1, 7, 7, 100},
        {0, 3'000'000, 3'000'000, 100},
        {-1, 0, 0, 0},
        {0, 0, 0, 100},  // an empty file is complete
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressPercent(c.status, c.total, c.done), c.percent)
            << c.done << "/" << c.total;
    }
}

TEST(ProgressText, TextsAreGbk) {
    EXPECT_EQ(DownloadingText(34), Downloading(34));
    EXPECT_EQ(DownloadDoneText(), Utf8ToGbk("下载完成"));
    EXPECT_EQ(DownloadFailedText(), Utf8ToGbk("下载失败，请重试！"));
}

class RowProgressTest : public ::testing::Test {
protected:
    RowProgressTest() {
        for (int i = 0; i < 3; ++i) songs_.Append(std::to_string(i + 1));
        qualities_.Append("720p");
    }

    RowStore songs_{6};
    RowStore qualities_{3};
    SongProgress songProgress_{songs_};
    MvProgress mvProgress_{qualities_};
};

TEST_F(RowProgressTest, ASongRowCountsUpToDone) {
    ProgressCallback report = songProgress_.ForRow(1);
    report(1, 1, 3'000'000, 1'048'576);
    EXPECT_EQ(songs_.Cell(1, SongProgress::kStatusColumn), Downloading(34));
    report(1, 1, 3'000'000, 3'000'000);
    EXPECT_EQ(songs_.Cell(1, 5), Utf8ToGbk("下载完成"));
    report(1, 0, 3'000'000, 3'000'000);
    EXPECT_EQ(songs_.Cell(1, 5), Utf8ToGbk("下载完成"));
    EXPECT_EQ(songs_.Cell(0, 5), "");
    EXPECT_EQ(songs_.Cell(2, 5), "");
}

TEST_F(RowProgressTest, AFailureSaysSo) {
    ProgressCallback report = mvProgress_.ForRow(0);
    report(3, 1, 100, 40);
    report(3, -1, 0, 0);
    EXPECT_EQ(qualities_.Cell(0, MvProgress::kStatusColumn), Utf8ToGbk("下载失败，请重试！"));
}

TEST_F(RowProgressTest, TwoDownloadsEachKeepTheirOwnRow) {
    ProgressCallback first = songProgress_.ForRow(0);
    ProgressCallback second = songProgress_.ForRow(2);
    first(1, 1, 100, 10);
    second(2, 1, 100, 90);
    first(1, 1, 100, 20);
    EXPECT_EQ(songs_.Cell(0, 5), Downloading(20));
    EXPECT_EQ(songs_.Cell(2, 5), Downloading(90));
    EXPECT_EQ(qualities_.Cell(0, 2), "") << "a song report never reaches the quality list";
}

TEST_F(RowProgressTest, ReportsForARemovedRowAreDropped) {
    ProgressCallback report = songProgress_.ForRow(1);
    songs_.Clear();  // a new search
    for (int i = 0; i < 3; ++i) songs_.Append("new " + std::to_string(i));
    report(1, 1, 100, 100);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(songs_.Cell(row, 5), "") << row;
}

TEST_F(RowProgressTest, ARowThatDidNotExistGetsNothing) {
    ProgressCallback report = songProgress_.ForRow(7);
    songs_.Append("4");
    songs_.Append("5");
    songs_.Append("6");
    songs_.Append("7");
    songs_.Append("8");
    report(1, 1, 100, 50);
    for (int row = 0; row < songs_.RowCount(); ++row) EXPECT_EQ(songs_.Cell(row, 5), "") << row;
}

}  // namespace
}  // namespace tunelark
