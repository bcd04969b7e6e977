#include <gtest/gtest.h>

#include <QTest>
#include <deque>

#include "app/UpdateCheck.h"
#include "app/UpdateFlow.h"
#include "tests/app/RecordingUi.h"
#include "tests/platform/LoopbackServer.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;
using Kind = UpdateOutcome::Kind;

Text Document(const std::string& version, const std::string& address) {
    return Utf8ToGbk("说明文字【最新版本号】" + version + "&其他【下载地址】" + address + "#尾");
}

// Fetches from a script of replies and records the pauses instead of sleeping.
struct ScriptedCheck {
    std::deque<std::string> replies;
    std::vector<std::chrono::milliseconds> pauses;
    int fetches = 0;
    bool stopDuringPause = false;

    std::optional<UpdateOutcome> Run() {
        return CheckForUpdate(
            [this] {
                ++fetches;
                std::string reply = replies.empty() ? "" : replies.front();
                if (!replies.empty()) replies.pop_front();
                return reply;
            },
            [this](std::chrono::milliseconds pause) {
                pauses.push_back(pause);
                return !stopDuringPause;
            });
    }
};

TEST(CheckForUpdate, RetriesThreeTimesWithAOneSecondPauseAfterEachFailure) {
    struct Case {
        std::deque<std::string> replies;
        int fetches;
        size_t pauses;
        Kind kind;
    };
    const Case cases[] = {
        {{Document("1.0.0", "http://a/")}, 1, 0, Kind::Current},
        {{"", Document("1.0.0", "http://a/")}, 2, 1, Kind::Current},
        {{"", "", Document("2.0", "http://a/")}, 3, 2, Kind::Newer},
        {{"", "", ""}, 3, 3, Kind::Unreachable},
        // A reply that starts with a zero byte is an empty text.
        {{std::string("\0x", 2), "", ""}, 3, 3, Kind::Unreachable},
    };
    for (const Case& c : cases) {
        ScriptedCheck check;
        check.replies = c.replies;
        const auto outcome = check.Run();
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->kind, c.kind);
        EXPECT_EQ(check.fetches, c.fetches);
        ASSERT_EQ(check.pauses.size(), c.pauses);
        for (const auto pause : check.pauses) EXPECT_EQ(pause, 1000ms);
    }
}

TEST(CheckForUpdate, AnEndingProgramCutsTheAttemptsShort) {
    ScriptedCheck check;
    check.replies = {"", "", ""};
    check.stopDuringPause = true;
    EXPECT_FALSE(check.Run().has_value());
    EXPECT_EQ(check.fetches, 1);
}

TEST(ReadUpdateDocument, ComparesTheVersionByteForByte) {
    struct Case {
        Text document;
        Kind kind;
        Text address;
    };
    const Case cases[] = {
        {Document("1.0.0", "https://x.test/new"), Kind::Current, "https://x.test/new"},
        {Document("1.0.1", "https://x.test/new"), Kind::Newer, "https://x.test/new"},
        {Document("0.9", "u"), Kind::Newer, "u"},
        {Document("1.0.0 ", "u"), Kind::Newer, "u"},
        // The two fields in the other order.
        {Utf8ToGbk("【下载地址】http://b/#【最新版本号】1.0.0&"), Kind::Current, "http://b/"},
        // No version marker: an empty version differs too.
        {Utf8ToGbk("【下载地址】http://b/#"), Kind::Newer, "http://b/"},
        {"nothing at all", Kind::Newer, ""},
    };
    for (const Case& c : cases) {
        const UpdateOutcome outcome = ReadUpdateDocument(c.document);
        EXPECT_EQ(outcome.kind, c.kind) << GbkToUtf8(c.document);
        EXPECT_EQ(outcome.address, c.address) << GbkToUtf8(c.document);
    }
}

class UpdateFlowTest : public testing::Test {
protected:
    UpdateFlow MakeFlow(UpdateFlow::Fetch fetch) {
        return UpdateFlow(
            ui_, workers_, [this] { ++ends_; }, std::move(fetch));
    }

    test::RecordingUi ui_;
    WorkerThreads workers_;
    int ends_ = 0;
};

const QString kFailureText =
    "服务器连接失败，请检查电脑是否设置ip代理或翻墙等相关操作，如果开启请关闭后重试，如若网络正常请"
    "重启路由器或断开网络重新连接后 尝试！";

TEST_F(UpdateFlowTest, EachOutcomeShowsWhatItShould) {
    UpdateFlow flow = MakeFlow({});
    flow.Present({Kind::Current, "http://x/"});
    EXPECT_TRUE(ui_.messages.empty());

    flow.Present({Kind::Newer, "https://tunelark.test/get?v=2"});
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(ui_.messages[0].title, "更新提示");
    EXPECT_EQ(ui_.messages[0].text, "检测到新版本，请点击确定下载最新版本！");
    ASSERT_EQ(ui_.opened.size(), 1u);
    EXPECT_EQ(ui_.opened[0], QUrl("https://tunelark.test/get?v=2"));
    EXPECT_EQ(ends_, 0);

    flow.Present({Kind::Unreachable, ""});
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(ui_.messages[1].title, "错误提示");
    EXPECT_EQ(ui_.messages[1].text, kFailureText);
    EXPECT_EQ(ends_, 1);
}

TEST_F(UpdateFlowTest, OnlyWebAddressesAreHandedToTheBrowser) {
    UpdateFlow flow = MakeFlow({});
    for (const char* address : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://h/x",
                                "C:\\setup.exe", "http://", "mailto:a@b.c"}) {
        flow.Present({Kind::Newer, address});
    }
    EXPECT_EQ(ui_.messages.size(), 7u);  // the prompt each time
    EXPECT_TRUE(ui_.opened.empty());
    EXPECT_TRUE(IsWebAddress("HTTP://Example.test/a"));
}

// The whole check against a real update server on loopback.
class UpdateServerTest : public UpdateFlowTest {
protected:
    void Serve(const Text& document, int status = 200) {
        server_.Routes().Get(
            "/software/music/music.php",
            [document, status, this](const httplib::Request&, httplib::Response& reply) {
                ++requests_;
                reply.status = status;
                reply.set_content(document, "text/plain; charset=gbk");
            });
        server_.Start();
    }
    void Run(const std::string& address) {
        UpdateFlow flow = MakeFlow(
            [address](std::stop_token stop) { return FetchUpdateDocument(address, stop); });
        flow.Start();
        QTRY_COMPARE_WITH_TIMEOUT(workers_.Running(), 0, 10000);
        QCoreApplication::processEvents();  // the outcome comes back as a queued call
    }

    test::LoopbackServer server_;
    std::atomic<int> requests_{0};
};

TEST_F(UpdateServerTest, ANewerVersionPromptsAndOpensItsAddress) {
    Serve(Document("1.0.1", "http://127.0.0.1/tunelark-1.0.1"));
    Run(server_.Url("/software/music/music.php"));
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].title, "更新提示");
    ASSERT_EQ(ui_.opened.size(), 1u);
    EXPECT_EQ(ui_.opened[0].toString(), "http://127.0.0.1/tunelark-1.0.1");
    EXPECT_EQ(requests_.load(), 1);
}

TEST_F(UpdateServerTest, OurOwnVersionShowsNothing) {
    Serve(Document("1.0.0", "http://127.0.0.1/x"));
    Run(server_.Url("/software/music/music.php"));
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_TRUE(ui_.opened.empty());
    EXPECT_EQ(ends_, 0);
}

TEST_F(UpdateServerTest, AnErrorPageThreeTimesIsAFailureAfterThreeSeconds) {
    Serve(Document("9.9", "http://127.0.0.1/x"), 404);
    const auto start = std::chrono::steady_clock::now();
    Run(server_.Url("/software/music/music.php"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 3000ms);
    EXPECT_EQ(requests_.load(), 3);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, kFailureText);
    EXPECT_EQ(ends_, 1);
    EXPECT_TRUE(ui_.opened.empty());
}

TEST_F(UpdateServerTest, TheExitStopsAWaitingCheckAtOnce) {
    UpdateFlow flow = MakeFlow(
        [](std::stop_token stop) { return FetchUpdateDocument(test::ClosedPortUrl("/"), stop); });
    flow.Start();
    QTest::qWait(100);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(workers_.StopAndJoin(2s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(ends_, 0);
}

}  // namespace
}  // namespace tunelark
