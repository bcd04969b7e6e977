#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>

#include "SharedStandIn.h"
#include "catalog/CatalogSearch.h"
#include "catalog/Columns.h"
#include "download/MultiPartDownloader.h"
#include "download/MvProgress.h"
#include "download/SongProgress.h"
#include "platform/RowStore.h"
#include "tests/download/DownloadTestSupport.h"
#include "text/CodePage.h"

namespace tunelark::test {
namespace {

namespace fs = std::filesystem;

constexpr int kDownloads = 20;
constexpr int kSearches = 50;
constexpr auto kLoadLimit = std::chrono::seconds(40);
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif
// Generous (the files never pass through memory whole); the address sanitizer keeps freed
// memory in quarantine, up to 256 MiB of it.
constexpr int64_t kMostGrowthKiB = (kAddressSanitizer ? 1024 : 256) * 1024;

const char* const kSongs[] = {"/media/song/228901.mp3", "/media/song/228902.mp3"};
const char* const kMvs[] = {"/media/mv/5001/720p.mp4", "/media/mv/5002/1080p.mp4"};

// The process's peak resident size so far, in KiB.
int64_t PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:")) return std::atoll(line.c_str() + 6);
    }
    return -1;
}

// Counts the jobs' end reports and waits for all of them.
class EndCount final {
public:
    void Add(int32_t status) {
        std::lock_guard lock(mutex_);
        ++(status == kReportDone ? done_ : failed_);
        changed_.notify_all();
    }
    bool WaitFor(int count, std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return done_ + failed_ >= count; });
    }
    int Done() {
        std::lock_guard lock(mutex_);
        return done_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int done_ = 0;
    int failed_ = 0;
};

// A view of one list as the window has it: its own lock, taken both by its reader and by the
// store's change hook. Were the hook called with the store's lock held, reader (view lock,
// then store lock) and writer (store lock, then view lock) would deadlock.
class LockingView final {
public:
    explicit LockingView(RowStore& rows) : rows_(rows) {
        rows_.SetChangeHook([this](RowStore::Change, int32_t row) {
            std::lock_guard lock(mutex_);
            if (row >= 0 && row < rows_.RowCount()) (void)rows_.Cell(row, 0);
            ++changes_;
        });
    }
    ~LockingView() { rows_.SetChangeHook(nullptr); }
    LockingView(const LockingView&) = delete;
    LockingView& operator=(const LockingView&) = delete;

    void ReadAll() {
        std::lock_guard lock(mutex_);
        for (int32_t row = 0; row < rows_.RowCount(); ++row) (void)rows_.Cell(row, 0);
    }
    [[nodiscard]] int64_t Changes() {
        std::lock_guard lock(mutex_);
        return changes_;
    }

private:
    RowStore& rows_;
    std::mutex mutex_;
    int64_t changes_ = 0;
};

class LoadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* path : kSongs) served_[path] = SharedStandIn::Served(path);
        for (const char* path : kMvs) served_[path] = SharedStandIn::Served(path);
    }
    void SetUp() override {
        ASSERT_FALSE(SharedStandIn::Base().empty()) << "the stand-in did not start";
        for (const auto& [path, bytes] : served_) ASSERT_GT(bytes.size(), kPartSize) << path;
    }

    static std::map<std::string, std::string> served_;
};

std::map<std::string, std::string> LoadTest::served_;

TEST_F(LoadTest, TwentyDownloadsAtOnceArriveByteForByte) {
    for (const int32_t threads : {1, 4}) {
        SCOPED_TRACE(threads);
        const int64_t peakBefore = PeakKiB();
        TempFolder folder;
        RowStore songs(SongColumn::kCount);
        RowStore mvs(MvQualityColumn::kCount);
        for (int i = 0; i < kDownloads / 2; ++i) {
            (void)songs.Append(std::to_string(i));
            (void)mvs.Append(std::to_string(i));
        }
        LockingView songView(songs);
        LockingView mvView(mvs);
        SongProgress songProgress(songs);
        MvProgress mvProgress(mvs);
        EndCount ends;
        std::vector<std::pair<fs::path, std::string>> expected;
        {
            MultiPartDownloader downloader;
            for (int i = 0; i < kDownloads; ++i) {
                const bool song = i % 2 == 0;
                const int32_t row = i / 2;
                const char* path = song ? kSongs[row % 2] : kMvs[row % 2];
                const ProgressCallback report =
                    song ? songProgress.ForRow(row) : mvProgress.ForRow(row);
                Text target = Utf8ToGbk((folder.Path() / (std::to_string(i) + ".bin")).string());
                expected.emplace_back(GbkToUtf8(target), path);
                ASSERT_GT(
                    downloader.Start(
                        Utf8ToGbk(SharedStandIn::Base() + path), target, threads,
                        [&, report](int32_t job, int32_t status, int64_t total, int64_t bytes) {
                            report(job, status, total, bytes);
                            if (status != kReportProgress) ends.Add(status);
                        },
                        0),
                    0);
            }
            // While the reports flow: the view reads under its lock, and the job table and the
            // pause and resume controls take the downloader's and the jobs' locks.
            std::atomic<bool> finished{false};
            std::thread reader([&] {
                for (int round = 0; !finished; ++round) {
                    songView.ReadAll();
                    mvView.ReadAll();
                    (void)downloader.JobTable();
                    if (round % 50 == 10) downloader.PauseAll();
                    if (round % 50 == 12) downloader.ResumeAll();
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                downloader.ResumeAll();
            });
            const bool ended = ends.WaitFor(kDownloads, kLoadLimit);
            finished = true;
            reader.join();
            if (!ended) {
                // Stuck jobs mean a deadlock: destroying the downloader would hang as well.
                std::fprintf(stderr, "downloads did not end within the limit (deadlock?)\n");
                std::abort();
            }
        }
        EXPECT_EQ(ends.Done(), kDownloads);
        for (const auto& [file, path] : expected) {
            EXPECT_TRUE(ReadFile(file) == served_[path]) << file << " differs from " << path;
        }
        for (int32_t row = 0; row < kDownloads / 2; ++row) {
            EXPECT_EQ(GbkToUtf8(songs.Cell(row, SongColumn::kStatus)), "下载完成");
            EXPECT_EQ(GbkToUtf8(mvs.Cell(row, MvQualityColumn::kStatus)), "下载完成");
        }
        EXPECT_GT(songView.Changes(), kDownloads);
        EXPECT_EQ(folder.Names().size(), static_cast<size_t>(kDownloads)) << "no file left over";
        const int64_t growth = PeakKiB() - peakBefore;
        std::printf("threads %d: peak resident size grew by %lld KiB\n", threads,
                    static_cast<long long>(growth));
        EXPECT_LT(growth, kMostGrowthKiB);
    }
}

TEST_F(LoadTest, FiftyOverlappingSearchesAllAnswerAndNeverMix) {
    const Text keyword = Utf8ToGbk("凉凉");
    const ServiceConfig config = SharedStandIn::Config();
    const size_t musicRows = FetchSearch(SearchMode::Music, keyword, config).size();
    const size_t mvRows = FetchSearch(SearchMode::Mv, keyword, config).size();
    ASSERT_GT(musicRows, 0u);
    ASSERT_GT(mvRows, 0u);
    ASSERT_NE(musicRows, mvRows) << "the check below tells the two apart by their count";

    RowStore results(SongColumn::kCount);
    LockingView view(results);
    SearchSession session(results);
    std::atomic<int> complete{0};
    std::vector<std::thread> searches;
    for (int i = 0; i < kSearches; ++i) {
        searches.emplace_back([&, i] {
            const SearchMode mode = i % 2 == 0 ? SearchMode::Music : SearchMode::Mv;
            // Each answers in full on its own, and through the shared list only while newest.
            if (FetchSearch(mode, keyword, config).size() == (i % 2 == 0 ? musicRows : mvRows)) {
                ++complete;
            }
            (void)RunSearch(mode, keyword, session.Begin(), config);
            view.ReadAll();
        });
    }
    for (std::thread& search : searches) search.join();
    EXPECT_EQ(complete, kSearches);
    // The list holds one search's rows, numbered from 1, with none of another mixed in.
    const auto rows = static_cast<size_t>(results.RowCount());
    EXPECT_TRUE(rows == musicRows || rows == mvRows || rows == 0) << rows;
    for (int32_t row = 0; row < results.RowCount(); ++row) {
        EXPECT_EQ(results.Cell(row, SongColumn::kNumber), std::to_string(row + 1));
    }
}

}  // namespace
}  // namespace tunelark::test
