#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Connectivity.h"
#include "platform/HttpGet.h"
#include "tests/platform/LoopbackServer.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

class HttpGetTest : public testing::Test {
protected:
    void SetUp() override {
        auto& routes = server_.Routes();
        routes.Get("/page", [this](const httplib::Request& request, httplib::Response& reply) {
            cacheControl_ = request.get_header_value("Cache-Control");
            reply.set_content("hello", "text/plain");
        });
        routes.Get("/missing", [](const httplib::Request&, httplib::Response& reply) {
            reply.status = 404;
            reply.set_content("not here", "text/plain");
        });
        routes.Get("/moved", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_redirect("/page");
        });
        routes.Get("/big", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content(std::string(100000, 'x'), "text/plain");
        });
        routes.Get("/stall", [](const httplib::Request&, httplib::Response& reply) {
            std::this_thread::sleep_for(1500ms);
            reply.set_content("late", "text/plain");
        });
        server_.Start();
    }

    test::LoopbackServer server_;
    std::string cacheControl_;
};

TEST_F(HttpGetTest, BringsBackStatusAndBodyAndAsksForAFreshCopy) {
    const HttpReply reply = HttpGet(server_.Url("/page"), {});
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "hello");
    EXPECT_TRUE(reply.complete);
    EXPECT_EQ(cacheControl_, "no-cache");
}

TEST_F(HttpGetTest, ErrorStatusesAndRedirectsAreReportedAsTheyAre) {
    const HttpReply missing = HttpGet(server_.Url("/missing"), {});
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.body, "not here");
    const HttpReply moved = HttpGet(server_.Url("/moved"), {});
    EXPECT_EQ(moved.status, 200);
    EXPECT_EQ(moved.body, "hello");
}

TEST_F(HttpGetTest, ABodyOverTheLimitIsCutAndMarkedIncomplete) {
    const HttpReply reply = HttpGet(server_.Url("/big"), {.timeout = 5s, .maxBodyBytes = 1000});
    EXPECT_EQ(reply.status, 200);
    EXPECT_FALSE(reply.complete);
    EXPECT_LE(reply.body.size(), 1000u);
}

TEST_F(HttpGetTest, TimeOutAndCancelEndTheExchangeEarly) {
    const auto start = std::chrono::steady_clock::now();
    const HttpReply late = HttpGet(server_.Url("/stall"), {.timeout = 300ms});
    EXPECT_EQ(late.status, 0);
    EXPECT_FALSE(late.complete);
    int calls = 0;
    const HttpReply cancelled = HttpGet(server_.Url("/stall"), {.timeout = 5s}, [&calls] {
        ++calls;
        return false;
    });
    EXPECT_FALSE(cancelled.complete);
    EXPECT_GE(calls, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1400ms);
}

TEST(HttpGetRefusals, NoServerOrAnotherSchemeGivesNoReply) {
    for (const std::string& address :
         {test::ClosedPortUrl("/"), std::string("file:///etc/passwd"),
          std::string("ftp://127.0.0.1/"), std::string("not an url")}) {
        const HttpReply reply = HttpGet(address, {.timeout = 2s});
        EXPECT_EQ(reply.status, 0) << address;
        EXPECT_TRUE(reply.body.empty()) << address;
    }
}

TEST_F(HttpGetTest, OnlineWhenAnyServerAnswersInTime) {
    EXPECT_TRUE(IsOnline(server_.Url("/page"), 2s));
    EXPECT_TRUE(IsOnline(server_.Url("/missing"), 2s));
    EXPECT_TRUE(IsOnline(server_.Url("/big"), 2s));  // cut short, still an answer
    EXPECT_FALSE(IsOnline(server_.Url("/stall"), 200ms));
    EXPECT_FALSE(IsOnline(test::ClosedPortUrl("/"), 2s));
}

}  // namespace
}  // namespace tunelark
