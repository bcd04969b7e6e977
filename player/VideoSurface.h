#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "player/MediaEvents.h"

namespace tunelark {

class MediaControl;

// The area the video is drawn into. It takes every mouse and key event, raises the control's
// input events, and forwards each event once to mpv so that its on-screen controller and keys
// work. A double-click toggles full screen (mpv is not told of it, or it would toggle again).
class VideoSurface final : public QWidget {
    Q_OBJECT

public:
    // nativeWindow: give the surface its own window for mpv to render into.
    VideoSurface(QWidget* parent, bool nativeWindow);
    // Ends mpv while the window it renders into still exists.
    ~VideoSurface() override;

    void Attach(MediaControl* control);
    // The native window for mpv, or 0 when the surface has none.
    [[nodiscard]] std::uint64_t VideoWindow();

    // Ends mpv just before Qt destroys the native window (closing the main window destroys
    // it, long before this widget goes): mpv's own window inside it must go first.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void FireMouse(std::int32_t dispId, QMouseEvent* event, Qt::MouseButtons buttons);
    void ForwardPointer(QMouseEvent* event);
    void Forward(const std::vector<std::string>& command);

    QPointer<MediaControl> control_;
    bool native_;
    Qt::MouseButtons forwardedButtons_;
};

}  // namespace tunelark
