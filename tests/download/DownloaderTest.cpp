#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "download/DownloadHeaders.h"
#include "download/SongProgress.h"
#include "net/WaitHook.h"
#include "platform/RowStore.h"
#include "tests/download/DownloaderFixture.h"
#include "tests/download/RawCaptureServer.h"
#include "text/CodePage.h"

namespace tunelark::test {
namespace {

using DownloaderTest = DownloaderFixture;

std::vector<std::string> ExpectedRanges(int64_t size) {
    std::vector<std::string> ranges;
    for (int64_t first = 0; first < size; first += kPartSize) {
        ranges.push_back("bytes=" + std::to_string(first) + "-" +
                         std::to_string(first + kPartSize - 1));
    }
    return ranges;
}

std::vector<std::string> RangedOnly(std::vector<std::string> headers) {
    headers.erase(std::remove(headers.begin(), headers.end(), ""), headers.end());
    std::sort(headers.begin(), headers.end());
    return headers;
}

TEST_F(DownloaderTest, FilesArriveByteForByte) {
    const size_t sizes[] = {0, 1, kPartSize - 1, kPartSize, kPartSize + 1, 5 * kPartSize + 12345};
    for (const size_t size : sizes) {
        for (const int32_t limit : {1, 4}) {
            SCOPED_TRACE("size " + std::to_string(size) + ", limit " + std::to_string(limit));
            Serve(size);
            ReportLog log;
            const std::string name = std::to_string(size) + "-" + std::to_string(limit) + ".bin";
            ASSERT_GT(StartJob(limit, log, name), 0);
            ASSERT_EQ(log.WaitForEnd(), kReportDone);
            EXPECT_TRUE(ReadFile(folder_.Path() / name) == body_);
            EXPECT_FALSE(std::filesystem::exists(folder_.Path() / (name + ".part")));
            auto expected = ExpectedRanges(static_cast<int64_t>(size));
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(RangedOnly(server_->RangeHeaders()), expected);
            const std::vector<Report> reports = log.Reports();
            ExpectSteadyProgress(reports);
            EXPECT_EQ(reports.back().total, static_cast<int64_t>(size));
            EXPECT_EQ(reports.back().done, static_cast<int64_t>(size));
        }
    }
}

TEST_F(DownloaderTest, RequestsCarryTheHeaderBlockAndExactRangeLines) {
    const std::string body = PatternBody(kPartSize + 1);
    RawCaptureServer raw(body);
    ReportLog log;
    Text target = Target();
    ASSERT_GT(downloader_->Start(raw.Url(), target, 1, log.Callback(), 1), 0);
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    EXPECT_TRUE(ReadFile(target) == body);

    const auto requests = raw.Requests();
    ASSERT_EQ(requests.size(), 3u);
    const std::vector<std::string> block = {
        "Accept: */*", "Accept-Language: zh-cn", "Accept-Encoding: gzip, deflate",
        "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)"};
    for (const auto& request : requests) {
        EXPECT_EQ(request[0], "GET /file.bin HTTP/1.1");
        for (const auto& line : block) {
            EXPECT_NE(std::find(request.begin(), request.end(), line), request.end()) << line;
        }
    }
    auto rangeLine = [](const std::vector<std::string>& request) {
        for (const auto& line : request) {
            if (line.rfind("Range", 0) == 0) return line;
        }
        return std::string();
    };
    EXPECT_EQ(rangeLine(requests[0]), "") << "the length probe asks for no range";
    EXPECT_EQ(rangeLine(requests[1]), "Range:bytes=0-1048575");
    EXPECT_EQ(rangeLine(requests[2]), "Range:bytes=1048576-2097151");
    EXPECT_EQ(log.Reports().back().done, static_cast<int64_t>(kPartSize + 1));
}

TEST_F(DownloaderTest, TheThreadLimitBoundsTheWorkers) {
    const struct {
        int32_t limit;
        int peak;
    } cases[] = {{4, 3}, {1, 1}, {2, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("limit " + std::to_string(c.limit));
        Serve(3 * kPartSize - 10);
        // Slow replies overlap as much as the limit lets them.
        server_->SetFaults({.stall = std::chrono::milliseconds(300)});
        ReportLog log;
        ASSERT_GT(StartJob(c.limit, log, "limit" + std::to_string(c.limit) + ".bin"), 0);
        ASSERT_EQ(log.WaitForEnd(), kReportDone);
        EXPECT_EQ(server_->PeakRangedReplies(), c.peak);
    }
}

TEST_F(DownloaderTest, PartsFollowTheRedirectedAddress) {
    Serve(2 * kPartSize + 3);
    ReportLog log;
    Text target = Target();
    ASSERT_GT(downloader_->Start(server_->Url("/redirect/file.bin"), target, 2, log.Callback(), 1),
              0);
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    EXPECT_TRUE(ReadFile(target) == body_);
}

TEST_F(DownloaderTest, ADriveLetterPathLandsUnderTheDriveRoot) {
    Serve(1000);
    setenv("TUNELARK_DRIVE_ROOT", folder_.Path().c_str(), 1);
    std::filesystem::create_directories(folder_.Path() / "音乐下载地址");
    ReportLog log;
    Text target = Utf8ToGbk("D:\\音乐下载地址\\歌《凉凉》.MP3");
    ASSERT_GT(downloader_->Start(server_->Url(), target, 1, log.Callback(), 1), 0);
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    unsetenv("TUNELARK_DRIVE_ROOT");
    EXPECT_TRUE(ReadFile(folder_.Path() / "音乐下载地址" / "歌《凉凉》.MP3") == body_);
}

TEST_F(DownloaderTest, AFolderTargetIsNamedByTheServer) {
    Serve(10);
    server_->SetFaults({.contentLocation = "/media/named.mp3"});
    ReportLog log;
    Text target = folder_.Path().string();
    ASSERT_GT(downloader_->Start(server_->Url("/x/y.bin?q=1"), target, 1, log.Callback(), 1), 0);
    EXPECT_EQ(target, folder_.Path().string() + "\\named.mp3");
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"named.mp3"});
}

TEST_F(DownloaderTest, TwoJobsAtOnceEachWriteTheRowThatStartedThem) {
    Serve(3 * kPartSize);
    RowStore rows(6);
    for (const char* number : {"1", "2", "3"}) rows.Append(number);
    SongProgress progress(rows);
    ReportLog logs[2];
    const int32_t startedFrom[2] = {2, 0};
    for (int i = 0; i < 2; ++i) {
        ProgressCallback toRow = progress.ForRow(startedFrom[i]);
        ProgressCallback toLog = logs[i].Callback();
        Text target = Target("song" + std::to_string(i) + ".mp3");
        ASSERT_GT(downloader_->Start(
                      server_->Url(), target, 2,
                      [toRow, toLog](int32_t job, int32_t status, int64_t total, int64_t done) {
                          toRow(job, status, total, done);
                          toLog(job, status, total, done);
                      },
                      1),
                  0);
    }
    for (ReportLog& log : logs) ASSERT_EQ(log.WaitForEnd(), kReportDone);
    EXPECT_EQ(rows.Cell(2, SongProgress::kStatusColumn), Utf8ToGbk("下载完成"));
    EXPECT_EQ(rows.Cell(0, SongProgress::kStatusColumn), Utf8ToGbk("下载完成"));
    EXPECT_EQ(rows.Cell(1, SongProgress::kStatusColumn), "");
}

TEST_F(DownloaderTest, TheProbeKeepsTheWindowAlive) {
    Serve(100);
    std::atomic<int> pumped{0};
    SetWaitHook([&pumped] { ++pumped; });
    ReportLog log;
    const int32_t job = StartJob(1, log);
    SetWaitHook(nullptr);
    ASSERT_GT(job, 0);
    EXPECT_GT(pumped.load(), 0);
    EXPECT_EQ(log.WaitForEnd(), kReportDone);
}

TEST_F(DownloaderTest, JobsAreNumberedInCallOrder) {
    Serve(100);
    ReportLog first;
    ReportLog second;
    const int32_t a = StartJob(1, first, "a.bin");
    const int32_t b = StartJob(1, second, "b.bin");
    EXPECT_EQ(b, a + 1);
    ASSERT_EQ(first.WaitForEnd(), kReportDone);
    ASSERT_EQ(second.WaitForEnd(), kReportDone);
    EXPECT_EQ(first.Reports().front().job, a);
    EXPECT_EQ(second.Reports().front().job, b);
    EXPECT_EQ(downloader_->JobTable(), (std::vector<int32_t>{a, b}));
}

}  // namespace
}  // namespace tunelark::test
