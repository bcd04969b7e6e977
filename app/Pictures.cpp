#include "app/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "app/WindowFont.h"

namespace tunelark {
namespace {

void DrawRecord(QPainter& painter, QPointF centre, qreal radius) {
    QRadialGradient groove(centre, radius);
    groove.setColorAt(0.0, QColor(40, 44, 52));
    groove.setColorAt(0.97, QColor(20, 22, 28));
    groove.setColorAt(1.0, QColor(60, 66, 78));
    painter.setPen(Qt::NoPen);
    painter.setBrush(groove);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
    painter.setBrush(Qt::NoBrush);
    for (qreal r = radius * 0.45; r < radius * 0.95; r += radius * 0.08) {
        painter.drawEllipse(centre, r, r);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 183, 77));
    painter.drawEllipse(centre, radius * 0.3, radius * 0.3);
    painter.setBrush(QColor(30, 33, 40));
    painter.drawEllipse(centre, radius * 0.05, radius * 0.05);
}

void DrawNote(QPainter& painter, QPointF base, qreal height) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const qreal head = height * 0.22;
    painter.drawEllipse(QPointF(base.x(), base.y()), head * 1.2, head);
    painter.drawEllipse(QPointF(base.x() + height * 0.55, base.y() - height * 0.12), head * 1.2,
                        head);
    QPainterPath stems;
    stems.addRect(base.x() + head, base.y() - height, head * 0.35, height);
    stems.addRect(base.x() + height * 0.55 + head, base.y() - height * 1.12, head * 0.35, height);
    QPolygonF beam({QPointF(base.x() + head, base.y() - height),
                    QPointF(base.x() + height * 0.55 + head * 1.35, base.y() - height * 1.12),
                    QPointF(base.x() + height * 0.55 + head * 1.35, base.y() - height * 0.9),
                    QPointF(base.x() + head, base.y() - height * 0.78)});
    stems.addPolygon(beam);
    painter.drawPath(stems.simplified());
}

QPixmap Canvas(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap DrawAboutCard(QSize size) {
    QPixmap pixmap = Canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(0, 0, size.width(), size.height());
    QLinearGradient sky(card.topLeft(), card.bottomRight());
    sky.setColorAt(0.0, QColor(41, 98, 155));
    sky.setColorAt(1.0, QColor(22, 160, 150));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(card, 14, 14);

    const qreal radius = size.width() * 0.28;
    DrawRecord(painter, QPointF(card.center().x(), card.height() * 0.38), radius);
    DrawNote(painter, QPointF(card.width() * 0.62, card.height() * 0.32), radius * 0.6);

    QFont title = ControlFont();
    title.setPixelSize(static_cast<int>(size.height() * 0.11));
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRectF titleBox(0, card.height() * 0.68, card.width(), card.height() * 0.14);
    painter.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Tunelark"));
    QFont line = ControlFont();
    line.setPixelSize(static_cast<int>(size.height() * 0.06));
    painter.setFont(line);
    painter.setPen(QColor(255, 255, 255, 210));
    const QRectF lineBox(0, card.height() * 0.82, card.width(), card.height() * 0.1);
    painter.drawText(lineBox, Qt::AlignCenter, QString::fromUtf8("搜索 · 试听 · 下载"));
    return pixmap;
}

QPixmap DrawBadge(QSize size, Badge badge) {
    QPixmap pixmap = Canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, size.width() - 2, size.height() - 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(badge == Badge::Community ? QColor(41, 98, 155) : QColor(22, 160, 150));
    painter.drawEllipse(box);
    painter.setBrush(Qt::white);
    const qreal w = box.width();
    if (badge == Badge::Community) {
        // Two speech bubbles.
        painter.drawRoundedRect(QRectF(w * 0.2, w * 0.25, w * 0.42, w * 0.3), 4, 4);
        painter.setBrush(QColor(255, 183, 77));
        painter.drawRoundedRect(QRectF(w * 0.4, w * 0.45, w * 0.42, w * 0.3), 4, 4);
    } else {
        // Three people.
        for (int i = 0; i < 3; ++i) {
            const qreal x = w * (0.3 + 0.2 * i);
            painter.drawEllipse(QPointF(x, w * 0.38), w * 0.08, w * 0.08);
            painter.drawChord(QRectF(x - w * 0.13, w * 0.5, w * 0.26, w * 0.3), 0, 180 * 16);
        }
    }
    return pixmap;
}

}  // namespace tunelark
