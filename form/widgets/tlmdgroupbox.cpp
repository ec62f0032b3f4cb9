#include "form/widgets/tlmdgroupbox.h"

#include "form/widgets/edgelines.h"

#include <QPainter>

namespace {

// Room left in the top line on each side of the caption's text.
constexpr int captionPadding = 2;

// A rectangle's outline that leaves out the part of its top line that lies within `gap`.
void fillOutline(QPainter &painter, const QRect &outline, const QRect &gap, const QColor &color)
{
    const QRect top = edgelines::top(outline);
    if (gap.isEmpty()) {
        painter.fillRect(top, color);
    } else {
        painter.fillRect(QRect(top.topLeft(), QPoint(gap.left() - 1, top.bottom())), color);
        painter.fillRect(QRect(QPoint(gap.right() + 1, top.top()), top.bottomRight()), color);
    }
    painter.fillRect(edgelines::left(outline), color);
    painter.fillRect(edgelines::bottom(outline), color);
    painter.fillRect(edgelines::right(outline), color);
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
    fillOutline(painter, border.adjusted(0, 0, -1, -1), caption, palette().color(QPalette::Dark));
    fillOutline(painter, border.adjusted(1, 1, 0, 0), caption, palette().color(QPalette::Light));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.adjusted(captionPadding, 0, -captionPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     title());
}
