#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>

#include "tests/download/DownloaderFixture.h"

namespace tunelark::test {
namespace {

using DownloaderFaultsTest = DownloaderFixture;

bool HasReport(const std::vector<Report>& reports, int32_t status) {
    for (const Report& report : reports) {
        if (report.status == status) return true;
    }
    return false;
}

TEST_F(DownloaderFaultsTest, APartThatClosesEarlyResumesFromItsLastByte) {
    Serve(3 * kPartSize + 5);
    server_->SetFaults({.dropAfterBytes = 300'000, .dropReplies = 2});
    ReportLog log;
    ASSERT_GT(StartJob(2, log), 0);
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    EXPECT_TRUE(ReadFile(Target()) == body_);
    ExpectSteadyProgress(log.Reports());
    // Two resumed requests start 300,000 bytes into their parts.
    int resumed = 0;
    for (const std::string& range : server_->RangeHeaders()) {
        resumed += range.find("300000-") != std::string::npos ||
                   range.find("1348576-") != std::string::npos ||
                   range.find("2397152-") != std::string::npos;
    }
    EXPECT_EQ(resumed, 2);
    EXPECT_EQ(server_->RangeHeaders().size(), 1u + 4u + 2u);
}

TEST_F(DownloaderFaultsTest, APartThatKeepsClosingFailsTheJobAndKeepsTheOldFile) {
    Serve(2 * kPartSize);
    // Closing at once brings nothing; closing after 1000 bytes brings a little every time.
    for (const int64_t dropAfter : {0, 1000}) {
        SCOPED_TRACE("drop after " + std::to_string(dropAfter));
        { std::ofstream(Target()) << "earlier file"; }
        server_->SetFaults({.dropAfterBytes = dropAfter});
        ReportLog log;
        const int32_t job = StartJob(1, log);
        ASSERT_GT(job, 0);
        ASSERT_EQ(log.WaitForEnd(), kReportFailed);
        const std::vector<Report> reports = log.Reports();
        EXPECT_FALSE(HasReport(reports, kReportDone));
        EXPECT_EQ(reports.back().total, 0);
        EXPECT_EQ(reports.back().done, 0);
        EXPECT_EQ(ReadFile(Target()), "earlier file");
        EXPECT_EQ(folder_.Names(), std::vector<std::string>{"file.bin"}) << "no .part left";
        EXPECT_NE(downloader_->FailureReason(job).find("attempts"), std::string::npos)
            << downloader_->FailureReason(job);
    }
}

TEST_F(DownloaderFaultsTest, AFailedStartReportsNothingAndLeavesNoFile) {
    const struct {
        const char* name;
        ServerFaults faults;
    } cases[] = {
        {"not found", {.status = 404}},
        {"server error", {.status = 500}},
        {"no Content-Length", {.omitContentLength = true}},
        {"encoded body", {.contentEncoding = "gzip"}},
    };
    Serve(kPartSize + 1);
    int32_t expectedNumber = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server_->SetFaults(c.faults);
        ReportLog log;
        EXPECT_EQ(StartJob(1, log), -1);
        EXPECT_TRUE(log.Reports().empty());
        EXPECT_TRUE(folder_.Names().empty());
        EXPECT_FALSE(downloader_->FailureReason(expectedNumber).empty());
        EXPECT_FALSE(downloader_->Pause(expectedNumber)) << "a failed start has no job";
        ++expectedNumber;
    }
    EXPECT_EQ(downloader_->JobTable(), (std::vector<int32_t>{-1, -1, -1, -1}));
    server_->SetFaults({});
    ReportLog log;
    EXPECT_EQ(StartJob(1, log), 5) << "failed starts still take their numbers";
    EXPECT_EQ(log.WaitForEnd(), kReportDone);
}

TEST_F(DownloaderFaultsTest, BadPartRepliesFailTheJob) {
    const struct {
        const char* name;
        ServerFaults faults;
    } cases[] = {
        {"HTTP 500 for a part", {.rangedStatus = 500}},
        {"HTTP 404 for a part", {.rangedStatus = 404}},
        {"a stalled reply", {.stall = std::chrono::milliseconds(5000)}},
    };
    Serve(2 * kPartSize);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server_->SetFaults(c.faults);
        ReportLog log;
        ASSERT_GT(StartJob(2, log), 0);
        EXPECT_EQ(log.WaitForEnd(std::chrono::seconds(30)), kReportFailed);
        EXPECT_FALSE(HasReport(log.Reports(), kReportDone));
        EXPECT_TRUE(folder_.Names().empty());
    }
}

TEST_F(DownloaderFaultsTest, RangeTroubleFallsBackToOneStream) {
    const struct {
        const char* name;
        ServerFaults faults;
    } cases[] = {
        {"Range ignored", {.ignoreRange = true}},
        {"shifted range", {.shiftRange = 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Serve(3 * kPartSize + 77);
        server_->SetFaults(c.faults);
        ReportLog log;
        ASSERT_GT(StartJob(4, log), 0);
        ASSERT_EQ(log.WaitForEnd(), kReportDone);
        EXPECT_TRUE(ReadFile(Target()) == body_);
        const std::vector<Report> reports = log.Reports();
        ExpectSteadyProgress(reports);
        EXPECT_EQ(reports.back().done, static_cast<int64_t>(body_.size()));
        EXPECT_EQ(server_->RangeHeaders().back(), "") << "the last request is the one stream";
        std::filesystem::remove(Target());
    }
}

// The file-size limit stands in for a full disk: it fails the reservation at the start, or a
// write while the job runs.
class DiskLimit final {
public:
    explicit DiskLimit(rlim_t bytes) : oldHandler_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldHandler_);
    }
    DiskLimit(const DiskLimit&) = delete;
    DiskLimit& operator=(const DiskLimit&) = delete;

private:
    rlimit old_{};
    sighandler_t oldHandler_;
};

TEST_F(DownloaderFaultsTest, AFileTooLargeForTheDiskFailsTheStart) {
    Serve(3 * kPartSize);
    ReportLog log;
    int32_t handle = 0;
    {
        DiskLimit limit(kPartSize);
        handle = StartJob(1, log);
    }
    EXPECT_EQ(handle, -1);
    EXPECT_TRUE(log.Reports().empty());
    EXPECT_TRUE(folder_.Names().empty());
    EXPECT_NE(downloader_->FailureReason(1).find("reserve"), std::string::npos);
}

TEST_F(DownloaderFaultsTest, AWriteThatFailsFailsTheJob) {
    Serve(3 * kPartSize);
    server_->SetFaults({.stall = std::chrono::milliseconds(200)});
    ReportLog log;
    const int32_t job = StartJob(1, log);
    ASSERT_GT(job, 0);
    {
        DiskLimit limit(kPartSize);  // the second part's first write fails
        EXPECT_EQ(log.WaitForEnd(), kReportFailed);
    }
    EXPECT_FALSE(HasReport(log.Reports(), kReportDone));
    EXPECT_TRUE(folder_.Names().empty());
    EXPECT_NE(downloader_->FailureReason(job).find("cannot write"), std::string::npos)
        << downloader_->FailureReason(job);
}

}  // namespace
}  // namespace tunelark::test
