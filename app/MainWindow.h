#pragma once

#include <QWidget>

#include "app/AboutPage.h"
#include "app/MainPage.h"
#include "app/MvPage.h"
#include "app/TabControl.h"

namespace tunelark {

// The one window: its title and place, and the tab control with its three pages.
class MainWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMainPage = 0;
    static constexpr int kMvPage = 1;
    static constexpr int kAboutPage = 2;

    MainWindow(RowStore& results, RowStore& qualities);

    [[nodiscard]] TabControl& Tabs() const { return *tabs_; }
    [[nodiscard]] MainPage& Main() const { return *main_; }
    [[nodiscard]] MvPage& Mv() const { return *mv_; }
    [[nodiscard]] AboutPage& About() const { return *about_; }

private:
    TabControl* tabs_;
    MainPage* main_;
    MvPage* mv_;
    AboutPage* about_;
};

}  // namespace tunelark
