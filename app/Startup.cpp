#include "app/Startup.h"

#include <filesystem>

#include "net/WaitHook.h"
#include "platform/Connectivity.h"
#include "platform/HostPath.h"
#include "text/CodePage.h"

namespace tunelark {

Startup::Startup(QApplication& application, ProcessState& state, MainWindow& window, Ui& ui,
                 UpdateFlow& update, StartupSettings settings)
    : application_(application),
      state_(state),
      window_(window),
      ui_(ui),
      update_(update),
      settings_(std::move(settings)) {}

bool Startup::OnWindowCreated() {
    // A skin that cannot be applied leaves the platform look; nothing to report.
    (void)state_.skin.Attach(application_, kWindowSkin);
    if (!CheckConnection()) return false;
    EnsureDefaultFolder();
    update_.Start();
    // The progress locks are ready from their construction on.
    HostPlayers();
    return true;
}

void Startup::HostPlayers() {
    // A player that cannot be made leaves its group box empty; its commands then do nothing.
    (void)state_.mvPlayer.Create(window_.Mv().mvPlayer, 1, 9, 485, 240);
    (void)state_.mvPlayer.settings().volume(kPlayerVolume);
    (void)state_.songPlayer.Create(window_.Main().songPlayer, 2, 8, 245, 104);
    (void)state_.songPlayer.settings().volume(kPlayerVolume);
}

bool Startup::CheckConnection() {
    const bool online = IsOnline(settings_.probeUrl, settings_.probeTimeout, [] {
        RunWaitHook();
        return true;
    });
    if (online) return true;
    ui_.ShowMessage(MessageIcon::Error, QStringLiteral("信息："),
                    QStringLiteral("软件当前未与互联网连接，请查看电脑能否上网，再重新打开软件！"));
    return false;
}

void Startup::EnsureDefaultFolder() const {
    const std::filesystem::path folder = HostPath(settings_.defaultFolder);
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return;
    // A file of that name, or a drive root that cannot be made: the downloads fail later.
    (void)std::filesystem::create_directories(folder, error);
}

Text DefaultDownloadFolder() {
    return Utf8ToGbk(kDefaultFolder);
}

}  // namespace tunelark
