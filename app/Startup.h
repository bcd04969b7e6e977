#pragma once

#include <QApplication>
#include <chrono>
#include <string>

#include "app/MainWindow.h"
#include "app/ProcessState.h"
#include "app/Ui.h"
#include "app/UpdateFlow.h"

namespace tunelark {

struct StartupSettings {
    std::string probeUrl;                    // the connectivity check's page
    std::chrono::milliseconds probeTimeout;  // how long the check may take
    Text defaultFolder;                      // created when missing, e.g. "D:\音乐下载地址"
};

// The window-created handler: the skin, the connectivity check, the default folder, the update
// check, the players, in that order.
class Startup final {
public:
    Startup(QApplication& application, ProcessState& state, MainWindow& window, Ui& ui,
            UpdateFlow& update, StartupSettings settings);

    // False when the program must end: the machine is offline and the user has been told.
    [[nodiscard]] bool OnWindowCreated();

private:
    [[nodiscard]] bool CheckConnection();
    void EnsureDefaultFolder() const;
    void HostPlayers();

    static constexpr int kPlayerVolume = 100;

    QApplication& application_;
    ProcessState& state_;
    MainWindow& window_;
    Ui& ui_;
    UpdateFlow& update_;
    StartupSettings settings_;
};

// The download folder the window starts with.
[[nodiscard]] Text DefaultDownloadFolder();

}  // namespace tunelark
