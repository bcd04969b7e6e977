#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

#include "app/Startup.h"
#include "app/WindowParts.h"
#include "catalog/Columns.h"
#include "net/WaitHook.h"
#include "tests/app/RecordingUi.h"
#include "tests/platform/LoopbackServer.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Long enough that no slow download can end while the test runs (about 40 s each).
constexpr size_t kSlowSize = 8 << 20;
constexpr size_t kQuickSize = 300'000;
// The program's own grace for its workers at exit.
constexpr auto kWorkerGrace = 3s;
// Generous: the exit waits for the workers, then stops every job and joins its threads.
constexpr auto kExitBound = 10s;
constexpr int kEventLoopTimedOut = 99;

std::string QuickBytes() {
    std::string bytes(kQuickSize, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 % 251);
    return bytes;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The files in a folder by name, with their contents.
std::map<std::string, std::string> FolderContents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = ReadAll(entry.path());
    }
    return files;
}

// The window as the program composes it, with the start-up it runs, over a loopback server
// whose /slow/ files trickle in a few KiB at a time (honouring ranges) and whose /quick.mp3
// arrives at once.
class WindowExit : public testing::Test {
protected:
    WindowExit() {
        setenv("TUNELARK_DRIVE_ROOT", drive_.path().toUtf8().constData(), 1);
        server_.Routes().Get("/probe", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content("ok", "text/plain");
        });
        server_.Routes().Get("/quick.mp3", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content(QuickBytes(), "audio/mpeg");
        });
        server_.Routes().Get(R"(/slow/.+)", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content_provider(kSlowSize, "application/octet-stream",
                                       [](size_t, size_t length, httplib::DataSink& sink) {
                                           std::this_thread::sleep_for(20ms);
                                           const std::string chunk(std::min<size_t>(length, 4096),
                                                                   's');
                                           return sink.write(chunk.data(), chunk.size());
                                       });
        });
        server_.Start();
        // As the program installs it: blocking calls on the GUI thread keep the window alive.
        QThread* gui = QThread::currentThread();
        SetWaitHook([gui] {
            if (QThread::currentThread() == gui) QCoreApplication::processEvents();
        });
        parts_ = std::make_unique<WindowParts>(ui_);
        update_ = std::make_unique<UpdateFlow>(
            ui_, State().workers, [] { QCoreApplication::exit(1); },
            [](std::stop_token) { return Utf8ToGbk("【最新版本号】") + kProgramVersion + "&"; });
        startup_ =
            std::make_unique<Startup>(*qApp, State(), Window(), ui_, *update_,
                                      StartupSettings{.probeUrl = server_.Url("/probe"),
                                                      .probeTimeout = 5s,
                                                      .defaultFolder = DefaultDownloadFolder()});
    }
    ~WindowExit() override { SetWaitHook({}); }

    ProcessState& State() { return parts_->State(); }
    MainWindow& Window() { return parts_->Window(); }
    MainPage& Main() { return Window().Main(); }
    fs::path Folder() const { return fs::path(drive_.path().toStdString()) / "音乐下载地址"; }

    int32_t AddSong(const std::string& artist, const std::string& path) {
        const int32_t row = State().results.Append(std::to_string(State().results.RowCount() + 1));
        State().results.SetCell(row, SongColumn::kArtist, Utf8ToGbk(artist));
        State().results.SetCell(row, SongColumn::kAddress, server_.Url(path));
        return row;
    }
    int32_t AddQuality(const std::string& label, const std::string& path) {
        const int32_t row = State().qualities.Append(Utf8ToGbk(label));
        State().qualities.SetCell(row, MvQualityColumn::kAddress, server_.Url(path));
        return row;
    }
    // Selects a row in the list's view, as a click does, and picks a menu item.
    static void Pick(ReportList* list, int32_t row, QMenu* menu, int item) {
        list->Model().Flush();
        list->selectionModel()->select(
            list->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        menu->actions()[item]->trigger();
    }
    // The status the window shows for a row.
    static std::string Shown(ReportList* list, int32_t row, int column) {
        list->Model().Flush();
        return list->model()->index(row, column).data().toString().toStdString();
    }

    // The program's end after its event loop: the workers, then (only if they ended) the
    // objects in reverse order of their making, the catalogue with its downloads first.
    void Exit() {
        ASSERT_TRUE(State().Shutdown(kWorkerGrace));
        startup_.reset();
        update_.reset();
        parts_.reset();
    }

    QTemporaryDir drive_;
    test::LoopbackServer server_;
    test::RecordingUi ui_;
    std::unique_ptr<WindowParts> parts_;
    std::unique_ptr<UpdateFlow> update_;
    std::unique_ptr<Startup> startup_;
};

TEST_F(WindowExit, ClosingTheWindowWhileSongsAndMvsDownloadEndsCleanly) {
    ASSERT_TRUE(startup_->OnWindowCreated());
    Window().show();
    Main().keyword->setText("凉凉");
    // An earlier file of the name one of the unfinished downloads would take.
    const fs::path earlier = Folder() / "歌手二《凉凉》.MP3";
    std::ofstream(earlier, std::ios::binary) << "an earlier song";

    const std::vector<int32_t> slowSongs = {AddSong("歌手一", "/slow/1.mp3"),
                                            AddSong("歌手二", "/slow/2.mp3"),
                                            AddSong("歌手三", "/slow/3.mp3")};
    const int32_t quickSong = AddSong("歌手四", "/quick.mp3");
    const std::vector<int32_t> slowMvs = {AddQuality("高清", "/slow/4.mp4"),
                                          AddQuality("超清", "/slow/5.mp4")};
    for (const int32_t row : slowSongs) Pick(Main().results, row, Main().songMenu, 1);
    Pick(Main().results, quickSong, Main().songMenu, 1);
    for (const int32_t row : slowMvs) Pick(Main().qualities, row, Main().qualityMenu, 0);

    const auto downloading = [this](ReportList* list, int32_t row, int column) {
        return Shown(list, row, column).starts_with("下载中");
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            bool all = Shown(Main().results, quickSong, SongColumn::kStatus) == "下载完成";
            for (const int32_t row : slowSongs)
                all = all && downloading(Main().results, row, SongColumn::kStatus);
            for (const int32_t row : slowMvs)
                all = all && downloading(Main().qualities, row, MvQualityColumn::kStatus);
            return all;
        },
        20'000))
        << "the downloads did not all get under way";
    EXPECT_EQ(ui_.messages.size(), 0u);

    // The user closes the window: the event loop ends as the program's does.
    QTimer::singleShot(0, &Window(), [this] { Window().close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(kEventLoopTimedOut); });
    guard.start(20s);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(Window().isVisible());

    const auto start = std::chrono::steady_clock::now();
    Exit();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kExitBound);

    // Only the finished song and the untouched earlier file: no unfinished download under its
    // final name, and no temporary file left behind.
    const std::map<std::string, std::string> expected = {{"歌手二《凉凉》.MP3", "an earlier song"},
                                                         {"歌手四《凉凉》.MP3", QuickBytes()}};
    const auto found = FolderContents(Folder());
    EXPECT_EQ(found.size(), expected.size());
    for (const auto& [name, bytes] : found) {
        const auto wanted = expected.find(name);
        EXPECT_TRUE(wanted != expected.end() && wanted->second == bytes) << name;
    }
}

}  // namespace
}  // namespace tunelark
