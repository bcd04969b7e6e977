#include "player/FullScreenKeeper.h"

#include <QEvent>
#include <QTimer>
#include <ranges>

namespace tunelark {
namespace {

// A parent's children are listed from the bottom of the stack to its top.
QWidget* SiblingAbove(QWidget* widget) {
    const QObjectList& siblings = widget->parentWidget()->children();
    for (auto it = siblings.begin() + siblings.indexOf(widget) + 1; it != siblings.end(); ++it) {
        if (auto* sibling = qobject_cast<QWidget*>(*it); sibling && !sibling->isWindow()) {
            return sibling;
        }
    }
    return nullptr;
}

}  // namespace

FullScreenKeeper::FullScreenKeeper(QWidget* player) : player_(player) {}

FullScreenKeeper::~FullScreenKeeper() {
    Leave();
}

void FullScreenKeeper::Enter() {
    if (active_ || !player_) return;
    active_ = true;
    window_ = player_->window();
    for (QWidget* widget = player_; widget != window_; widget = widget->parentWidget()) {
        chain_.push_back({widget, widget->geometry(), widget->isHidden(), SiblingAbove(widget)});
        HideSiblings(widget);
        widget->show();
    }
    windowState_ = window_->windowState();
    window_->setWindowState(windowState_ | Qt::WindowFullScreen);
    window_->installEventFilter(this);
    Fill();
}

void FullScreenKeeper::HideSiblings(QWidget* widget) {
    QWidget* parent = widget->parentWidget();
    for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (sibling == widget || sibling->isWindow() || sibling->isHidden()) continue;
        sibling->hide();
        hidden_.emplace_back(sibling);
    }
    // A layout would put the widget back in its place at the next size change.
    if (QLayout* layout = parent->layout(); layout && layout->isEnabled()) {
        layout->setEnabled(false);
        pausedLayouts_.emplace_back(layout);
    }
}

void FullScreenKeeper::Fill() {
    if (!active_) return;
    for (const Placed& placed : std::views::reverse(chain_)) {
        if (!placed.widget) continue;
        placed.widget->setGeometry(placed.widget->parentWidget()->rect());
        placed.widget->raise();
    }
}

bool FullScreenKeeper::eventFilter(QObject* watched, QEvent* event) {
    // The window reaches its full-screen size later; the widgets inside follow it then.
    if (watched == window_ && event->type() == QEvent::Resize) {
        QTimer::singleShot(0, this, &FullScreenKeeper::Fill);
    }
    return QObject::eventFilter(watched, event);
}

void FullScreenKeeper::Leave() {
    if (!active_) return;
    active_ = false;
    if (window_) {
        window_->removeEventFilter(this);
        window_->setWindowState(windowState_);
    }
    for (const Placed& placed : std::views::reverse(chain_)) {
        if (!placed.widget) continue;
        placed.widget->setGeometry(placed.geometry);
        if (placed.hidden) placed.widget->hide();
        // Filling raised it; left on top it would cover what lay over it (tab headers).
        if (placed.above) placed.widget->stackUnder(placed.above);
    }
    for (const auto& layout : pausedLayouts_) {
        if (layout) layout->setEnabled(true);
    }
    for (const auto& widget : hidden_) {
        if (widget) widget->show();
    }
    chain_.clear();
    hidden_.clear();
    pausedLayouts_.clear();
}

}  // namespace tunelark
