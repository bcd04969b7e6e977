#include <gtest/gtest.h>

#include <atomic>
#include <latch>

#include "platform/WorkerThreads.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

TEST(WorkerThreads, StopReachesEveryWorkerAndTheJoinWaitsForThem) {
    WorkerThreads workers;
    std::atomic<int> ended{0};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(workers.Start([&ended](std::stop_token stop) {
            while (SleepUnlessStopped(stop, 10ms)) {
            }
            ++ended;
        }));
    }
    EXPECT_EQ(workers.Running(), 4);
    EXPECT_TRUE(workers.StopAndJoin(5s));
    EXPECT_EQ(ended.load(), 4);
    EXPECT_EQ(workers.Running(), 0);
    EXPECT_FALSE(workers.Start([](std::stop_token) { FAIL() << "started after the stop"; }));
}

TEST(WorkerThreads, AWorkerThatIgnoresTheStopMakesTheJoinGiveUpInTime) {
    std::latch release(1);
    std::atomic<bool> ended{false};
    {
        WorkerThreads workers;
        ASSERT_TRUE(workers.Start([&](std::stop_token) {
            release.wait();
            ended = true;
        }));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(workers.StopAndJoin(100ms));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_EQ(workers.Running(), 1);
        release.count_down();
        // The destructor still waits for the late worker.
    }
    EXPECT_TRUE(ended.load());
}

TEST(WorkerThreads, FinishedWorkersAreJoinedAsNewOnesStart) {
    WorkerThreads workers;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(workers.Start([](std::stop_token) {}));
    }
    EXPECT_TRUE(workers.StopAndJoin(5s));
    EXPECT_EQ(workers.Running(), 0);
}

TEST(SleepUnlessStopped, SleepsTheWholeTimeOrUntilTheStop) {
    std::stop_source source;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(SleepUnlessStopped(source.get_token(), 50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
    source.request_stop();
    EXPECT_FALSE(SleepUnlessStopped(source.get_token(), 10s));
}

}  // namespace
}  // namespace tunelark
