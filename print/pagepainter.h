#pragma once

#include "print/textwrap.h"

#include <QFont>
#include <QPointF>

class QPainter;
struct TfrxReportPage;
struct TfrxFont;
struct TfrxView;

// The font a text object is drawn in: sized in report units and laid out without hinting, so that
// lines break at the same places on the screen, the printer and in a PDF. Some faces are drawn
// condensed to the widths the page was designed with (see textMeasure).
QFont reportFont(const TfrxFont &font);

// How wide a text is drawn in the font, in report units; lines of text objects wrap by it.
TextMeasure textMeasure(const TfrxFont &font);

// Whether all of a text object's text prints: every line it breaks into lies within the object. What
// goes beyond is cut off on the page.
bool printsWhole(const TfrxView &view);

// Draws a page onto any device. Report units become dpi / 96 device pixels, the origin is the sheet's
// corner shifted by the margins, and sheetTopLeft places that corner in device coordinates.
// Hidden objects are not drawn.
void drawReportPage(const TfrxReportPage &page, QPainter &painter, double dotsPerInchX, double dotsPerInchY,
                    QPointF sheetTopLeft);
