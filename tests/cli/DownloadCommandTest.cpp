#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "download/DownloadSettings.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestServer.h"

namespace tunelark::test {
namespace {

struct CliRun {
    int status = -1;
    std::string messages;  // what it wrote to stderr
};

class DownloadCommandTest : public ::testing::Test {
protected:
    CliRun Cli(const std::string& arguments) const {
        const auto log = folder_.Path() / "stderr.log";
        const std::string command =
            std::string(TUNELARK_CLI_PATH) + " " + arguments + " 2> " + log.string();
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.messages = ReadFile(log);
        std::filesystem::remove(log);
        return run;
    }

    std::string Out(const std::string& name = "out.bin") const {
        return (folder_.Path() / name).string();
    }

    TempFolder folder_;
    std::string body_ = PatternBody(2 * kPartSize + 17);
    TestServer server_{body_};
};

TEST_F(DownloadCommandTest, SavesEveryByteAndSaysWhere) {
    for (const char* threads : {"1", "4"}) {
        const CliRun run = Cli("download " + server_.Url() + " " + Out() + " --threads " + threads);
        EXPECT_EQ(run.status, 0) << run.messages;
        EXPECT_TRUE(ReadFile(Out()) == body_);
        EXPECT_NE(run.messages.find("saved " + Out()), std::string::npos) << run.messages;
    }
}

TEST_F(DownloadCommandTest, AFolderGetsTheServersName) {
    const CliRun run =
        Cli("download " + server_.Url("/media/song.mp3?sig=1") + " " + folder_.Path().string());
    EXPECT_EQ(run.status, 0) << run.messages;
    EXPECT_TRUE(ReadFile(folder_.Path() / "song.mp3") == body_);
}

TEST_F(DownloadCommandTest, FailuresSayWhyAndSaveNothing) {
    const struct {
        const char* name;
        ServerFaults faults;
        const char* says;
    } cases[] = {
        {"not found", {.status = 404}, "HTTP 404"},
        {"no length", {.omitContentLength = true}, "length"},
        {"part error", {.rangedStatus = 500}, "HTTP 500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server_.SetFaults(c.faults);
        const CliRun run = Cli("download " + server_.Url() + " " + Out());
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.messages.find(c.says), std::string::npos) << run.messages;
        EXPECT_TRUE(folder_.Names().empty());
    }
}

TEST_F(DownloadCommandTest, WrongArgumentsShowTheUsage) {
    for (const char* arguments : {"download", "download only-one", "download a b --threads 0",
                                  "download a b --threads x", "no-such-command"}) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.messages.find("usage"), std::string::npos) << arguments;
    }
}

}  // namespace
}  // namespace tunelark::test
