#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>
#include <set>

#include "platform/RowStore.h"

namespace tunelark {

// Shows one RowStore in a view. Writers on any thread only mark what changed; the GUI thread
// picks the marks up at most once per repaint interval, so a flood of progress writes costs a
// handful of repaints, not one event per write.
class RowTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kRepaintIntervalMs = 40;

    RowTableModel(RowStore& store, QStringList titles, QObject* parent = nullptr);
    ~RowTableModel() override;
    RowTableModel(const RowTableModel&) = delete;
    RowTableModel& operator=(const RowTableModel&) = delete;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    [[nodiscard]] RowStore& Store() const { return store_; }
    // Brings the view up to date with the store now instead of at the next interval.
    void Flush();

private:
    void Changed(RowStore::Change change, int32_t row);
    void ScheduleFlush();
    void ShowRowCount(int32_t storeRows);
    void RepaintRows(const std::set<int32_t>& rows);

    // The store's hook reaches the model through this link, which the destructor cuts, so a
    // write racing with the model's end never touches a destroyed model.
    struct Link {
        std::mutex mutex;
        RowTableModel* model = nullptr;
    };

    RowStore& store_;
    const QStringList titles_;
    std::shared_ptr<Link> link_ = std::make_shared<Link>();
    QTimer timer_;
    int shownRows_ = 0;

    std::atomic<bool> flushPosted_{false};
    std::mutex marksMutex_;
    bool cleared_ = false;
    std::set<int32_t> changedRows_;
};

}  // namespace tunelark
