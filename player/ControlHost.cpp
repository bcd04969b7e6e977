#include "player/ControlHost.h"

#include <QGuiApplication>

#include "player/HostFrame.h"
#include "player/MediaControl.h"
#include "player/VideoSurface.h"

namespace tunelark {
namespace {

// Only an X11 window id can be handed to mpv; other platforms' ids are not windows it can use.
bool HasNativeVideo() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

}  // namespace

ControlHost::~ControlHost() {
    Release();
}

void ControlHost::Release() {
    events_.Clear();
    if (!control_) return;
    control_->SetEventSink({});
    control_->Shutdown();
    control_.reset();
}

QWidget* ControlHost::CreateActiveX(QWidget* parent, const Text& classText, int x, int y, int width,
                                    int height, std::int32_t borderStyle) {
    Release();
    if (parent == nullptr) return nullptr;
    const bool isPlayer = classText == kMediaPlayerClassId;
    // Owned by the parent from here on, like every child widget.
    auto* frame = new HostFrame(parent, borderStyle, isPlayer && HasNativeVideo());
    frame->setGeometry(x, y, width, height);
    frame->show();
    if (!isPlayer) return frame;
    std::shared_ptr<MediaControl> control(new MediaControl(frame->Surface()->VideoWindow()),
                                          &MediaControl::Release);
    if (!control->IsAlive()) return frame;
    control_ = std::move(control);
    events_.Fill(kMediaEventIds);
    control_->SetEventSink(
        [this](std::int32_t dispId, const EventArgs& args) { events_.Fire(dispId, args); });
    frame->Host(control_.get());
    return frame;
}

bool ControlHost::AdviseEvent(std::int32_t dispId, EventCallback callback,
                              std::intptr_t userValue) {
    return events_.Advise(dispId, std::move(callback), userValue);
}

}  // namespace tunelark
