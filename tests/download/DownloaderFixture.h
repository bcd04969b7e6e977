#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "download/MultiPartDownloader.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestServer.h"

namespace tunelark::test {

// A downloader with short waits, a server with a body, a folder for the files.
class DownloaderFixture : public ::testing::Test {
protected:
    static DownloadSettings QuickSettings() {
        DownloadSettings settings;
        settings.partAttempts = 3;
        settings.maxPartAttempts = 6;
        settings.retryBackoff = std::chrono::milliseconds(10);
        settings.stallTimeout = std::chrono::seconds(1);
        settings.connectTimeout = std::chrono::seconds(5);
        settings.probeTimeout = std::chrono::seconds(10);
        return settings;
    }

    void Serve(size_t size) {
        body_ = PatternBody(size);
        server_ = std::make_unique<TestServer>(body_);
    }

    [[nodiscard]] Text Target(const std::string& name = "file.bin") const {
        return (folder_.Path() / name).string();
    }

    // Starts a download of the served body into Target().
    int32_t StartJob(int32_t threadLimit, ReportLog& log, const std::string& name = "file.bin") {
        Text target = Target(name);
        return downloader_->Start(server_->Url(), target, threadLimit, log.Callback(), 1);
    }

    // Every progress report follows at most kReportChunk new bytes, never fewer than before.
    static void ExpectSteadyProgress(const std::vector<Report>& reports) {
        int64_t last = 0;
        for (const Report& report : reports) {
            if (report.status != kReportProgress) continue;
            EXPECT_GE(report.done, last);
            EXPECT_LE(report.done - last, kReportChunk);
            last = report.done;
        }
    }

    TempFolder folder_;
    std::string body_;
    std::unique_ptr<TestServer> server_;
    std::unique_ptr<MultiPartDownloader> downloader_ =
        std::make_unique<MultiPartDownloader>(QuickSettings());
};

}  // namespace tunelark::test
