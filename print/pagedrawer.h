#pragma once

#include <QPointF>
#include <QSizeF>

class QPainter;

// What the preview and the printer need of a prepared report: how many pages, how big each sheet is,
// and drawing a page onto any device.
class PageDrawer
{
public:
    virtual ~PageDrawer() = default;

    virtual int pageCount() const = 0;

    // The sheet of the page, in millimetres (A4 portrait: 210 x 297).
    virtual QSizeF sheetSizeMm(int pageIndex) const = 0;

    // Draws the page at the device resolution given in dots per inch. sheetTopLeft is where the
    // sheet's top-left corner lies in the painter's device coordinates (for a printer, minus the
    // physical offset of its printable area), so every object lands at its nominal place on paper.
    virtual void drawPage(int pageIndex, QPainter &painter, double dotsPerInchX, double dotsPerInchY,
                          QPointF sheetTopLeft) const = 0;
};
