#pragma once

#include <QLayout>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

namespace tunelark {

// Shows one widget alone on the whole screen: its main window goes full screen, every other
// widget on the way up is hidden and the widget and its ancestors fill their parents. Leave
// puts everything back. Nothing is reparented, so a native window inside keeps living.
class FullScreenKeeper final : public QObject {
    Q_OBJECT

public:
    explicit FullScreenKeeper(QWidget* player);
    ~FullScreenKeeper() override;
    FullScreenKeeper(const FullScreenKeeper&) = delete;
    FullScreenKeeper& operator=(const FullScreenKeeper&) = delete;

    void Enter();
    void Leave();
    [[nodiscard]] bool IsActive() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect geometry;
        bool hidden;              // e.g. the page of a tab that is not the current one
        QPointer<QWidget> above;  // the sibling stacked right above it, put back on leaving
    };

    void HideSiblings(QWidget* widget);
    // Makes each widget of the chain cover its parent, from the window down.
    void Fill();

    QPointer<QWidget> player_;
    QPointer<QWidget> window_;
    std::vector<Placed> chain_;
    std::vector<QPointer<QWidget>> hidden_;
    std::vector<QPointer<QLayout>> pausedLayouts_;
    Qt::WindowStates windowState_;
    bool active_ = false;
};

}  // namespace tunelark
