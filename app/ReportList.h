#pragma once

#include <QTreeView>
#include <vector>

#include "app/RowTableModel.h"

namespace tunelark {

// A list in report view over one row store: fixed column widths (a zero width hides the
// column for good; it only stores addresses), whole-row single selection reported back to the
// store, and a signal when the user asks for its menu.
class ReportList final : public QTreeView {
    Q_OBJECT

public:
    struct Column {
        QString title;
        int width;
    };

    ReportList(QWidget* parent, const char* name, QRect place, RowStore& store,
               const std::vector<Column>& columns);

    [[nodiscard]] RowTableModel& Model() const { return *model_; }

signals:
    void MenuRequested();

private:
    void SetUpColumns(const std::vector<Column>& columns);
    void ReportSelection();

    RowTableModel* model_;
};

}  // namespace tunelark
