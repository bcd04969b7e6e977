#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "catalog/Columns.h"
#include "catalog/FoundRow.h"
#include "catalog/SearchSession.h"
#include "platform/RowStore.h"

namespace tunelark {
namespace {

FoundRow Row(int32_t number, const Text& title) {
    return MakeFoundRow(number, "a", title, "l");
}

TEST(SearchSession, BeginEmptiesTheListAndRefusesTheOlderSearch) {
    RowStore list(SongColumn::kCount);
    SearchSession session(list);
    const SearchTicket older = session.Begin();
    ASSERT_TRUE(older.Append(Row(1, "old")));
    EXPECT_EQ(list.Cell(0, SongColumn::kTitle), "old");

    const SearchTicket newer = session.Begin();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_FALSE(older.IsCurrent());
    EXPECT_FALSE(older.Append(Row(2, "old")));
    EXPECT_TRUE(newer.Append(Row(1, "new")));
    EXPECT_EQ(AppendFoundRows(older, {Row(3, "old"), Row(4, "old")}), 0);

    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Cell(0, SongColumn::kNumber), "1");
    EXPECT_EQ(list.Cell(0, SongColumn::kTitle), "new");
    EXPECT_EQ(list.Cell(0, SongColumn::kPageLink), "l");
}

TEST(SearchSession, NoRowOfARunningOlderSearchLandsAfterTheNewerBegan) {
    RowStore list(SongColumn::kCount);
    SearchSession session(list);
    for (int round = 0; round < 50; ++round) {
        const SearchTicket older = session.Begin();
        std::atomic<bool> started = false;
        std::thread writer([&] {
            int32_t number = 1;
            started = true;
            while (older.Append(Row(number++, "old"))) {
            }
        });
        while (!started) std::this_thread::yield();
        const SearchTicket newer = session.Begin();
        writer.join();
        EXPECT_EQ(list.RowCount(), 0) << "round " << round;
        ASSERT_TRUE(newer.Append(Row(1, "new")));
        EXPECT_EQ(list.RowCount(), 1);
    }
}

}  // namespace
}  // namespace tunelark
