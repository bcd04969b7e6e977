#pragma once

#include "app/MainWindow.h"
#include "app/ProcessState.h"
#include "app/Ui.h"
#include "catalog/CatalogCommands.h"

namespace tunelark {

// What the window does for the catalogue: the two players, the MV page, the clipboard.
class WindowServices final : public CatalogWindow {
public:
    WindowServices(MainWindow& window, ProcessState& state, Ui& ui);

    void PlaySong(const Text& address) override;
    void PlayMv(const Text& address) override;
    void MvFullScreen() override;
    void ShowMvPage() override;
    void SetClipboard(const Text& text) override;

private:
    MainWindow& window_;
    ProcessState& state_;
    Ui& ui_;
};

}  // namespace tunelark
