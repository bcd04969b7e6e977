#include <gtest/gtest.h>

#include <chrono>

#include "net/RequestFailure.h"
#include "net/WebRequest.h"
#include "platform/CancelScope.h"
#include "platform/WorkerThreads.h"
#include "tests/net/ScriptedServer.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;
using test::HttpReply;
using test::ScriptedServer;

TEST(WebRequestCancel, AWorkersStopEndsItsWaitingRequestAsAFailure) {
    // The reply would come long after the request's own 30 s time-out.
    ScriptedServer stalled({{HttpReply("HTTP/1.1 200 OK", {}, "late"), 60s}});
    Text result = "untouched";
    Text status = "untouched";
    std::string bytes = "untouched";
    WorkerThreads workers;
    ASSERT_TRUE(workers.Start([&](std::stop_token) {
        result =
            WebRequest(stalled.Base() + "/search", {}, {.status = &status, .replyBytes = &bytes});
    }));
    ASSERT_TRUE(stalled.WaitForRequests(1, 10s));
    EXPECT_TRUE(workers.StopAndJoin(5s));
    EXPECT_EQ(result, "");
    EXPECT_EQ(status, FailureText(RequestFailure::kNoReply));
    EXPECT_EQ(bytes, "untouched");
}

TEST(WebRequestCancel, OnlyACallInsideAStoppedScopeIsCancelled) {
    ScriptedServer server({{HttpReply("HTTP/1.1 200 OK", {}, "ok")}});
    const std::string address = server.Base() + "/page";
    std::stop_source source;
    Text status;
    {
        const CancelScope scope(source.get_token());
        EXPECT_EQ(WebRequest(address, {}, {.status = &status}), "ok");
        EXPECT_EQ(status, "200 OK");
        source.request_stop();
        EXPECT_EQ(WebRequest(address, {}, {.status = &status}), "");
        EXPECT_EQ(status, FailureText(RequestFailure::kSend)) << "given up before sending";
    }
    EXPECT_EQ(WebRequest(address, {}, {.status = &status}), "ok") << "outside the scope again";
    EXPECT_EQ(status, "200 OK");
    EXPECT_EQ(server.Requests().size(), 2u);
}

}  // namespace
}  // namespace tunelark
