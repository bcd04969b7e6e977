#pragma once

#include <QLabel>

namespace tunelark {

// A label or picture box that reports a press of the left mouse button.
class ClickLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void LeftPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tunelark
