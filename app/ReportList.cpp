#include "app/ReportList.h"

#include <QHeaderView>

#include "app/WindowFont.h"

namespace tunelark {
namespace {

QStringList Titles(const std::vector<ReportList::Column>& columns) {
    QStringList titles;
    for (const auto& column : columns) titles << column.title;
    return titles;
}

}  // namespace

ReportList::ReportList(QWidget* parent, const char* name, QRect place, RowStore& store,
                       const std::vector<Column>& columns)
    : QTreeView(parent), model_(new RowTableModel(store, Titles(columns), this)) {
    setObjectName(QString::fromUtf8(name));
    setGeometry(place);
    setFont(ControlFont());
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    SetUpColumns(columns);
    connect(this, &QWidget::customContextMenuRequested, this, &ReportList::MenuRequested);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ReportList::ReportSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, &ReportList::ReportSelection);
}

void ReportList::SetUpColumns(const std::vector<Column>& columns) {
    QHeaderView* head = header();
    head->setStretchLastSection(false);
    head->setSectionsMovable(false);
    head->setMinimumSectionSize(0);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const int width = columns[static_cast<size_t>(i)].width;
        head->resizeSection(i, width);
        if (width == 0) {
            // Storage only: hidden sections cannot be dragged open by accident.
            head->setSectionResizeMode(i, QHeaderView::Fixed);
            head->setSectionHidden(i, true);
        }
    }
}

void ReportList::ReportSelection() {
    const QModelIndexList rows = selectionModel()->selectedRows();
    model_->Store().SetSelectedRow(rows.isEmpty() ? -1 : rows.first().row());
}

}  // namespace tunelark
