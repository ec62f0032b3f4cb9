#include "print/preview/previewicons.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace previewicons {

namespace {

// The pictures are drawn on a grid of this many units a side.
constexpr int designSize = 32;

// Drawn at each size a toolbar asks for, up to twice its size for a screen at scale 2, so that the
// icon shown is never another size stretched or shrunk to fit.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(double(size) / designSize, double(size) / designSize);
        painter.setPen(QPen(QColor(40, 40, 40), 2));
        painter.setBrush(Qt::white);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawSheet(QPainter &painter, const QRectF &rect)
{
    painter.drawRect(rect);
    painter.save();
    painter.setPen(QPen(QColor(140, 140, 140), 1));
    for (double y = rect.top() + 5; y < rect.bottom() - 3; y += 4)
        painter.drawLine(QPointF(rect.left() + 3, y), QPointF(rect.right() - 3, y));
    painter.restore();
}

void drawArrowHead(QPainter &painter, QPointF tip, double direction)
{
    painter.drawLine(tip, tip + QPointF(-4 * direction, -4));
    painter.drawLine(tip, tip + QPointF(-4 * direction, 4));
}

} // namespace

QIcon print()
{
    return drawn([](QPainter &painter) {
        drawSheet(painter, QRectF(9, 3, 14, 12));
        painter.setBrush(QColor(190, 190, 190));
        painter.drawRoundedRect(QRectF(3, 14, 26, 11), 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(8, 22, 16, 7));
    });
}

QIcon wholePage()
{
    return drawn([](QPainter &painter) { drawSheet(painter, QRectF(8, 3, 16, 26)); });
}

QIcon pageWidth()
{
    return drawn([](QPainter &painter) {
        drawSheet(painter, QRectF(8, 3, 16, 26));
        painter.setPen(QPen(QColor(20, 60, 160), 2));
        painter.drawLine(QPointF(2, 16), QPointF(30, 16));
        drawArrowHead(painter, QPointF(2, 16), -1);
        drawArrowHead(painter, QPointF(30, 16), 1);
    });
}

QIcon actualSize()
{
    return drawn([](QPainter &painter) {
        drawSheet(painter, QRectF(5, 3, 22, 26));
        painter.setPen(QColor(20, 60, 160));
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(5, 3, 22, 26), Qt::AlignCenter, QStringLiteral("1:1"));
    });
}

QIcon twoPages()
{
    return drawn([](QPainter &painter) {
        drawSheet(painter, QRectF(2, 5, 13, 22));
        drawSheet(painter, QRectF(17, 5, 13, 22));
    });
}

} // namespace previewicons
