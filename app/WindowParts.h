#pragma once

#include <memory>

#include "app/MainWindow.h"
#include "app/ProcessState.h"
#include "app/Ui.h"
#include "app/WindowCommands.h"
#include "app/WindowServices.h"
#include "catalog/CatalogCommands.h"

namespace tunelark {

// The window with everything its commands share, made in the order they depend on each other
// and released in reverse. The exit, once the event loop has ended: State().Shutdown stops the
// workers, waits for them and closes the players; only when it succeeds may this object go, and
// then the command handlers go first, then the catalogue (its downloader stops and waits for
// its jobs), the window, and last the lists the jobs wrote into.
class WindowParts final {
public:
    explicit WindowParts(Ui& ui);
    WindowParts(const WindowParts&) = delete;
    WindowParts& operator=(const WindowParts&) = delete;

    [[nodiscard]] ProcessState& State() { return state_; }
    [[nodiscard]] MainWindow& Window() { return window_; }

private:
    ProcessState state_;
    MainWindow window_;
    WindowServices services_;
    // Writes the state's lists, runs its threads through the state's workers, plays and copies
    // through the services, and owns the downloader.
    std::unique_ptr<CatalogCommands> catalog_;
    WindowCommands commands_;
};

}  // namespace tunelark
