#include "app/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kTaxiYellow(0xF5, 0xC5, 0x18);
const QColor kInk(0x20, 0x20, 0x20);

QPixmap transparentPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A yellow disc with a dark "Z": the mark of the application icon and the logo.
void drawMark(QPainter& painter, const QRectF& area) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, area.width() / 24));
    painter.setBrush(kTaxiYellow);
    painter.drawEllipse(
        area.adjusted(area.width() / 16, area.height() / 16, -area.width() / 16, -area.height() / 16));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(int(area.height() * 0.55));
    painter.setFont(font);
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("Z"));
}
} // namespace

QIcon Artwork::applicationIcon() {
    QPixmap pixmap = transparentPixmap(64);
    QPainter painter(&pixmap);
    drawMark(painter, QRectF(0, 0, 64, 64));
    return QIcon(pixmap);
}

QPixmap Artwork::databaseClock() {
    QPixmap pixmap = transparentPixmap(48);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(QColor(0x4A, 0x7E, 0xBB));
    painter.drawRect(QRectF(4, 8, 28, 30));
    painter.drawEllipse(QRectF(4, 32, 28, 10));
    painter.drawEllipse(QRectF(4, 3, 28, 10));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(24, 24, 22, 22));
    painter.drawLine(QPointF(35, 35), QPointF(35, 27));
    painter.drawLine(QPointF(35, 35), QPointF(41, 35));
    return pixmap;
}

QPixmap Artwork::logo() {
    QPixmap pixmap = transparentPixmap(200);
    QPainter painter(&pixmap);
    drawMark(painter, QRectF(0, 0, 200, 200));
    return pixmap;
}
