#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

#include "platform/CancelScope.h"
#include "platform/WorkerThreads.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

bool CancelRequestedOnAnotherThread() {
    bool answer = true;
    std::thread([&answer] { answer = CancelRequested(); }).join();
    return answer;
}

TEST(CancelScope, AnswersFromTheInnermostScopeOfTheCallingThreadOnly) {
    EXPECT_FALSE(CancelRequested()) << "no scope";
    std::stop_source outer;
    outer.request_stop();
    {
        const CancelScope outerScope(outer.get_token());
        EXPECT_TRUE(CancelRequested());
        EXPECT_FALSE(CancelRequestedOnAnotherThread());
        std::stop_source inner;
        {
            const CancelScope innerScope(inner.get_token());
            EXPECT_FALSE(CancelRequested()) << "the inner scope rules";
            inner.request_stop();
            EXPECT_TRUE(CancelRequested());
        }
        std::stop_source fresh;
        {
            const CancelScope freshScope(fresh.get_token());
            EXPECT_FALSE(CancelRequested());
        }
        EXPECT_TRUE(CancelRequested()) << "the outer scope is back";
    }
    EXPECT_FALSE(CancelRequested()) << "no scope again";
}

TEST(CancelScope, EachWorkerRunsInAScopeOfItsOwnStopToken) {
    WorkerThreads workers;
    std::latch started(2);
    std::atomic<int> cancelledWorkers{0};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(workers.Start([&](std::stop_token) {
            const bool cancelledEarly = CancelRequested();
            started.count_down();
            // The work never looks at its token: only the scope tells it to end.
            while (!CancelRequested()) std::this_thread::sleep_for(1ms);
            if (!cancelledEarly) ++cancelledWorkers;
        }));
    }
    started.wait();
    EXPECT_FALSE(CancelRequested()) << "the starting thread is not in a worker's scope";
    EXPECT_TRUE(workers.StopAndJoin(5s));
    EXPECT_EQ(cancelledWorkers.load(), 2);
    EXPECT_FALSE(CancelRequested());
}

}  // namespace
}  // namespace tunelark
