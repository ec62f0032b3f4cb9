#include "print/preview/previewlayout.h"

#include <algorithm>
#include <cmath>

PreviewLayout::PreviewLayout(QList<QSizeF> pageSizesAt100)
    : m_pageSizes(std::move(pageSizesAt100))
{
}

void PreviewLayout::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, smallestZoom, largestZoom);
    m_mode = zmDefault;
}

void PreviewLayout::setZoomMode(TfrxZoomMode mode)
{
    m_mode = mode;
}

void PreviewLayout::setViewportSize(QSize size)
{
    m_viewport = size;
}

double PreviewLayout::zoom() const
{
    const QSizeF page = largestPage();
    if (m_mode == zmDefault || page.isEmpty())
        return m_zoom;
    const double widthForPages = m_viewport.width() - (columns() + 1) * pageGap;
    const double heightForPage = m_viewport.height() - 2 * pageGap;
    const double byWidth = widthForPages / (columns() * page.width());
    const double byHeight = heightForPage / page.height();
    const double fitted = m_mode == zmPageWidth ? byWidth : std::min(byWidth, byHeight);
    return std::clamp(fitted, smallestZoom, largestZoom);
}

QSizeF PreviewLayout::largestPage() const
{
    QSizeF largest;
    for (const QSizeF &size : m_pageSizes)
        largest = largest.expandedTo(size);
    return largest;
}

QSize PreviewLayout::scaledPage(int pageIndex) const
{
    return (m_pageSizes.at(pageIndex) * zoom()).toSize();
}

int PreviewLayout::rowHeight(int row) const
{
    int height = 0;
    for (int index = row * columns(); index < std::min(pageCount(), (row + 1) * columns()); ++index)
        height = std::max(height, scaledPage(index).height());
    return height;
}

int PreviewLayout::rowWidth(int row) const
{
    int width = pageGap;
    for (int index = row * columns(); index < std::min(pageCount(), (row + 1) * columns()); ++index)
        width += scaledPage(index).width() + pageGap;
    return width;
}

QRect PreviewLayout::pageRect(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= pageCount())
        return {};
    const int row = pageIndex / columns();
    int top = pageGap;
    for (int above = 0; above < row; ++above)
        top += rowHeight(above) + pageGap;
    int left = (contentSize().width() - rowWidth(row)) / 2 + pageGap;
    for (int index = row * columns(); index < pageIndex; ++index)
        left += scaledPage(index).width() + pageGap;
    return {QPoint(left, top), scaledPage(pageIndex)};
}

QSize PreviewLayout::contentSize() const
{
    const int rows = (pageCount() + columns() - 1) / columns();
    int width = 0;
    int height = pageGap;
    for (int row = 0; row < rows; ++row) {
        width = std::max(width, rowWidth(row));
        height += rowHeight(row) + pageGap;
    }
    return {std::max(width, m_viewport.width()), std::max(height, m_viewport.height())};
}

int PreviewLayout::pageAt(int contentY) const
{
    int page = 0;
    for (int index = 0; index < pageCount(); ++index) {
        if (pageRect(index).top() <= contentY)
            page = index;
    }
    return page;
}

std::optional<double> typedZoom(const QString &text)
{
    QString number = text;
    number.remove(u'%').remove(u' ').replace(u',', u'.');
    bool ok = false;
    const double percent = number.toDouble(&ok);
    if (!ok || !(percent > 0) || !std::isfinite(percent))
        return std::nullopt;
    return percent / 100.0;
}

QString zoomText(double zoom)
{
    return QString::number(std::lround(zoom * 100)) + u'%';
}
