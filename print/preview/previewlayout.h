#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

// How the preview chooses its scale: the zoom as set, or fitted to the window.
enum TfrxZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };

// Where the preview places its pages: stacked down the window, centred, with a gap around them, or two
// side by side. Page sizes are given in pixels at 100 %; everything else follows from the zoom mode,
// the zoom and the size of the visible area.
class PreviewLayout
{
public:
    static constexpr int pageGap = 10;
    static constexpr double smallestZoom = 0.1;
    static constexpr double largestZoom = 10.0;

    explicit PreviewLayout(QList<QSizeF> pageSizesAt100 = {});

    // Sets the zoom factor (1.0 is 100 %), kept within smallestZoom..largestZoom, and the default mode.
    void setZoom(double zoom);
    void setZoomMode(TfrxZoomMode mode);
    void setViewportSize(QSize size);

    TfrxZoomMode zoomMode() const { return m_mode; }
    // The zoom in force: the one set, or the one the fitted mode gives for the visible area.
    double zoom() const;

    int pageCount() const { return int(m_pageSizes.size()); }
    QRect pageRect(int pageIndex) const;
    QSize contentSize() const;
    // The page that shows at the given height of the content: the last one whose top is above it.
    int pageAt(int contentY) const;

private:
    int columns() const { return m_mode == zmManyPages ? 2 : 1; }
    QSizeF largestPage() const;
    QSize scaledPage(int pageIndex) const;
    int rowHeight(int row) const;
    int rowWidth(int row) const;

    QList<QSizeF> m_pageSizes;
    TfrxZoomMode m_mode = zmDefault;
    double m_zoom = 1.0;
    QSize m_viewport;
};

// A zoom typed into the zoom box, such as "150%", "150" or "37,5 %", as a factor; nothing when the
// text is not a positive number.
std::optional<double> typedZoom(const QString &text);

// The zoom box's text for a factor, such as "75%".
QString zoomText(double zoom);
