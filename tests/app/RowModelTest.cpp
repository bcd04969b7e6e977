#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <thread>
#include <vector>

#include "app/ReportList.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

using namespace std::chrono_literals;

constexpr int kWriters = 4;
constexpr int kRowsEach = 2000;

std::string Joined(const std::string& head, int number) {
    std::string text = head;
    text.append(std::to_string(number));
    return text;
}

// Each writer appends its rows and rewrites every row's last cell a few times, the way
// searches and progress reports write.
void Write(RowStore& store, int writer) {
    for (int i = 0; i < kRowsEach; ++i) {
        const int32_t row = store.Append(Joined(Joined("", writer) + ":", i));
        for (int percent = 0; percent < 3; ++percent) {
            store.SetCell(row, 2, std::to_string(percent));
        }
        store.SetCell(row, 1, Joined("w", writer));
    }
}

std::vector<std::thread> StartWriters(RowStore& store) {
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) writers.emplace_back(Write, std::ref(store), w);
    return writers;
}

void ExpectEveryRowOnce(const RowTableModel& model) {
    ASSERT_EQ(model.rowCount(), kWriters * kRowsEach);
    std::vector<int> seen(kWriters * kRowsEach, 0);
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString first = model.data(model.index(row, 0), Qt::DisplayRole).toString();
        const QStringList parts = first.split(':');
        ASSERT_EQ(parts.size(), 2) << row;
        const int writer = parts[0].toInt();
        EXPECT_EQ(model.data(model.index(row, 1), Qt::DisplayRole).toString(), "w" + parts[0]);
        EXPECT_EQ(model.data(model.index(row, 2), Qt::DisplayRole).toString(), "2");
        ++seen[static_cast<size_t>(writer * kRowsEach + parts[1].toInt())];
    }
    for (const int count : seen) ASSERT_EQ(count, 1);
}

TEST(RowTableModel, AFloodOfWritesFromThreadsBecomesOneRepaint) {
    RowStore store(3);
    RowTableModel model(store, {"a", "b", "c"});
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    for (std::thread& writer : StartWriters(store)) writer.join();
    // 32,000 writes arrived while the GUI thread was busy: they wait as marks, not events.
    EXPECT_EQ(model.rowCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), kWriters * kRowsEach, 5000);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_LE(changed.count(), 1);
    ExpectEveryRowOnce(model);
}

TEST(RowTableModel, WritesWhileTheWindowRepaintsKeepTheModelConsistent) {
    RowStore store(3);
    RowTableModel model(store, {"a", "b", "c"});
    // Checks every signal against rowCount/data as the model emits it.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    std::vector<std::thread> writers = StartWriters(store);
    std::atomic<int> done{0};
    std::thread watcher([&] {
        for (std::thread& writer : writers) writer.join();
        done = 1;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    watcher.join();
    model.Flush();
    ExpectEveryRowOnce(model);

    store.Clear();
    (void)store.Append("again");
    model.Flush();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "again");
}

TEST(RowTableModel, CellsShowAsUnicodeAndWritesToMissingRowsAreDropped) {
    RowStore store(3);
    RowTableModel model(store, {"a", "b", "c"});
    store.SetCell(0, 0, "lost");
    store.SetCell(-1, 0, "lost");
    const int32_t row = store.Append(Utf8ToGbk("凉凉"));
    store.SetCell(row, 5, "lost");
    store.SetCell(row + 1, 0, "lost");
    store.SetCell(row, 2, Utf8ToGbk("下载中34%"));
    model.Flush();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "凉凉");
    EXPECT_EQ(model.data(model.index(0, 2), Qt::DisplayRole).toString(), "下载中34%");
    EXPECT_EQ(store.Cell(row + 1, 0), "");
}

TEST(ReportList, TheSelectionIsReportedToTheStore) {
    RowStore store(6);
    QWidget page;
    ReportList list(&page, "超级列表框1", {0, 21, 424, 251}, store, {{"id", 35}, {"t", 50}});
    for (int i = 0; i < 5; ++i) (void)store.Append(std::to_string(i));
    list.Model().Flush();
    EXPECT_EQ(store.SelectedRow(), -1);
    list.setCurrentIndex(list.model()->index(3, 0));
    EXPECT_EQ(store.SelectedRow(), 3);
    list.clearSelection();
    EXPECT_EQ(store.SelectedRow(), -1);
    list.setCurrentIndex(list.model()->index(2, 0));
    store.Clear();
    list.Model().Flush();
    EXPECT_EQ(store.SelectedRow(), -1);
}

}  // namespace
}  // namespace tunelark
