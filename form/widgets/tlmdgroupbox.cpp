#include "form/widgets/tlmdgroupbox.h"

#include <QPainter>
#include <QPolygon>

namespace {

// Room left in the top line on each side of the caption's text.
constexpr int captionPadding = 2;

// A rectangle's outline that leaves out the part of its top line that lies within `gap`.
void drawOutline(QPainter &painter, const QRect &outline, const QRect &gap)
{
    if (gap.isEmpty()) {
        painter.drawPolygon(QPolygon(outline));
        return;
    }
    const QPolygon path{QPoint(gap.left() - 1, outline.top()),   QPoint(outline.left(), outline.top()),
                        QPoint(outline.left(), outline.bottom()), QPoint(outline.right(), outline.bottom()),
                        QPoint(outline.right(), outline.top()),   QPoint(gap.right() + 1, outline.top())};
    painter.drawPolyline(path);
}

} // namespace

TLMDGroupBox::TLMDGroupBox(QWidget *parent)
    : QGroupBox(parent)
{
}

QRect TLMDGroupBox::captionRect() const
{
    if (title().isEmpty())
        return {};
    const QFontMetrics metrics = fontMetrics();
    // The caption is indented from the frame's corner by half its height, as far as the top line
    // stands below the group's top.
    const int indent = metrics.height() / 2;
    return QRect(indent, 0, metrics.horizontalAdvance(title()) + 2 * captionPadding, metrics.height());
}

QRect TLMDGroupBox::borderRect() const
{
    const QRect caption = captionRect();
    return rect().adjusted(0, caption.isEmpty() ? 0 : caption.center().y(), 0, 0);
}

void TLMDGroupBox::paintEvent(QPaintEvent *)
{
    const QRect border = borderRect();
    const QRect caption = captionRect();
    QPainter painter(this);
    // Etched: a shadow line with a light line one pixel below and to the right of it.
    painter.setPen(palette().color(QPalette::Dark));
    drawOutline(painter, border.adjusted(0, 0, -1, -1), caption);
    painter.setPen(palette().color(QPalette::Light));
    drawOutline(painter, border.adjusted(1, 1, 0, 0), caption);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.adjusted(captionPadding, 0, -captionPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     title());
}
