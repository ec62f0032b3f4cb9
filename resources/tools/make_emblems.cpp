// Draws the two emblems printed at the top left of the declaration and writes them as the JPEG files
// kept beside this folder. Run it after changing the artwork:
//   cmake --build <build> --target krv_make_emblems && <build>/resources/krv_make_emblems <resources folder>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

const QColor crestRed(176, 32, 40);
const QColor crestBlue(28, 62, 140);
const QColor crestGold(222, 178, 54);

QPainterPath shieldOutline(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(box.topLeft());
    path.lineTo(box.topRight());
    path.lineTo(box.right(), box.top() + box.height() * 0.55);
    path.quadTo(box.right(), box.bottom() - box.height() * 0.12, box.center().x(), box.bottom());
    path.quadTo(box.left(), box.bottom() - box.height() * 0.12, box.left(), box.top() + box.height() * 0.55);
    path.closeSubpath();
    return path;
}

// The town's shield: a round tower ("kerek") above a river ford ("rév"), halved red and blue.
void drawShield(QPainter &painter, const QRectF &box)
{
    const QPainterPath outline = shieldOutline(box);
    painter.save();
    painter.setClipPath(outline);
    painter.fillRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.6), crestRed);
    painter.fillRect(QRectF(box.left(), box.top() + box.height() * 0.6, box.width(), box.height() * 0.4), crestBlue);

    const double towerWidth = box.width() * 0.36;
    const QRectF tower(box.center().x() - towerWidth / 2, box.top() + box.height() * 0.18, towerWidth,
                       box.height() * 0.42);
    painter.setPen(Qt::NoPen);
    painter.setBrush(crestGold);
    painter.drawRect(tower);
    const double merlon = towerWidth / 5;
    for (int i = 0; i < 5; i += 2)
        painter.drawRect(QRectF(tower.left() + i * merlon, tower.top() - merlon, merlon, merlon));
    painter.setBrush(crestRed);
    painter.drawEllipse(QRectF(tower.center().x() - merlon / 2, tower.top() + merlon, merlon, merlon * 1.4));

    painter.setPen(QPen(Qt::white, box.height() * 0.05));
    painter.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < 2; ++wave) {
        const double y = box.top() + box.height() * (0.72 + 0.11 * wave);
        QPainterPath river;
        river.moveTo(box.left(), y);
        for (int step = 0; step < 4; ++step) {
            const double x = box.left() + box.width() * step / 4;
            river.quadTo(x + box.width() / 8, y - box.height() * 0.05, x + box.width() / 4, y);
        }
        painter.drawPath(river);
    }
    painter.restore();

    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
}

QImage smallEmblem()
{
    QImage image(60, 62, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawShield(painter, QRectF(5, 3, 50, 56));
    return image;
}

// The office's seal: the shield between two golden laurel branches.
QImage wideEmblem()
{
    QImage image(90, 62, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawShield(painter, QRectF(27, 5, 36, 44));

    painter.setPen(Qt::NoPen);
    painter.setBrush(crestGold.darker(115));
    for (int side = -1; side <= 1; side += 2) {
        for (int leaf = 0; leaf < 6; ++leaf) {
            const double t = leaf / 5.0;
            const QPointF centre(45 + side * (26 + 8 * (1 - t)), 52 - 42 * t);
            painter.save();
            painter.translate(centre);
            painter.rotate(side * (30 - 40 * t));
            painter.drawEllipse(QRectF(-3, -6, 6, 12));
            painter.restore();
        }
    }
    painter.setPen(QPen(crestBlue, 2));
    painter.drawLine(QPointF(30, 57), QPointF(60, 57));
    return image;
}

bool save(const QImage &image, const QDir &folder, const QString &fileName)
{
    const QString path = folder.filePath(fileName);
    if (image.save(path, "JPEG", 92))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const bool written = save(smallEmblem(), folder, QStringLiteral("emblem-crest.jpg"))
        && save(wideEmblem(), folder, QStringLiteral("emblem-seal.jpg"));
    return written ? 0 : 1;
}
