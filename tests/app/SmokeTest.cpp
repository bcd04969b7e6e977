#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/app/ChildProcess.h"
#include "tests/app/X11Windows.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

// A fresh folder for the drive root, removed afterwards.
class TemporaryFolder final {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tunelark-smoke-XXXXXX");
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code error;
        if (!path_.empty()) std::filesystem::remove_all(path_, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

TEST(Smoke, TheAppStartsAgainstTheStandInShowsItsWindowAndEndsCleanlyWhenClosed) {
    if (!std::filesystem::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "no Xvfb";
    test::ChildProcess server(
        {"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"}, {});
    const auto displayNumber = server.ReadLine(10s);
    ASSERT_TRUE(displayNumber.has_value()) << "Xvfb did not start";
    const std::string display = ":" + *displayNumber;

    test::ChildProcess standIn({TUNELARK_STANDIN_PATH, "--port", "0"}, {});
    const std::optional<std::string> line = standIn.ReadLine(60s);
    const std::string prefix = "listening on ";
    ASSERT_TRUE(line && line->rfind(prefix, 0) == 0) << line.value_or("(nothing)");
    const std::string base = line->substr(prefix.size());

    TemporaryFolder drive;
    test::ChildProcess app({TUNELARK_APP_PATH}, {{"DISPLAY", display},
                                                 {"QT_QPA_PLATFORM", "xcb"},
                                                 {"TUNELARK_MUSIC_BASE", base},
                                                 {"TUNELARK_MV_BASE", base},
                                                 {"TUNELARK_UPDATE_BASE", base},
                                                 {"TUNELARK_PROBE_URL", base + "/probe"},
                                                 {"TUNELARK_DRIVE_ROOT", drive.Path().string()}});
    ASSERT_TRUE(app.Started());
    test::X11Windows windows(display);
    ASSERT_TRUE(windows.Connected());
    const unsigned long window = windows.WaitForWindow("TunelarkV1.0.0", 20s);
    ASSERT_NE(window, 0u) << "no window appeared";
    EXPECT_TRUE(std::filesystem::is_directory(drive.Path() / "音乐下载地址"));

    std::this_thread::sleep_for(1s);  // the update check and the players get going
    windows.AskToClose(window);
    const std::optional<int> status = app.Wait(15s);
    ASSERT_TRUE(status.has_value()) << "the app did not end after its window closed";
    EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace tunelark
