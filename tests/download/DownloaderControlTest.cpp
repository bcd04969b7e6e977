#include <gtest/gtest.h>

#include <thread>

#include "tests/download/DownloaderFixture.h"

namespace tunelark::test {
namespace {

using DownloaderControlTest = DownloaderFixture;

TEST_F(DownloaderControlTest, APausedJobWaitsUntilResumed) {
    Serve(3 * kPartSize);
    server_->SetFaults(
        {.stall = std::chrono::milliseconds(50)});  // keeps the job from ending early
    ReportLog log;
    const int32_t job = StartJob(1, log);
    ASSERT_GT(job, 0);
    ASSERT_TRUE(log.WaitForBytes(1));
    ASSERT_TRUE(downloader_->Pause(job));
    // A worker finishes the chunk it is receiving (its reply may still be on its way), then waits.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const size_t whilePaused = log.Reports().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(log.Reports().size(), whilePaused) << "no bytes while paused";
    EXPECT_LT(log.Reports().back().done, static_cast<int64_t>(body_.size()));
    // The data goes to a file beside the target, reserved at full length from the start.
    EXPECT_EQ(std::filesystem::file_size(Target() + ".part"), body_.size());
    EXPECT_FALSE(std::filesystem::exists(Target()));
    ASSERT_TRUE(downloader_->Resume(job));
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    EXPECT_TRUE(ReadFile(Target()) == body_);
}

TEST_F(DownloaderControlTest, AStoppedJobEndsSilentlyAndLeavesNoFile) {
    Serve(3 * kPartSize);
    server_->SetFaults({.stall = std::chrono::milliseconds(200)});
    ReportLog log;
    const int32_t job = StartJob(1, log);
    ASSERT_GT(job, 0);
    ASSERT_TRUE(downloader_->Stop(job));
    downloader_.reset();  // joins the job's threads
    for (const Report& report : log.Reports()) EXPECT_EQ(report.status, kReportProgress);
    EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(DownloaderControlTest, AJobPausedAtItsEndStaysPausedUntilResumed) {
    Serve(100);
    server_->SetFaults({.stall = std::chrono::milliseconds(200)});
    ReportLog log;
    const int32_t job = StartJob(1, log);
    ASSERT_TRUE(downloader_->Pause(job));
    EXPECT_EQ(log.WaitForEnd(std::chrono::seconds(1)), 99) << "no end report while paused";
    ASSERT_TRUE(downloader_->Resume(job));
    EXPECT_EQ(log.WaitForEnd(), kReportDone);
}

TEST_F(DownloaderControlTest, ControlsOutsideTheTableOrAfterTheEndDoNothing) {
    Serve(10);
    ReportLog log;
    const int32_t job = StartJob(1, log);
    ASSERT_EQ(log.WaitForEnd(), kReportDone);
    for (const int32_t number : {0, -1, job + 1, 1000}) {
        EXPECT_FALSE(downloader_->Pause(number)) << number;
        EXPECT_FALSE(downloader_->Stop(number)) << number;
        EXPECT_FALSE(downloader_->Resume(number)) << number;
        EXPECT_FALSE(downloader_->StopThenRun(number)) << number;
    }
    // The end report comes just before the job's last step; its controls then turn false.
    for (int i = 0; i < 100 && downloader_->Resume(job); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(downloader_->Pause(job));
    downloader_->StopAll();
    downloader_->ResumeAll();
    EXPECT_TRUE(ReadFile(Target()) == body_);
}

TEST_F(DownloaderControlTest, DestroyingTheDownloaderStopsRunningJobs) {
    Serve(4 * kPartSize);
    server_->SetFaults({.stall = std::chrono::milliseconds(10'000)});
    ReportLog log;
    ASSERT_GT(StartJob(4, log), 0);
    const auto before = std::chrono::steady_clock::now();
    downloader_.reset();
    // Well before the stalled replies would have ended by themselves.
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(8));
    EXPECT_TRUE(log.Reports().empty());
    EXPECT_TRUE(folder_.Names().empty());
}

}  // namespace
}  // namespace tunelark::test
