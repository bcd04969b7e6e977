#include "player/HostFrame.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

#include "player/MediaControl.h"
#include "player/VideoSurface.h"

namespace tunelark {

HostFrame::HostFrame(QWidget* parent, std::int32_t borderStyle, bool nativeVideo)
    : QWidget(parent),
      edges_(BorderEdgesOf(borderStyle)),
      surface_(new VideoSurface(this, nativeVideo)),
      keeper_(this) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    const int width = BorderWidth(edges_);
    layout->setContentsMargins(width, width, width, width);
    layout->setSpacing(0);
    layout->addWidget(surface_);
    if (nativeVideo) WatchAncestors();
}

void HostFrame::WatchAncestors() {
    for (QWidget* ancestor = parentWidget(); ancestor && !ancestor->isWindow();
         ancestor = ancestor->parentWidget()) {
        ancestor->installEventFilter(this);
    }
}

bool HostFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move) PlaceNativeSurface();
    return QWidget::eventFilter(watched, event);
}

void HostFrame::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    PlaceNativeSurface();
}

void HostFrame::PlaceNativeSurface() {
    QWindow* native = surface_->windowHandle();
    QWidget* anchor = surface_->nativeParentWidget();
    if (native && anchor) native->setPosition(surface_->mapTo(anchor, QPoint(0, 0)));
}

HostFrame::~HostFrame() {
    // Restore the main window before the widgets it refers to go.
    keeper_.Leave();
}

void HostFrame::Host(MediaControl* control) {
    surface_->Attach(control);
    connect(control, &MediaControl::fullScreenChanged, this, &HostFrame::FullScreenChanged);
}

void HostFrame::FullScreenChanged(bool fullScreen) {
    if (!fullScreen) {
        keeper_.Leave();
        return;
    }
    keeper_.Enter();
    // Esc must reach the player to leave full screen again.
    surface_->setFocus(Qt::OtherFocusReason);
}

void HostFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect area = rect();
    const auto inset = [&area](int by) { area.adjust(by, by, -by, -by); };
    if (edges_.dialogFrame) {
        qDrawShadePanel(&painter, area, palette(), false, 3);
        inset(3);
    }
    if (edges_.clientEdge) {
        qDrawWinPanel(&painter, area, palette(), true);
        inset(2);
    }
    if (edges_.staticEdge) {
        qDrawShadePanel(&painter, area, palette(), true, 1);
        inset(1);
    }
    if (edges_.singleLine) qDrawPlainRect(&painter, area, palette().color(QPalette::WindowText), 1);
}

}  // namespace tunelark
