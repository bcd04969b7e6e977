#include "player/VideoSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlatformSurfaceEvent>
#include <QWheelEvent>
#include <QWindow>

#include "player/InputTranslation.h"
#include "player/MediaControl.h"

namespace tunelark {

VideoSurface::VideoSurface(QWidget* parent, bool nativeWindow)
    : QWidget(parent), native_(nativeWindow) {
    if (native_) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
    }
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

VideoSurface::~VideoSurface() {
    if (control_) control_->Shutdown();
}

void VideoSurface::Attach(MediaControl* control) {
    control_ = control;
}

std::uint64_t VideoSurface::VideoWindow() {
    if (!native_) return 0;
    const std::uint64_t id = winId();
    if (QWindow* window = windowHandle()) window->installEventFilter(this);
    return id;
}

bool VideoSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::PlatformSurface && control_ &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
        control_->Shutdown();
    }
    return QWidget::eventFilter(watched, event);
}

void VideoSurface::Forward(const std::vector<std::string>& command) {
    if (control_) control_->Mpv().Command(command);
}

void VideoSurface::ForwardPointer(QMouseEvent* event) {
    const QPointF at = event->position() * devicePixelRatio();
    Forward({"mouse", std::to_string(static_cast<int>(at.x())),
             std::to_string(static_cast<int>(at.y()))});
}

void VideoSurface::FireMouse(std::int32_t dispId, QMouseEvent* event, Qt::MouseButtons buttons) {
    if (!control_) return;
    const QPoint at = event->position().toPoint();
    control_->Fire(dispId, {ButtonCode(buttons), ShiftState(event->modifiers()), at.x(), at.y()});
}

void VideoSurface::mousePressEvent(QMouseEvent* event) {
    event->accept();
    ForwardPointer(event);
    if (const std::string name = MpvButtonName(event->button()); !name.empty()) {
        forwardedButtons_ |= event->button();
        Forward({"keydown", name});
    }
    FireMouse(kMouseDown, event, event->button());
}

void VideoSurface::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    ForwardPointer(event);
    const bool forwarded = forwardedButtons_ & event->button();
    if (forwarded) {
        forwardedButtons_ &= ~event->button();
        Forward({"keyup", MpvButtonName(event->button())});
    }
    FireMouse(kMouseUp, event, event->button());
    // The release that ends a double-click is not a click of its own.
    if (forwarded && rect().contains(event->position().toPoint())) {
        FireMouse(kClick, event, event->button());
    }
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    FireMouse(kDoubleClick, event, event->button());
    if (control_ && event->button() == Qt::LeftButton) {
        static_cast<void>(control_->fullScreen(!control_->fullScreen()));
    }
}

void VideoSurface::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    ForwardPointer(event);
    FireMouse(kMouseMove, event, event->buttons());
}

void VideoSurface::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int steps = event->angleDelta().y();
    if (steps != 0) Forward({"keypress", steps > 0 ? "WHEEL_UP" : "WHEEL_DOWN"});
}

void VideoSurface::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (control_) {
        control_->Fire(kKeyDown, {KeyCode(event->key()), ShiftState(event->modifiers())});
        const QString text = event->text();
        if (text.size() == 1 && text.front().unicode() >= 0x20) {
            control_->Fire(kKeyPress, {static_cast<std::int32_t>(text.front().unicode())});
        }
    }
    const std::string name = MpvKeyName(event->key(), event->modifiers(), event->text());
    if (!name.empty()) Forward({"keypress", name});
}

void VideoSurface::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (control_) control_->Fire(kKeyUp, {KeyCode(event->key()), ShiftState(event->modifiers())});
}

}  // namespace tunelark
