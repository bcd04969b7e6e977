#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "platform/RowStore.h"

namespace tunelark {
namespace {

TEST(RowStore, AppendsFromManyThreadsWithoutLosingOrMixingRows) {
    RowStore store(3);
    std::atomic<int> notified{0};
    store.SetChangeHook([&](RowStore::Change, int32_t) { notified.fetch_add(1); });

    constexpr int kThreads = 4;
    constexpr int kRowsEach = 500;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&store, t] {
            for (int i = 0; i < kRowsEach; ++i) {
                const Text name = std::to_string(t) + ":" + std::to_string(i);
                const int32_t row = store.Append(name);
                store.SetCell(row, 2, name);
                (void)store.Cell(row, 0);
            }
        });
    }
    for (auto& writer : writers) writer.join();

    ASSERT_EQ(store.RowCount(), kThreads * kRowsEach);
    std::set<Text> seen;
    for (int32_t row = 0; row < store.RowCount(); ++row) {
        EXPECT_EQ(store.Cell(row, 0), store.Cell(row, 2)) << "row " << row;
        seen.insert(store.Cell(row, 0));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kRowsEach));
    EXPECT_EQ(notified.load(), 2 * kThreads * kRowsEach);
}

TEST(RowStore, DropsWritesToRowsThatAreGone) {
    RowStore store(2);
    const int32_t row = store.Append("a");
    const uint64_t id = store.RowId(row);
    store.SetSelectedRow(row);
    EXPECT_EQ(store.SelectedRow(), 0);

    store.Clear();
    EXPECT_EQ(store.SelectedRow(), -1);
    store.SetCell(row, 1, "late");
    store.SetCell(-1, 0, "x");
    store.SetCell(0, 7, "x");
    store.Append("b");
    store.SetCellOfRow(id, 1, "late");  // the old row's id must not reach the new row 0
    EXPECT_EQ(store.Cell(0, 1), "");
    EXPECT_NE(store.RowId(0), id);
    EXPECT_EQ(store.Cell(5, 0), "");
    EXPECT_EQ(store.RowId(5), 0u);
}

TEST(RowStore, ClearsWhileOthersWriteByRowId) {
    RowStore store(2);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        while (!stop.load()) {
            const uint64_t id = store.RowId(0);
            store.SetCellOfRow(id, 1, "progress");
            store.SetCell(0, 1, "progress");
        }
    });
    for (int round = 0; round < 2000; ++round) {
        store.Clear();
        store.Append("row");
    }
    stop.store(true);
    writer.join();
    EXPECT_EQ(store.RowCount(), 1);
}

}  // namespace
}  // namespace tunelark
