#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

// Report units are 1/96 inch; the page's objects are placed and sized in them.
constexpr double reportUnitsPerInch = 96.0;
constexpr double mmPerInch = 25.4;

constexpr double mmToUnits(double mm)
{
    return mm * reportUnitsPerInch / mmPerInch;
}

enum class TfrxObjectKind { Memo, Line, Picture, BarCode };

enum TfrxHAlign { haLeft, haCenter, haRight };
enum TfrxVAlign { vaTop, vaCenter, vaBottom };

// The edge of its rectangle along which a line object is drawn.
enum TfrxFrameType { ftTop, ftLeft };

struct TfrxFont
{
    QString family;
    double height = 0; // character height without internal leading, in report units
    bool bold = false;
    QColor color = Qt::black;
};

// One object of the page. Positions are report units from the top-left corner of the area inside the
// margins; only the members of the object's kind mean anything.
struct TfrxView
{
    TfrxObjectKind kind = TfrxObjectKind::Memo;
    QString name;
    QRectF bounds;
    bool visible = true;

    // Text objects and the barcode: lines joined with CR LF, bracketed names still in place.
    QString text;
    TfrxFont font;
    TfrxHAlign hAlign = haLeft;
    TfrxVAlign vAlign = vaTop;
    std::optional<QColor> fill;
    double gapX = 2;
    double gapY = 1;
    double lineSpacing = 2;

    TfrxFrameType frame = ftTop;

    QImage picture;
};

struct TfrxReportPage
{
    QString name;
    QSizeF paperMm;
    int paperSize = 0; // the platform's paper code; 9 is A4
    bool portrait = true;
    double leftMarginMm = 0;
    double rightMarginMm = 0;
    double topMarginMm = 0;
    double bottomMarginMm = 0;
    std::vector<TfrxView> objects; // in drawing order

    TfrxView *findObject(const QString &objectName);
    const TfrxView *findObject(const QString &objectName) const;
};

// The declaration's one page, built from its table. The emblems come from the compiled-in resources.
TfrxReportPage Page1();
