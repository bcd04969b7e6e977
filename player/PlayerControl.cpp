#include "player/PlayerControl.h"

#include <array>

namespace tunelark {

PlayerControl::~PlayerControl() {
    Close();
}

QWidget* PlayerControl::Create(QWidget* parent, int x, int y, int width, int height,
                               std::optional<std::int32_t> borderStyle) {
    window_ = host_.CreateActiveX(parent, kMediaPlayerClassId, x, y, width, height,
                                  borderStyle.value_or(0));
    control_ = host_.GetIDispatch();
    return window_;
}

MediaControl* PlayerControl::Live() const {
    return control_ && control_->IsAlive() ? control_.get() : nullptr;
}

int PlayerControl::Place(std::size_t which, std::optional<int> value) {
    if (!window_) return 0;
    const QRect now = window_->geometry();
    const std::array<int, 4> current = {now.x(), now.y(), now.width(), now.height()};
    if (!value) return current[which];
    std::array<std::optional<int>, 4> wanted;
    wanted[which] = value;
    Move(wanted[0], wanted[1], wanted[2], wanted[3]);
    return 1;
}

int PlayerControl::Left(std::optional<int> value) {
    return Place(0, value);
}

int PlayerControl::Top(std::optional<int> value) {
    return Place(1, value);
}

int PlayerControl::Width(std::optional<int> value) {
    return Place(2, value);
}

int PlayerControl::Height(std::optional<int> value) {
    return Place(3, value);
}

void PlayerControl::Move(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                         std::optional<int> height) {
    if (!window_) return;
    const QRect now = window_->geometry();
    window_->setGeometry(x.value_or(now.x()), y.value_or(now.y()), width.value_or(now.width()),
                         height.value_or(now.height()));
}

bool PlayerControl::Visible(std::optional<bool> show) {
    if (!window_) return false;
    const bool wasVisible = window_->isVisible();
    if (show) window_->setVisible(*show);
    return wasVisible;
}

bool PlayerControl::Enabled(std::optional<bool> enable) {
    if (!window_) return false;
    const bool wasEnabled = window_->isEnabled();
    if (!enable) return wasEnabled;
    window_->setEnabled(*enable);
    return !wasEnabled;
}

void PlayerControl::Close() {
    control_.reset();
    // mpv ends here, while its window's parent still exists: destroyed later, it would unmap a
    // window the X server had already removed with its parent.
    host_.Release();
    if (window_) window_->close();
}

Text PlayerControl::URL(std::optional<Text> value) {
    return Live() ? Live()->URL(std::move(value)) : Text{};
}

std::int32_t PlayerControl::playState() const {
    return Live() ? Live()->playState() : 0;
}

std::int32_t PlayerControl::openState() const {
    return Live() ? Live()->openState() : 0;
}

Text PlayerControl::status() const {
    return Live() ? Live()->status() : Text{};
}

Text PlayerControl::versionInfo() const {
    return Live() ? Live()->versionInfo() : Text{};
}

bool PlayerControl::isOnline(std::optional<bool> value) {
    return Live() && Live()->isOnline(value);
}

bool PlayerControl::fullScreen(std::optional<bool> value) {
    return Live() && Live()->fullScreen(value);
}

bool PlayerControl::enableContextMenu(std::optional<bool> value) {
    return Live() && Live()->enableContextMenu(value);
}

Text PlayerControl::uiMode(std::optional<Text> value) {
    return Live() ? Live()->uiMode(std::move(value)) : Text{};
}

bool PlayerControl::stretchToFit(std::optional<bool> value) {
    return Live() && Live()->stretchToFit(value);
}

bool PlayerControl::windowlessVideo(std::optional<bool> value) {
    return Live() && Live()->windowlessVideo(value);
}

bool PlayerControl::isRemote() const {
    return Live() && Live()->isRemote();
}

// Each registration names its event; the host decides whether the control has it.
#define TUNELARK_EVENT_REGISTRATION(Name, id)                                   \
    bool PlayerControl::Name(EventCallback callback, std::intptr_t userValue) { \
        return host_.AdviseEvent(id, std::move(callback), userValue);           \
    }
TUNELARK_EVENT_REGISTRATION(OpenStateChange, kOpenStateChange)
TUNELARK_EVENT_REGISTRATION(PlayStateChange, kPlayStateChange)
TUNELARK_EVENT_REGISTRATION(AudioLanguageChange, kAudioLanguageChange)
TUNELARK_EVENT_REGISTRATION(StatusChange, kStatusChange)
TUNELARK_EVENT_REGISTRATION(Buffering, kBuffering)
TUNELARK_EVENT_REGISTRATION(Error, kError)
TUNELARK_EVENT_REGISTRATION(PositionChange, kPositionChange)
TUNELARK_EVENT_REGISTRATION(CdromMediaChange, kCdromMediaChange)
TUNELARK_EVENT_REGISTRATION(MediaError, kMediaError)
TUNELARK_EVENT_REGISTRATION(PlayerReconnect, kPlayerReconnect)
TUNELARK_EVENT_REGISTRATION(Click, kClick)
TUNELARK_EVENT_REGISTRATION(DoubleClick, kDoubleClick)
TUNELARK_EVENT_REGISTRATION(KeyDown, kKeyDown)
TUNELARK_EVENT_REGISTRATION(KeyPress, kKeyPress)
TUNELARK_EVENT_REGISTRATION(KeyUp, kKeyUp)
TUNELARK_EVENT_REGISTRATION(MouseDown, kMouseDown)
TUNELARK_EVENT_REGISTRATION(MouseMove, kMouseMove)
TUNELARK_EVENT_REGISTRATION(MouseUp, kMouseUp)
#undef TUNELARK_EVENT_REGISTRATION

}  // namespace tunelark
