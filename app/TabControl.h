#pragma once

#include <QStackedWidget>
#include <QTabBar>
#include <QWidget>

namespace tunelark {

// A tab control whose pages span the whole control, with the page headers drawn over their top
// strip, so that a page's controls sit at the places given relative to the tab control itself.
class TabControl final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeaderHeight = 21;

    TabControl(QWidget* parent, const char* name, QRect place);

    // Adds a page; the page is resized to the whole control.
    void AddPage(QWidget* page, const QString& title);
    void SetCurrentPage(int index);
    [[nodiscard]] int CurrentPage() const;
    [[nodiscard]] QTabBar& Headers() const { return *headers_; }
    [[nodiscard]] QWidget* Page(int index) const { return pages_->widget(index); }

protected:
    // Puts the headers back on top whenever the pages are raised over them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStackedWidget* pages_;
    QTabBar* headers_;
};

}  // namespace tunelark
