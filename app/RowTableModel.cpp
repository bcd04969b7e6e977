#include "app/RowTableModel.h"

#include "player/QtText.h"

namespace tunelark {

RowTableModel::RowTableModel(RowStore& store, QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), store_(store), titles_(std::move(titles)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kRepaintIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RowTableModel::Flush);
    shownRows_ = store_.RowCount();
    link_->model = this;
    store_.SetChangeHook([link = link_](RowStore::Change change, int32_t row) {
        std::lock_guard lock(link->mutex);
        if (link->model) link->model->Changed(change, row);
    });
}

RowTableModel::~RowTableModel() {
    {
        std::lock_guard lock(link_->mutex);
        link_->model = nullptr;
    }
    store_.SetChangeHook({});
}

int RowTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int RowTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.ColumnCount();
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return ToQString(store_.Cell(index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section >= 0 && section < titles_.size() ? titles_[section] : QVariant();
}

// Runs on the writing thread: only marks and, once per interval, posts a single call.
void RowTableModel::Changed(RowStore::Change change, int32_t row) {
    {
        std::lock_guard lock(marksMutex_);
        if (change == RowStore::Change::Rows && row < 0) {
            cleared_ = true;
            changedRows_.clear();
        } else if (change == RowStore::Change::Cells) {
            changedRows_.insert(row);
        }
    }
    if (!flushPosted_.exchange(true)) {
        QMetaObject::invokeMethod(this, &RowTableModel::ScheduleFlush, Qt::QueuedConnection);
    }
}

void RowTableModel::ScheduleFlush() {
    if (!timer_.isActive()) timer_.start();
}

void RowTableModel::Flush() {
    timer_.stop();
    flushPosted_ = false;
    bool cleared = false;
    std::set<int32_t> rows;
    {
        std::lock_guard lock(marksMutex_);
        std::swap(cleared, cleared_);
        rows.swap(changedRows_);
    }
    const int32_t storeRows = store_.RowCount();
    if (cleared) {
        beginResetModel();
        shownRows_ = storeRows;
        endResetModel();
        return;
    }
    ShowRowCount(storeRows);
    RepaintRows(rows);
}

void RowTableModel::ShowRowCount(int32_t storeRows) {
    if (storeRows > shownRows_) {
        beginInsertRows({}, shownRows_, storeRows - 1);
        shownRows_ = storeRows;
        endInsertRows();
    } else if (storeRows < shownRows_) {
        // Rows only go away by clearing; be safe if a clear slipped between two marks.
        beginResetModel();
        shownRows_ = storeRows;
        endResetModel();
    }
}

void RowTableModel::RepaintRows(const std::set<int32_t>& rows) {
    const int lastColumn = store_.ColumnCount() - 1;
    if (rows.empty() || shownRows_ == 0) return;
    // When most rows changed, one signal for the table is cheaper than one per row.
    if (static_cast<int>(rows.size()) * 2 > shownRows_) {
        emit dataChanged(index(0, 0), index(shownRows_ - 1, lastColumn));
        return;
    }
    for (const int32_t row : rows) {
        if (row < shownRows_) emit dataChanged(index(row, 0), index(row, lastColumn));
    }
}

}  // namespace tunelark
