#include "app/WindowServices.h"

#include "player/QtText.h"

namespace tunelark {

WindowServices::WindowServices(MainWindow& window, ProcessState& state, Ui& ui)
    : window_(window), state_(state), ui_(ui) {}

// Two players never sound at once: the one starting pauses the other.
void WindowServices::PlaySong(const Text& address) {
    state_.mvPlayer.Controls().pause();
    (void)state_.songPlayer.URL(address);
}

void WindowServices::PlayMv(const Text& address) {
    state_.songPlayer.Controls().pause();
    (void)state_.mvPlayer.URL(address);
}

void WindowServices::MvFullScreen() {
    (void)state_.mvPlayer.fullScreen(true);
}

void WindowServices::ShowMvPage() {
    window_.Tabs().SetCurrentPage(MainWindow::kMvPage);
}

void WindowServices::SetClipboard(const Text& text) {
    ui_.SetClipboard(ToQString(text));
}

}  // namespace tunelark
