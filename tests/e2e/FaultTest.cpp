#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "CliProcess.h"
#include "SharedStandIn.h"
#include "catalog/Columns.h"
#include "download/MultiPartDownloader.h"
#include "download/SongProgress.h"
#include "platform/RowStore.h"
#include "tests/download/DownloadTestSupport.h"
#include "text/CodePage.h"

namespace tunelark::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSong = "/media/song/228901.mp3";
constexpr const char* kOldBytes = "an earlier file of the same name\n";
constexpr uid_t kNobody = 65534;

// A loopback listener that closes every connection before a byte of reply is sent.
class SilentCloser final {
public:
    SilentCloser() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof(address);
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        if (::bind(fd_, raw, size) == 0 && ::listen(fd_, 16) == 0 &&
            ::getsockname(fd_, raw, &size) == 0) {
            port_ = ntohs(address.sin_port);
        }
        thread_ = std::thread([this] { Serve(); });
    }
    ~SilentCloser() {
        stop_ = true;
        thread_.join();
        ::close(fd_);
    }
    SilentCloser(const SilentCloser&) = delete;
    SilentCloser& operator=(const SilentCloser&) = delete;

    [[nodiscard]] std::string Url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/song.mp3";
    }
    [[nodiscard]] int Accepted() const { return accepted_; }

private:
    void Serve() {
        while (!stop_) {
            pollfd entry{fd_, POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0) continue;
            const int client = ::accept(fd_, nullptr, nullptr);
            if (client < 0) continue;
            ++accepted_;
            ::close(client);
        }
    }

    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(SharedStandIn::Base().empty()) << "the stand-in did not start";
        song_ = SharedStandIn::Served(kSong);
        ASSERT_GT(song_.size(), 2u * kPartSize);
        WriteOld(Target());
    }

    [[nodiscard]] fs::path Target() const { return folder_.Path() / "song.mp3"; }
    [[nodiscard]] static std::string Address(const std::string& query) {
        return SharedStandIn::Base() + kSong + (query.empty() ? "" : "?" + query);
    }
    static void WriteOld(const fs::path& path) {
        std::ofstream(path, std::ios::binary) << kOldBytes;
    }

    // Nothing lost: the earlier file is whole and no temporary file is left beside it.
    void ExpectOldFileAlone() const {
        EXPECT_EQ(ReadFile(Target()), kOldBytes);
        EXPECT_EQ(folder_.Names(), std::vector<std::string>{"song.mp3"});
    }

    // Starts a job on the song; -1 when the start failed.
    int32_t Start(const std::string& query, ReportLog& log, int32_t threads = 2) {
        Text target = Utf8ToGbk(Target().string());
        return downloader_.Start(Utf8ToGbk(Address(query)), target, threads, log.Callback(), 0);
    }

    TempFolder folder_;
    std::string song_;
    MultiPartDownloader downloader_{DownloadSettings{.partAttempts = 2,
                                                     .maxPartAttempts = 16,
                                                     .retryBackoff = std::chrono::milliseconds(10),
                                                     .stallTimeout = std::chrono::seconds(1),
                                                     .probeTimeout = std::chrono::seconds(2)}};
};

// Faults the stand-in applies from the first request (the probe fails: the start fails) or,
// server-wide, only once the job's parts are under way (rate= keeps the first parts in flight).
TEST_F(FaultTest, EveryFaultEndsInAClearStateAndKeepsTheEarlierFile) {
    const struct {
        const char* name;
        const char* query;       // on the address
        const char* afterStart;  // server-wide, once the start returned
        bool starts;
        const char* reason;  // part of the reason the job gives
    } cases[] = {
        {"500 at once", "status=500", "", false, "500"},
        {"endless redirects", "redirect=loop", "", false, "edirect"},
        {"a stall before the reply", "stall=4000", "", false, "Timeout"},
        {"500 on later parts", "rate=1000000", "status=500", true, "HTTP 500"},
        {"drop before any body byte of later parts", "rate=1000000", "drop=0", true, "partial"},
        {"a stall past the time-out on later parts", "rate=1000000", "stall=3000", true, "Timeout"},
        {"more length announced than sent", "overlength=1000", "", true, "partial"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportLog log;
        const int32_t job = Start(c.query, log);
        if (!c.starts) {
            EXPECT_EQ(job, -1);
            const std::string reason =
                downloader_.FailureReason(static_cast<int32_t>(downloader_.JobTable().size()));
            EXPECT_FALSE(reason.empty());
            EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
            EXPECT_TRUE(log.Reports().empty());
        } else {
            ASSERT_GT(job, 0) << downloader_.FailureReason(job);
            const MediaFaults faults(c.afterStart);
            ASSERT_TRUE(faults.Ok());
            EXPECT_EQ(log.WaitForEnd(std::chrono::seconds(30)), kReportFailed);
            const std::string reason = downloader_.FailureReason(job);
            EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        }
        ExpectOldFileAlone();
    }
}

TEST_F(FaultTest, ADropMidPartResumesToAnExactFile) {
    // Every reply is cut after 300,000 bytes: each part needs several connections.
    ReportLog log;
    ASSERT_GT(Start("drop=300000", log, 4), 0);
    ASSERT_EQ(log.WaitForEnd(std::chrono::seconds(30)), kReportDone);
    EXPECT_TRUE(ReadFile(Target()) == song_) << "the earlier file is replaced by a whole one";
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"song.mp3"});
}

TEST_F(FaultTest, ADropInTheLastPartFailsWithoutAFile) {
    // One part at a time at 2 MB/s; the drop begins once the part before the last is under way.
    const auto size = static_cast<int64_t>(song_.size());
    const int64_t lastPartStart = (size - 1) / kPartSize * kPartSize;
    std::atomic<int64_t> done{0};
    ReportLog log;
    const ProgressCallback logged = log.Callback();
    Text target = Utf8ToGbk(Target().string());
    ASSERT_GT(downloader_.Start(
                  Utf8ToGbk(Address("rate=2000000")), target, 1,
                  [&](int32_t job, int32_t status, int64_t total, int64_t bytes) {
                      if (status == kReportProgress) done = bytes;
                      logged(job, status, total, bytes);
                  },
                  0),
              0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (done < lastPartStart - kPartSize + 100'000 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_LT(done, lastPartStart) << "the drop came too late to hit the last part";
    const MediaFaults faults("drop=0");
    ASSERT_EQ(log.WaitForEnd(std::chrono::seconds(30)), kReportFailed);
    EXPECT_EQ(done, lastPartStart) << "every part but the last arrived";
    ExpectOldFileAlone();
}

TEST_F(FaultTest, TheTargetFolderRemovedMidDownloadFailsTheRow) {
    RowStore rows(SongColumn::kCount);
    (void)rows.Append("1");
    SongProgress progress(rows);
    const fs::path folder = folder_.Path() / "chosen";
    fs::create_directories(folder);
    ReportLog log;
    const ProgressCallback logged = log.Callback();
    const ProgressCallback row = progress.ForRow(0);
    Text target = Utf8ToGbk((folder / "song.mp3").string());
    ASSERT_GT(downloader_.Start(
                  Utf8ToGbk(Address("rate=2000000")), target, 1,
                  [&](int32_t job, int32_t status, int64_t total, int64_t bytes) {
                      row(job, status, total, bytes);
                      logged(job, status, total, bytes);
                  },
                  0),
              0);
    ASSERT_TRUE(log.WaitForBytes(100'000));
    fs::remove_all(folder);
    EXPECT_EQ(log.WaitForEnd(std::chrono::seconds(30)), kReportFailed);
    EXPECT_EQ(GbkToUtf8(rows.Cell(0, SongColumn::kStatus)), "下载失败，请重试！");
    EXPECT_FALSE(fs::exists(folder)) << "the folder is not made again";
    ExpectOldFileAlone();
}

// The command line: the exit status and message tell the outcome.
class CliFaultTest : public FaultTest {
protected:
    CliResult Download(const std::string& address, const fs::path& target, CliLimits limits = {}) {
        return RunCli({"download", address, target.string(), "--threads", "2"}, limits);
    }
};

TEST_F(CliFaultTest, AConnectionClosedBeforeTheStatusLineFails) {
    const SilentCloser server;
    const CliResult run = Download(server.Url(), Target());
    EXPECT_EQ(run.status, 1) << run.messages;
    EXPECT_NE(run.messages.find("cannot reach the server"), std::string::npos) << run.messages;
    EXPECT_GE(server.Accepted(), 1);
    ExpectOldFileAlone();
}

TEST_F(CliFaultTest, AFullDiskFailsAtOnceAndKeepsTheEarlierFile) {
    // A file-size limit below the song's length stands for a disk that cannot hold it.
    const CliResult run =
        Download(Address(""), Target(), {.fileSizeLimit = 1'000'000, .user = std::nullopt});
    EXPECT_EQ(run.status, 1) << run.messages;
    EXPECT_NE(run.messages.find("cannot reserve"), std::string::npos) << run.messages;
    ExpectOldFileAlone();
}

TEST_F(CliFaultTest, AFolderItCannotWriteFailsAndChangesNothing) {
    // Root ignores permission bits, so the write is refused two other ways: a file where the
    // folder should be, and a folder of root's that an unprivileged user may not write to.
    const fs::path notAFolder = folder_.Path() / "song.mp3" / "inside.mp3";
    CliResult run = Download(Address(""), notAFolder);
    EXPECT_EQ(run.status, 1) << run.messages;
    EXPECT_NE(run.messages.find("Not a directory"), std::string::npos) << run.messages;
    ExpectOldFileAlone();

    if (::geteuid() != 0) GTEST_SKIP() << "changing user needs root";
    fs::permissions(folder_.Path(), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
    fs::permissions(Target(), fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
    run = Download(Address(""), Target(), {.fileSizeLimit = std::nullopt, .user = kNobody});
    EXPECT_EQ(run.status, 1) << run.messages;
    EXPECT_NE(run.messages.find("Permission denied"), std::string::npos) << run.messages;
    ExpectOldFileAlone();
}

TEST_F(CliFaultTest, EndlessRedirectsFailWithAMessage) {
    const CliResult run = Download(Address("redirect=loop"), Target());
    EXPECT_EQ(run.status, 1) << run.messages;
    EXPECT_NE(run.messages.find("edirect"), std::string::npos) << run.messages;
    ExpectOldFileAlone();
}

}  // namespace
}  // namespace tunelark::test
