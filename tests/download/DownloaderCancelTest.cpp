#include <gtest/gtest.h>

#include <chrono>

#include "download/HeaderProbe.h"
#include "download/MultiPartDownloader.h"
#include "platform/WorkerThreads.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/net/ScriptedServer.h"

namespace tunelark::test {
namespace {

using namespace std::chrono_literals;

TEST(DownloaderCancel, AWorkersStopEndsTheProbesAndStartsNothing) {
    // The default waits: only the stop, not a time-out, can end the probe within the bound.
    MultiPartDownloader downloader{DownloadSettings{}};
    ScriptedServer stalled({{HttpReply("HTTP/1.1 200 OK", {"Content-Length: 9"}, ""), 60s}});
    TempFolder folder;
    ReportLog log;
    // A folder: the name probe runs first, then the length probe.
    Text target = folder.Path().string();
    int32_t handle = 0;
    WorkerThreads workers;
    ASSERT_TRUE(workers.Start([&](std::stop_token) {
        handle = downloader.Start(stalled.Base() + "/song.mp3", target, 1, log.Callback(), 1);
    }));
    ASSERT_TRUE(stalled.WaitForRequests(1, 10s));
    EXPECT_TRUE(workers.StopAndJoin(5s));
    EXPECT_EQ(handle, -1);
    EXPECT_EQ(downloader.JobTable(), std::vector<int32_t>{-1});
    EXPECT_EQ(downloader.FailureReason(1), kCancelledReason);
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_TRUE(log.Reports().empty());
}

}  // namespace
}  // namespace tunelark::test
