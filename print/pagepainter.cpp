#include "print/pagepainter.h"

#include "common/fonts.h"
#include "print/pagetemplate.h"
#include "print/textwrap.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Faces whose stand-ins run wider than the page was designed for are drawn condensed (fonts::pageStretch).
double designedWidthFactor(const QString &family)
{
    return fonts::pageStretch(family) / 100.0;
}

// Where the baseline lies below a line's top. Windows puts it at the face's Windows ascent, which
// leaves room above the capitals for their accents; the ascent Qt reports for some faces is smaller,
// and the accents of a first line's capitals (the dots of "Ö") would rise above the line into the
// clipping. The face's own OS/2 table gives the Windows value.
double baselineOffset(const QFont &font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int winAscentOffset = 74;
    if (os2.size() < winAscentOffset + 2 || raw.unitsPerEm() <= 0)
        return QFontMetricsF(font).ascent();
    const quint16 winAscent = qFromBigEndian<quint16>(os2.constData() + winAscentOffset);
    return std::max(QFontMetricsF(font).ascent(), winAscent * raw.pixelSize() / raw.unitsPerEm());
}

// Whether Qt draws the font bold by thickening a face that has no bold design of its own (Wine's Tahoma).
bool isEmboldened(const QFont &font)
{
    if (!font.bold())
        return false;
    const QFontInfo matched(font);
    return QFontDatabase::weight(matched.family(), matched.styleName()) < QFont::Bold;
}

// Qt's PDF output, which is also what reaches the printer here, emboldens such a face by striking its
// glyphs a second time half a line width to the left. Painting on the screen thickens the glyph outlines
// instead, which at the preview's sizes closes the double acute of ő and ű into the dots of ö and ü. So
// everywhere but in a PDF the page strikes the regular glyphs twice itself, and the preview shows the
// letters the printer prints. Returns how far left the second strike lies, or nothing when the font is
// drawn as it is.
std::optional<double> overstrikeOffset(const QFont &font, const QPainter &painter)
{
    if (!isEmboldened(font) || painter.paintEngine()->type() == QPaintEngine::Pdf)
        return std::nullopt;
    return QFontMetricsF(font).lineWidth() / 2;
}

// A block taller than its area starts at the area's top whatever its alignment: centred or raised, its
// first line would lose its top to the clipping (the accents of a label's first word), while from the
// top only the blank spacing under the last line overflows.
double blockTop(const QRectF &area, TfrxVAlign alignment, double blockHeight)
{
    if (blockHeight > area.height())
        return area.top();
    switch (alignment) {
    case vaCenter:
        return area.top() + (area.height() - blockHeight) / 2;
    case vaBottom:
        return area.bottom() - blockHeight;
    case vaTop:
        break;
    }
    return area.top();
}

// Enough lines to overflow the object: the lines past them are never seen, since a block taller than its
// area starts at the area's top, and leaving them unmade keeps a pasted megabyte from stalling every paint.
qsizetype shownLineLimit(const QRectF &bounds, double lineHeight)
{
    if (lineHeight <= 0)
        return std::numeric_limits<qsizetype>::max();
    return qsizetype(std::clamp(bounds.height() / lineHeight, 0.0, 1e6)) + 1;
}

double lineLeft(const QRectF &area, TfrxHAlign alignment, double lineWidth)
{
    switch (alignment) {
    case haCenter:
        return area.left() + (area.width() - lineWidth) / 2;
    case haRight:
        return area.right() - lineWidth;
    case haLeft:
        break;
    }
    return area.left();
}

// A text object's text broken into the lines it draws, inside its area.
struct WrappedMemo
{
    QRectF area;
    TextMeasure measure;
    double lineHeight;
    QStringList lines;
};

WrappedMemo wrapMemo(const TfrxView &view)
{
    WrappedMemo memo{view.bounds.adjusted(view.gapX, view.gapY, -view.gapX, -view.gapY), textMeasure(view.font),
                     view.font.height + view.lineSpacing, {}};
    memo.lines = wrapText(view.text, memo.area.width(), memo.measure, shownLineLimit(view.bounds, memo.lineHeight));
    return memo;
}

void drawMemo(const TfrxView &view, QPainter &painter)
{
    if (view.fill)
        painter.fillRect(view.bounds, *view.fill);

    const auto [area, measure, lineHeight, lines] = wrapMemo(view);
    const QFont font = reportFont(view.font);
    const double ascent = baselineOffset(font);
    const double widthFactor = designedWidthFactor(view.font.family);

    // Lines that are a little too tall for the text area but fit the object itself (the page's two-line
    // labels in 7 mm rows) start at the object's top and use the vertical gaps: aligned and clipped to the
    // text area they would lose the accents of the first line or the descenders of the last. Anything
    // taller keeps to the text area.
    const double blockHeight = lines.size() * lineHeight;
    const bool usesGaps = blockHeight > area.height() && blockHeight <= view.bounds.height();
    const QRectF linesArea =
        usesGaps ? QRectF(area.left(), view.bounds.top(), area.width(), view.bounds.height()) : area;
    const TfrxVAlign alignment = usesGaps ? vaTop : view.vAlign;

    painter.save();
    painter.setClipRect(linesArea, Qt::IntersectClip);
    const std::optional<double> overstrike = overstrikeOffset(font, painter);
    QFont drawnFont = font;
    if (overstrike)
        drawnFont.setBold(false);
    painter.setFont(drawnFont);
    painter.setPen(view.font.color);
    double top = blockTop(linesArea, alignment, blockHeight);
    for (const QString &line : lines) {
        painter.save();
        painter.translate(lineLeft(area, view.hAlign, measure(line)), top + ascent);
        painter.scale(widthFactor, 1.0);
        painter.drawText(QPointF(), line);
        if (overstrike)
            painter.drawText(QPointF(-*overstrike, 0), line);
        painter.restore();
        top += lineHeight;
    }
    painter.restore();
}

void drawLine(const TfrxView &view, QPainter &painter)
{
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
    const QPointF start = view.bounds.topLeft();
    const QPointF end = view.frame == ftTop ? view.bounds.topRight() : view.bounds.bottomLeft();
    painter.drawLine(start, end);
}

void drawView(const TfrxView &view, QPainter &painter)
{
    switch (view.kind) {
    case TfrxObjectKind::Memo:
        drawMemo(view, painter);
        break;
    case TfrxObjectKind::Line:
        drawLine(view, painter);
        break;
    case TfrxObjectKind::Picture:
        painter.drawImage(view.bounds, view.picture);
        break;
    case TfrxObjectKind::BarCode:
        // The page's only barcode is hidden; bars are never drawn.
        break;
    }
}

} // namespace

bool printsWhole(const TfrxView &view)
{
    const WrappedMemo memo = wrapMemo(view);
    // Lines that fit the object use its gaps (drawMemo); only lines beyond its height are cut off.
    return memo.lines.size() * memo.lineHeight <= view.bounds.height();
}

TextMeasure textMeasure(const TfrxFont &font)
{
    const QFontMetricsF metrics(reportFont(font));
    const double factor = designedWidthFactor(font.family);
    return [metrics, factor](QStringView text) { return metrics.horizontalAdvance(text.toString()) * factor; };
}

QFont reportFont(const TfrxFont &font)
{
    QFont qfont(fonts::drawnFamily(font.family));
    qfont.setPixelSize(qMax(1, qRound(font.height)));
    qfont.setBold(font.bold);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures, so that a PDF keeps "fi" as two letters that a search or a text extraction finds.
    // Qt 6.4 has no switch for font features; it leaves ligatures out of any font with letter spacing
    // set, and a spacing of 100 % changes no advance.
    qfont.setLetterSpacing(QFont::PercentageSpacing, 100);
    return qfont;
}

void drawReportPage(const TfrxReportPage &page, QPainter &painter, double dotsPerInchX, double dotsPerInchY,
                    QPointF sheetTopLeft)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(sheetTopLeft);
    painter.scale(dotsPerInchX / reportUnitsPerInch, dotsPerInchY / reportUnitsPerInch);
    painter.translate(mmToUnits(page.leftMarginMm), mmToUnits(page.topMarginMm));
    for (const TfrxView &view : page.objects) {
        if (view.visible)
            drawView(view, painter);
    }
    painter.restore();
}
