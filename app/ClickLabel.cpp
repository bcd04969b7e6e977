#include "app/ClickLabel.h"

#include <QMouseEvent>

namespace tunelark {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit LeftPressed();
    QLabel::mousePressEvent(event);
}

}  // namespace tunelark
