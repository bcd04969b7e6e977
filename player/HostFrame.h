#pragma once

#include <QWidget>
#include <cstdint>

#include "player/BorderStyle.h"
#include "player/FullScreenKeeper.h"

namespace tunelark {

class MediaControl;
class VideoSurface;

// The host window of one control: a child of the given parent with the border style's frame,
// and inside it the surface the control draws into. Closing it deletes it.
class HostFrame final : public QWidget {
    Q_OBJECT

public:
    HostFrame(QWidget* parent, std::int32_t borderStyle, bool nativeVideo);
    ~HostFrame() override;

    [[nodiscard]] const BorderEdges& Edges() const { return edges_; }
    [[nodiscard]] VideoSurface* Surface() const { return surface_; }
    // Lets the control draw into the surface and carries out its full-screen requests.
    void Host(MediaControl* control);

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FullScreenChanged(bool fullScreen);
    // Qt does not move a native window when a plain (alien) ancestor of it moves: the video
    // would stay behind. So the frame follows its ancestors' moves and places it itself.
    void WatchAncestors();
    void PlaceNativeSurface();

    BorderEdges edges_;
    VideoSurface* surface_;  // a child: owned by this widget
    FullScreenKeeper keeper_;
};

}  // namespace tunelark
