#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "app/ProcessState.h"
#include "tests/platform/LoopbackServer.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

constexpr size_t kFileSize = 4 << 20;

// A file served slowly, a few KiB at a time, honouring ranges.
void ServeSlowFile(httplib::Server& routes) {
    routes.Get("/song.mp3", [](const httplib::Request&, httplib::Response& reply) {
        reply.set_content_provider(kFileSize, "audio/mpeg",
                                   [](size_t offset, size_t length, httplib::DataSink& sink) {
                                       std::this_thread::sleep_for(20ms);
                                       const std::string chunk(std::min<size_t>(length, 4096), 'a');
                                       (void)offset;
                                       return sink.write(chunk.data(), chunk.size());
                                   });
    });
}

TEST(Shutdown, StopsDownloadsAndWorkersInTimeWhileTheyStillWrite) {
    test::LoopbackServer server;
    ServeSlowFile(server.Routes());
    server.Start();
    QTemporaryDir folder;
    auto state = std::make_unique<ProcessState>();

    // A search that keeps appending rows until it is told to stop.
    std::atomic<int> rows{0};
    ASSERT_TRUE(state->workers.Start([&state, &rows](std::stop_token stop) {
        while (!stop.stop_requested()) {
            (void)state->results.Append("row");
            ++rows;
            std::this_thread::sleep_for(1ms);
        }
    }));
    // A download reporting into row 0.
    const int32_t row = state->results.Append("song");
    Text path = Utf8ToGbk(folder.filePath("song.mp3").toStdString());
    const int32_t job = state->downloader.Start(server.Url("/song.mp3"), path, 1,
                                                state->songProgress.ForRow(row), 1);
    ASSERT_GT(job, 0);
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(rows.load(), 0);
    // Both are under way.
    EXPECT_EQ(GbkToUtf8(state->results.Cell(row, 5)).rfind("下载中", 0), 0u);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(state->Shutdown(3s));
    state.reset();  // releases everything: no writer is left to touch it
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    // The stopped download never became the target file.
    EXPECT_FALSE(QFile::exists(folder.filePath("song.mp3")));
}

}  // namespace
}  // namespace tunelark
