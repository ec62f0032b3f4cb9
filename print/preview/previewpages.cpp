#include "print/preview/previewpages.h"

#include "print/pagedrawer.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr double millimetresPerInch = 25.4;
constexpr int shadowOffset = 3;

} // namespace

QList<QSizeF> pageSizesAt100(const PageDrawer &pages, double dotsPerInchX, double dotsPerInchY)
{
    QList<QSizeF> sizes;
    for (int index = 0; index < pages.pageCount(); ++index) {
        const QSizeF sheet = pages.sheetSizeMm(index);
        sizes.append({sheet.width() / millimetresPerInch * dotsPerInchX,
                      sheet.height() / millimetresPerInch * dotsPerInchY});
    }
    return sizes;
}

PreviewPages::PreviewPages(const PageDrawer &pages, PreviewLayout &layout, QWidget *parent)
    : QWidget(parent)
    , m_pages(pages)
    , m_layout(layout)
{
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(background);
}

void PreviewPages::layoutChanged()
{
    resize(m_layout.contentSize());
    update();
}

void PreviewPages::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const double zoom = m_layout.zoom();
    for (int index = 0; index < m_layout.pageCount(); ++index) {
        const QRect sheet = m_layout.pageRect(index);
        if (!sheet.adjusted(0, 0, shadowOffset, shadowOffset).intersects(event->rect()))
            continue;
        painter.fillRect(sheet.translated(shadowOffset, shadowOffset), Qt::black);
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        m_pages.drawPage(index, painter, logicalDpiX() * zoom, logicalDpiY() * zoom, sheet.topLeft());
        painter.restore();
    }
}
