#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "app/ProcessState.h"
#include "catalog/CatalogCommandSet.h"
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
                                   [](size_t, size_t length, httplib::DataSink& sink) {
                                       std::this_thread::sleep_for(20ms);
                                       const std::string chunk(std::min<size_t>(length, 4096), 'a');
                                       return sink.write(chunk.data(), chunk.size());
                                   });
    });
}

// Plays nothing: only the download matters here.
class NoWindow final : public CatalogWindow {
public:
    void PlaySong(const Text&) override {}
    void PlayMv(const Text&) override {}
    void MvFullScreen() override {}
    void ShowMvPage() override {}
    void SetClipboard(const Text&) override {}
};

// The exit in the program's order: the workers stop and are waited for, then the catalogue
// (its downloader's jobs) goes, then the lists they write into.
TEST(Shutdown, StopsASearchAndADownloadInTimeWhileTheyStillWrite) {
    test::LoopbackServer server;
    ServeSlowFile(server.Routes());
    server.Start();
    QTemporaryDir folder;
    auto state = std::make_unique<ProcessState>();
    NoWindow window;
    auto catalog = std::make_unique<CatalogCommandSet>(state->results, state->qualities, window,
                                                       state->workers);

    // A song row whose address is already known, selected and downloaded.
    const int32_t row = state->results.Append("1");
    state->results.SetCell(row, 1, "artist");
    state->results.SetCell(row, 4, server.Url("/song.mp3"));
    state->results.SetSelectedRow(row);
    catalog->DownloadSong({.keyword = "k", .folder = folder.path().toStdString()});
    // A worker that keeps appending rows until it is told to stop.
    std::atomic<int> rows{0};
    ASSERT_TRUE(state->workers.Start([&state, &rows](std::stop_token stop) {
        while (!stop.stop_requested()) {
            (void)state->qualities.Append("row");
            ++rows;
            std::this_thread::sleep_for(1ms);
        }
    }));
    for (int i = 0; i < 100 && state->results.Cell(row, 5).empty(); ++i) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(GbkToUtf8(state->results.Cell(row, 5)).rfind("下载中", 0), 0u);
    EXPECT_GT(rows.load(), 0);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(state->Shutdown(3s));
    catalog.reset();
    state.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    // The stopped download never became the song file.
    EXPECT_FALSE(QFile::exists(folder.filePath("artist《k》.MP3")));
}

}  // namespace
}  // namespace tunelark
