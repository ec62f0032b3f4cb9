// Draws the program icon: a declaration sheet with ruled lines and a pen, in seven images (16 and 32
// pixels in 256 colours, 16, 32, 48, 128 and 256 pixels in 32-bit colour with transparency).
// Usage: krv_make_icon <output folder>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);

    // The sheet, in the colours of the form's window.
    painter.setPen(QPen(QColor(0x4F, 0x50, 0x45), 4));
    painter.setBrush(QColor(0xEA, 0xE5, 0xCF));
    painter.drawRoundedRect(QRectF(18, 8, 80, 112), 6, 6);

    // The highlighted header strip.
    QLinearGradient header(0, 18, 0, 36);
    header.setColorAt(0, QColor(0xFB, 0xE6, 0x94));
    header.setColorAt(1, QColor(0xEE, 0x95, 0x15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(header);
    painter.drawRect(QRectF(26, 18, 64, 18));

    // Ruled lines for the entries.
    painter.setPen(QPen(QColor(0x4F, 0x50, 0x45), 5, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 4; ++line)
        painter.drawLine(QPointF(30, 52 + line * 16), QPointF(84 - (line % 2) * 14, 52 + line * 16));

    // The pen across the corner.
    QPainterPath pen;
    pen.moveTo(70, 118);
    pen.lineTo(76, 100);
    pen.lineTo(118, 58);
    pen.lineTo(126, 66);
    pen.lineTo(84, 108);
    pen.closeSubpath();
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 3));
    painter.setBrush(QColor(0x2A, 0x5C, 0xAA));
    painter.drawPath(pen);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool written = true;
    for (int size : {16, 32}) {
        const QImage indexed = drawIcon(size).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdAlphaDither);
        written &= indexed.save(QStringLiteral("%1/krv11007-%2-256.png").arg(folder).arg(size));
    }
    for (int size : {16, 32, 48, 128, 256})
        written &= drawIcon(size).save(QStringLiteral("%1/krv11007-%2.png").arg(folder).arg(size));
    return written ? 0 : 1;
}
